// Shared pieces of the audio tests: tones written as Ogg files whose
// frequency tells which file and which second they come from, a resource
// archive packed from them, a capture of standard error, and a fixture that
// starts the engine and the audio module and destroys every list after.
#ifndef MORVALEN_TESTES_AUDIO_APOIO_H
#define MORVALEN_TESTES_AUDIO_APOIO_H

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <SFML/Audio/OutputSoundFile.hpp>
#include <SFML/System/Err.hpp>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "arquivo/arquivo.h"
#include "audio/audio_interno.h"
#include "engine/engine.h"
#include "plataforma/plataforma.h"
#include "plataforma/plataforma_interno.h"
#include "tests/apoio/testes_apoio.h"

namespace apoio {

const unsigned TAXA = 8000;  // samples per second of the test tones

// The tone of second s of tone file t: its frequency tells both apart.
inline double frequencia(int tom, int segundo)
{
    return 300.0 + 400.0 * tom + 20.0 * segundo;
}

// The bytes of an Ogg file of tone t lasting the given seconds, at the
// given rate and channel count, amplitude 10000, with a continuous phase.
inline std::string ogg(int tom, int segundos, unsigned taxa = TAXA, unsigned canais = 1)
{
    char modelo[] = "/tmp/morvalen_oggXXXXXX";
    int fd = mkstemp(modelo);
    close(fd);
    std::string caminho = std::string(modelo) + ".ogg";
    {
        sf::OutputSoundFile saida;
        EXPECT_TRUE(saida.openFromFile(caminho, taxa, canais));
        std::vector<sf::Int16> amostras;
        double fase = 0.0;
        for (int s = 0; s < segundos; s++) {
            double passo = 2.0 * M_PI * frequencia(tom, s) / taxa;
            for (unsigned i = 0; i < taxa; i++) {
                for (unsigned c = 0; c < canais; c++) amostras.push_back((sf::Int16)(10000.0 * std::sin(fase)));
                fase += passo;
            }
        }
        saida.write(amostras.data(), amostras.size());
    }
    std::string bytes = lerArquivo(caminho);
    unlink(caminho.c_str());
    unlink(modelo);
    return bytes;
}

// The frequency of a run of mono samples, from its zero crossings.
inline double medirFrequencia(const sf::Int16* amostras, std::size_t n, unsigned taxa)
{
    int cruzamentos = 0;
    int sinal = 0;
    for (std::size_t i = 0; i < n; i++) {
        // Small values are ignored, so noise near zero does not count.
        int s = amostras[i] > 200 ? 1 : amostras[i] < -200 ? -1 : 0;
        if (s != 0 && sinal != 0 && s != sinal) cruzamentos++;
        if (s != 0) sinal = s;
    }
    return cruzamentos / 2.0 * taxa / (double)n;
}

// Which tone and second a chunk of one second holds: (tom, segundo), or
// (-1, -1) when its frequency is on no tone's grid.
inline std::pair<int, int> identificar(const sf::Int16* amostras, std::size_t n, unsigned taxa = TAXA)
{
    double f = medirFrequencia(amostras, n, taxa);
    for (int t = 0; t < 4; t++)
        for (int s = 0; s < 20; s++)
            if (std::fabs(f - frequencia(t, s)) < 6.0) return {t, s};
    return {-1, -1};
}

// The archive every audio test uses: tones 0 to 2 of 3 s, tone 3 of 15 s,
// tones in other formats, and entries that are not sound.
inline std::vector<std::pair<std::string, std::string>> entradasDeTeste()
{
    return {
        {"tom0.ogg", ogg(0, 3)},
        {"tom1.ogg", ogg(1, 3)},
        {"tom2.ogg", ogg(2, 3)},
        {"longo.ogg", ogg(3, 15)},
        {"estereo.ogg", ogg(0, 1, TAXA, 2)},
        {"rapido.ogg", ogg(0, 1, 2 * TAXA, 1)},
        {"leia-me.txt", "isto nao e um som"},
    };
}

// The engine and the audio module started without log, the test archive
// open; every list is destroyed afterwards.
class Audio : public ::testing::Test {
protected:
    void SetUp() override
    {
        sf::err().rdbuf(nullptr);  // the library's own complaints are not ours to check
        engine_iniciar(true);
        ASSERT_EQ(audio_iniciar('N'), 1);
        recursos = new Recursos(entradasDeTeste());
    }
    void TearDown() override
    {
        audio_finalizar();
        EXPECT_EQ(engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_AUDIO, audioListas), 0u);
        delete recursos;
    }
    Recursos* recursos = nullptr;
};

// A property of a list (model 2) or of the listener (model 1) through the engine.
inline _engine_valor ler(uint32_t propriedade, uint32_t lista, uint32_t modelo = 2)
{
    return engine_propriedade_pegarValor(ENGINE_MODULO_AUDIO, modelo, propriedade, lista, nullptr);
}

inline std::string mudar(uint32_t propriedade, uint32_t lista, _engine_valor valor, uint32_t modelo = 2)
{
    const char* erro = engine_propriedade_mudarValor(ENGINE_MODULO_AUDIO, modelo, propriedade, lista, valor);
    return erro ? erro : "";
}

}  // namespace apoio

#endif
