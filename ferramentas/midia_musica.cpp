// The game's three pieces of music, written here as note sequences and
// rendered with FluidSynth and a General MIDI soundfont, then encoded to Ogg
// Vorbis (44.1 kHz stereo).
//
// A looping piece is rendered twice in a row and the second pass is kept:
// it starts with the sound that the end of the previous pass leaves ringing
// (release and reverb), so the end joins the start without a click or a gap.
//
// Notation of a voice: tokens separated by spaces, "|" between bars is
// ignored. A token is one or more notes joined by "+" ("C4" is middle C,
// "F#3", "Bb4", "n42" a MIDI key; "R" a rest), then optionally ":beats"
// (kept for the following tokens) and "@velocity" (this token only).
#include <fluidsynth.h>

#include <SFML/Audio/OutputSoundFile.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "ferramentas/midia.h"

namespace {

const int TAXA = 44100;

struct Voz {
    int canal;
    int programa;  // General MIDI program (0-based); ignored on channel 9
    int volume;    // controller 7
    int pan;       // controller 10
    int reverb;    // controller 91
    double legato; // share of its length a note sounds
    int velocidade;
    std::string notas;
};

struct Peca {
    const char* nome;
    double bpm;
    double batidas;   // length of the piece (of one loop) in beats
    bool repete;      // loops: rendered twice, the second pass kept
    double antes;     // seconds of silence before the music (not looping)
    double total;     // seconds of the whole file (not looping)
    double pico;      // peak level after normalising
    std::vector<Voz> vozes;
};

struct Evento {
    int64_t amostra;
    int tipo;  // 0 note off, 1 note on
    int canal, tecla, velocidade;
};

int tecla(const std::string& t, bool& ok)
{
    ok = true;
    if (t.size() >= 2 && t[0] == 'n') return atoi(t.c_str() + 1);
    static const int base[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (t.empty() || t[0] < 'A' || t[0] > 'G') {
        ok = false;
        return 0;
    }
    int n = base[t[0] - 'A'];
    size_t i = 1;
    while (i < t.size() && (t[i] == '#' || t[i] == 'b')) n += t[i++] == '#' ? 1 : -1;
    if (i >= t.size() || !isdigit((unsigned char)t[i])) {
        ok = false;
        return 0;
    }
    return n + 12 * (atoi(t.c_str() + i) + 1);
}

// The events of one voice, from beat 'inicio'; false on a bad token.
bool lerVoz(const Voz& v, double bpm, double inicio, double antes, std::vector<Evento>& eventos, double& fim)
{
    std::istringstream in(v.notas);
    std::string tok;
    double beats = 1, agora = inicio;
    double porBatida = 60.0 / bpm * TAXA;
    while (in >> tok) {
        if (tok == "|") continue;
        int vel = v.velocidade;
        size_t arroba = tok.find('@');
        if (arroba != std::string::npos) {
            vel = atoi(tok.c_str() + arroba + 1);
            tok = tok.substr(0, arroba);
        }
        size_t dois = tok.find(':');
        if (dois != std::string::npos) {
            beats = atof(tok.c_str() + dois + 1);
            tok = tok.substr(0, dois);
        }
        if (beats <= 0) {
            fprintf(stderr, "Duracao invalida na voz: %s\n", tok.c_str());
            return false;
        }
        if (tok != "R") {
            std::istringstream notas(tok);
            std::string n;
            while (std::getline(notas, n, '+')) {
                bool ok;
                int k = tecla(n, ok);
                if (!ok || k < 0 || k > 127) {
                    fprintf(stderr, "Nota invalida: %s\n", n.c_str());
                    return false;
                }
                int64_t a = (int64_t)llround(antes * TAXA + agora * porBatida);
                int64_t b = (int64_t)llround(antes * TAXA + (agora + beats * v.legato) * porBatida);
                eventos.push_back({a, 1, v.canal, k, vel});
                eventos.push_back({b, 0, v.canal, k, 0});
            }
        }
        agora += beats;
    }
    fim = agora;
    return true;
}

void semLog(int, const char*, void*) {}

bool renderizar(const Peca& p, const char* soundfont, std::vector<float>& esquerda, std::vector<float>& direita)
{
    fluid_set_log_function(FLUID_WARN, semLog, nullptr);
    fluid_set_log_function(FLUID_INFO, semLog, nullptr);
    fluid_set_log_function(FLUID_DBG, semLog, nullptr);
    fluid_settings_t* cfg = new_fluid_settings();
    fluid_settings_setnum(cfg, "synth.sample-rate", TAXA);
    fluid_settings_setnum(cfg, "synth.gain", 0.4);
    fluid_settings_setint(cfg, "synth.polyphony", 256);
    fluid_settings_setint(cfg, "synth.cpu-cores", 1);
    fluid_settings_setint(cfg, "synth.reverb.active", 1);
    fluid_settings_setint(cfg, "synth.chorus.active", 1);
    fluid_settings_setnum(cfg, "synth.reverb.room-size", 0.6);
    fluid_settings_setnum(cfg, "synth.reverb.damp", 0.4);
    fluid_settings_setnum(cfg, "synth.reverb.width", 0.8);
    fluid_settings_setnum(cfg, "synth.reverb.level", 0.7);
    fluid_synth_t* synth = new_fluid_synth(cfg);
    if (!synth || fluid_synth_sfload(synth, soundfont, 1) == FLUID_FAILED) {
        fprintf(stderr, "Erro ao carregar o soundfont %s (pacote timgm6mb-soundfont)\n", soundfont);
        if (synth) delete_fluid_synth(synth);
        delete_fluid_settings(cfg);
        return false;
    }
    std::vector<Evento> eventos;
    int passagens = p.repete ? 2 : 1;
    for (const Voz& v : p.vozes) {
        if (v.canal != 9) fluid_synth_program_change(synth, v.canal, v.programa);
        fluid_synth_cc(synth, v.canal, 7, v.volume);
        fluid_synth_cc(synth, v.canal, 10, v.pan);
        fluid_synth_cc(synth, v.canal, 91, v.reverb);
        fluid_synth_cc(synth, v.canal, 93, 0);
        for (int i = 0; i < passagens; i++) {
            double fim;
            if (!lerVoz(v, p.bpm, p.batidas * i, p.antes, eventos, fim)) {
                delete_fluid_synth(synth);
                delete_fluid_settings(cfg);
                return false;
            }
            if (fabs(fim - p.batidas * (i + 1)) > 1e-6) {
                fprintf(stderr, "%s: uma voz dura %.2f batidas em vez de %.2f\n", p.nome, fim - p.batidas * i, p.batidas);
                delete_fluid_synth(synth);
                delete_fluid_settings(cfg);
                return false;
            }
        }
    }
    // Note offs before note ons at the same moment, so a repeated note restarts.
    std::stable_sort(eventos.begin(), eventos.end(), [](const Evento& a, const Evento& b) {
        return a.amostra != b.amostra ? a.amostra < b.amostra : a.tipo < b.tipo;
    });
    int64_t laco = (int64_t)llround(p.batidas * 60.0 / p.bpm * TAXA);
    int64_t total = p.repete ? 2 * laco : (int64_t)llround(p.total * TAXA);
    std::vector<float> l((size_t)total), r((size_t)total);
    int64_t feito = 0;
    size_t e = 0;
    while (feito < total) {
        while (e < eventos.size() && eventos[e].amostra <= feito) {
            const Evento& ev = eventos[e++];
            if (ev.tipo) fluid_synth_noteon(synth, ev.canal, ev.tecla, ev.velocidade);
            else fluid_synth_noteoff(synth, ev.canal, ev.tecla);
        }
        int64_t ate = e < eventos.size() ? std::min(eventos[e].amostra, total) : total;
        while (feito < ate) {
            int n = (int)std::min<int64_t>(ate - feito, 4096);
            fluid_synth_write_float(synth, n, l.data() + feito, 0, 1, r.data() + feito, 0, 1);
            feito += n;
        }
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(cfg);
    int64_t de = p.repete ? laco : 0;
    esquerda.assign(l.begin() + de, l.end());
    direita.assign(r.begin() + de, r.end());
    if (!p.repete) {
        // A short fade at the very end, so the file does not stop on a click.
        int64_t n = esquerda.size(), fade = TAXA / 4;
        for (int64_t i = 0; i < fade && i < n; i++) {
            double k = (double)i / fade;
            esquerda[n - 1 - i] *= k;
            direita[n - 1 - i] *= k;
        }
    }
    return true;
}

bool gravar(const Peca& p, const std::vector<float>& l, const std::vector<float>& r, const std::string& caminho)
{
    float pico = 0;
    for (size_t i = 0; i < l.size(); i++) pico = std::max(pico, std::max(fabsf(l[i]), fabsf(r[i])));
    if (pico <= 0) {
        fprintf(stderr, "%s: silencio\n", p.nome);
        return false;
    }
    double ganho = p.pico / pico;
    std::vector<int16_t> amostras(l.size() * 2);
    for (size_t i = 0; i < l.size(); i++) {
        double a = std::max(-1.0, std::min(1.0, l[i] * ganho));
        double b = std::max(-1.0, std::min(1.0, r[i] * ganho));
        amostras[2 * i] = (int16_t)lround(a * 32767);
        amostras[2 * i + 1] = (int16_t)lround(b * 32767);
    }
    // The Ogg writer takes its stream's serial number from the C library's
    // generator: a fixed seed makes the file the same on every build.
    srand(1);
    sf::OutputSoundFile saida;
    if (!saida.openFromFile(caminho, TAXA, 2)) {
        fprintf(stderr, "Erro ao gravar %s\n", caminho.c_str());
        return false;
    }
    saida.write(amostras.data(), amostras.size());
    return true;
}

// Repeats a text n times.
std::string vezes(const std::string& s, int n)
{
    std::string r;
    for (int i = 0; i < n; i++) r += s + " ";
    return r;
}

// Broken chords in eighths over chords of a bar each, in the pattern given
// by indices into the chord's notes (space-separated chords of "+"-joined
// notes).
std::string arpejo(const std::string& acordes, const std::vector<int>& padrao, double duracao)
{
    std::istringstream in(acordes);
    std::string a, r;
    char buf[32];
    while (in >> a) {
        std::vector<std::string> notas;
        std::istringstream n(a);
        std::string x;
        while (std::getline(n, x, '+')) notas.push_back(x);
        for (size_t i = 0; i < padrao.size(); i++) {
            snprintf(buf, sizeof buf, ":%g", duracao);
            r += notas[padrao[i] % notas.size()] + (i == 0 ? std::string(buf) : std::string()) + " ";
        }
    }
    return r;
}

// Whole-bar chords of four beats.
std::string blocos(const std::string& acordes, double batidas)
{
    std::istringstream in(acordes);
    std::string a, r;
    char buf[32];
    snprintf(buf, sizeof buf, ":%g", batidas);
    while (in >> a) r += a + buf + " ";
    return r;
}

// "japanese_jingle": two seconds of silence, then ten seconds of a bright
// pentatonic tune on koto and flute over a drum and strings, ending on a
// long chord.
Peca jingle()
{
    Peca p{"japanese_jingle", 96, 16, false, 2.0, 13.0, 0.8, {}};
    p.vozes.push_back({0, 107, 110, 70, 40, 0.95, 100,
                       "D5:0.5 E5 G5:1 A5:0.5 G5 E5:1 | D5:0.5 E5 G5 A5 B5:1 A5:1 | "
                       "B5:0.5 A5 G5 E5 D5:1 E5:0.5 G5 | A5:1 D6:2@110 R:1"});
    p.vozes.push_back({1, 107, 80, 45, 40, 0.9, 70,
                       arpejo("D3+A3+D4+E4 G3+D4+G4+A4 E3+B3+E4+G4", {0, 1, 2, 3, 2, 1, 2, 1}, 0.5) +
                           "D3+A3+D4+E4+A4:3 R:1"});
    p.vozes.push_back({2, 77, 70, 85, 70, 1.0, 60, "A4:4 | B4:2 D5:2 | E5:2 D5:2 | E5:1 D5:2 R:1"});
    p.vozes.push_back({3, 48, 60, 64, 80, 1.0, 45, blocos("D3+A3+F#4 G3+B3+D4 E3+G3+B3", 4) + "D3+A3+D4:3 R:1"});
    p.vozes.push_back({4, 116, 90, 64, 30, 0.5, 100,
                       "D2:1 R:1 D2:0.5 D2 R:1 | D2:1 R:1 D2:0.5 D2 R:1 | D2:1 R:1 D2:0.5 D2 D2 D2 | D2:1 R:3"});
    p.vozes.push_back({5, 8, 70, 64, 90, 1.0, 70, "R:12 | R:1 D6:0.5 A6 D7:1 R:1"});
    return p;
}

// "Ufo Speeding": the level's music, 24 bars at 132 beats a minute in A
// minor: a bouncing synth bass, square lead, electric piano arpeggios, a
// warm pad and a light beat.
Peca ufo()
{
    Peca p{"Ufo Speeding", 132, 96, true, 0, 0, 0.8, {}};
    const std::string a = "A2+A3+C4+E4 F2+F3+A3+C4 G2+G3+B3+D4 E2+E3+G3+B3 "
                          "A2+A3+C4+E4 F2+F3+A3+C4 G2+G3+B3+D4 E2+E3+G#3+B3";
    const std::string b = "F2+F3+A3+C4 G2+G3+B3+D4 A2+A3+C4+E4 A2+A3+C4+E4 "
                          "D2+D3+F3+A3 E2+E3+G3+B3 F2+F3+A3+C4 G2+G3+B3+D4";
    const std::string acordes = a + " " + b + " " + a;
    const std::string melodiaA =
        "A4:0.5 C5 E5 A5 G5:1 E5:1 | F5:0.5 E5 C5 A4 C5:1 R:1 | D5:0.5 E5 G5 B5 A5 G5 E5:1 | "
        "G5:1.5 E5:0.5 B4:2 | A4:0.5 C5 E5 A5 C6:1 B5:0.5 A5 | A5:0.5 G5 F5 E5 C5:1 A4:1 | "
        "B4:0.5 D5 G5 D5 B5:1 A5:0.5 G5 | G#5:1 E5:1 B4:1 R:1 ";
    const std::string melodiaB =
        "C6:1.5 A5:0.5 F5:2 | D6:1.5 B5:0.5 G5:2 | E6:1 D6:0.5 C6 B5 A5 E5:1 | A5:3 R:1 | "
        "F5:0.5 A5 D6:1 C6:0.5 A5 F5:1 | G5:0.5 B5 E6:1 D6:0.5 B5 G5:1 | "
        "A5:0.5 C6 F6:1 E6:0.5 C6 A5:1 | B5:1 D6:1 G5:1 B5:0.5 D6 ";
    p.vozes.push_back({0, 80, 78, 64, 35, 0.85, 92, melodiaA + melodiaB + melodiaA});
    p.vozes.push_back({1, 38, 100, 64, 10, 0.8, 100, arpejo(acordes, {0, 0, 1, 0, 0, 1, 0, 1}, 0.5)});
    p.vozes.push_back({2, 4, 70, 40, 50, 0.9, 70, arpejo(acordes, {1, 2, 3, 2, 1, 2, 3, 2}, 0.5)});
    p.vozes.push_back({3, 89, 55, 88, 70, 1.0, 60, blocos(acordes, 4)});
    // Kick, snare and hats on channel 10 (9 counted from 0).
    const std::string batida = "n36+n42:0.5 n42@60 n38+n42 n42@60 n36+n42 n36+n42@60 n38+n42 n46@70 ";
    p.vozes.push_back({9, 0, 90, 64, 20, 0.5, 95, vezes(batida, 23) + "n36+n42:0.5 n42 n38 n38 n38 n38 n38+n49 n38"});
    return p;
}

// "shoulder_angelv2_novocals": the calm music of the ending, 16 bars at 76
// beats a minute in F: piano broken chords and a simple tune over strings.
Peca anjo()
{
    Peca p{"shoulder_angelv2_novocals", 76, 64, true, 0, 0, 0.7, {}};
    const std::string acordes = "F2+C3+F3+A3 C2+G2+C3+E3 D2+A2+D3+F3 Bb1+F2+Bb2+D3 "
                                "F2+C3+F3+A3 C2+G2+C3+E3 Bb1+F2+Bb2+D3 C2+G2+C3+E3 "
                                "D2+A2+D3+F3 A1+E2+A2+C3 Bb1+F2+Bb2+D3 F2+C3+F3+A3 "
                                "D2+A2+D3+F3 C2+G2+C3+E3 Bb1+F2+Bb2+D3 C2+G2+C3+G3";
    p.vozes.push_back({0, 0, 95, 58, 60, 1.0, 62, arpejo(acordes, {0, 1, 2, 3, 2, 1, 2, 1}, 0.5)});
    p.vozes.push_back({1, 0, 100, 70, 60, 0.95, 78,
                       "A4:1.5 G4:0.5 F4:1 C5:1 | C5:2 G4:2 | A4:1.5 Bb4:0.5 A4:1 F4:1 | D4:3 R:1 | "
                       "A4:1.5 G4:0.5 F4:1 A4:1 | G4:1.5 A4:0.5 G4:1 E4:1 | F4:1 D4:1 F4:1 Bb4:1 | G4:3 R:1 | "
                       "A4:1 D5:1 C5:1 A4:1 | C5:2 E4:2 | D4:1 F4:1 Bb4:1 A4:1 | A4:3 R:1 | "
                       "F4:1 A4:1 D5:1 C5:1 | C5:1.5 Bb4:0.5 A4:1 G4:1 | F4:1 G4:1 A4:1 Bb4:1 | G4:3 R:1"});
    p.vozes.push_back({2, 48, 62, 64, 90, 1.0, 48,
                       blocos("F3+A3+C4 E3+G3+C4 D3+F3+A3 D3+F3+Bb3 F3+A3+C4 E3+G3+C4 D3+F3+Bb3 E3+G3+C4 "
                              "D3+F3+A3 C3+E3+A3 D3+F3+Bb3 F3+A3+C4 D3+F3+A3 E3+G3+C4 D3+F3+Bb3 E3+G3+C4",
                              4)});
    return p;
}

}  // namespace

bool midia_gerarMusicas(const std::string& pasta, const char* soundfont)
{
    for (const Peca& p : {jingle(), ufo(), anjo()}) {
        std::vector<float> l, r;
        if (!renderizar(p, soundfont, l, r)) return false;
        if (!gravar(p, l, r, pasta + "/" + p.nome + ".ogg")) return false;
    }
    return true;
}
