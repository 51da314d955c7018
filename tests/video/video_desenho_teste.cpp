// Drawing, read back from the window's pixels on the virtual display: the
// window is 640 by 360, so one pixel of the internal picture is one pixel.
#include <dlfcn.h>

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/OpenGL.hpp>
#include <algorithm>
#include <cmath>
#include <set>

#include "fisica/fisica.h"
#include "video_apoio.h"

// Texture uploads, counted on their way to the GL library.
static int videoTesteTexturasCriadas = 0, videoTesteEnvios = 0;

extern "C" void glTexImage2D(GLenum alvo, GLint nivel, GLint formatoInterno, GLsizei largura, GLsizei altura,
                             GLint borda, GLenum formato, GLenum tipo, const void* dados)
{
    typedef void (*Funcao)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*);
    static Funcao real = (Funcao)dlsym(RTLD_NEXT, "glTexImage2D");
    videoTesteTexturasCriadas++;
    real(alvo, nivel, formatoInterno, largura, altura, borda, formato, tipo, dados);
}

extern "C" void glTexSubImage2D(GLenum alvo, GLint nivel, GLint x, GLint y, GLsizei largura, GLsizei altura,
                                GLenum formato, GLenum tipo, const void* dados)
{
    typedef void (*Funcao)(GLenum, GLint, GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, const void*);
    static Funcao real = (Funcao)dlsym(RTLD_NEXT, "glTexSubImage2D");
    videoTesteEnvios++;
    real(alvo, nivel, x, y, largura, altura, formato, tipo, dados);
}

namespace {

using apoio::mudar;

// Two frames of 10 by 10: the first red on its left half and blue on its
// right half, the second white.
std::string quadros()
{
    sf::Image imagem;
    imagem.create(20, 10, sf::Color::White);
    for (unsigned x = 0; x < 10; x++)
        for (unsigned y = 0; y < 10; y++) imagem.setPixel(x, y, x < 5 ? sf::Color::Red : sf::Color::Blue);
    imagem.saveToFile("/tmp/morvalen_quadros_teste.png");
    std::string bytes = apoio::lerArquivo("/tmp/morvalen_quadros_teste.png");
    unlink("/tmp/morvalen_quadros_teste.png");
    return bytes;
}

using apoio::caixa;
using apoio::caixaEm;

bool vermelho(sf::Color c)
{
    return c.r > 200 && c.g < 60 && c.b < 60;
}

bool azul(sf::Color c)
{
    return c.b > 200 && c.r < 60 && c.g < 60;
}

bool aceso(sf::Color c)
{
    return c.r > 40 || c.g > 40 || c.b > 40;
}

class Desenho : public ::testing::Test {
protected:
    void SetUp() override
    {
        sf::err().rdbuf(nullptr);
        apoio::manterContextoGrafico();
        engine_iniciar(true);
        ASSERT_EQ(video_iniciar('N', 'N', 'N', &janela), nullptr);
        ASSERT_EQ(fisica_iniciar('N', 1000), 1);
        recursos = new apoio::Recursos({{"quadros.png", quadros()},
                                        {"Pumpkin.otf", apoio::lerArquivo(apoio::FONTE_DEJAVU)}});
        imagem = video_abrirImagem("quadros.png", 2, 1);
        ASSERT_NE(imagem, 0u);
        ASSERT_EQ(video_mudarLargura(640), 0);
        ASSERT_EQ(video_mudarAltura(360), 0);
        ASSERT_EQ(janela.getSize(), sf::Vector2u(640, 360));
    }
    void TearDown() override
    {
        apoio::liberarVideo();
        fisica_finalizar();
        delete recursos;
    }

    // A print of the first frame at (1000, 500) world units, 20 by 10 pixels.
    uint32_t sprite(int32_t corpo = 0)
    {
        uint32_t p = video_criarAnimacao(imagem);
        mudar(26, p, corpo);
        mudar(28, p, 1000);
        mudar(29, p, 500);
        mudar(30, p, 200);
        mudar(31, p, 100);
        return p;
    }

    sf::Image quadro()
    {
        video_atualizar(16);
        return ler();
    }

    sf::Image ler()
    {
        sf::Texture t;
        t.create(640, 360);
        t.update(janela);
        return t.copyToImage();
    }

