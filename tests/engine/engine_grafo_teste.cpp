#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "engine/engine.h"

namespace {

// Module 2, model 1: property 1 lazy, property 2 eager, each a plain array
// of instance values with call counters, and property 3, a lazy probe whose
// writes are not recorded; module 6, model 2 stands for the data module's
// random numbers (a new number at every getter call).
const uint32_t LAZY = 1, EAGER = 2, SONDA = 3;
const uint32_t N = 16;

struct Escrita {
    uint32_t propriedade, instancia;
    _engine_valor valor;
    bool operator==(const Escrita& o) const
    {
        return propriedade == o.propriedade && instancia == o.instancia && valor == o.valor;
    }
};

struct Modulo {
    _engine_valor valores[4][N];
    int leituras[4];
    std::vector<Escrita> escritas;
    _engine_valor sorteio;
    int sorteios;
} modulo;

template <uint32_t P>
_engine_valor pegar(uint32_t i)
{
    modulo.leituras[P]++;
    return i < N ? modulo.valores[P][i] : 0;
}

template <uint32_t P>
const char* mudar(uint32_t i, _engine_valor v)
{
    if (P != SONDA) modulo.escritas.push_back({P, i, v});
    if (i >= N) return "Instancia invalida";
    modulo.valores[P][i] = v;
    return nullptr;
}

_engine_valor sortear(uint32_t)
{
    modulo.sorteios++;
    return ++modulo.sorteio;
}
const char* naoMudar(uint32_t, _engine_valor) { return nullptr; }

class Grafo : public ::testing::Test {
protected:
    void SetUp() override
    {
        modulo = Modulo();
        engine_iniciar(true);
        ASSERT_EQ(engine_registrarModulo(2), nullptr);
        ASSERT_EQ(engine_registrarModelo(2, 1), nullptr);
        ASSERT_EQ(engine_registrarPropriedade(2, 1, LAZY, pegar<LAZY>, mudar<LAZY>, 'N'), nullptr);
        ASSERT_EQ(engine_registrarPropriedade(2, 1, EAGER, pegar<EAGER>, mudar<EAGER>, 'S'), nullptr);
        ASSERT_EQ(engine_registrarPropriedade(2, 1, SONDA, pegar<SONDA>, mudar<SONDA>, 'N'), nullptr);
        ASSERT_EQ(engine_registrarModulo(6), nullptr);
        ASSERT_EQ(engine_registrarModelo(6, 1), nullptr);
        ASSERT_EQ(engine_registrarModelo(6, 2), nullptr);
        ASSERT_EQ(engine_registrarPropriedade(6, 2, 1, sortear, naoMudar, 'N'), nullptr);
    }

    static uint32_t constante(int32_t v) { return engine_criarOperacao((uint32_t)v, 10, 0); }

    // The value of a node, read through a probe instance bound to it.
    static _engine_valor avaliar(uint32_t recurso)
    {
        EXPECT_EQ(engine_propriedade_mudarRecurso(2, 1, SONDA, 1, recurso), nullptr);
        return engine_propriedade_pegarValor(2, 1, SONDA, 1, nullptr);
    }

