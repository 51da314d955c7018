// Shared pieces of the video tests: a fixture that starts the engine and the
// video module and releases every video record afterwards, a resource
// archive built from files made by the test, pictures made in memory, the
// font, and a capture of standard error for log lines.
#ifndef MORVALEN_TESTES_VIDEO_APOIO_H
#define MORVALEN_TESTES_VIDEO_APOIO_H

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/Window/Context.hpp>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "arquivo/arquivo.h"
#include "plataforma/plataforma.h"
#include "plataforma/plataforma_interno.h"
#include "video/video.h"
#include "video/video_interno.h"
#include "tests/apoio/testes_apoio.h"

namespace apoio {

// The bounding box of the pixels in an area that a test picks, and how
// many there are (an empty box when none).
struct Caixa {
    sf::IntRect r;
    int pixels = 0;
};

template <typename F>
Caixa caixaEm(const sf::Image& img, sf::IntRect area, F pega)
{
    Caixa c;
    int x0 = INT32_MAX, y0 = INT32_MAX, x1 = -1, y1 = -1;
    for (int y = area.top; y < area.top + area.height; y++)
        for (int x = area.left; x < area.left + area.width; x++)
            if (pega(img.getPixel((unsigned)x, (unsigned)y))) {
                x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
                c.pixels++;
            }
    if (c.pixels) c.r = sf::IntRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
    return c;
}

// The same over the whole picture.
template <typename F>
Caixa caixa(const sf::Image& img, F pega)
{
    return caixaEm(img, sf::IntRect(0, 0, (int)img.getSize().x, (int)img.getSize().y), pega);
}

// The font the game's texts use, and a smaller one.
const char* const FONTE_DEJAVU = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const FONTE_MENOR = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Oblique.ttf";

// A PNG file of w by h pixels in one colour.
inline std::string png(unsigned w, unsigned h, sf::Color cor = sf::Color::White)
{
    sf::Image imagem;
    imagem.create(w, h, cor);
    char caminho[] = "/tmp/morvalen_pngXXXXXX";
    int fd = mkstemp(caminho);
    close(fd);
    std::string comExtensao = std::string(caminho) + ".png";
    imagem.saveToFile(comExtensao);
    std::string bytes = lerArquivo(comExtensao);
    unlink(comExtensao.c_str());
    unlink(caminho);
    return bytes;
}

// The graphics driver drops some memory of its own when the last GL context
// of the process goes away; one context kept for the whole process keeps it
// reachable, so that the sanitizer's leak check reports only ours. Tests that
// upload textures, measure texts or open windows call it first.
inline void manterContextoGrafico()
{
    static sf::Context* contexto = new sf::Context();
    (void)contexto;
}

// Releases every link, print, image, font, camera and reference the module holds, so that the
// sanitizer build sees no leak when the next test restarts the engine.
inline void liberarVideo()
{
    for (uint32_t h = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoLigacoes); h >= 1; h--)
        EXPECT_EQ(video_destruirLigacao(h), nullptr);
    for (uint32_t h = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoImpressoes); h >= 1; h--) {
        _video_impressao* p = VIDEO_pegarImpressao(h);
        if (!p) continue;
        p->usos = 0;
        EXPECT_EQ(video_destruirImpressao(h), nullptr);
        // A particle system's first destruction only stops its emission.
        if (VIDEO_pegarImpressao(h)) {
            EXPECT_EQ(video_destruirImpressao(h), nullptr);
        }
    }
    for (uint32_t h = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoTexturas); h >= 1; h--)
        while (VIDEO_pegarTextura(h)) video_destruirTextura(h);
    for (uint32_t h = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoFontes); h >= 1; h--)
        while (VIDEO_pegarFonte(h)) video_fecharFonte(h);
    for (uint32_t h = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoCameras); h >= 1; h--)
        if (VIDEO_pegarCamera(h)) video_destruirCamera(h);
    for (uint32_t h = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoReferencias); h >= 1; h--)
        if (VIDEO_pegarReferencia(h)) video_destruirReferencia(h);
    VIDEO_limparRegioes();
}

// The engine and the video module started (without log, windowed, vertical
// sync on, no window), and released afterwards.
class Video : public ::testing::Test {
protected:
    void SetUp() override
    {
        sf::err().rdbuf(nullptr);  // the library's own complaints are not ours to check
        engine_iniciar(true);
        ASSERT_EQ(video_iniciar('N', 'N', 'S', nullptr), nullptr);
    }
    void TearDown() override { liberarVideo(); }
};

// Turns the video log on from here (the start's own lines are not wanted).
inline void ligarLog()
{
    videoLog = 'S';
}

// A property of a print through the engine.
inline _engine_valor ler(uint32_t propriedade, uint32_t impressao)
{
    return engine_propriedade_pegarValor(ENGINE_MODULO_VIDEO, 1, propriedade, impressao, nullptr);
}

inline std::string mudar(uint32_t propriedade, uint32_t impressao, _engine_valor valor)
{
    const char* erro = engine_propriedade_mudarValor(ENGINE_MODULO_VIDEO, 1, propriedade, impressao, valor);
    return erro ? erro : "";
}

// The colour text of a print (a new text the reader owns), as a string.
inline std::string lerCor(uint32_t impressao)
{
    char* cor = (char*)ler(33, impressao);
    std::string s = cor ? cor : "<null>";
    free(cor);
    return s;
}

// The print handles of a layer's list, in drawing order; empty when the
// layer does not exist.
inline std::vector<uint32_t> impressoesDaCamada(int32_t numero)
{
    std::vector<uint32_t> lista;
    _video_camada* c = VIDEO_acharCamada(numero);
    if (!c) return lista;
    uint32_t n = engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, c->impressoes);
    for (uint32_t i = 1; i <= n; i++)
        lista.push_back((uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, c->impressoes, i));
    return lista;
}

// The numbers of every layer, in table order.
inline std::vector<int32_t> numerosDasCamadas()
{
    std::vector<int32_t> numeros;
    uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, videoCamadas);
    for (uint32_t i = 1; i <= n; i++)
        numeros.push_back(((_video_camada*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, videoCamadas, i))
                              ->numero);
    return numeros;
}

}  // namespace apoio

#endif