    sf::RenderWindow janela;
    apoio::Recursos* recursos = nullptr;
    uint32_t imagem = 0;
};

TEST_F(Desenho, AnimacaoSemCorpoCobreOsPixelsDoSeuQuadro)
{
    uint32_t p = sprite();
    sf::Image img = quadro();
    ler().saveToFile("/tmp/morvalen_desenho_sem_corpo.png");
    EXPECT_EQ(caixa(img, aceso).r, sf::IntRect(100, 50, 20, 10));
    EXPECT_EQ(caixa(img, vermelho).r, sf::IntRect(100, 50, 10, 10));
    EXPECT_EQ(caixa(img, azul).r, sf::IntRect(110, 50, 10, 10));
    // A negative width mirrors the frame; so does a negative height, upside down.
    mudar(30, p, -200);
    img = quadro();
    EXPECT_EQ(caixa(img, vermelho).r, sf::IntRect(110, 50, 10, 10));
    EXPECT_EQ(caixa(img, azul).r, sf::IntRect(100, 50, 10, 10));
    mudar(30, p, 200);
    mudar(31, p, -100);
    img = quadro();
    EXPECT_EQ(caixa(img, vermelho).r, sf::IntRect(100, 50, 10, 10));
    // The frame column chooses the frame.
    mudar(2, p, 1);
    img = quadro();
    EXPECT_EQ(caixa(img, [](sf::Color c) { return c == sf::Color::White; }).r, sf::IntRect(100, 50, 20, 10));
    EXPECT_EQ(caixa(img, vermelho).pixels, 0);
}

// The half width is a whole number of pixels, Largura/20 truncated at scale
// 1000; widths whose share is exact in decimals keep their size.
TEST_F(Desenho, LarguraEmPixelsInteirosSemPerdaDePrecisao)
{
    uint32_t p = sprite();
    const struct {
        int32_t largura, pixels;
    } casos[] = {{40, 4}, {200, 20}, {1000, 100}, {2050, 204}, {-40, 4}};
    for (const auto& c : casos) {
        mudar(30, p, c.largura);
        EXPECT_EQ(caixa(quadro(), aceso).r.width, c.pixels) << "Largura " << c.largura;
    }
}

TEST_F(Desenho, CorETransparencia)
{
    uint32_t p = sprite();
    mudar(2, p, 1);  // the white frame
    struct {
        int32_t propriedade, valor;
        sf::Color esperada;
    } const casos[] = {
        {34, 500, sf::Color(127, 255, 255)},
        {35, 0, sf::Color(255, 0, 255)},
        {37, 500, sf::Color(128, 128, 128)},  // alpha 128 over black
        {37, 1000, sf::Color::Black},         // alpha 0
        {37, 0, sf::Color::White},
    };
    for (const auto& c : casos) {
        mudar(34, p, 1000);
        mudar(35, p, 1000);
        mudar(c.propriedade, p, c.valor);
        sf::Color lida = quadro().getPixel(105, 55);
        EXPECT_NEAR(lida.r, c.esperada.r, 1) << c.propriedade << " " << c.valor;
        EXPECT_NEAR(lida.g, c.esperada.g, 1) << c.propriedade << " " << c.valor;
        EXPECT_NEAR(lida.b, c.esperada.b, 1) << c.propriedade << " " << c.valor;
    }
}

TEST_F(Desenho, ImpressaoNumCorpoApareceOndeACameraOPoe)
{
    ASSERT_NE(fisica_criarCorpo(2, 50000, 20000), 0u);
    uint32_t camera = video_criarCamera();
    video_camera_adicionarReferencia(camera, video_criarReferencia(2));
    uint32_t p = sprite(2);
    mudar(28, p, 0);
    mudar(29, p, 0);
    sf::Image img = quadro();
    // The body is at the view's centre: the picture's top-left corner there.
    EXPECT_EQ(caixa(img, aceso).r, sf::IntRect(320, 180, 20, 10));
    EXPECT_EQ(janela.getView().getCenter(), sf::Vector2f(320, 180));
    EXPECT_EQ(janela.getView().getSize(), sf::Vector2f(640, 360));
    // Zoom 2000 shows it twice as large about the same centre.
    video_camera_mudarZoom(camera, 2000);
    img = quadro();
    EXPECT_EQ(caixa(img, aceso).r, sf::IntRect(320, 180, 40, 20));
}

TEST_F(Desenho, UmaVezPorRegiaoOuUmaSoNoPonteiro)
{
    // Two regions: zoom 1000 and zoom 2000 over the same place.
    video_criarCamera();
    video_camera_mudarZoom(video_criarCamera(), 2000);
    ASSERT_NE(fisica_criarCorpo(2, 2000, 1000), 0u);
    ASSERT_NE(fisica_criarCorpo(1, 3000, 2000), 0u);  // the mouse pointer's body
    uint32_t p = sprite(2);
    mudar(2, p, 1);
    mudar(28, p, 0);
    mudar(29, p, 0);
    sf::Image img = quadro();
    ler().saveToFile("/tmp/morvalen_desenho_regioes.png");
    ASSERT_EQ(engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, videoRegioes), 2u);
    // At (200, 100) through the first view, and at twice the size through
    // the second, whose view spans 160..480 by 90..270.
    EXPECT_EQ(caixaEm(img, sf::IntRect(150, 80, 100, 50), aceso).r, sf::IntRect(200, 100, 20, 10));
    EXPECT_EQ(caixaEm(img, sf::IntRect(60, 0, 80, 60), aceso).r, sf::IntRect(80, 20, 40, 20));
    EXPECT_EQ(caixa(img, aceso).pixels, 200 + 800);
    EXPECT_EQ(janela.getView().getCenter(), sf::Vector2f(320, 180));

