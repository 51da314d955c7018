// The intro's sound, really played: OpenAL's wave writer records 20 s of the
// game from its start, in real time, and the recording's loudness over time
// shows the jingle from 2.5 s and the game music fading in from 12 s.
#include <sys/time.h>

#include <SFML/Audio/Sound.hpp>
#include <SFML/System/Sleep.hpp>
#include <cmath>
#include <cstring>
#include <fstream>

#include "conteudo_apoio.h"

using namespace conteudo_apoio;

namespace {

int64_t microssegundosReais()
{
    timeval t;
    gettimeofday(&t, nullptr);
    return (int64_t)t.tv_sec * 1000000 + t.tv_usec;
}

// The root mean square of the first channel of a 16-bit stereo wave file,
// per window of ms milliseconds.
std::vector<double> volumePorJanela(const std::string& caminho, int32_t ms, unsigned* taxa)
{
    std::ifstream f(caminho, std::ios::binary);
    std::string d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::vector<double> janelas;
    if (d.size() < 12 || d.compare(0, 4, "RIFF") != 0) return janelas;
    unsigned canais = 0;
    for (size_t p = 12; p + 8 <= d.size();) {
        uint32_t tamanho;
        memcpy(&tamanho, &d[p + 4], 4);
        if (d.compare(p, 4, "fmt ") == 0) {
            uint16_t c;
            memcpy(&c, &d[p + 10], 2);
            memcpy(taxa, &d[p + 12], 4);
            canais = c;
        } else if (d.compare(p, 4, "data") == 0 && canais > 0) {
            size_t quadros = std::min<size_t>(tamanho, d.size() - p - 8) / 2 / canais;
            size_t porJanela = *taxa * (size_t)ms / 1000;
            const int16_t* a = (const int16_t*)&d[p + 8];
            for (size_t j = 0; j + porJanela <= quadros; j += porJanela) {
                double s = 0;
                for (size_t i = j; i < j + porJanela; i++) s += (double)a[i * canais] * a[i * canais];
                janelas.push_back(std::sqrt(s / porJanela));
            }
        }
        p += 8 + tamanho + (tamanho & 1);
    }
    return janelas;
}

class Som : public JogoDoArquivo {
protected:
    void SetUp() override
    {
        char modelo[] = "/tmp/morvalen_somXXXXXX";
        pasta = mkdtemp(modelo);
        std::ofstream(pasta + "/alsoft.conf") << "[general]\ndrivers=wave\nchannels=stereo\nsample-type=int16\n"
                                                 "frequency=44100\n[wave]\nfile=" << pasta << "/saida.wav\n";
        setenv("ALSOFT_CONF", (pasta + "/alsoft.conf").c_str(), 1);
        setenv("ALSOFT_DRIVERS", "wave", 1);
        // The recording starts when the sound device opens, now; the game's
        // clock starts once the level is built.
        aberto = new sf::Sound();
        inicio = microssegundosReais();
        JogoDoArquivo::SetUp();
        inicioDoJogo = microssegundosReais();
    }
    void TearDown() override
    {
        JogoDoArquivo::TearDown();
        delete aberto;
        (void)std::system(("rm -rf '" + pasta + "'").c_str());
    }
    // Frames in real time: the time module's clock is the wall clock since
    // the level was built.
    void tocarPor(int32_t ms)
    {
        while (microssegundosReais() - inicioDoJogo < (int64_t)ms * 1000) {
            sf::sleep(sf::milliseconds(5));
            relogioMicro() = 1000000 + (microssegundosReais() - inicioDoJogo);
            int32_t d = tempo_aguardar();
            entrada_atualizar();
            dados_atualizar(d);
            fisica_atualizar(d);
            video_atualizar(d);
            audio_atualizar(d);
        }
    }
    std::string pasta;
    sf::Sound* aberto = nullptr;
    int64_t inicio = 0, inicioDoJogo = 0;
};

TEST_F(Som, IntroTocaOJingleEDepoisAMusicaQueSobe)
{
    tocarPor(20000);
    // The recording is complete once the device closes with its last sound.
    audio_finalizar();
    delete aberto;
    aberto = nullptr;
    unsigned taxa = 0;
    std::vector<double> v = volumePorJanela(pasta + "/saida.wav", 250, &taxa);
    ASSERT_EQ(taxa, 44100u);
    // The recording's windows from the game's start on.
    v.erase(v.begin(), v.begin() + std::min<size_t>(v.size(), (size_t)((inicioDoJogo - inicio) / 250000)));
    ASSERT_GE(v.size(), 78u);  // 19.5 s at least
    auto media = [&v](double de, double ate) {
        double s = 0;
        int n = 0;
        for (size_t i = (size_t)(de * 4); i < (size_t)(ate * 4) && i < v.size(); i++, n++) s += v[i];
        return n ? s / n : 0.0;
    };
    std::string curva;
    for (double x : v) curva += std::to_string((int)x) + " ";
    printf("loudness per 250 ms: %s\n", curva.c_str());

    // Silence until 2.5 s, then the jingle.
    size_t comeco = 0;
    while (comeco < v.size() && v[comeco] < 100) comeco++;
    EXPECT_NEAR(comeco * 0.25, 2.5, 0.3);
    EXPECT_LT(media(0, 2.25), 5);
    EXPECT_GT(media(2.75, 11.75), 300);
    // The game music rises from 12 s to 14 s and plays on at its volume.
    double alta = media(15, 19.5);
    EXPECT_GT(alta, 300);
    EXPECT_LT(media(12.25, 12.75), 0.4 * alta);
    EXPECT_LT(media(12.5, 13), media(13, 13.5));
    EXPECT_LT(media(13, 13.5), media(13.5, 14));
    // Heard all along (a loaded machine may drop a moment of it).
    int ouvidas = 0, janelas = 0;
    for (double s = 14.5; s < 19.5; s += 0.25, janelas++) ouvidas += media(s, s + 0.25) > 50;
    EXPECT_GE(ouvidas, janelas * 9 / 10);
}

}  // namespace
