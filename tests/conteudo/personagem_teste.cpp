// The character on level 0, driven through its functions with 16 ms frames
// of the time module's clock on the real physics: landing and ground
// counting, walking, turning, jumping, size changes, and the guards that
// keep its state sound.
#include <cstdio>
#include <set>

#include "conteudo_apoio.h"
#include "engine/engine_interno.h"

using namespace conteudo_apoio;

namespace {

class Personagem : public Jogo {
protected:
    void SetUp() override
    {
        Jogo::SetUp();
        desarmarTextos();
        quadros(1000);  // falls onto the start block
    }
    // On floor 21, 280 px wide, at rest.
    void noChaoLargo(double x = 1100)
    {
        colocar(x, 790);
        quadros(1000);
    }
    uint32_t camera() { return (uint32_t)CONTEUDO_ler(0, "camera"); }
    int32_t zoom()
    {
        return (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_VIDEO, 3, CONTEUDO_CAMERA_ZOOM, camera(), nullptr);
    }
    // Frames until the take-off (the body rises), at most ms; the time it took.
    int32_t ateDecolar(int32_t ms)
    {
        for (int32_t t = 16; t <= ms; t += 16) {
            quadro();
            if (velocidadeY() < -100) return t;
        }
        return -1;
    }
};

TEST_F(Personagem, CaiEPousaNoBlocoSobOControlador)
{
    EXPECT_EQ(xPx(), 800);
    EXPECT_NEAR(yPx(), 840 - 45, 0.5);  // block 33's top, through the N and Q strips
    EXPECT_EQ(chao(1), 1);
    EXPECT_EQ(chao(2), 1);
    EXPECT_LE(coluna(), 9);  // the walk cycle, no longer the air
    EXPECT_EQ(var("massa"), 10120);
    EXPECT_EQ(fisica_corpo(personagem)->massa, 103000);
}

TEST_F(Personagem, AndaParaADireitaComOCicloDePassos)
{
    noChaoLargo(1060);
    double x0 = xPx();
    andar(1);
    std::set<int32_t> colunas;
    int32_t linhaMaxima = 0;
    for (int32_t t = 0; t < 1000; t += 16) {
        quadro();
        colunas.insert(coluna());
        linhaMaxima = std::max(linhaMaxima, sprite(CONTEUDO_IMPRESSAO_QUADRO_Y));
    }
    EXPECT_GT(xPx() - x0, 130);  // the spring pad stops it 146 px on
    EXPECT_EQ(colunas, (std::set<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(linhaMaxima, 2);  // the row follows the speed
    EXPECT_EQ(var("direcao"), 1);
    chamar("parar");
    EXPECT_EQ(forcaBase(), 0);
}

TEST_F(Personagem, ViraComAsColunas10a13ECompletaAos400ms)
{
    int32_t largura = sprite(CONTEUDO_IMPRESSAO_LARGURA);
    ASSERT_GT(largura, 0);
    andar(-1);
    EXPECT_EQ(var("virando"), -1);
    std::set<int32_t> colunas;
    for (int32_t t = 16; t <= 384; t += 16) {
        quadro();
        colunas.insert(coluna());
    }
    EXPECT_EQ(colunas, (std::set<int32_t>{10, 11, 12, 13}));
    EXPECT_EQ(var("direcao"), 1);
    quadro();
    quadro();
    EXPECT_EQ(var("direcao"), -1);
    EXPECT_EQ(var("virando"), 1);
    EXPECT_EQ(sprite(CONTEUDO_IMPRESSAO_LARGURA), -largura);  // mirrored
    EXPECT_EQ(var("virou"), 0);
}

TEST_F(Personagem, PuloPreparaDecolaEACorDoArSegueAVelocidade)
{
    noChaoLargo();
    chamar("pular");
    uint32_t pulou = (uint32_t)var("pulou");
    ASSERT_NE(pulou, 0u);
    std::set<int32_t> preparo;
    int32_t t = 0;
    for (; var("pulou") != 0 && t < 400; t += 16) {
        if (t == 96) {
            chamar("pular");  // a second press during the wind-up changes nothing
            EXPECT_EQ((uint32_t)var("pulou"), pulou);
        }
        double antes = velocidadeY();
        relogioMicro() += 16000;
        int32_t d = tempo_aguardar();  // the take-off fires here
        if (var("pulou") == 0) {
            // ImpulsoY = -((7800 × 100 / 1000) × 10120 / 1000) = -7893, × 10 over the body's mass.
            EXPECT_NEAR(velocidadeY() - antes, -78930.0 / 103.0, 0.01);
            EXPECT_EQ(var("pulando"), 'N');
        }
        dados_atualizar(d);
        fisica_atualizar(d);
        video_atualizar(d);
        if (var("pulou") != 0) preparo.insert(coluna());
    }
    EXPECT_EQ(t, 304);  // due 300 ms after the press, fired by the frame that passes it
    EXPECT_EQ(preparo, (std::set<int32_t>{15, 16, 17, 18}));

    // In the air the column follows the vertical speed.
    std::set<int32_t> subindo, noTopo, caindo;
    chamar("pular");  // ignored in the air
    EXPECT_EQ(var("pulou"), 0);
    for (int32_t i = 0; i < 60; i++) {
        quadro();
        double vy = velocidadeY();
        if (chao(1) > 0 && coluna() <= 13) break;
        if (vy < -100) subindo.insert(coluna());
        if (vy > -50 && vy < 50) noTopo.insert(coluna());
        if (vy > 100) caindo.insert(coluna());
    }
    EXPECT_EQ(subindo, std::set<int32_t>{19});
    EXPECT_EQ(noTopo, std::set<int32_t>{22});
    EXPECT_EQ(caindo, std::set<int32_t>{25});
}

TEST_F(Personagem, MudaDeTamanhoEm880msComZoomEMassa)
{
    chamar("diminuir");
    EXPECT_EQ(var("progant"), 880);
    EXPECT_EQ(var("tamanho"), 2);
    quadros(864);
    EXPECT_GT(corpo(CONTEUDO_CORPO_ESCALA_X), 200);
    EXPECT_NE(var("mudou tamanho"), 0);
    quadros(32);
    EXPECT_EQ(corpo(CONTEUDO_CORPO_ESCALA_X), 200);
    EXPECT_EQ(corpo(CONTEUDO_CORPO_ESCALA_Y), 200);
    EXPECT_EQ(zoom(), 2500);
    EXPECT_EQ(var("massa"), 6072);  // 60% of 10120
    EXPECT_EQ(var("mudou tamanho"), 0);
    chamar("diminuir");  // already small
    EXPECT_EQ(var("mudou tamanho"), 0);

    chamar("crescer");
    EXPECT_EQ(var("progant"), 880);
    quadros(440);
    int32_t escala = corpo(CONTEUDO_CORPO_ESCALA_X);
    EXPECT_NEAR(escala, 600, 20);
    chamar("diminuir");  // from about 600: (11 × 600 − 2200) / 10 = 440 ms
    EXPECT_EQ(var("progant"), (11 * escala - 2200) / 10);
    int32_t progant = var("progant");
    quadros(progant - 16);
    EXPECT_NE(var("mudou tamanho"), 0);
    quadros(32);
    EXPECT_EQ(var("mudou tamanho"), 0);
    EXPECT_EQ(corpo(CONTEUDO_CORPO_ESCALA_X), 200);

    chamar("crescer");
    quadros(900);
    EXPECT_EQ(corpo(CONTEUDO_CORPO_ESCALA_X), 1000);
    EXPECT_EQ(zoom(), 1000);
    EXPECT_EQ(var("massa"), 10120);
}

// A scale outside 200..1000 (the ending grows the body to 9000) gives no
// negative duration.
TEST_F(Personagem, DuracaoDaMudancaNaoFicaNegativa)
{
    diminuir();
    CONTEUDO_mudarCorpo(personagem, CONTEUDO_CORPO_ESCALA_X, 9000);
    CONTEUDO_mudarCorpo(personagem, CONTEUDO_CORPO_ESCALA_Y, 9000);
    chamar("crescer");
    EXPECT_EQ(var("progant"), 0);
    quadro();
    quadro();
    EXPECT_EQ(corpo(CONTEUDO_CORPO_ESCALA_X), 1000);
    EXPECT_EQ(var("mudou tamanho"), 0);

    CONTEUDO_mudarCorpo(personagem, CONTEUDO_CORPO_ESCALA_X, 100);
    chamar("diminuir");
    EXPECT_EQ(var("progant"), 0);
}

// Walking off an edge during the wind-up drops the take-off and the jump.
TEST_F(Personagem, SairDoChaoNoPreparoCancelaOPulo)
{
    colocar(900, 790);
    quadros(800);
    chamar("pular");
    for (int32_t t = 0; t < 320; t += 16) {
        CONTEUDO_mudarCorpo(personagem, CONTEUDO_CORPO_VELOCIDADE_X, 3000);  // off block 33, into the pit
        quadro();
    }
    EXPECT_EQ(chao(1), 0);
    EXPECT_EQ(var("pulou"), 0);
    EXPECT_EQ(var("pulando"), 'N');
    EXPECT_GT(velocidadeY(), 0);  // falling: no take-off
    quadros(1500);
    ASSERT_NEAR(yPx(), 1120 - 45, 0.5);  // on the pit's floor
    ASSERT_LE(coluna(), 9);

    // On the pit's floor a turn is an ordinary one, and jumps work.
    andar(-1);
    EXPECT_NE(var("virou"), 0);
    quadros(480);
    EXPECT_EQ(var("direcao"), -1);
    chamar("parar");
    quadros(300);
    chamar("pular");
    EXPECT_GE(ateDecolar(400), 300);
}

// A jump under a ceiling that keeps the ground contact alive lands the
// character again instead of leaving it in the air state on the ground.
TEST_F(Personagem, PuloContraOTetoVoltaAoChao)
{
    diminuir();
    colocar(840, 1110);  // in the low passage
    quadros(800);
    // A ceiling 1 px above the head: the feet never leave the 2 px Q strip.
    uint32_t teto = entidades_criarEntidade(conteudoVazio, 0, 0);
    fisica_anexarFigura(teto, fisica_criarRetangulo(800, 100), 8000, 10910);
    ASSERT_LE(coluna(), 13);
    chamar("pular");
    quadros(800);
    EXPECT_GT(chao(2), 0);
    EXPECT_LE(coluna(), 13);  // the ground again
    chamar("pular");
    EXPECT_NE(var("pulou"), 0);  // and it can jump again
    EXPECT_GE(coluna(), 0);
}

// Growing in the air while the big size's ground is already touched lands
// the character once it falls.
TEST_F(Personagem, CrescerNoArSobreOChaoDoGrandePousa)
{
    noChaoLargo();
    diminuir();
    chamar("pular");
    bool cresceu = false;
    for (int32_t t = 0; t < 1500 && !cresceu; t += 16) {
        quadro();
        if (t > 400 && chao(1) > 0 && chao(2) == 0 && velocidadeY() > 0) {
            chamar("crescer");
            cresceu = true;
        }
    }
    ASSERT_TRUE(cresceu);
    quadros(1500);
    EXPECT_GT(chao(1), 0);
    EXPECT_LE(coluna(), 13);
    chamar("pular");
    EXPECT_NE(var("pulou"), 0);
}

// A turn and a jump in the same frame take off within the 300 ms of an
// ordinary wind-up.
TEST_F(Personagem, VirarEPularNoMesmoQuadroDecolaEm300ms)
{
    noChaoLargo();
    andar(-1);
    chamar("pular");
    int32_t t = ateDecolar(1500);
    EXPECT_GT(t, 0);
    EXPECT_LE(t, 320);
    EXPECT_EQ(var("direcao"), -1);  // the take-off completed the turn
}

// A direction pressed against the facing right after the take-off keeps
// pushing that way once the character leaves the ground.
TEST_F(Personagem, ForcaNoArSegueADirecaoPedida)
{
    noChaoLargo(1250);
    chamar("pular");
    ASSERT_GT(ateDecolar(400), 0);
    ASSERT_GT(chao(1), 0);  // the contact ends 40 ms later
    andar(-1);
    EXPECT_LT(forcaBase(), 0);
    for (int32_t t = 0; t < 200 && chao(1) > 0; t += 16) quadro();
    EXPECT_EQ(chao(1), 0);
    EXPECT_LT(forcaBase(), 0);
    quadros(600);
    EXPECT_LT(xPx(), 1250);
}

// The slide ends at x 1960 over nothing; a character that slides down it
// is put back inside the level.
TEST_F(Personagem, AParedeNoFimDaRampaSeguraOPersonagem)
{
    colocar(1850, 1100);
    andar(1);
    quadros(5000);
    EXPECT_LT(xPx(), 1960);
    EXPECT_LT(yPx(), 1300);
    diminuir();
    quadros(3000);
    EXPECT_LT(xPx(), 1960);
    EXPECT_LT(yPx(), 1300);
}

// Live records of a model's timelines and of their applications.
uint32_t vivos(const _engine_vetorPersistente& v)
{
    uint32_t n = 0;
    for (uint32_t i = 0; i < v.tamanho; i++)
        if (v.itens[i]) n++;
    return n;
}

// Ten minutes of walking, turning, jumping and size changes.
TEST_F(Personagem, DezMinutosDeJogoNaoAcumulamMemoria)
{
    noChaoLargo(1190);
    const uint32_t modelos[][2] = {{2, 1}, {3, 1}, {3, 3}, {6, 1}};
    uint32_t maximo[4][2] = {};
    uint64_t minuto1 = 0;
    for (int32_t segundo = 0; segundo < 600; segundo++) {
        switch (segundo % 6) {
        case 0: andar(1); break;
        case 1: andar(-1); break;
        case 2: chamar("pular"); break;
        case 3: chamar("diminuir"); chamar("parar"); break;
        case 4: andar(segundo % 12 < 6 ? 1 : -1); chamar("pular"); break;
        case 5: chamar("crescer"); chamar("parar"); break;
        }
        quadros(1000);
        for (int m = 0; m < 4; m++) {
            _engine_modelo* modelo = ENGINE_pegarModelo(modelos[m][0], modelos[m][1]);
            maximo[m][0] = std::max(maximo[m][0], vivos(modelo->configs));
            maximo[m][1] = std::max(maximo[m][1], vivos(modelo->configsAplicadas));
        }
        if (segundo == 59) minuto1 = residente();
    }
    uint64_t minuto10 = residente();
    // Physics: the take-off's and the scale's timelines, and the bridge's
    // two turning sides; prints: the three permanent ones, the turn's, and
    // the intro's white screen and logo; camera and mass: the size change's.
    EXPECT_LE(maximo[0][0], 4u);
    EXPECT_LE(maximo[0][1], 4u);
    EXPECT_LE(maximo[1][0], 6u);
    EXPECT_LE(maximo[1][1], 1u);
    EXPECT_LE(maximo[2][0], 1u);
    EXPECT_LE(maximo[3][0], 1u);
    EXPECT_LE(engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_FISICA, fisicaColisoes), 16u);
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(minuto10 > minuto1 ? minuto10 - minuto1 : 0, 1u << 20);
#endif
    printf("resident after minute 1: %llu kB, after minute 10: %llu kB; character at (%.0f, %.0f)\n",
           (unsigned long long)minuto1 / 1024, (unsigned long long)minuto10 / 1024, xPx(), yPx());
}

// Sheets whose frames give a "massa" outside 60..600059 keep a walking force.
class PersonagemPequenoDemais : public Jogo {
    std::vector<std::pair<std::string, std::string>> midia() override { return midiaDeTeste(2, 2); }
};

TEST_F(PersonagemPequenoDemais, ForcaDeAndarContinuaDefinida)
{
    EXPECT_EQ(var("massa"), 0);
    andar(1);
    // In the air at the start: 250 × 100 / (10000 / (60 / 60)), the mass
    // counted as 60 (unguarded, 10000 / 0 would leave no force at all).
    EXPECT_EQ(forcaBase(), 250 * 100 / 10000);
}

class PersonagemGrandeDemais : public Jogo {
    std::vector<std::pair<std::string, std::string>> midia() override { return midiaDeTeste(1000, 20); }
};

TEST_F(PersonagemGrandeDemais, ForcaDeAndarContinuaDefinida)
{
    EXPECT_GT(var("massa"), 600059);
    andar(1);
    EXPECT_EQ(forcaBase(), 250 * 100 / 1);  // the mass counted as 600059
}

}  // namespace