    // On the pointer's body: once, over the internal picture.
    mudar(26, p, 1);
    img = quadro();
    EXPECT_EQ(caixa(img, aceso).r, sf::IntRect(300, 200, 20, 10));
    EXPECT_EQ(caixa(img, aceso).pixels, 200);
}

TEST_F(Desenho, CamerasLadoALadoDesenhamCadaUmaNaSuaMetade)
{
    // Two cameras following bodies far apart with margins of 100 pixels:
    // each area fits its half, so the left one (zoom 1000) shows its print
    // at full size and the right one (zoom 2000) at twice the size.
    ASSERT_NE(fisica_criarCorpo(2, 10000, 20000), 0u);
    ASSERT_NE(fisica_criarCorpo(3, 40000, 20000), 0u);
    for (uint32_t corpo : {2u, 3u}) {
        uint32_t camera = video_criarCamera();
        uint32_t r = video_criarReferencia(corpo);
        video_referencia_mudarMargemEsq(r, 100);
        video_referencia_mudarMargemDir(r, 100);
        video_referencia_mudarMargemCim(r, 100);
        video_referencia_mudarMargemBai(r, 100);
        video_camera_adicionarReferencia(camera, r);
        if (corpo == 3) video_camera_mudarZoom(camera, 2000);
        uint32_t p = sprite(corpo);
        mudar(28, p, 0);
        mudar(29, p, 0);
    }
    sf::Image img = quadro();
    ler().saveToFile("/tmp/morvalen_desenho_lado_a_lado.png");
    ASSERT_EQ(engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, videoRegioes), 2u);
    // Each body at the centre of its camera's half.
    EXPECT_EQ(caixaEm(img, sf::IntRect(0, 0, 320, 360), aceso).r, sf::IntRect(160, 180, 20, 10));
    EXPECT_EQ(caixaEm(img, sf::IntRect(320, 0, 320, 360), aceso).r, sf::IntRect(480, 180, 40, 20));
    EXPECT_EQ(caixa(img, aceso).pixels, 200 + 800);
}

TEST_F(Desenho, ImagemFechadaNaoDesenhaNada)
{
    uint32_t p = sprite();
    ASSERT_EQ(video_destruirTextura(imagem), nullptr);
    EXPECT_EQ(caixa(quadro(), aceso).pixels, 0);
    // Another image under the same handle is not shown by the old print.
    ASSERT_EQ(video_abrirImagem("quadros.png", 1, 1), imagem);
    EXPECT_EQ(caixa(quadro(), aceso).pixels, 0);
    EXPECT_EQ(VIDEO_desenharAnimacao(VIDEO_pegarImpressao(p), VIDEO_pegarAnimacao(p), 0, 0, 0, 1000, 1000, 0, 0),
              std::string("Textura n\xE3o encontrada"));
}

TEST_F(Desenho, CortesGuardamOTopoDaPeca)
{
    // An animation 20 by 10 and a text, each drawn whole and with a cut of
    // 5 pixels (corte 50), without a body.
    uint32_t p = sprite();
    uint32_t fonte = video_abrirFonte("Pumpkin.otf");
    uint32_t t = video_criarEscritura(fonte, "Morvalen", 40);
    mudar(28, t, 0);
    mudar(29, t, 0);
    auto desenhar = [&](uint32_t impressao, int32_t X, int32_t Y, int32_t corte) {
        janela.clear();
        VIDEO_desenharImpressao(VIDEO_pegarImpressao(impressao), X, Y, 0, 1000, 1000, 0, corte, 16);
        return caixa(ler(), aceso).r;
    };
    sf::IntRect inteira = desenhar(p, 0, 0, 0);
    sf::IntRect cortada = desenhar(p, 0, 0, 50);
    EXPECT_EQ(inteira, sf::IntRect(100, 50, 20, 10));
    EXPECT_EQ(cortada, sf::IntRect(100, 50, 20, 5));
    EXPECT_EQ(caixa(ler(), azul).r, sf::IntRect(110, 50, 10, 5));  // the frame is cut, not squeezed
    EXPECT_EQ(desenhar(p, 0, 0, 1000), inteira);                   // below the bottom: whole

    inteira = desenhar(t, 2000, 1500, 0);
    ASSERT_GT(inteira.height, 10);
    cortada = desenhar(t, 2000, 1500, 50);
    ler().saveToFile("/tmp/morvalen_desenho_texto_cortado.png");
    EXPECT_EQ(cortada.top, inteira.top);
    EXPECT_EQ(cortada.left, inteira.left);
    EXPECT_LE(cortada.height, 6);
}

