// The bridge, the spring pad and the end zone on the game's archive, with
// the character on the real physics and frames of 16 ms.
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "conteudo_apoio.h"
#include "engine/engine_interno.h"

using namespace conteudo_apoio;

namespace {

uint32_t vivos(uint32_t modulo, uint32_t modelo)
{
    const _engine_vetorPersistente& v = ENGINE_pegarModelo(modulo, modelo)->configs;
    uint32_t n = 0;
    for (uint32_t i = 0; i < v.tamanho; i++)
        if (v.itens[i]) n++;
    return n;
}

class Pecas : public JogoDoArquivo {
protected:
    void SetUp() override
    {
        JogoDoArquivo::SetUp();
        desarmarTextos();
        quadros(1000);  // on the start block
    }
    int32_t ponte(const char* v) { return CONTEUDO_ler(PONTE, v); }
    int32_t giro(const char* lado) { return CONTEUDO_corpo((uint32_t)ponte(lado), CONTEUDO_CORPO_ROTACAO); }
    int32_t ySensor(const char* s) { return CONTEUDO_corpo((uint32_t)ponte(s), CONTEUDO_CORPO_Y); }
    int32_t trampolim(const char* v) { return CONTEUDO_ler(TRAMPOLIM, v); }
    // How far the pad is pressed down now, in engine units.
    int32_t descida() { return CONTEUDO_corpo(TRAMPOLIM, CONTEUDO_CORPO_Y) - trampolim("altura"); }
    // Frames until cond holds, at most ms; the time it took, -1 if never.
    int32_t ate(std::function<bool()> cond, int32_t ms)
    {
        for (int32_t t = 16; t <= ms; t += 16) {
            quadro();
            if (cond()) return t;
        }
        return -1;
    }
    // The small character standing on the middle of the pad.
    void pequenoNoTrampolim()
    {
        chamar("diminuir");
        quadros(1000);
        colocar(1275, 780);
        quadros(600);
        ASSERT_EQ(trampolim("personagem"), (int32_t)PERSONAGEM);
        ASSERT_EQ(descida(), 0);
    }
    // Grows on the pad; returns once the squeeze begins.
    void crescerNoTrampolim()
    {
        chamar("crescer");
        ASSERT_GT(ate([this] { return trampolim("evento") != 0; }, 1000), 0);
    }
};

// --------------------------------------------------------------- bridge

TEST_F(Pecas, PonteCaiSoComOGrandeEVoltaEm1500ms)
{
    const int32_t yPonte = CONTEUDO_corpo(PONTE, CONTEUDO_CORPO_Y);

    // Another body on the trigger does nothing.
    uint32_t bola = entidades_criarEntidade(conteudoVazio, 9800, 7500);
    fisica_anexarFigura(bola, fisica_criarCirculo(100), -100, -100);
    CONTEUDO_mudarCorpo(bola, CONTEUDO_CORPO_DINAMICO, 'S');
    quadros(1000);
    EXPECT_EQ(ponte("pronto"), 'S');
    EXPECT_LT(CONTEUDO_corpo(bola, CONTEUDO_CORPO_Y), 8400);  // resting on the bridge
    fisica_destruirCorpo(bola);

    // The small character crosses it.
    chamar("diminuir");
    quadros(1000);
    andar(1);
    ASSERT_GT(ate([this] { return xPx() > 1080; }, 4000), 0) << xPx() << " " << yPx();
    EXPECT_EQ(ponte("pronto"), 'S');
    chamar("parar");

    // The big one collapses it on its first contact with the trigger.
    chamar("crescer");
    quadros(1000);
    colocar(1000, 760);
    ASSERT_GT(ate([this] { return ponte("pronto") == 'N'; }, 1000), 0);
    EXPECT_EQ(ySensor("plataforma1"), yPonte - 50000);
    EXPECT_EQ(ySensor("plataforma2"), yPonte - 50000);
    int32_t t = 0;
    for (; t < 1500 - 16; t += 16) {
        quadro();
        ASSERT_EQ(ySensor("plataforma1"), yPonte - 50000) << t;
    }
    EXPECT_NEAR(giro("lado esquerdo"), 900, 1);
    EXPECT_NEAR(giro("lado direito"), -900, 1);
    // The sensors are back at 1500 ms, while the sides still turn for 500 ms.
    quadro();
    quadro();
    EXPECT_EQ(ySensor("plataforma1"), yPonte);
    EXPECT_EQ(ySensor("plataforma2"), yPonte);
    EXPECT_EQ(ponte("pronto"), 'S');
    quadros(250);
    EXPECT_GT(giro("lado esquerdo"), 100);
    EXPECT_LT(giro("lado direito"), -100);
    quadros(300);
    EXPECT_EQ(giro("lado esquerdo"), 0);
    EXPECT_EQ(giro("lado direito"), 0);
    EXPECT_GT(yPx(), 1050);  // the character fell into the pit
}

TEST_F(Pecas, PonteQueAbreEFechaMuitasVezesGuardaDuasConfiguracoes)
{
    uint32_t antes = vivos(ENGINE_MODULO_FISICA, 1);
    for (int vez = 0; vez < 6; vez++) {
        colocar(1000, 760);
        ASSERT_GT(ate([this] { return ponte("pronto") == 'N'; }, 1000), 0) << vez;
        ASSERT_GT(ate([this] { return ponte("pronto") == 'S'; }, 2000), 0) << vez;
        quadros(600);
        EXPECT_LE(vivos(ENGINE_MODULO_FISICA, 1), antes + 2) << vez;
    }
}

// ------------------------------------------------------------ spring pad

TEST_F(Pecas, TrampolimApertaA10msPorUnidadeESoltaQuatroVezesMaisRapido)
{
    struct Caso {
        const char* nome;
        int32_t desde;          // how far down the pad starts
        const char* funcao;     // called on the pad
        int32_t alvo;           // where it ends
        int32_t duracao;        // ms it takes
    };
    const Caso casos[] = {
        {"squeeze from rest", 0, "pressionar", 100, 1000},
        {"squeeze from half way", 50, "pressionar", 100, 500},
        {"spring back from half way", 50, "soltar", 0, 12},
        {"spring back from fully squeezed", 100, "soltar", 0, 25},
    };
    for (const Caso& c : casos) {
        entidades_entidade_chamarFuncao(TRAMPOLIM, "cancelar_movimento");
        // A position written may read back one unit less.
        CONTEUDO_mudarCorpo(TRAMPOLIM, CONTEUDO_CORPO_Y, trampolim("altura") + c.desde);
        if (descida() != c.desde) CONTEUDO_mudarCorpo(TRAMPOLIM, CONTEUDO_CORPO_Y, trampolim("altura") + c.desde + 1);
        quadro();
        ASSERT_EQ(descida(), c.desde) << c.nome;
        entidades_entidade_chamarFuncao(TRAMPOLIM, c.funcao);
        int32_t t = ate([this, &c] { return std::abs(descida() - c.alvo) <= 1; }, 2000);
        EXPECT_GE(t, c.duracao - 16) << c.nome;
        EXPECT_LE(t, c.duracao + 16) << c.nome;
        if (c.alvo == 100) {
            // Squeezed once the time is up, not before.
            EXPECT_EQ(trampolim("pressionado"), t >= c.duracao ? 'S' : 'N') << c.nome;
            quadros(32);
            EXPECT_EQ(trampolim("pressionado"), 'S') << c.nome;
        }
    }
}

TEST_F(Pecas, TrampolimAtiraSoQuandoEncolheApertado)
{
    pequenoNoTrampolim();
    // Turning small 900 ms into a squeeze from rest releases the pad, about
    // 90 down, in some 22 ms, without a throw.
    crescerNoTrampolim();
    quadro();
    chamar("diminuir");  // completes 880 ms later
    double menor = 0;
    int32_t t = ate([this, &menor] {
        menor = std::min(menor, velocidadeY());
        return trampolim("pressionado") == 'N' && trampolim("tempo") > 0;
    }, 1500);
    EXPECT_NEAR(t, 880, 32);
    EXPECT_NEAR(trampolim("tempo"), 90, 3);
    EXPECT_EQ(trampolim("pressionado"), 'N');
    EXPECT_LE(ate([this] { return descida() == 0; }, 200), 48);
    quadros(300);
    EXPECT_GT(menor, -50);  // not thrown
    EXPECT_LT(yPx(), 800);

    // Turning big on the released pad squeezes it again; turning small after
    // the full second throws the character.
    crescerNoTrampolim();
    EXPECT_GT(ate([this] { return trampolim("pressionado") == 'S'; }, 1100), 900);
    chamar("diminuir");
    ASSERT_GT(ate([this] { return velocidadeY() < -600; }, 1200), 800);
    EXPECT_EQ(trampolim("pressionado"), 'N');
    EXPECT_LE(ate([this] { return descida() == 0; }, 200), 48);  // springs back
    double topo = yPx();
    quadros(600);
    EXPECT_LT(topo - 220, yPx());  // rises over 200 px, up the shaft
    for (int i = 0; i < 40; i++) {
        quadro();
        topo = std::min(topo, yPx());
    }
    EXPECT_LT(topo, 580);
}

TEST_F(Pecas, SairDoTrampolimApertadoSoltaEm25ms)
{
    pequenoNoTrampolim();
    crescerNoTrampolim();
    ASSERT_GT(ate([this] { return trampolim("pressionado") == 'S'; }, 1100), 0);
    uint32_t pos = (uint32_t)trampolim("pos");
    EXPECT_EQ(CONTEUDO_lerEm(PERSONAGEM, "avisar tamanho", pos), (int32_t)TRAMPOLIM);
    colocar(1150, 790);  // off the pad, on the floor beside it
    // The contact's end is reported 40 ms after the last touch.
    ASSERT_GT(ate([this] { return trampolim("personagem") == 0; }, 500), 0);
    int32_t t = ate([this] { return descida() == 0; }, 500);
    EXPECT_GT(t, 0);
    EXPECT_LE(t, 25 + 16);
    EXPECT_EQ(CONTEUDO_lerEm(PERSONAGEM, "avisar tamanho", pos), 0);
    EXPECT_EQ(trampolim("pressionado"), 'N');
}

// -------------------------------------------------------------- ending

TEST_F(Pecas, FimRecolheAsConfiguracoesQueJaRodaram)
{
    // Big, across the shaft's mouth inside the end zone.
    colocar(1290, 540);
    quadros(1000);
    ASSERT_EQ(CONTEUDO_ler(FIM, "personagem"), (int32_t)PERSONAGEM);
    uint32_t fisica = vivos(ENGINE_MODULO_FISICA, 1), impressoes = vivos(ENGINE_MODULO_VIDEO, 1),
             cameras = vivos(ENGINE_MODULO_VIDEO, 3), listas = vivos(ENGINE_MODULO_AUDIO, 2);
    // A growth completes there: shrinking and growing back at once.
    chamar("diminuir");
    quadros(100);
    chamar("crescer");
    ASSERT_GT(ate([this] { return CONTEUDO_ler(FIM, "personagem backup") != 0; }, 1000), 0);
    EXPECT_EQ(vivos(ENGINE_MODULO_AUDIO, 2), listas + 2);
    // Growing again while the ending plays starts nothing more.
    chamar("diminuir");
    quadros(100);
    chamar("crescer");
    quadros(300);
    EXPECT_EQ(vivos(ENGINE_MODULO_AUDIO, 2), listas + 2);
    quadros(11500);
    // What ran once is gone; the walking character's and the earth's loops
    // go on, beside the size change's own timelines.
    for (const char* v : {"conf escala", "conf zoom", "conf branco", "conf surgir", "conf volume", "conf musica",
                          "conf terra"})
        EXPECT_EQ(CONTEUDO_ler(FIM, v), 0) << v;
    EXPECT_EQ(vivos(ENGINE_MODULO_AUDIO, 2), listas);
    EXPECT_LE(vivos(ENGINE_MODULO_VIDEO, 3), cameras + 1);
    EXPECT_LE(vivos(ENGINE_MODULO_FISICA, 1), fisica + 2);
    EXPECT_LE(vivos(ENGINE_MODULO_VIDEO, 1), impressoes + 1);
    EXPECT_EQ(apoio::impressoesDaCamada(30500).size(), 1u);
    EXPECT_EQ(apoio::impressoesDaCamada(31000).size(), 1u);
    EXPECT_EQ(CONTEUDO_impressao((uint32_t)CONTEUDO_ler(FIM, "anm terra"), CONTEUDO_IMPRESSAO_TRANSPARENCIA), 0);
}

}  // namespace
