// Prints of every kind: defaults, kind checks, common properties, colour
// texts, layers, copies and destruction, all through the engine where the
// game reaches them.
#include <SFML/Graphics/Text.hpp>
#include <algorithm>

#include "video_apoio.h"

namespace {

using apoio::impressoesDaCamada;
using apoio::ler;
using apoio::lerCor;
using apoio::mudar;
using apoio::numerosDasCamadas;

class Impressoes : public apoio::Video {
protected:
    void SetUp() override
    {
        apoio::manterContextoGrafico();
        apoio::Video::SetUp();
        recursos = new apoio::Recursos(
            {{"a.png", apoio::png(480, 200)}, {"f.ttf", apoio::lerArquivo(apoio::FONTE_DEJAVU)}});
        imagem = video_abrirImagem("a.png", 3, 2);
        fonte = video_abrirFonte("f.ttf");
        ASSERT_NE(imagem, 0u);
        ASSERT_NE(fonte, 0u);
    }
    void TearDown() override
    {
        apoio::Video::TearDown();
        delete recursos;
    }
    apoio::Recursos* recursos = nullptr;
    uint32_t imagem = 0, fonte = 0;
};

// The readable properties of a print, the colour as its text.
std::vector<std::string> retrato(uint32_t p)
{
    std::vector<std::string> valores;
    for (uint32_t prop = 1; prop <= 38; prop++) {
        if (prop == 33) {
            valores.push_back(lerCor(p));
        } else if (prop == 9) {
            const char* t = (const char*)ler(9, p);
            valores.push_back(t ? t : "<null>");
        } else {
            valores.push_back(std::to_string(ler(prop, p)));
        }
    }
    return valores;
}

TEST_F(Impressoes, ValoresIniciaisDeCadaTipo)
{
    uint32_t a = video_criarAnimacao(imagem);
    uint32_t t = video_criarEscritura(fonte, "Ola", 20);
    ASSERT_NE(a, 0u);
    ASSERT_NE(t, 0u);
    EXPECT_EQ(impressoesDaCamada(10000), (std::vector<uint32_t>{a, t}));

    // Expected value per property for the animation and for the text; -1
    // marks the text's measured size, checked below.
    struct {
        uint32_t prop;
        _engine_valor animacao, escritura;
    } const casos[] = {
        {1, imagem, 0}, {2, 0, 0},      {3, 0, 0},      {4, 0, fonte}, {5, 0, 20},         {6, 0, 'N'},
        {7, 0, 'N'},    {8, 0, 'N'},    {10, 0, 0},     {14, 0, 0},    {23, 0, 0},         {24, 0, 0},
        {25, 0, 0},     {26, 0, 0},     {27, 10000, 10000}, {28, 0, 0}, {29, 0, 0},        {30, 1600, -1},
        {31, 1000, -1}, {32, 0, 0},     {34, 1000, 1000}, {35, 1000, 1000}, {36, 1000, 1000}, {37, 0, 0},
        {38, 0, 0},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(ler(c.prop, a), c.animacao) << "animation, property " << c.prop;
        if (c.escritura != -1) {
            EXPECT_EQ(ler(c.prop, t), c.escritura) << "text, property " << c.prop;
        }
    }
    EXPECT_GT(ler(30, t), 0);
    EXPECT_GT(ler(31, t), 0);
    EXPECT_EQ(ler(9, a), 0);
    EXPECT_STREQ((const char*)ler(9, t), "Ola");
    // The colour is a new text on every read.
    char* c1 = (char*)ler(33, a);
    char* c2 = (char*)ler(33, a);
    EXPECT_STREQ(c1, "FFFFFF");
    EXPECT_STREQ(c2, "FFFFFF");
    EXPECT_NE(c1, c2);
    free(c1);
    free(c2);
}

TEST_F(Impressoes, PropriedadesDeOutroTipoRecusamENaoMudamNada)
{
    uint32_t a = video_criarAnimacao(imagem);
    uint32_t t = video_criarEscritura(fonte, "Ola", 20);
    std::vector<std::string> antesA = retrato(a), antesT = retrato(t);
    char texto[] = "novo";
    for (uint32_t prop = 4; prop <= 9; prop++) {
        _engine_valor v = prop == 4 ? fonte : prop == 9 ? (_engine_valor)texto : 'S';
        EXPECT_EQ(mudar(prop, a, v), "Escritura invalida") << prop;
    }
    EXPECT_EQ(mudar(4, a, 99), "Fonte invalida");  // the font is looked up first
    for (uint32_t prop = 10; prop <= 24; prop++) EXPECT_EQ(mudar(prop, a, 1), "Sistema de particulas invalido");
    EXPECT_EQ(mudar(1, t, imagem), "Animacao invalida");
    EXPECT_EQ(mudar(1, t, 99), "Textura invalida");  // the image is looked up first
    EXPECT_EQ(mudar(2, t, 3), "Animacao invalida");
    EXPECT_EQ(mudar(3, t, 3), "Animacao invalida");
    EXPECT_EQ(retrato(a), antesA);
    EXPECT_EQ(retrato(t), antesT);
}

TEST_F(Impressoes, PropriedadesComunsGuardamOValorComoDado)
{
    uint32_t a = video_criarAnimacao(imagem);
    uint32_t t = video_criarEscritura(fonte, "Ola", 20);
    const std::pair<uint32_t, _engine_valor> valores[] = {
        {26, 42}, {28, -7}, {29, 123456}, {30, -200}, {31, 5}, {32, 3601},
        {34, 5000}, {35, -3}, {36, 500}, {37, 1000},
    };
    for (uint32_t p : {a, t}) {
        for (const auto& v : valores) {
            EXPECT_EQ(mudar(v.first, p, v.second), "") << v.first;
            EXPECT_EQ(ler(v.first, p), v.second) << v.first;
        }
        // Channels outside 0 to 1000 are clamped in the colour text only.
        EXPECT_EQ(lerCor(p), "FF007F");
    }
}

TEST_F(Impressoes, TextoDeCorIdaEVolta)
{
    uint32_t p = video_criarAnimacao(imagem);
    struct {
        const char* cor;
        int32_t r, g, b;
        const char* volta;
    } const casos[] = {
        {"FFFFFF", 1000, 1000, 1000, "FFFFFF"},
        {"026300", 7, 388, 0, "016200"},
        {"ff0000", 0, 0, 0, "000000"},        // lower-case digits count 0
        {"80FF00ZZ", 501, 1000, 0, "7FFF00"}, // past six characters nothing is read
        {"80", 501, 0, 0, "7F0000"},          // missing digits read 0
        {"808", 501, 501, 0, "7F7F00"},
    };
    for (const auto& c : casos) {
        ASSERT_EQ(mudar(33, p, (_engine_valor)c.cor), "") << c.cor;
        EXPECT_EQ(ler(34, p), c.r) << c.cor;
        EXPECT_EQ(ler(35, p), c.g) << c.cor;
        EXPECT_EQ(ler(36, p), c.b) << c.cor;
        EXPECT_EQ(lerCor(p), c.volta) << c.cor;
    }
    for (const char* curta : {"F", "", (const char*)nullptr}) {
        EXPECT_EQ(mudar(33, p, (_engine_valor)curta), "Texto usado como cor com menos de 2 caracteres");
        EXPECT_EQ(lerCor(p), "7F7F00");
    }
}

TEST_F(Impressoes, CamadasSaoCriadasSobDemandaELargadasVazias)
{
    uint32_t a = video_criarAnimacao(imagem);
    EXPECT_EQ(numerosDasCamadas(), (std::vector<int32_t>{10000}));
    // Moving the only print of a layer drops that layer.
    ASSERT_EQ(mudar(27, a, 18000), "");
    EXPECT_EQ(numerosDasCamadas(), (std::vector<int32_t>{18000}));
    EXPECT_EQ(impressoesDaCamada(18000), (std::vector<uint32_t>{a}));
    EXPECT_EQ(ler(27, a), 18000);

    // Setting the layer a print already has brings it to the front.
    uint32_t b = video_criarAnimacao(imagem);
    uint32_t c = video_criarAnimacao(imagem);
    ASSERT_EQ(mudar(27, b, 18000), "");
    ASSERT_EQ(mudar(27, c, 18000), "");
    EXPECT_EQ(impressoesDaCamada(18000), (std::vector<uint32_t>{a, b, c}));
    ASSERT_EQ(mudar(27, a, 18000), "");
    EXPECT_EQ(impressoesDaCamada(18000), (std::vector<uint32_t>{b, c, a}));

    // Any number is one entry of the table, kept in drawing order.
    ASSERT_EQ(mudar(27, b, -5), "");
    ASSERT_EQ(mudar(27, c, INT32_MAX), "");
    ASSERT_EQ(mudar(27, a, INT32_MIN), "");
    EXPECT_EQ(numerosDasCamadas(), (std::vector<int32_t>{INT32_MIN, -5, INT32_MAX}));

    // A layer emptied by a destruction is dropped; the number can be used again.
    ASSERT_EQ(video_destruirImpressao(b), nullptr);
    EXPECT_EQ(numerosDasCamadas(), (std::vector<int32_t>{INT32_MIN, INT32_MAX}));
    ASSERT_EQ(mudar(27, c, -5), "");
    EXPECT_EQ(numerosDasCamadas(), (std::vector<int32_t>{INT32_MIN, -5}));
    EXPECT_EQ(impressoesDaCamada(-5), (std::vector<uint32_t>{c}));
}

TEST_F(Impressoes, CopiaTemSeusValoresESeuProprioTextoEFicaForaDasCamadas)
{
    uint32_t a = video_criarAnimacao(imagem);
    uint32_t t = video_criarEscritura(fonte, "Ola \xC3\xA9", 20);
    ASSERT_EQ(mudar(2, a, 2), "");
    ASSERT_EQ(mudar(28, a, 55), "");
    ASSERT_EQ(mudar(33, a, (_engine_valor) "026300"), "");
    ASSERT_EQ(mudar(6, t, 'S'), "");
    ASSERT_EQ(mudar(30, t, 777), "");  // a size of the caller's is copied, not measured again

    uint32_t ca = video_copiarImpressao(a);
    uint32_t ct = video_copiarImpressao(t);
    ASSERT_NE(ca, 0u);
    ASSERT_NE(ct, 0u);
    EXPECT_EQ(retrato(ca), retrato(a));
    EXPECT_EQ(retrato(ct), retrato(t));
    EXPECT_EQ(ler(30, ct), 777);
    EXPECT_NE(ler(9, ct), ler(9, t));
    // The copy's text object decodes UTF-8 like its source's.
    EXPECT_EQ(VIDEO_pegarEscritura(ct)->objetoTexto->getString(), VIDEO_pegarEscritura(t)->objetoTexto->getString());
    EXPECT_EQ(VIDEO_pegarEscritura(ct)->objetoTexto->getStyle(), (sf::Uint32)sf::Text::Bold);

    // Copies are filed nowhere: the layer still holds the sources only, and a
    // copy's layer is only a number.
    EXPECT_EQ(impressoesDaCamada(10000), (std::vector<uint32_t>{a, t}));
    ASSERT_EQ(mudar(27, ca, 300), "");
    EXPECT_EQ(numerosDasCamadas(), (std::vector<int32_t>{10000}));

    // Each owns its text: destroying one leaves the other's.
    ASSERT_EQ(video_destruirImpressao(t), nullptr);
    EXPECT_STREQ((const char*)ler(9, ct), "Ola \xC3\xA9");
    EXPECT_EQ(video_copiarImpressao(999), 0u);
}

TEST_F(Impressoes, DestruirRecusaDesconhecidasEUsadasELiberaOIdentificador)
{
    uint32_t a = video_criarAnimacao(imagem);
    uint32_t b = video_criarAnimacao(imagem);
    EXPECT_STREQ(video_destruirImpressao(999), "Impressao invalida");
    EXPECT_STREQ(video_destruirImpressao(0), "Impressao invalida");

    VIDEO_pegarImpressao(a)->usos = 1;  // the base of a particle system or a link
    EXPECT_STREQ(video_destruirImpressao(a), "Proibido destruir impressoes usadas em ligacoes ou particulas");
    EXPECT_EQ(mudar(38, a, 0), "Proibido destruir impressoes usadas em ligacoes ou particulas");
    EXPECT_NE(VIDEO_pegarImpressao(a), nullptr);
    EXPECT_EQ(impressoesDaCamada(10000), (std::vector<uint32_t>{a, b}));
    VIDEO_pegarImpressao(a)->usos = 0;

    // Property 1.38 destroys; the freed handle is the next one given out.
    EXPECT_EQ(mudar(38, a, 12345), "");
    EXPECT_EQ(VIDEO_pegarImpressao(a), nullptr);
    EXPECT_EQ(impressoesDaCamada(10000), (std::vector<uint32_t>{b}));
    EXPECT_STREQ(video_destruirImpressao(a), "Impressao invalida");
    EXPECT_EQ(video_criarEscritura(fonte, "x", 10), a);
}

// Under the sanitizer build this is a leak and use-after-free check over the
// whole life of every kind of print.
TEST_F(Impressoes, CriarCopiarEDestruirDeTodosOsTiposEmQualquerOrdem)
{
    char texto[] = "texto";
    for (int volta = 0; volta < 3; volta++) {
        std::vector<uint32_t> vivas;
        for (int i = 0; i < 4; i++) {
            uint32_t a = video_criarAnimacao(imagem);
            uint32_t t = video_criarEscritura(fonte, texto, 12 + i);
            ASSERT_EQ(mudar(9, t, (_engine_valor)texto), "");
            ASSERT_EQ(mudar(27, a, i), "");
            vivas.insert(vivas.end(), {a, t, video_copiarImpressao(a), video_copiarImpressao(t)});
        }
        uint32_t copiaDeCopia = video_copiarImpressao(vivas.back());
        ASSERT_NE(copiaDeCopia, 0u);
        vivas.push_back(copiaDeCopia);
        // Sources before their copies on even rounds, after them on odd ones.
        if (volta % 2) std::reverse(vivas.begin(), vivas.end());
        for (uint32_t h : vivas) ASSERT_EQ(video_destruirImpressao(h), nullptr);
        EXPECT_EQ(engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoImpressoes), 0u);
        EXPECT_EQ(numerosDasCamadas(), std::vector<int32_t>{});
    }
}

}  // namespace
