#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/engine.h"

namespace {

// Module 3, model 1, lazy properties over plain arrays: P and Q record
// every write, V (a speed variable) does not; T reads back one less than
// was written, as the physics module's positions do.
const uint32_t MOD = 3, MOD_ = 1;
const uint32_t P = 1, Q = 2, V = 3, T = 5;
const uint32_t N = 8;

struct Escrita {
    uint32_t propriedade, instancia;
    _engine_valor valor;
    bool operator==(const Escrita& o) const
    {
        return propriedade == o.propriedade && instancia == o.instancia && valor == o.valor;
    }
};

struct Modulo {
    _engine_valor valores[6][N];
    std::vector<Escrita> escritas;
    uint32_t destruirAoEscrever;  // a timeline that the setter of Q destroys
} modulo;

template <uint32_t X>
_engine_valor pegar(uint32_t i)
{
    if (i >= N) return 0;
    return X == T && modulo.valores[X][i] > 0 ? modulo.valores[X][i] - 1 : modulo.valores[X][i];
}

template <uint32_t X>
const char* mudar(uint32_t i, _engine_valor v)
{
    if (X != V) modulo.escritas.push_back({X, i, v});
    if (i >= N) return "Instancia invalida";
    modulo.valores[X][i] = v;
    if (X == Q && modulo.destruirAoEscrever) engine_destruirConfig(MOD, MOD_, modulo.destruirAoEscrever);
    return nullptr;
}

class Config : public ::testing::Test {
protected:
    void SetUp() override
    {
        modulo = Modulo();
        engine_iniciar(true);
        ASSERT_EQ(engine_registrarModulo(MOD), nullptr);
        ASSERT_EQ(engine_registrarModelo(MOD, MOD_), nullptr);
        ASSERT_EQ(engine_registrarPropriedade(MOD, MOD_, P, pegar<P>, mudar<P>, 'N'), nullptr);
        ASSERT_EQ(engine_registrarPropriedade(MOD, MOD_, Q, pegar<Q>, mudar<Q>, 'N'), nullptr);
        ASSERT_EQ(engine_registrarPropriedade(MOD, MOD_, V, pegar<V>, mudar<V>, 'N'), nullptr);
        ASSERT_EQ(engine_registrarPropriedade(MOD, MOD_, T, pegar<T>, mudar<T>, 'N'), nullptr);
    }

