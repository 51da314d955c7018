#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/entidades.h"

namespace {

// What happened, in order: content registration, bodies, functions.
std::vector<std::string> diario;
const char* (*conteudo)() = nullptr;

void anotar(const std::string& linha) { diario.push_back(linha); }
std::string n(uint32_t v) { return std::to_string(v); }

}  // namespace

// Stand-ins for the game content and the physics module.
const char* conteudo_registrar_entidades()
{
    anotar("conteudo");
    return conteudo ? conteudo() : nullptr;
}

uint32_t fisica_criarCorpo(uint32_t entidade, int32_t x, int32_t y)
{
    anotar("corpo " + n(entidade) + " " + std::to_string(x) + "," + std::to_string(y));
    return entidade;
}

namespace {

uint32_t modeloFilho = 0;

void* inicioFilho(uint32_t e) { anotar("inicio filho " + n(e)); return nullptr; }
void* inicioPai(uint32_t e)
{
    anotar("inicio pai " + n(e));
    anotar("filho criado " + n(entidades_criarEntidade(modeloFilho, 1, 2)));
    anotar("fim pai " + n(e));
    return nullptr;
}
void* colisaoA(uint32_t e) { anotar("colisao A " + n(e)); return nullptr; }
void* colisaoB(uint32_t e) { anotar("colisao B " + n(e)); return nullptr; }

class Entidades : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine_iniciar(true);
        diario.clear();
        conteudo = nullptr;
        ASSERT_EQ(entidades_iniciar('N'), nullptr);
        diario.clear();
    }
};

TEST_F(Entidades, CorpoAntesDoInicioECriacoesAninhadasTomamOsIdsSeguintes)
{
    modeloFilho = entidades_criarModelo(inicioFilho);
    uint32_t pai = entidades_criarModelo(inicioPai);
    ASSERT_NE(modeloFilho, 0u);
    ASSERT_NE(pai, 0u);
    EXPECT_EQ(entidades_criarEntidade(pai, -30, 45), 2u);
    EXPECT_EQ(entidades_criarEntidade(modeloFilho, 0, 0), 4u);
    std::vector<std::string> esperado = {
        "corpo 2 -30,45", "inicio pai 2", "corpo 3 1,2", "inicio filho 3", "filho criado 3", "fim pai 2",
        "corpo 4 0,0",    "inicio filho 4",
    };
    EXPECT_EQ(diario, esperado);
}

TEST_F(Entidades, ModeloSemInicioAindaTemEntidadesECorpos)
{
    uint32_t modelo = entidades_criarModelo(nullptr);
    EXPECT_EQ(entidades_criarEntidade(modelo, 5, 6), 2u);
    EXPECT_EQ(entidades_criarEntidade(modelo, 7, 8), 3u);
    EXPECT_EQ(diario, (std::vector<std::string>{"corpo 2 5,6", "corpo 3 7,8"}));
}

TEST_F(Entidades, FuncoesPorNomeEmQualquerCaixaESubstituidas)
{
    uint32_t modelo = entidades_criarModelo(nullptr);
    ASSERT_EQ(entidades_modelo_criarFuncao(modelo, "Colisao", colisaoA), nullptr);
    uint32_t e = entidades_criarEntidade(modelo, 0, 0);
    diario.clear();
    for (const char* nome : {"colisao", "COLISAO", "cOlIsAo"}) EXPECT_EQ(entidades_entidade_chamarFuncao(e, nome), nullptr);
    {
        // The table keeps its own copy of the name.
        std::string nome = "COLISAO";
        ASSERT_EQ(entidades_modelo_criarFuncao(modelo, &nome[0], colisaoB), nullptr);
        nome = "xxxxxxx";
    }
    EXPECT_EQ(entidades_entidade_chamarFuncao(e, "colisao"), nullptr);
    EXPECT_EQ(diario, (std::vector<std::string>{"colisao A 2", "colisao A 2", "colisao A 2", "colisao B 2"}));
}

TEST_F(Entidades, IdsModelosENomesDesconhecidos)
{
    uint32_t modelo = entidades_criarModelo(nullptr);
    ASSERT_EQ(entidades_modelo_criarFuncao(modelo, "pular", colisaoA), nullptr);
    uint32_t e = entidades_criarEntidade(modelo, 0, 0);
    uint32_t outra = entidades_criarEntidade(modelo, 0, 0);
    EXPECT_EQ(entidades_destruirEntidade(outra), 0);
    diario.clear();

    struct Caso {
        uint32_t entidade;
        const char* nome;
        const char* erro;
    } casos[] = {
        {0, "pular", "Entidade invalida"},      // none
        {1, "pular", "Entidade invalida"},      // the pointer's body has no entity
        {outra, "pular", "Entidade invalida"},  // destroyed
        {99, "pular", "Entidade invalida"},
        {e, "correr", "Funcao invalida"},
        {e, nullptr, "Funcao invalida"},
    };
    for (const Caso& c : casos)
        EXPECT_STREQ(entidades_entidade_chamarFuncao(c.entidade, c.nome), c.erro) << c.entidade;
    // The model of an entity; none for the ids without one.
    EXPECT_EQ(entidades_entidade_pegarModelo(e), modelo);
    for (uint32_t semModelo : {0u, 1u, outra, 99u}) EXPECT_EQ(entidades_entidade_pegarModelo(semModelo), 0u);

    EXPECT_EQ(entidades_criarEntidade(0, 0, 0), 0u);
    EXPECT_EQ(entidades_criarEntidade(modelo + 1, 0, 0), 0u);
    EXPECT_STREQ(entidades_modelo_criarFuncao(modelo + 1, "pular", colisaoA), "Modelo invalido");
    EXPECT_STREQ(entidades_modelo_criarFuncao(modelo, "vazio", nullptr), "Funcao invalida");
    EXPECT_TRUE(diario.empty());  // no body, no function ran

    // The destroyed entity's id is taken again.
    EXPECT_EQ(entidades_criarEntidade(modelo, 0, 0), outra);
}

const char* conteudoComModelo()
{
    uint32_t modelo = entidades_criarModelo(inicioFilho);
    anotar("nivel " + n(entidades_criarEntidade(modelo, 0, 0)));
    return "Conteudo incompleto";
}

TEST(EntidadesInicio, ConteudoRegistradoNaPartidaERegistroEscrito)
{
    struct Caso {
        char log;
        const char* saida;
    } casos[] = {
        {'S', "ENTIDADES - Iniciando m\xF3" "dulo de entidades\nENTIDADES - Conteudo incompleto\n"},
        {'N', ""},
    };
    for (const Caso& c : casos) {
        engine_iniciar(true);
        diario.clear();
        conteudo = conteudoComModelo;
        testing::internal::CaptureStderr();
        EXPECT_EQ(entidades_iniciar(c.log), nullptr);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.saida);
        EXPECT_EQ(diario, (std::vector<std::string>{"conteudo", "corpo 2 0,0", "inicio filho 2", "nivel 2"}));
        // The module writes nothing for failed calls.
        testing::internal::CaptureStderr();
        EXPECT_STREQ(entidades_entidade_chamarFuncao(2, "nada"), "Funcao invalida");
        EXPECT_STREQ(entidades_entidade_chamarFuncao(7, "nada"), "Entidade invalida");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }
    conteudo = nullptr;
}

}  // namespace
