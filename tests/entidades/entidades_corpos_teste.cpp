// Entities over the real physics module: every entity's body exists, under
// the entity's id and at its position, before the model's start function runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conteudo/conteudo.h"
#include "engine/engine.h"
#include "engine/entidades.h"
#include "fisica/fisica.h"

const char* conteudo_registrar_entidades() { return nullptr; }

namespace {

std::vector<std::string> diario;
uint32_t modeloFilho = 0;

// What the start function finds of its own body.
void* inicio(uint32_t e, const char* quem)
{
    _engine_valor x = engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, FISICA_X, e, nullptr);
    _engine_valor y = engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, FISICA_Y, e, nullptr);
    diario.push_back(std::string(quem) + " " + std::to_string(e) + " corpo " + fisica_existeCorpo(e) + " " +
                     std::to_string(x) + "," + std::to_string(y));
    return nullptr;
}
void* inicioFilho(uint32_t e) { return inicio(e, "filho"); }
void* inicioPai(uint32_t e)
{
    inicio(e, "pai");
    entidades_criarEntidade(modeloFilho, 10, 20);
    inicio(e, "pai de novo");
    return nullptr;
}

TEST(EntidadesComFisica, CorpoCriadoAntesDoInicio)
{
    engine_iniciar(true);
    ASSERT_EQ(fisica_iniciar('N', 1000), 1);
    ASSERT_EQ(entidades_iniciar('N'), nullptr);
    diario.clear();
    modeloFilho = entidades_criarModelo(inicioFilho);
    uint32_t pai = entidades_criarModelo(inicioPai);

    EXPECT_EQ(entidades_criarEntidade(99, 0, 0), 0u);
    EXPECT_EQ(fisica_existeCorpo(2), 'N');  // an unknown model makes no body

    EXPECT_EQ(entidades_criarEntidade(pai, 40, -20), 2u);
    EXPECT_EQ(diario, (std::vector<std::string>{"pai 2 corpo S 40,-20", "filho 3 corpo S 10,20",
                                                 "pai de novo 2 corpo S 40,-20"}));
    EXPECT_EQ(fisica_existeCorpo(1), 'N');  // the pointer's body is not the entities module's
    fisica_finalizar();
}

}  // namespace