    static uint32_t criar() { return engine_criarConfig(MOD, MOD_); }
    static void passar(uint32_t c, int32_t ms) { ASSERT_EQ(engine_config_passarTempo(MOD, MOD_, c, ms), nullptr); }
    static void continua(uint32_t c, uint32_t p, _engine_valor v)
    {
        ASSERT_EQ(engine_config_mudarPropriedadeContinua(MOD, MOD_, c, p, v), nullptr);
    }
    static void discreta(uint32_t c, uint32_t p, _engine_valor v)
    {
        ASSERT_EQ(engine_config_mudarPropriedadeDiscreta(MOD, MOD_, c, p, v), nullptr);
    }
    static uint32_t aplicar(uint32_t c, uint32_t instancia, uint32_t inicio = 0)
    {
        return engine_config_aplicar(MOD, MOD_, c, instancia, inicio);
    }
    static void avancar(uint32_t agora, int32_t d)
    {
        ASSERT_EQ(engine_config_configurar(MOD, MOD_, agora, d), nullptr);
    }
    // Advances from `de` to `ate` in frames of d ms.
    static void avancarAte(uint32_t de, uint32_t ate, int32_t d)
    {
        for (uint32_t t = de; t <= ate; t += (uint32_t)d) avancar(t, d);
    }
    static std::vector<_engine_valor> valoresDe(uint32_t propriedade)
    {
        std::vector<_engine_valor> v;
        for (const Escrita& e : modulo.escritas)
            if (e.propriedade == propriedade) v.push_back(e.valor);
        return v;
    }
};

TEST_F(Config, TrezentosMsAte3EmQuadrosDe16)
{
    uint32_t c = criar();
    passar(c, 300);
    continua(c, P, 3);
    ASSERT_NE(aplicar(c, 1), 0u);
    // The value moves by whole units; the step's end sets 3 once more.
    struct Caso {
        uint32_t ate;
        _engine_valor valor;
    } casos[] = {{80, 0}, {160, 1}, {256, 2}, {304, 3}};
    uint32_t t = 16;
    for (const Caso& k : casos)
        for (; t <= k.ate; t += 16) {
            avancar(t, 16);
            EXPECT_EQ(modulo.valores[P][1], k.valor) << t << " ms";
        }
    EXPECT_EQ(valoresDe(P), (std::vector<_engine_valor>{1, 2, 3, 3}));
    avancar(320, 16);
    EXPECT_EQ(modulo.escritas.size(), 4u);  // ended: inert
}

TEST_F(Config, MilMsAteMilEmQuadrosDe10)
{
    uint32_t c = criar();
    passar(c, 1000);
    continua(c, P, 1000);
    ASSERT_NE(aplicar(c, 1), 0u);
    for (uint32_t t = 10; t <= 500; t += 10) {
        avancar(t, 10);
        EXPECT_EQ(modulo.valores[P][1], (_engine_valor)t - 1) << t << " ms";  // 9, 19, 29 ... 499
    }
}

TEST_F(Config, SoAFracaoEArredondadaParaPrecisaoSimples)
{
    // A 16 ms step advanced at 10 ms covers exactly 10/17 of the way; with
    // the divisor 17/10 rounded to single precision it falls one unit short.
    struct Caso {
        _engine_valor alvo, aos10;
    } casos[] = {{17, 10}, {-170, -100}, {34, 20}};
    for (const Caso& k : casos) {
        SetUp();
        uint32_t c = criar();
        passar(c, 16);
        continua(c, P, k.alvo);
        aplicar(c, 1);
        avancar(10, 10);
        EXPECT_EQ(modulo.valores[P][1], k.aos10) << k.alvo;
        avancar(20, 10);
        EXPECT_EQ(modulo.valores[P][1], k.alvo);
    }
}

TEST_F(Config, RegrasDeFim)
{
    // Point 0: 5 at once, 1 after 100 ms; point 1: 2 after 100 ms; point 2
    // ends at once with the default rule, past the last point.
    struct Caso {
        int32_t alvo0, modo0, alvo1, modo1;
        std::vector<_engine_valor> escritas;  // advancing every 50 ms from 0 to 600
    } casos[] = {
        {0, -1, 0, 0, {5, 1, 5, 1, 5, 1, 5, 1, 5, 1, 5, 1, 5}},  // jump
        {0, -2, 0, -1, {5, 1, 2, 5, 1, 2, 5, 1, 2, 5}},         // next point; point 1 jumps back
        {0, -3, 0, 0, {5, 1, 1, 1, 1, 1, 1}},                    // hold: the last step again
        {0, 2, 0, 0, {5, 1, 5, 1, 5, 1, 2}},                     // point 0 three times, then on
        {0, 1, 0, -1, {5, 1, 5, 1, 2, 5, 1, 5, 1, 2, 5}},        // the counter starts over
        {0, 0, 0, 0, {5, 1, 2}},                                 // 0 always goes on
        {0, -5, 0, 0, {5, 1, 2}},                                // below -3: next point
        {7, -1, 0, 0, {5, 1}},                                   // targets out of range: inert
        {-1, -1, 0, 0, {5, 1}},
        {-2, 1, 0, 0, {5, 1}},
    };
    for (const Caso& k : casos) {
        SetUp();
        uint32_t c = criar();
        discreta(c, P, 5);
        passar(c, 100);
        discreta(c, P, 1);
        ASSERT_EQ(engine_config_criarPonto(MOD, MOD_, c, k.alvo0, k.modo0), 2u);
        passar(c, 100);
        discreta(c, P, 2);
        ASSERT_EQ(engine_config_criarPonto(MOD, MOD_, c, k.alvo1, k.modo1), 3u);
        uint32_t a = aplicar(c, 1);
        avancarAte(0, 600, 50);
        EXPECT_EQ(valoresDe(P), k.escritas) << "modo " << k.modo0 << " alvo " << k.alvo0;
        EXPECT_EQ(engine_configAplicada_pegarPosicao(MOD, MOD_, a), 1u);  // inert ones stay registered
    }
}

TEST_F(Config, PrimeiroAvancoMuitoDepoisDoFimAplicaTodosOsAlvos)
{
    uint32_t c = criar();
    discreta(c, Q, 3);
    passar(c, 500);
    continua(c, P, 100);
    discreta(c, Q, 7);
    aplicar(c, 1, 1000);
    avancar(999, 16);  // before the start: nothing
    EXPECT_TRUE(modulo.escritas.empty());
    avancar(3000, 16);
    EXPECT_EQ(modulo.escritas, (std::vector<Escrita>{{Q, 1, 3}, {P, 1, 100}, {Q, 1, 7}}));
    avancar(4000, 16);
    EXPECT_EQ(modulo.escritas.size(), 3u);
}

TEST_F(Config, AlvosDoInicioValemNoPrimeiroAvancoMesmoNoInstanteDoInicio)
{
    uint32_t c = criar();
    discreta(c, P, 4);
    passar(c, 100);
    continua(c, Q, 50);
    aplicar(c, 2, 40);
    avancar(40, 16);
    EXPECT_EQ(modulo.escritas, (std::vector<Escrita>{{P, 2, 4}}));  // and no interpolation yet
}

TEST_F(Config, Velocidade)
{
    // A 1000 ms step toward 1000 in frames of 10 ms; at speed 1000 the value
    // at t is t - 1.
    struct Caso {
        int32_t velocidade;
        uint32_t agora;
        _engine_valor valor;
    } casos[] = {
        {2000, 250, 499}, {2000, 500, 1000},  // twice as fast, also from time 0
        {500, 1000, 499}, {500, 2000, 1000},  // half as fast
        {0, 3000, 0},                         // frozen
    };
    for (const Caso& k : casos) {
        SetUp();
        uint32_t c = criar();
        passar(c, 1000);
        continua(c, P, 1000);
        ASSERT_EQ(engine_config_vincularVelocidade(MOD, MOD_, c, engine_criarOperacao((uint32_t)k.velocidade, 10, 0)),
                  nullptr);
        aplicar(c, 1);
        avancarAte(10, k.agora, 10);
        EXPECT_EQ(modulo.valores[P][1], k.valor) << k.velocidade << " at " << k.agora;
    }
}

TEST_F(Config, VelocidadeZeroCongelaOndeEsta)
{
    modulo.valores[V][1] = 1000;
    uint32_t c = criar();
    passar(c, 1000);
    continua(c, P, 1000);
    ASSERT_EQ(engine_config_vincularVelocidade(MOD, MOD_, c, engine_criarReferencia(MOD, MOD_, V, 1)), nullptr);
    aplicar(c, 1);
    avancarAte(10, 300, 10);
    EXPECT_EQ(modulo.valores[P][1], 299);
    ASSERT_EQ(engine_propriedade_mudarValor(MOD, MOD_, V, 1, 0), nullptr);
    avancarAte(310, 600, 10);
    EXPECT_EQ(modulo.valores[P][1], 299);
    ASSERT_EQ(engine_propriedade_mudarValor(MOD, MOD_, V, 1, 1000), nullptr);
    avancarAte(610, 700, 10);
    EXPECT_EQ(modulo.valores[P][1], 399);
}

TEST_F(Config, NoDeVelocidadeDestruidoCongelaENaoEOQueReusaOId)
{
    uint32_t c = criar();
    passar(c, 1000);
    continua(c, P, 1000);
    uint32_t rapido = engine_criarOperacao(2000, 10, 0);
    ASSERT_EQ(engine_config_vincularVelocidade(MOD, MOD_, c, rapido), nullptr);
    ASSERT_EQ(engine_destruirRecurso(rapido), nullptr);
    ASSERT_EQ(engine_criarOperacao(1000, 10, 0), rapido);
    aplicar(c, 1);
    avancarAte(10, 500, 10);
    EXPECT_EQ(modulo.valores[P][1], 0);
}

TEST_F(Config, CancelarEDestruir)
{
    uint32_t c = criar();
    passar(c, 100);
    continua(c, P, 100);
    ASSERT_EQ(engine_config_criarPonto(MOD, MOD_, c, 0, -1), 2u);
    uint32_t a1 = aplicar(c, 1), a2 = aplicar(c, 2);
    avancarAte(10, 50, 10);
    _engine_valor v1 = modulo.valores[P][1], v2 = modulo.valores[P][2];
    EXPECT_GT(v1, 0);

    EXPECT_EQ(engine_config_cancelar(MOD, MOD_, a1), nullptr);
    EXPECT_EQ(engine_configAplicada_pegarPosicao(MOD, MOD_, a1), 0u);
    EXPECT_EQ(engine_configAplicada_pegarPosicao(MOD, MOD_, a2), 2u);
    EXPECT_EQ(engine_destruirConfig(MOD, MOD_, c), nullptr);  // cancels a2 only
    EXPECT_EQ(engine_configAplicada_pegarPosicao(MOD, MOD_, a2), 0u);
    EXPECT_STREQ(engine_config_cancelar(MOD, MOD_, a1), "Configuracao aplicada invalida");
    EXPECT_STREQ(engine_config_cancelar(MOD, MOD_, a2), "Configuracao aplicada invalida");
    EXPECT_STREQ(engine_destruirConfig(MOD, MOD_, c), "Configuracao invalida");
    avancarAte(60, 300, 10);
    EXPECT_EQ(modulo.valores[P][1], v1);  // values stay where they were
    EXPECT_EQ(modulo.valores[P][2], v2);
    // Ids are released for reuse.
    EXPECT_EQ(criar(), c);
}

TEST_F(Config, SegurarDevolveOAlvoACadaDuracao)
{
    uint32_t c = criar();
    passar(c, 100);
    continua(c, P, 10);
    ASSERT_EQ(engine_config_criarPonto(MOD, MOD_, c, 0, -3), 2u);
    aplicar(c, 1);
    avancarAte(50, 100, 50);
    EXPECT_EQ(modulo.valores[P][1], 10);
    for (uint32_t fim : {200u, 300u}) {
        ASSERT_EQ(engine_propriedade_mudarValor(MOD, MOD_, P, 1, 99), nullptr);
        avancar(fim - 50, 50);
        _engine_valor meio = modulo.valores[P][1];
        EXPECT_LT(meio, 99);  // on its way back, never past the target
        EXPECT_GT(meio, 10);
        avancar(fim, 50);
        EXPECT_EQ(modulo.valores[P][1], 10) << fim;
    }
}

TEST_F(Config, SegurarDepoisDeUmaPausaNaoPassaDoAlvo)
{
    // The instance reads back 6 after 7 is set; a hold advanced long after
    // its step's end moves it by what is left, not by the time elapsed.
    uint32_t c = criar();
    passar(c, 100);
    continua(c, T, 7);
    ASSERT_EQ(engine_config_criarPonto(MOD, MOD_, c, 0, -3), 2u);
    aplicar(c, 1);
    avancar(100, 100);
    avancar(1100, 1000);
    for (_engine_valor v : valoresDe(T)) EXPECT_LE(v, 7);
    EXPECT_EQ(modulo.valores[T][1], 7);
}

TEST_F(Config, AlvoRepetidoNoPassoFicaSoOUltimo)
{
    struct Caso {
        bool primeiraContinua, segundaContinua;
        _engine_valor aos50;  // the value half-way
    } casos[] = {
        {true, true, 39},    // moves toward the second target: 80 * 50 / 101
        {true, false, 0},    // discrete only: set at the end, no move before
        {false, true, 39},
    };
    for (const Caso& k : casos) {
        SetUp();
        uint32_t c = criar();
        passar(c, 100);
        if (k.primeiraContinua) continua(c, P, 50); else discreta(c, P, 50);
        if (k.segundaContinua) continua(c, P, 80); else discreta(c, P, 80);
        aplicar(c, 1);
        avancar(50, 50);
        EXPECT_EQ(modulo.valores[P][1], k.aos50);
        avancar(100, 50);
        EXPECT_EQ(modulo.valores[P][1], 80);
    }
}

TEST_F(Config, InstanciaNoGrafoRecebeOsAlvosComoBase)
{
    // Instance 1 of P is in the graph (an expression reads it): the timeline
    // moves its base, and the module sees it only when it is read.
    uint32_t r = engine_criarReferencia(MOD, MOD_, P, 1);
    ASSERT_EQ(engine_propriedade_mudarRecurso(MOD, MOD_, Q, 1, engine_criarOperacao(r, 2, engine_criarOperacao(2, 10, 0))),
              nullptr);
    uint32_t c = criar();
    passar(c, 1000);
    continua(c, P, 1000);
    aplicar(c, 1);
    avancarAte(10, 500, 10);
    EXPECT_TRUE(modulo.escritas.empty());
    EXPECT_EQ(engine_propriedade_pegarValor(MOD, MOD_, P, 1, nullptr), 499);
    EXPECT_EQ(engine_propriedade_pegarValor(MOD, MOD_, Q, 1, nullptr), 998);
    EXPECT_EQ(modulo.escritas, (std::vector<Escrita>{{P, 1, 499}, {Q, 1, 998}}));
}

TEST_F(Config, CicloSemTempoNaoTravaORestoSim)
{
    // Point 0 has no time and jumps to itself.
    uint32_t preso = criar();
    discreta(preso, P, 1);
    ASSERT_EQ(engine_config_criarPonto(MOD, MOD_, preso, 0, -1), 2u);
    aplicar(preso, 1);
    avancar(0, 16);
    avancar(16, 16);
    EXPECT_FALSE(modulo.escritas.empty());
    EXPECT_LT(modulo.escritas.size(), 100u);

    // Repeating a point without time is no cycle: it runs its three times.
    uint32_t c = criar();
    discreta(c, Q, 1);
    ASSERT_EQ(engine_config_criarPonto(MOD, MOD_, c, 0, 2), 2u);
    discreta(c, Q, 2);
    aplicar(c, 2);
    avancar(32, 16);
    EXPECT_EQ(valoresDe(Q), (std::vector<_engine_valor>{1, 1, 1, 2}));
}

TEST_F(Config, TimelineTerminadaDepoisDeAplicada)
{
    // A point and a property added after the application started get their
    // own counter and accumulator.
    uint32_t c = criar();
    passar(c, 100);
    discreta(c, P, 1);
    aplicar(c, 1);
    ASSERT_EQ(engine_registrarPropriedade(MOD, MOD_, 4, pegar<4>, mudar<4>, 'N'), nullptr);
    ASSERT_EQ(engine_config_criarPonto(MOD, MOD_, c, 0, 1), 2u);
    passar(c, 100);
    continua(c, 4, 100);
    ASSERT_EQ(engine_config_criarPonto(MOD, MOD_, c, 1, 1), 3u);
    avancarAte(0, 500, 50);
    EXPECT_EQ(valoresDe(P), (std::vector<_engine_valor>{1, 1}));
    EXPECT_EQ(modulo.valores[4][1], 100);
}

TEST_F(Config, SetterQueDestroiATimelineDuranteOAvanco)
{
    uint32_t c = criar();
    discreta(c, P, 1);
    discreta(c, Q, 1);
    passar(c, 100);
    continua(c, P, 100);
    uint32_t outra = criar();
    discreta(outra, P, 9);
    aplicar(c, 1);
    aplicar(outra, 2);
    modulo.destruirAoEscrever = c;
    avancar(50, 50);
    // The advance stops where the timeline went and goes on with the next.
    EXPECT_EQ(modulo.escritas, (std::vector<Escrita>{{P, 1, 1}, {Q, 1, 1}, {P, 2, 9}}));
    EXPECT_STREQ(engine_destruirConfig(MOD, MOD_, c), "Configuracao invalida");
}

TEST_F(Config, IdsInvalidos)
{
    uint32_t c = criar();
    uint32_t a = aplicar(c, 1);
    struct Caso {
        uint32_t modulo, modelo;
        const char* erro;
    } casos[] = {{5, 1, "Modulo invalido"}, {0, 1, "Modulo invalido"}, {3, 2, "Modelo invalido"}};
    for (const Caso& k : casos) {
        EXPECT_EQ(engine_criarConfig(k.modulo, k.modelo), 0u);
        EXPECT_STREQ(engine_config_passarTempo(k.modulo, k.modelo, c, 10), k.erro);
        EXPECT_STREQ(engine_config_mudarPropriedadeContinua(k.modulo, k.modelo, c, P, 1), k.erro);
        EXPECT_STREQ(engine_config_mudarPropriedadeDiscreta(k.modulo, k.modelo, c, P, 1), k.erro);
        EXPECT_EQ(engine_config_criarPonto(k.modulo, k.modelo, c, 0, 0), 0u);
        EXPECT_STREQ(engine_config_vincularVelocidade(k.modulo, k.modelo, c, 0), k.erro);
        EXPECT_EQ(engine_config_aplicar(k.modulo, k.modelo, c, 1, 0), 0u);
        EXPECT_EQ(engine_configAplicada_pegarPosicao(k.modulo, k.modelo, a), 0u);
        EXPECT_STREQ(engine_config_cancelar(k.modulo, k.modelo, a), k.erro);
        EXPECT_STREQ(engine_destruirConfig(k.modulo, k.modelo, c), k.erro);
        EXPECT_STREQ(engine_config_configurar(k.modulo, k.modelo, 0, 0), k.erro);
    }
    for (uint32_t x : {0u, 2u}) {
        EXPECT_STREQ(engine_config_passarTempo(MOD, MOD_, x, 10), "Configuracao invalida");
        EXPECT_STREQ(engine_config_mudarPropriedadeContinua(MOD, MOD_, x, P, 1), "Configuracao invalida");
        EXPECT_STREQ(engine_config_mudarPropriedadeDiscreta(MOD, MOD_, x, P, 1), "Configuracao invalida");
        EXPECT_EQ(engine_config_criarPonto(MOD, MOD_, x, 0, 0), 0u);
        EXPECT_STREQ(engine_config_vincularVelocidade(MOD, MOD_, x, 0), "Configuracao invalida");
        EXPECT_EQ(engine_config_aplicar(MOD, MOD_, x, 1, 0), 0u);
        EXPECT_STREQ(engine_destruirConfig(MOD, MOD_, x), "Configuracao invalida");
        EXPECT_EQ(engine_configAplicada_pegarPosicao(MOD, MOD_, x), 0u);
        EXPECT_STREQ(engine_config_cancelar(MOD, MOD_, x), "Configuracao aplicada invalida");
    }
    EXPECT_STREQ(engine_config_mudarPropriedadeContinua(MOD, MOD_, c, 9, 1), "Propriedade invalida");
    EXPECT_STREQ(engine_config_mudarPropriedadeDiscreta(MOD, MOD_, c, 0, 1), "Propriedade invalida");
    EXPECT_TRUE(modulo.escritas.empty());
}

}  // namespace

