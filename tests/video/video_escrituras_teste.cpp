// Fonts opened from the archive and text prints (measuring a text needs the
// virtual display).
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <cmath>

#include "video_apoio.h"

namespace {

using apoio::ler;
using apoio::mudar;

class Escrituras : public apoio::Video {
protected:
    void SetUp() override
    {
        apoio::manterContextoGrafico();
        apoio::Video::SetUp();
        recursos = new apoio::Recursos({
            {"Pumpkin.otf", apoio::lerArquivo(apoio::FONTE_DEJAVU)},
            {"outra.ttf", apoio::lerArquivo(apoio::FONTE_MENOR)},
            {"quebrada.ttf", "isto nao e uma fonte"},
        });
        fonte = video_abrirFonte("Pumpkin.otf");
        ASSERT_NE(fonte, 0u);
    }
    void TearDown() override
    {
        apoio::Video::TearDown();
        delete recursos;
    }
    const sf::Text& objeto(uint32_t p) { return *VIDEO_pegarEscritura(p)->objetoTexto; }
    apoio::Recursos* recursos = nullptr;
    uint32_t fonte = 0;
};

TEST_F(Escrituras, ReaberturaCompartilhaAFonteEFechaNaMesmaConta)
{
    char nome[] = "Pumpkin.otf";
    EXPECT_EQ(video_abrirFonte(nome), fonte);
    nome[0] = 'X';  // the module keeps its own copy of the name
    EXPECT_EQ(video_abrirFonte("Pumpkin.otf"), fonte);
    for (int i = 0; i < 3; i++) EXPECT_EQ(video_fecharFonte(fonte), nullptr);
    EXPECT_STREQ(video_fecharFonte(fonte), "Fonte invalida");
    EXPECT_EQ(video_criarEscritura(fonte, "a", 10), 0u);
    EXPECT_EQ(engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoImpressoes), 0u);
}

TEST_F(Escrituras, AberturasQueFalhamDevolvemZeroEDizemPorQue)
{
    apoio::ligarLog();
    uint32_t abertas = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoFontes);
    struct {
        const char* nome;
        const char* log;
    } const casos[] = {
        {"nao existe.ttf", "VIDEO - Caminho para fonte inv\xE1lido.\n"},
        {"quebrada.ttf", "VIDEO - Erro ao carregar fonte.\n"},  // its stream is released too
        {nullptr, ""},
    };
    for (const auto& c : casos) {
        apoio::CapturaErro captura;
        EXPECT_EQ(video_abrirFonte(c.nome), 0u);
        EXPECT_EQ(captura.texto(), c.log) << (c.nome ? c.nome : "<null>");
    }
    EXPECT_EQ(engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoFontes), abertas);
}

TEST_F(Escrituras, TamanhoVemDosLimitesDoTexto)
{
    uint32_t p = video_criarEscritura(fonte, "Morvalen", 20);
    ASSERT_NE(p, 0u);
    // The same text measured on its own, from the same font file.
    sf::Font referencia;
    ASSERT_TRUE(referencia.loadFromFile(apoio::FONTE_DEJAVU));
    sf::FloatRect limites = sf::Text("Morvalen", referencia, 20).getLocalBounds();
    EXPECT_EQ(ler(30, p), (int32_t)(limites.width * 10));
    EXPECT_EQ(ler(31, p), (int32_t)(limites.height * 10));

    _engine_valor largura = ler(30, p), altura = ler(31, p);
    ASSERT_EQ(mudar(5, p, 40), "");
    EXPECT_NEAR((double)ler(30, p) / largura, 2.0, 0.15);
    EXPECT_NEAR((double)ler(31, p) / altura, 2.0, 0.3);
    ASSERT_EQ(mudar(5, p, 20), "");
    EXPECT_EQ(ler(30, p), largura);

    // A size set by hand is replaced at the next rebuild.
    ASSERT_EQ(mudar(30, p, 5), "");
    ASSERT_EQ(mudar(6, p, 'S'), "");
    EXPECT_GT(ler(30, p), largura);  // bold is wider
    EXPECT_EQ(ler(6, p), 'S');
    EXPECT_EQ(objeto(p).getStyle(), (sf::Uint32)sf::Text::Bold);
    ASSERT_EQ(mudar(7, p, 'S'), "");
    EXPECT_EQ(objeto(p).getStyle(), (sf::Uint32)(sf::Text::Bold | sf::Text::Italic));
    EXPECT_EQ(ler(7, p), 'S');
    EXPECT_EQ(ler(8, p), 'N');
    ASSERT_EQ(mudar(8, p, 'S'), "");
    ASSERT_EQ(mudar(6, p, 'N'), "");
    EXPECT_EQ(objeto(p).getStyle(), (sf::Uint32)(sf::Text::Italic | sf::Text::Underlined));
    EXPECT_EQ(ler(6, p), 'N');
    EXPECT_EQ(ler(8, p), 'S');
    EXPECT_STREQ((const char*)ler(9, p), "Morvalen");
    EXPECT_EQ(ler(5, p), 20);
}