TEST_F(Desenho, GiraComOCorpoEmTornoDaPosicaoDoCorpo)
{
    uint32_t p = sprite();
    mudar(28, p, 0);
    mudar(29, p, 0);
    auto desenhar = [&](int32_t rot) {
        janela.clear();
        VIDEO_desenharImpressao(VIDEO_pegarImpressao(p), 3000, 2000, rot, 1000, 1000, 0, 0, 16);
        return caixa(ler(), aceso).r;
    };
    EXPECT_EQ(desenhar(0), sf::IntRect(300, 200, 20, 10));
    // A quarter turn of the body turns the picture about the body's position.
    EXPECT_EQ(desenhar(900), sf::IntRect(290, 200, 10, 20));
    // The print's own rotation turns it about its centre.
    mudar(32, p, 900);
    EXPECT_EQ(desenhar(0), sf::IntRect(305, 195, 10, 20));
}

TEST_F(Desenho, GeometriaDoCorte)
{
    float x[4] = {1, 0, -1, 0}, y[4] = {0, 1, 0, -1};
    VIDEO_rodar(x, y, 4, 900);  // a quarter turn
    EXPECT_NEAR(x[0], 0, 1e-6);
    EXPECT_NEAR(y[0], 1, 1e-6);
    EXPECT_NEAR(x[3], 1, 1e-6);
    EXPECT_NEAR(y[3], 0, 1e-6);
    float ox[4] = {1, 2, 3, 4}, oy[4] = {3, -1, 2, -1};
    VIDEO_ordenar4Y(ox, oy);
    EXPECT_EQ(std::vector<float>(oy, oy + 4), (std::vector<float>{-1, -1, 2, 3}));
    EXPECT_EQ(std::vector<float>(ox, ox + 4), (std::vector<float>{2, 4, 3, 1}));

    // A 20 by 10 quad about the origin, turned by 30 degrees: its corners
    // lie at heights -9.33, -0.67, 0.67 and 9.33; the cut line is corte/10 - 5.
    struct {
        int32_t rotacao;
        float corte;
        uint32_t pontos;
    } const casos[] = {
        {300, 20, 3},    // above the second corner: a triangle
        {300, 50, 4},    // between the second and the third
        {300, 100, 5},   // between the third and the last
        {300, 150, 4},   // below the quad: whole
        {0, 50, 4},      // unturned: the upper half
        {0, 1000, 4},    // unturned, below the bottom: whole
    };
    // The line is measured from the quad's top wherever its centre lies.
    for (float oy : {0.0f, 50.0f}) {
        float px[5], py[5];
        ASSERT_EQ(VIDEO_cortarQuad(100, oy, 10, 5, 0, 50, px, py), 4u);
        EXPECT_FLOAT_EQ(*std::min_element(py, py + 4), oy - 5);
        EXPECT_FLOAT_EQ(*std::max_element(py, py + 4), oy);
    }
    for (const auto& c : casos) {
        float px[5], py[5];
        uint32_t n = VIDEO_cortarQuad(0, 0, 10, 5, c.rotacao, c.corte, px, py);
        EXPECT_EQ(n, c.pontos) << c.rotacao << " " << c.corte;
        // Every point, turned again, lies on or above the line.
        VIDEO_rodar(px, py, n, c.rotacao);
        for (uint32_t i = 0; i < n; i++) EXPECT_LE(py[i], c.corte * 0.1f - 5 + 1e-4) << c.corte << " " << i;
    }
}

TEST_F(Desenho, UmEnvioDeTexturaEmMilQuadrosDeAnimacao)
{
    uint32_t p = sprite();
    uint32_t c = video_configurarImpressao();
    video_configuracao_impressao_passarTempo(c, 100);
    video_configuracao_animacao_mudarQuadroX(c, 2);
    video_configuracao_impressao_criarPonto(c, 0, -1);  // back to the start, for ever
    video_configuracao_impressao_passarTempo(c, 0);
    video_configuracao_animacao_mudarQuadroX(c, 0);
    ASSERT_NE(video_aplicarConfiguracaoImpressao(c, p), 0u);
    const int criadas = videoTesteTexturasCriadas, envios = videoTesteEnvios;
    std::set<_engine_valor> colunas;
    for (int i = 0; i < 1000; i++) {
        video_atualizar(16);
        colunas.insert(apoio::ler(2, p));
        if (i == 500) mudar(34, p, 300);  // a change of colour uploads nothing either
    }
    EXPECT_GE(colunas.size(), 2u);  // the frame column did run
    EXPECT_EQ(videoTesteTexturasCriadas - criadas, 1);
    EXPECT_EQ(videoTesteEnvios - envios, 1);
}

}  // namespace