// A record freed by its module and then reused under the same id: the new
// record answers with its own value, and no timeline or expression of the
// old one reaches it; other instances are untouched.
TEST_F(Config, InstanciaEsquecidaComecaLimpa)
{
    uint32_t c = criar();
    passar(c, 100);
    continua(c, P, 1000);
    ASSERT_EQ(engine_config_criarPonto(MOD, MOD_, c, 0, -1), 2u);
    uint32_t a1 = aplicar(c, 1), a2 = aplicar(c, 2);
    // Q of instance 1 is bound to 77; instance 3's Q reads P of instance 1.
    uint32_t k = engine_criarOperacao(77, 10, 0);
    ASSERT_EQ(engine_propriedade_mudarRecurso(MOD, MOD_, Q, 1, k), nullptr);
    uint32_t ref = engine_criarReferencia(MOD, MOD_, P, 1);
    ASSERT_EQ(engine_propriedade_mudarRecurso(MOD, MOD_, Q, 3, ref), nullptr);
    avancarAte(10, 50, 10);
    EXPECT_EQ(engine_propriedade_pegarValor(MOD, MOD_, Q, 1, nullptr), 77);

    EXPECT_EQ(engine_esquecerInstancia(MOD, MOD_, 1), nullptr);
    EXPECT_EQ(engine_configAplicada_pegarPosicao(MOD, MOD_, a1), 0u);
    EXPECT_EQ(engine_configAplicada_pegarPosicao(MOD, MOD_, a2), 2u);
    // The new record under id 1 holds its own values.
    modulo.valores[P][1] = 5;
    modulo.valores[Q][1] = 6;
    avancarAte(60, 90, 10);
    EXPECT_EQ(modulo.valores[P][1], 5);
    EXPECT_EQ(engine_propriedade_pegarValor(MOD, MOD_, P, 1, nullptr), 5);
    EXPECT_EQ(engine_propriedade_pegarValor(MOD, MOD_, Q, 1, nullptr), 6);
    EXPECT_EQ(engine_propriedade_mudarValor(MOD, MOD_, Q, 1, 9), nullptr);
    EXPECT_EQ(engine_propriedade_pegarValor(MOD, MOD_, Q, 1, nullptr), 9);
    // The reader of the old record reads 0, not the new record.
    EXPECT_EQ(engine_propriedade_pegarValor(MOD, MOD_, Q, 3, nullptr), 0);
    EXPECT_GT(modulo.valores[P][2], 0);  // instance 2 still runs

    EXPECT_EQ(engine_esquecerInstancia(MOD, MOD_, 7), nullptr);  // nothing known of it
    EXPECT_STREQ(engine_esquecerInstancia(MOD, MOD_, 0), "Posicao invalida");
    EXPECT_STREQ(engine_esquecerInstancia(MOD, 9, 1), "Modelo invalido");
}

// The expression that drove a forgotten instance no longer reaches the
// entry that a new record under the same id gets later.
TEST_F(Config, InstanciaEsquecidaSaiDaExpressaoQueASeguia)
{
    uint32_t ref = engine_criarReferencia(MOD, MOD_, P, 4);
    ASSERT_EQ(engine_propriedade_mudarRecurso(MOD, MOD_, Q, 1, ref), nullptr);
    EXPECT_EQ(engine_esquecerInstancia(MOD, MOD_, 1), nullptr);
    // The new record under id 1 enters the graph by being read.
    modulo.valores[Q][1] = 6;
    ASSERT_NE(engine_criarReferencia(MOD, MOD_, Q, 1), 0u);
    EXPECT_EQ(engine_propriedade_pegarValor(MOD, MOD_, Q, 1, nullptr), 6);
    ASSERT_EQ(engine_propriedade_mudarValor(MOD, MOD_, P, 4, 50), nullptr);
    char recalculado = 'N';
    EXPECT_EQ(engine_propriedade_pegarValor(MOD, MOD_, Q, 1, &recalculado), 6);
    EXPECT_EQ(recalculado, 'N');
}