// A character size from a caller or a timeline that the media library cannot
// render (its glyph buffers overflow) is refused, not handed on.
TEST_F(Escrituras, TamanhoDeCaractereForaDoAlcanceEhRecusado)
{
    uint32_t p = video_criarEscritura(fonte, "Morvalen", 20);
    ASSERT_NE(p, 0u);
    _engine_valor largura = ler(30, p);
    for (_engine_valor tamanho : {(_engine_valor)100000, (_engine_valor)2049, (_engine_valor)-1}) {
        EXPECT_EQ(mudar(5, p, tamanho), "Tamanho invalido") << tamanho;
        EXPECT_EQ(ler(5, p), 20);
        EXPECT_EQ(ler(30, p), largura);
        EXPECT_EQ(video_criarEscritura(fonte, "Morvalen", (uint32_t)tamanho), 0u) << tamanho;
    }
    EXPECT_EQ(engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoImpressoes), p);
    uint32_t grande = video_criarEscritura(fonte, "M", 2048);
    ASSERT_NE(grande, 0u);
    EXPECT_EQ(mudar(5, grande, 2048), "");
    EXPECT_GT(ler(30, grande), 50 * largura / 8);
}

TEST_F(Escrituras, TextoEmUtf8EhCopiadoNaEntrada)
{
    char texto[] = "\xC3\xA9";
    uint32_t p = video_criarEscritura(fonte, texto, 20);
    ASSERT_NE(p, 0u);
    EXPECT_EQ(objeto(p).getString().getSize(), 1u);
    EXPECT_EQ(objeto(p).getString()[0], 0xE9u);
    texto[0] = 'X';  // the caller's buffer is the caller's
    EXPECT_STREQ((const char*)ler(9, p), "\xC3\xA9");
    EXPECT_NE((const char*)ler(9, p), texto);

    _engine_valor larguraDeUm = ler(30, p);
    char outro[] = "\xC3\xA9\xC3\xA9\xC3\xA9";
    ASSERT_EQ(mudar(9, p, (_engine_valor)outro), "");
    outro[0] = 'X';
    EXPECT_STREQ((const char*)ler(9, p), "\xC3\xA9\xC3\xA9\xC3\xA9");
    EXPECT_EQ(objeto(p).getString().getSize(), 3u);
    EXPECT_GT(ler(30, p), 2 * larguraDeUm);
    ASSERT_EQ(mudar(9, p, 0), "");  // no text reads as an empty one
    EXPECT_STREQ((const char*)ler(9, p), "");
    EXPECT_EQ(ler(30, p), 0);
    EXPECT_NE(video_criarEscritura(fonte, nullptr, 20), 0u);
}