    static _engine_valor ler(uint32_t p, uint32_t i, char* recalculado = nullptr)
    {
        return engine_propriedade_pegarValor(2, 1, p, i, recalculado);
    }
};

TEST_F(Grafo, Operadores)
{
    struct Caso {
        int32_t a, operacao, b, valor;
    } casos[] = {
        {INT_MAX, 0, 1, INT_MIN},        // wraps around
        {INT_MIN, 1, 1, INT_MAX},
        {65536, 2, 65537, 65536},
        {7, 3, -2, -3},                  // toward zero
        {7, 4, -2, 1},                   // sign of a
        {-7, 4, 2, -1},
        {5, 3, 0, 0},                    // zero divisors
        {5, 4, 0, 0},
        {INT_MIN, 3, -1, INT_MIN},       // the quotient that does not fit
        {INT_MIN, 4, -1, 0},
        {2, 5, 10, 1024},
        {2, 5, 31, INT_MIN},             // 2^31 is out of range
        {-2, 5, 31, INT_MIN},
        {3, 5, 40, INT_MIN},
        {2, 5, -1, 0},                   // 0.5 truncated
        {16, 6, 2, 4},
        {-8, 6, 2, INT_MIN},             // not a number
        {16, 6, 0, INT_MIN},             // 16 to the power infinity
        {1, 6, 0, 1},
        {-5, 7, 99, 5},
        {INT_MIN, 7, 0, INT_MIN},
        {3, 8, 3, 3},                    // ties give a
        {2, 8, 9, 2},
        {-4, 9, -4, -4},
        {2, 9, 9, 9},
        {1, 11, 2, 0},                   // unknown codes
        {1, -1, 2, 0},
    };
    for (const Caso& c : casos) {
        uint32_t no = engine_criarOperacao(constante(c.a), c.operacao, constante(c.b));
        ASSERT_NE(no, 0u);
        EXPECT_EQ(avaliar(no), c.valor) << c.a << " op " << c.operacao << " " << c.b;
    }
    EXPECT_EQ(avaliar(constante(3000)), 3000);
}

TEST_F(Grafo, CriacaoRecusada)
{
    uint32_t c = constante(1);
    EXPECT_EQ(engine_criarOperacao(c, 0, 99), 0u);
    EXPECT_EQ(engine_criarOperacao(99, 7, c), 0u);   // code 7 also needs a live b
    EXPECT_EQ(engine_criarOperacao(99, 10, 99), 2u);  // a constant needs no operands
    EXPECT_EQ(engine_criarReferencia(5, 1, 1, 1), 0u);
    EXPECT_EQ(engine_criarReferencia(2, 2, 1, 1), 0u);
    EXPECT_EQ(engine_criarReferencia(2, 1, 4, 1), 0u);
    EXPECT_EQ(engine_criarReferencia(2, 1, LAZY, 0), 0u);  // instance 0 can have no entry

    // The node id is checked first, then the property's numbers.
    struct Caso {
        uint32_t modulo, modelo, propriedade, instancia, recurso;
        const char* erro;
    } casos[] = {
        {5, 1, 1, 1, 99, "Recurso invalido"}, {2, 1, 1, 1, 99, "Recurso invalido"},
        {5, 1, 1, 1, c, "Modulo invalido"},   {2, 2, 1, 1, c, "Modelo invalido"},
        {2, 1, 4, 1, c, "Propriedade invalida"}, {2, 1, 1, 0, c, "Erro ao inserir posicao"},
    };
    for (const Caso& k : casos)
        EXPECT_STREQ(engine_propriedade_mudarRecurso(k.modulo, k.modelo, k.propriedade, k.instancia, k.recurso),
                     k.erro);
    EXPECT_STREQ(engine_destruirRecurso(0), "Recurso invalido");
    EXPECT_STREQ(engine_destruirRecurso(99), "Recurso invalido");
    EXPECT_EQ(engine_destruirRecurso(c), nullptr);
    EXPECT_STREQ(engine_destruirRecurso(c), "Recurso invalido");
    EXPECT_TRUE(modulo.escritas.empty());
}

TEST_F(Grafo, EagerEEmpurradoNaHoraSoQuandoOModuloDiverge)
{
    modulo.valores[EAGER][1] = 7;
    modulo.valores[EAGER][2] = 4;
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, EAGER, 1, constante(4)), nullptr);
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, EAGER, 2, constante(4)), nullptr);
    EXPECT_EQ(modulo.escritas, (std::vector<Escrita>{{EAGER, 1, 4}}));  // instance 2 had 4 already
    char recalculado = 'N';
    EXPECT_EQ(ler(EAGER, 1, &recalculado), 4);
    EXPECT_EQ(recalculado, 'N');  // valid since the push
}

