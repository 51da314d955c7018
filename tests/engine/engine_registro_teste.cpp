#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/engine.h"

namespace {

// A module's record: one value per instance, with call counters.
struct Registro {
    _engine_valor valores[8];
    int leituras, escritas;
} registro;

_engine_valor pegarA(uint32_t i) { registro.leituras++; return i < 8 ? registro.valores[i] : 0; }
const char* mudarA(uint32_t i, _engine_valor v)
{
    registro.escritas++;
    if (i >= 8) return "Instancia invalida";
    registro.valores[i] = v;
    return nullptr;
}
_engine_valor pegarB(uint32_t) { return 2; }
const char* mudarB(uint32_t, _engine_valor) { return nullptr; }

class Registro_ : public ::testing::Test {
protected:
    void SetUp() override
    {
        registro = {};
        engine_iniciar(true);
        ASSERT_EQ(engine_registrarModulo(2), nullptr);
        ASSERT_EQ(engine_registrarModelo(2, 1), nullptr);
    }
};

std::string tomar(const char* erro)
{
    std::string s = erro ? erro : "<null>";
    free((void*)erro);
    return s;
}

TEST_F(Registro_, ForaDoGrafoCadaLeituraEEscritaVaiAoModulo)
{
    ASSERT_EQ(engine_registrarPropriedade(2, 1, 1, pegarA, mudarA, 'S'), nullptr);
    for (int i = 0; i < 3; i++) EXPECT_EQ(engine_propriedade_mudarValor(2, 1, 1, 3, 77), nullptr);
    EXPECT_EQ(registro.escritas, 3);  // also with the value it already has
    char recalculado = 'N';
    EXPECT_EQ(engine_propriedade_pegarValor(2, 1, 1, 3, &recalculado), 77);
    EXPECT_EQ(engine_propriedade_pegarValor(2, 1, 1, 3, nullptr), 77);
    EXPECT_EQ(registro.leituras, 2);
    EXPECT_EQ(recalculado, 'N');
    // The setter's own text comes back unchanged; the instance is not checked.
    EXPECT_STREQ(engine_propriedade_mudarValor(2, 1, 1, 9, 1), "Instancia invalida");
    // Outside the graph an instance has no entry to invalidate; no getter is called.
    EXPECT_STREQ(engine_propriedade_invalidar(2, 1, 1, 3), "Posicao invalida");
    EXPECT_EQ(registro.leituras, 2);
    // Values carry an address on this build.
    static const char texto[] = "026300";
    EXPECT_EQ(engine_propriedade_mudarValor(2, 1, 1, 4, (_engine_valor)texto), nullptr);
    EXPECT_EQ((const char*)engine_propriedade_pegarValor(2, 1, 1, 4, nullptr), texto);
}

TEST_F(Registro_, IdsInvalidos)
{
    ASSERT_EQ(engine_registrarPropriedade(2, 1, 1, pegarA, mudarA, 'N'), nullptr);
    struct Caso {
        uint32_t modulo, modelo, propriedade;
        const char* erro;
    } casos[] = {
        {0, 1, 1, "Modulo invalido"},   {5, 1, 1, "Modulo invalido"},   {11, 1, 1, "Modulo invalido"},
        {1, 1, 1, "Modelo invalido"},   {2, 0, 1, "Modelo invalido"},   {2, 2, 1, "Modelo invalido"},
        {2, 1, 0, "Propriedade invalida"}, {2, 1, 2, "Propriedade invalida"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(engine_propriedade_pegarValor(c.modulo, c.modelo, c.propriedade, 1, nullptr), 0);
        EXPECT_STREQ(engine_propriedade_mudarValor(c.modulo, c.modelo, c.propriedade, 1, 1), c.erro);
        EXPECT_STREQ(engine_propriedade_invalidar(c.modulo, c.modelo, c.propriedade, 1), c.erro);
    }
    EXPECT_EQ(registro.leituras + registro.escritas, 0);
}

TEST_F(Registro_, RegistrarEmNumeroOcupadoDesloca)
{
    ASSERT_EQ(engine_registrarPropriedade(2, 1, 4, pegarA, mudarA, 'N'), nullptr);
    ASSERT_EQ(engine_registrarPropriedade(2, 1, 4, pegarB, mudarB, 'N'), nullptr);
    registro.valores[1] = 9;
    EXPECT_EQ(engine_propriedade_pegarValor(2, 1, 4, 1, nullptr), 2);  // the second record
    EXPECT_EQ(engine_propriedade_pegarValor(2, 1, 5, 1, nullptr), 9);  // the first moved up
    EXPECT_STREQ(engine_propriedade_mudarValor(2, 1, 3, 1, 0), "Propriedade invalida");

    // Model 3 before 1 and 2: the gaps stay invalid until filled, and
    // filling them moves nothing.
    ASSERT_EQ(engine_registrarModelo(3, 3), nullptr);  // module 3 is not registered: skipped
    ASSERT_EQ(engine_registrarModulo(3), nullptr);
    ASSERT_EQ(engine_registrarModelo(3, 3), nullptr);
    ASSERT_EQ(engine_registrarPropriedade(3, 3, 1, pegarB, mudarB, 'N'), nullptr);
    EXPECT_STREQ(engine_propriedade_mudarValor(3, 1, 1, 1, 0), "Modelo invalido");
    ASSERT_EQ(engine_registrarModelo(3, 1), nullptr);
    ASSERT_EQ(engine_registrarModelo(3, 2), nullptr);
    EXPECT_EQ(engine_propriedade_pegarValor(3, 3, 1, 1, nullptr), 2);
    EXPECT_STREQ(engine_propriedade_mudarValor(3, 1, 1, 1, 0), "Propriedade invalida");
}

TEST_F(Registro_, RegistrosRecusados)
{
    EXPECT_EQ(tomar(engine_registrarModulo(0)), "Erro ao registrar modulo: Posicao invalida");
    EXPECT_EQ(tomar(engine_registrarModelo(2, 0)), "Erro ao registrar modelo: Posicao invalida");
    EXPECT_EQ(tomar(engine_registrarPropriedade(2, 1, 0, pegarA, mudarA, 'S')),
              "Erro ao registrar propriedade: Posicao invalida");
    // Missing callbacks or owners: silently skipped.
    EXPECT_EQ(engine_registrarPropriedade(2, 1, 1, pegarA, nullptr, 'S'), nullptr);
    EXPECT_EQ(engine_registrarPropriedade(2, 1, 2, nullptr, mudarA, 'S'), nullptr);
    EXPECT_EQ(engine_registrarPropriedade(5, 1, 1, pegarA, mudarA, 'S'), nullptr);
    EXPECT_EQ(engine_registrarModelo(5, 1), nullptr);
    EXPECT_STREQ(engine_propriedade_mudarValor(2, 1, 1, 1, 0), "Propriedade invalida");
    EXPECT_STREQ(engine_propriedade_mudarValor(2, 1, 2, 1, 0), "Propriedade invalida");
    EXPECT_STREQ(engine_propriedade_mudarValor(5, 1, 1, 1, 0), "Modulo invalido");
    EXPECT_EQ(registro.leituras + registro.escritas, 0);
}

TEST_F(Registro_, IniciarEsvaziaORegistroERegistraOModulo1)
{
    EXPECT_EQ(engine_criarVetorPonteiro(1), 1u);
    engine_iniciar(true);
    EXPECT_EQ(engine_criarVetorPonteiro(2), 0u);
    EXPECT_EQ(engine_criarVetorPonteiro(1), 1u);
}

}  // namespace
