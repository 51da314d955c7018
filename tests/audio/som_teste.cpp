// Sound that really plays: OpenAL's wave writer records what the lists
// play, and the recording is measured. These tests run in real time.
#include <SFML/System/Sleep.hpp>
#include <cstring>

#include "audio_apoio.h"

namespace {

// 16-bit samples of a wave file, channels interleaved.
struct Gravacao {
    unsigned canais = 0, taxa = 0;
    std::vector<int16_t> amostras;
};

Gravacao lerWave(const std::string& caminho)
{
    Gravacao g;
    std::string d = apoio::lerArquivo(caminho);
    if (d.size() < 12 || d.compare(0, 4, "RIFF") != 0 || d.compare(8, 4, "WAVE") != 0) return g;
    std::size_t p = 12;
    while (p + 8 <= d.size()) {
        uint32_t tamanho;
        memcpy(&tamanho, &d[p + 4], 4);
        std::string id = d.substr(p, 4);
        if (id == "fmt " && p + 24 <= d.size()) {
            uint16_t canais, bits;
            uint32_t taxa;
            memcpy(&canais, &d[p + 10], 2);
            memcpy(&taxa, &d[p + 12], 4);
            memcpy(&bits, &d[p + 22], 2);
            if (bits != 16) return g;
            g.canais = canais;
            g.taxa = taxa;
        } else if (id == "data") {
            std::size_t n = std::min<std::size_t>(tamanho, d.size() - p - 8) / 2;
            g.amostras.resize(n);
            memcpy(g.amostras.data(), &d[p + 8], n * 2);
        }
        p += 8 + tamanho + (tamanho & 1);
    }
    return g;
}

// A stretch of sound in a recording: where it starts and ends (in frames)
// and its root mean square on the first channel.
struct Trecho {
    std::size_t inicio, fim;
    double rms;
};

// Stretches of sound, found in 10 ms windows of the first channel.
std::vector<Trecho> trechos(const Gravacao& g)
{
    std::vector<Trecho> lista;
    std::size_t janela = g.taxa / 100, quadros = g.amostras.size() / g.canais;
    bool dentro = false;
    double soma = 0;
    for (std::size_t j = 0; j + janela <= quadros; j += janela) {
        double s = 0;
        for (std::size_t i = j; i < j + janela; i++) s += (double)g.amostras[i * g.canais] * g.amostras[i * g.canais];
        bool som = std::sqrt(s / janela) > 300.0;
        if (som && !dentro) {
            lista.push_back({j, j, 0});
            soma = 0;
        }
        if (som) {
            lista.back().fim = j + janela;
            soma += s;
            lista.back().rms = std::sqrt(soma / (lista.back().fim - lista.back().inicio));
        }
        dentro = som;
    }
    return lista;
}

// OpenAL reads its configuration once per process, when the first sound
// object is made: one folder for the process holds it and the recording,
// which each device writes anew when it opens.
const std::string& pastaDoProcesso()
{
    static std::string pasta;
    if (pasta.empty()) {
        char modelo[] = "/tmp/morvalen_waveXXXXXX";
        pasta = mkdtemp(modelo);
        std::ofstream(pasta + "/alsoft.conf") << "[general]\ndrivers=wave\nchannels=stereo\nsample-type=int16\n"
                                                 "frequency=44100\ndither=false\n[wave]\nfile=" << pasta << "/saida.wav\n";
        setenv("ALSOFT_CONF", (pasta + "/alsoft.conf").c_str(), 1);
        setenv("ALSOFT_DRIVERS", "wave", 1);
        atexit([] { (void)std::system(("rm -rf '" + pastaDoProcesso() + "'").c_str()); });
    }
    return pasta;
}

class AudioSom : public apoio::Audio {
protected:
    void SetUp() override
    {
        wave = pastaDoProcesso() + "/saida.wav";
        apoio::Audio::SetUp();
    }

    // Plays the list to its end, one frame every 10 ms.
    void tocarAteOFim(uint32_t lista)
    {
        ASSERT_EQ(audio_lista_reproduzir(lista), nullptr);
        sf::Lista* l = AUDIO_pegarLista(lista);
        for (int i = 0; i < 1000 && l->getStatus() != sf::SoundSource::Stopped; i++) {
            audio_atualizar(10);
            sf::sleep(sf::milliseconds(10));
        }
        EXPECT_EQ(l->getStatus(), sf::SoundSource::Stopped);
        sf::sleep(sf::milliseconds(200));
    }

    // The recording, complete once every list is gone (OpenAL closes the
    // device with the last sound object).
    Gravacao gravacao()
    {
        audio_finalizar();
        Gravacao g = lerWave(wave);
        EXPECT_EQ(g.canais, 2u);
        EXPECT_EQ(g.taxa, 44100u);
        return g;
    }

    std::string wave;
};

TEST_F(AudioSom, JanelaDeTresSegundosTocaInteiraNoVolumeDaLista)
{
    // Seconds 2 to 5 of the long tone, at full and at half volume.
    uint32_t inteira = audio_criarLista();
    ASSERT_EQ(audio_lista_adicionarItem(inteira, "longo.ogg", 2000, 5000), 0u);
    uint32_t metade = audio_criarLista();
    ASSERT_EQ(audio_lista_adicionarItem(metade, "longo.ogg", 2000, 5000), 0u);
    apoio::mudar(1, metade, 500);
    tocarAteOFim(inteira);
    tocarAteOFim(metade);
    Gravacao g = gravacao();
    std::vector<Trecho> t = trechos(g);
    ASSERT_EQ(t.size(), 2u);
    for (const Trecho& trecho : t) {
        EXPECT_NEAR((double)(trecho.fim - trecho.inicio) / g.taxa, 3.0, 0.03);
        // Each second of the recording is that second of the file.
        for (int s = 0; s < 3; s++) {
            std::vector<sf::Int16> esquerdo;
            for (std::size_t i = trecho.inicio + s * g.taxa + g.taxa / 10; i < trecho.inicio + (s + 1) * g.taxa - g.taxa / 10; i++)
                esquerdo.push_back(g.amostras[i * 2]);
            EXPECT_NEAR(apoio::medirFrequencia(esquerdo.data(), esquerdo.size(), g.taxa), apoio::frequencia(3, 2 + s),
                        4.0)
                << "second " << s;
        }
    }
    // The tone's amplitude is 10000 (root mean square 7071), spread over two
    // channels by OpenAL's panning; half the list volume is half the level.
    EXPECT_GT(t[0].rms, 2500.0);
    EXPECT_LT(t[0].rms, 7100.0);
    EXPECT_NEAR(t[1].rms / t[0].rms, 0.5, 0.02);
}

TEST_F(AudioSom, ListaNoVolumeZeroGravaSilencio)
{
    uint32_t lista = audio_criarLista();
    ASSERT_EQ(audio_lista_adicionarItem(lista, "tom1.ogg", 0, 0), 0u);
    apoio::mudar(1, lista, 0);
    tocarAteOFim(lista);
    Gravacao g = gravacao();
    EXPECT_GT(g.amostras.size() / 2, 3 * g.taxa);  // it did run for the length of the item
    int16_t maior = 0;
    for (int16_t a : g.amostras) maior = std::max<int16_t>(maior, (int16_t)std::abs(a));
    EXPECT_EQ(maior, 0);
}

}  // namespace