TEST_F(Grafo, LazySoChegaAoModuloNaLeitura)
{
    modulo.valores[LAZY][1] = 7;
    uint32_t x = engine_criarReferencia(2, 1, LAZY, 2);
    modulo.valores[LAZY][2] = 30;
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, LAZY, 1, engine_criarOperacao(x, 0, constante(1))), nullptr);
    EXPECT_TRUE(modulo.escritas.empty());

    // Through another expression the instance is recomputed, never set.
    modulo.valores[LAZY][2] = 0;
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, 2, 10), nullptr);
    uint32_t leitor = engine_criarReferencia(2, 1, LAZY, 1);
    EXPECT_EQ(avaliar(leitor), 11);
    EXPECT_TRUE(modulo.escritas.empty());

    // Only its own read pushes it.
    EXPECT_EQ(modulo.valores[LAZY][1], 7);
    char recalculado = 'N';
    EXPECT_EQ(ler(LAZY, 1, &recalculado), 11);
    EXPECT_EQ(recalculado, 'N');  // the reference above recomputed it already
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, 2, 20), nullptr);
    EXPECT_EQ(ler(LAZY, 1, &recalculado), 21);
    EXPECT_EQ(recalculado, 'S');
    EXPECT_EQ(modulo.escritas, (std::vector<Escrita>{{LAZY, 1, 21}}));
    // No push when the module already has the value.
    modulo.escritas.clear();
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, 2, 30), nullptr);
    modulo.valores[LAZY][1] = 31;
    EXPECT_EQ(ler(LAZY, 1), 31);
    EXPECT_TRUE(modulo.escritas.empty());
}

TEST_F(Grafo, EntradaValidaNaoReleOModuloAteSerInvalidada)
{
    modulo.valores[LAZY][2] = 5;
    uint32_t x = engine_criarReferencia(2, 1, LAZY, 2);
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, EAGER, 1, engine_criarOperacao(x, 2, constante(3))), nullptr);
    EXPECT_EQ(modulo.valores[EAGER][1], 15);

    modulo.valores[LAZY][2] = 6;  // changes by itself, unreported
    int leituras = modulo.leituras[LAZY];
    EXPECT_EQ(ler(EAGER, 1), 15);
    EXPECT_EQ(ler(LAZY, 2), 5);
    EXPECT_EQ(modulo.leituras[LAZY], leituras);

    EXPECT_EQ(engine_propriedade_invalidar(2, 1, LAZY, 2), nullptr);
    EXPECT_EQ(modulo.valores[EAGER][1], 18);  // pushed during the walk
    EXPECT_EQ(ler(LAZY, 2), 6);

    // Writing the base it already has does nothing at all.
    modulo.escritas.clear();
    leituras = modulo.leituras[LAZY] + modulo.leituras[EAGER];
    EXPECT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, 2, 6), nullptr);
    EXPECT_EQ(engine_propriedade_mudarValor(2, 1, EAGER, 1, 0), nullptr);  // its base since binding
    EXPECT_TRUE(modulo.escritas.empty());
    EXPECT_EQ(modulo.leituras[LAZY] + modulo.leituras[EAGER], leituras);
}

TEST_F(Grafo, DesvincularDaAoValorOGetterDoMomento)
{
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, LAZY, 1, constante(8)), nullptr);
    EXPECT_EQ(ler(LAZY, 1), 8);
    modulo.valores[LAZY][1] = 40;
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, LAZY, 1, 0), nullptr);
    modulo.valores[LAZY][1] = 41;  // after unbinding: not seen
    EXPECT_EQ(ler(LAZY, 1), 40);
    EXPECT_EQ(modulo.valores[LAZY][1], 40);
}

TEST_F(Grafo, SegundaReferenciaMantemOVinculo)
{
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, LAZY, 1, constante(8)), nullptr);
    uint32_t r = engine_criarReferencia(2, 1, LAZY, 1);
    ASSERT_NE(r, 0u);
    EXPECT_EQ(ler(LAZY, 1), 8);
    EXPECT_EQ(avaliar(r), 8);
}