TEST_F(Escrituras, FonteFechadaDeixaOsTextosSemFonteEOQuadroSegue)
{
    uint32_t p = video_criarEscritura(fonte, "Ola", 20);
    uint32_t copia = video_copiarImpressao(p);
    std::vector<_engine_valor> antes;
    for (uint32_t prop = 5; prop <= 9; prop++) antes.push_back(ler(prop, p));
    _engine_valor largura = ler(30, p);

    ASSERT_EQ(video_fecharFonte(fonte), nullptr);
    for (uint32_t q : {p, copia}) {
        EXPECT_EQ(objeto(q).getFont(), nullptr);
        EXPECT_EQ(ler(4, q), 0);
        EXPECT_EQ(mudar(5, q, 30), "Fonte invalida");
        EXPECT_EQ(mudar(6, q, 'S'), "Fonte invalida");
        EXPECT_EQ(mudar(7, q, 'S'), "Fonte invalida");
        EXPECT_EQ(mudar(8, q, 'S'), "Fonte invalida");
        EXPECT_EQ(mudar(9, q, (_engine_valor) "novo"), "Fonte invalida");
        EXPECT_EQ(mudar(4, q, fonte), "Fonte invalida");
        EXPECT_EQ(ler(30, q), largura);
    }
    for (uint32_t prop = 5; prop <= 9; prop++) EXPECT_EQ(ler(prop, p), antes[prop - 5]) << prop;
    // A copy made now has no font either.
    uint32_t copiaSemFonte = video_copiarImpressao(p);
    ASSERT_NE(copiaSemFonte, 0u);
    EXPECT_EQ(objeto(copiaSemFonte).getFont(), nullptr);

    // A frame with such texts about goes on as usual.
    sf::RenderWindow janela;
    videoJanela = &janela;
    ASSERT_EQ(video_criarJanela(), 0);
    EXPECT_EQ(video_atualizar(16), 0);

    // An open font makes the text whole again.
    uint32_t outra = video_abrirFonte("outra.ttf");
    ASSERT_EQ(mudar(4, p, outra), "");
    EXPECT_NE(objeto(p).getFont(), nullptr);
    EXPECT_GT(ler(30, p), 0);  // measured anew in that font
    EXPECT_EQ(mudar(5, p, 30), "");
    EXPECT_EQ(video_atualizar(16), 0);
}

TEST_F(Escrituras, EstiloPorLinhaDoTempoChegaComoCaractere)
{
    uint32_t p = video_criarEscritura(fonte, "Morvalen", 20);
    uint32_t c = video_configurarImpressao();
    video_configuracao_impressao_passarTempo(c, 10);
    ASSERT_EQ(video_configuracao_escritura_mudarNegrito(c, 'S'), nullptr);
    ASSERT_EQ(video_configuracao_escritura_mudarItalico(c, 'S'), nullptr);
    ASSERT_NE(video_aplicarConfiguracaoImpressao(c, p), 0u);
    video_atualizar(20);
    EXPECT_EQ(ler(6, p), 83);
    EXPECT_EQ(ler(7, p), 'S');
    EXPECT_EQ(objeto(p).getStyle(), (sf::Uint32)(sf::Text::Bold | sf::Text::Italic));
}

TEST_F(Escrituras, TextoLidoPeloGrafoEhACopiaDaImpressao)
{
    uint32_t p = video_criarEscritura(fonte, "Morvalen", 20);
    // An expression reads the text: the instance enters the graph.
    ASSERT_NE(engine_criarReferencia(ENGINE_MODULO_VIDEO, 1, 9, p), 0u);
    EXPECT_EQ(ler(9, p), (_engine_valor)VIDEO_pegarEscritura(p)->texto);
    char* meu = strdup("outro texto");
    ASSERT_EQ(mudar(9, p, (_engine_valor)meu), "");
    const char* lido = (const char*)ler(9, p);
    EXPECT_NE(lido, meu);
    EXPECT_EQ(lido, VIDEO_pegarEscritura(p)->texto);
    free(meu);
    EXPECT_STREQ(lido, "outro texto");
    // Writing a text again at the same address is taken as a new text.
    char* denovo = strdup("terceiro");
    ASSERT_EQ(mudar(9, p, (_engine_valor)denovo), "");
    EXPECT_STREQ((const char*)ler(9, p), "terceiro");
    free(denovo);
}

}  // namespace
