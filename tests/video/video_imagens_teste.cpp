// Images opened from the archive and animation prints.
#include <SFML/Graphics/Texture.hpp>

#include "video_apoio.h"

namespace {

using apoio::ler;
using apoio::mudar;

class Imagens : public apoio::Video {
protected:
    void SetUp() override
    {
        apoio::manterContextoGrafico();
        apoio::Video::SetUp();
        recursos = new apoio::Recursos({
            {"caixa de texto.png", apoio::png(480, 200)},
            {"larga.png", apoio::png(500, 30)},
            {"pequena.png", apoio::png(4, 4)},
            {"quebrada.png", "\x89PNG isto nao e uma imagem"},
        });
    }
    void TearDown() override
    {
        apoio::Video::TearDown();
        delete recursos;
    }
    apoio::Recursos* recursos = nullptr;
};

TEST_F(Imagens, ReaberturaCompartilhaImagemEGradeEFechaNaMesmaConta)
{
    char nome[] = "caixa de texto.png";
    uint32_t h = video_abrirImagem(nome, 3, 2);
    ASSERT_NE(h, 0u);
    nome[0] = 'X';  // the module keeps its own copy of the name
    EXPECT_EQ(video_abrirImagem("caixa de texto.png", 7, 7), h);  // the second grid is ignored
    EXPECT_EQ(video_abrirImagem("caixa de texto.png", 0, 0), h);  // even an empty one
    EXPECT_NE(video_abrirImagem("Caixa de texto.png", 3, 2), h);  // names are compared exactly
    uint32_t p = video_criarAnimacao(h);
    EXPECT_EQ(ler(30, p), 1600);
    EXPECT_EQ(ler(31, p), 1000);

    EXPECT_EQ(video_destruirTextura(h), nullptr);
    EXPECT_EQ(video_destruirTextura(h), nullptr);
    EXPECT_NE(video_criarAnimacao(h), 0u);  // still open
    EXPECT_EQ(video_destruirTextura(h), nullptr);
    EXPECT_EQ(video_criarAnimacao(h), 0u);  // removed
    EXPECT_STREQ(video_destruirTextura(h), "Textura invalida");
    // A print that showed the closed image forgets it and keeps its size; an
    // image opened later under the same handle is not shown by it.
    EXPECT_EQ(ler(1, p), 0);
    EXPECT_EQ(ler(30, p), 1600);
    EXPECT_EQ(video_abrirImagem("pequena.png", 1, 1), h);
    EXPECT_EQ(ler(1, p), 0);
}

TEST_F(Imagens, TamanhoDoQuadroVemDaGrade)
{
    struct {
        const char* nome;
        uint32_t colunas, linhas;
        _engine_valor largura, altura;
    } const casos[] = {
        {"caixa de texto.png", 3, 2, 1600, 1000},
        {"larga.png", 3, 1, 1660, 300},  // a remainder of the picture is never shown
        {"pequena.png", 1, 1, 40, 40},
    };
    for (const auto& c : casos) {
        uint32_t p = video_criarAnimacao(video_abrirImagem(c.nome, c.colunas, c.linhas));
        ASSERT_NE(p, 0u) << c.nome;
        EXPECT_EQ(ler(30, p), c.largura) << c.nome;
        EXPECT_EQ(ler(31, p), c.altura) << c.nome;
    }
}

TEST_F(Imagens, AberturasQueFalhamDevolvemZeroEDizemPorQue)
{
    apoio::ligarLog();
    struct {
        const char* nome;
        uint32_t colunas, linhas;
        const char* log;
    } const casos[] = {
        {"nao existe.png", 1, 1, "VIDEO - Caminho para imagem inv\xE1lido.\n"},
        {"quebrada.png", 1, 1, "VIDEO - Erro ao decodificar imagem.\n"},
        {"pequena.png", 0, 1, "VIDEO - Grade de quadros inv\xE1lida.\n"},
        {"pequena.png", 1, 0, "VIDEO - Grade de quadros inv\xE1lida.\n"},
        {nullptr, 1, 1, ""},
    };
    for (const auto& c : casos) {
        apoio::CapturaErro captura;
        EXPECT_EQ(video_abrirImagem(c.nome, c.colunas, c.linhas), 0u);
        EXPECT_EQ(captura.texto(), c.log) << (c.nome ? c.nome : "<null>");
    }
    EXPECT_EQ(engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoTexturas), 0u);
    EXPECT_EQ(video_criarAnimacao(0), 0u);
    EXPECT_EQ(engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoImpressoes), 0u);
}

TEST_F(Imagens, PropriedadesDaAnimacao)
{
    uint32_t grande = video_abrirImagem("caixa de texto.png", 3, 2);
    uint32_t pequena = video_abrirImagem("pequena.png", 1, 1);
    uint32_t p = video_criarAnimacao(grande);
    // Frames are stored as given.
    EXPECT_EQ(mudar(2, p, 7), "");
    EXPECT_EQ(mudar(3, p, -1), "");
    EXPECT_EQ(ler(2, p), 7);
    EXPECT_EQ(ler(3, p), -1);
    // Another image keeps the size and the frame.
    EXPECT_EQ(mudar(1, p, pequena), "");
    EXPECT_EQ(ler(1, p), pequena);
    EXPECT_EQ(ler(30, p), 1600);
    EXPECT_EQ(ler(2, p), 7);
    EXPECT_EQ(mudar(1, p, 99), "Textura invalida");
    EXPECT_EQ(mudar(1, 99, pequena), "Animacao invalida");
    EXPECT_EQ(mudar(1, 99, 98), "Textura invalida");  // the image is looked up first
    EXPECT_EQ(ler(1, p), pequena);
}

TEST_F(Imagens, UmaTexturaPorImagemCompartilhadaEMantidaNasMudancas)
{
    uint32_t h = video_abrirImagem("caixa de texto.png", 3, 2);
    uint32_t outra = video_abrirImagem("pequena.png", 1, 1);
    uint32_t p = video_criarAnimacao(h);
    uint32_t copia = video_copiarImpressao(p);
    EXPECT_EQ(VIDEO_pegarTextura(h)->textura, nullptr);  // uploaded on first use only
    sf::Texture* t = VIDEO_textura_pegarTexturaCarregada(h);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->getSize(), sf::Vector2u(480, 200));
    for (uint32_t prop : {2u, 28u, 30u, 32u, 34u, 37u}) ASSERT_EQ(mudar(prop, p, 3), "");
    ASSERT_EQ(mudar(33, copia, (_engine_valor) "102030"), "");
    ASSERT_EQ(mudar(1, p, outra), "");
    ASSERT_EQ(mudar(1, p, h), "");
    EXPECT_EQ(VIDEO_textura_pegarTexturaCarregada(ler(1, p)), t);
    EXPECT_EQ(VIDEO_textura_pegarTexturaCarregada(ler(1, copia)), t);
    EXPECT_NE(VIDEO_textura_pegarTexturaCarregada(outra), t);
    EXPECT_EQ(VIDEO_textura_pegarTexturaCarregada(99), nullptr);
}

}  // namespace