TEST_F(Grafo, CicloLeABase)
{
    // Lazy: the instance's expression doubles the instance itself.
    uint32_t eu = engine_criarReferencia(2, 1, LAZY, 1);
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, LAZY, 1, engine_criarOperacao(eu, 2, constante(2))), nullptr);
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, 1, 5), nullptr);
    EXPECT_EQ(ler(LAZY, 1), 10);
    EXPECT_EQ(modulo.escritas, (std::vector<Escrita>{{LAZY, 1, 10}}));
    EXPECT_EQ(ler(LAZY, 1), 10);
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, 1, 5), nullptr);  // still the base: nothing
    EXPECT_EQ(modulo.escritas.size(), 1u);
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, 1, 6), nullptr);
    EXPECT_EQ(ler(LAZY, 1), 12);

    // Eager: the write ends, with the value computed from the base pushed,
    // and another eager reader sees that value.
    modulo.escritas.clear();
    uint32_t e1 = engine_criarReferencia(2, 1, EAGER, 1);
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, EAGER, 1, engine_criarOperacao(e1, 2, constante(2))), nullptr);
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, EAGER, 3, engine_criarOperacao(e1, 0, constante(0))), nullptr);
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, EAGER, 1, 5), nullptr);
    EXPECT_EQ(modulo.escritas, (std::vector<Escrita>{{EAGER, 1, 10}, {EAGER, 3, 10}}));
    EXPECT_EQ(ler(EAGER, 1), 10);

    // A cycle through two eager instances ends too, each write leaving both
    // entries valid with their modules holding their values.
    uint32_t e2 = engine_criarReferencia(2, 1, EAGER, 2);
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, EAGER, 1, engine_criarOperacao(e1, 0, e2)), nullptr);
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, EAGER, 2, engine_criarOperacao(e1, 2, constante(10))),
              nullptr);
    for (int v = 1; v <= 3; v++) {
        ASSERT_EQ(engine_propriedade_mudarValor(2, 1, EAGER, 1, v), nullptr);
        for (uint32_t i : {1u, 2u}) {
            char recalculado = 'N';
            EXPECT_EQ(ler(EAGER, i, &recalculado), modulo.valores[EAGER][i]);
            EXPECT_EQ(recalculado, 'N');
        }
    }
}

TEST_F(Grafo, EagerPorDoisCaminhosVeOValorIntermediario)
{
    // 2.3 = 1.1 + 1.2, with 1.1 and 1.2 both bound to 1.4; the walk reaches
    // 2.3 through 1.2 first (last added reader first) and then through 1.1.
    uint32_t base = engine_criarReferencia(2, 1, LAZY, 4);
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, LAZY, 1, engine_criarOperacao(base, 0, constante(0))), nullptr);
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, LAZY, 2, engine_criarOperacao(base, 0, constante(100))),
              nullptr);
    uint32_t soma = engine_criarOperacao(engine_criarReferencia(2, 1, LAZY, 1), 0,
                                         engine_criarReferencia(2, 1, LAZY, 2));
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, EAGER, 3, soma), nullptr);
    EXPECT_EQ(modulo.valores[EAGER][3], 100);
    modulo.escritas.clear();
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, 4, 1), nullptr);
    EXPECT_EQ(modulo.escritas, (std::vector<Escrita>{{EAGER, 3, 101}, {EAGER, 3, 102}}));
}

TEST_F(Grafo, NumerosAleatoriosSorteiamAPorCadaInvalidacao)
{
    uint32_t r = engine_criarReferencia(6, 2, 1, 1);  // draws the entry's first base
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, LAZY, 1, r), nullptr);
    EXPECT_EQ(ler(LAZY, 1), 2);  // the evaluation through the reference draws again
    EXPECT_EQ(ler(LAZY, 1), 2);  // never valid, but the entry keeps its number
    EXPECT_EQ(modulo.sorteios, 2);
    ASSERT_EQ(engine_propriedade_invalidar(6, 2, 1, 1), nullptr);  // the data module's frame
    EXPECT_EQ(ler(LAZY, 1), 4);
    EXPECT_EQ(modulo.sorteios, 4);
}

TEST_F(Grafo, RecursoDestruidoNaoEConfundidoComOQueReusaOId)
{
    uint32_t x = engine_criarReferencia(2, 1, LAZY, 2);
    uint32_t y = engine_criarReferencia(2, 1, LAZY, 4);
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, 4, 2), nullptr);
    uint32_t c = constante(5);
    uint32_t soma = engine_criarOperacao(x, 0, c);
    uint32_t produto = engine_criarOperacao(soma, 2, y);
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, EAGER, 1, soma), nullptr);
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, LAZY, 3, produto), nullptr);
    EXPECT_EQ(ler(LAZY, 3), 10);

    ASSERT_EQ(engine_destruirRecurso(soma), nullptr);
    EXPECT_EQ(constante(1000), soma);  // the id is reused
    ASSERT_EQ(engine_propriedade_invalidar(2, 1, EAGER, 1), nullptr);
    EXPECT_EQ(ler(EAGER, 1), 0);  // bound to a destroyed node: 0, not 1000
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, 4, 3), nullptr);
    EXPECT_EQ(ler(LAZY, 3), 0);   // its operand is gone: 0 * 3, not 1000 * 3

    // A destroyed reference is no longer walked: a node under its id is not
    // invalidated by writes to the instance it read.
    ASSERT_EQ(engine_destruirRecurso(x), nullptr);
    uint32_t outro = engine_criarReferencia(2, 1, LAZY, 5);
    EXPECT_EQ(outro, x);
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, EAGER, 6, engine_criarOperacao(outro, 0, c)), nullptr);
    int leituras = modulo.leituras[EAGER];
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, 2, 9), nullptr);
    EXPECT_EQ(modulo.leituras[EAGER], leituras);  // instance 6 was not pushed
}

TEST_F(Grafo, RemoverPosicao)
{
    uint32_t r = engine_criarReferencia(2, 1, LAZY, 2);
    uint32_t s = engine_criarReferencia(2, 1, LAZY, 2);
    uint32_t soma = engine_criarOperacao(r, 0, s);
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, 2, 4), nullptr);
    EXPECT_EQ(avaliar(soma), 8);
    EXPECT_EQ(engine_propriedade_removerPosicao(2, 1, LAZY, 2), nullptr);
    EXPECT_STREQ(engine_destruirRecurso(r), "Recurso invalido");
    EXPECT_STREQ(engine_destruirRecurso(s), "Recurso invalido");
    EXPECT_STREQ(engine_propriedade_removerPosicao(2, 1, LAZY, 2), "Posicao invalida");
    EXPECT_STREQ(engine_propriedade_invalidar(2, 1, LAZY, 2), "Posicao invalida");
    // Back on the direct path.
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, 2, 7), nullptr);
    EXPECT_EQ(modulo.valores[LAZY][2], 7);
    EXPECT_STREQ(engine_propriedade_removerPosicao(5, 1, 1, 2), "Modulo invalido");
    EXPECT_STREQ(engine_propriedade_removerPosicao(2, 2, 1, 2), "Modelo invalido");
    EXPECT_STREQ(engine_propriedade_removerPosicao(2, 1, 4, 2), "Propriedade invalida");
}

TEST_F(Grafo, ValoresCarregamEnderecos)
{
    // A reference passes the whole value through; a text address survives.
    static const char texto[] = "026300";
    modulo.valores[LAZY][2] = (_engine_valor)texto;
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, LAZY, 1, engine_criarReferencia(2, 1, LAZY, 2)), nullptr);
    EXPECT_EQ((const char*)ler(LAZY, 1), texto);
}

}  // namespace

// Expressions far deeper than any game needs: a chain of 100,000 operations
// stops growing at the limit, binding to its top is refused with a text, and
// the rest of it still works; a chain of bindings made deeper later does not
// crash the walks, which stop at their own depth.
TEST_F(Grafo, ExpressaoProfundaDemais)
{
    uint32_t um = constante(1);
    uint32_t topo = engine_criarReferencia(2, 1, LAZY, 2), abaixo = 0;
    int criadas = 0;
    for (int i = 0; i < 100000; i++) {
        uint32_t novo = engine_criarOperacao(topo, 0, um);
        if (novo == 0) break;
        abaixo = topo;
        topo = novo;
        criadas++;
    }
    EXPECT_LT(criadas, 100000);
    EXPECT_GT(criadas, 900);
    EXPECT_EQ(engine_criarOperacao(topo, 0, um), 0u);
    EXPECT_STREQ(engine_propriedade_mudarRecurso(2, 1, EAGER, 3, topo), "Expressao profunda demais");
    ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, EAGER, 3, abaixo), nullptr);
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, 2, 10), nullptr);
    EXPECT_EQ(modulo.valores[EAGER][3], 10 + criadas - 1);

    // Instance i follows instance i + 1, bound from the top down, so that no
    // single binding looks deep.
    const uint32_t primeira = 100, ultima = 5100;
    for (uint32_t i = primeira; i < ultima; i++)
        ASSERT_EQ(engine_propriedade_mudarRecurso(2, 1, LAZY, i, engine_criarReferencia(2, 1, LAZY, i + 1)), nullptr);
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, ultima, 7), nullptr);
    EXPECT_EQ(ler(LAZY, ultima - 1000), 7);
    EXPECT_EQ(ler(LAZY, primeira), 0);  // cut short, not kept
    ASSERT_EQ(engine_propriedade_mudarValor(2, 1, LAZY, ultima, 8), nullptr);
    EXPECT_EQ(ler(LAZY, ultima - 1000), 8);
}
