#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "engine/engine.h"
#include "engine/engine_aleatorio.h"
#include "engine/engine_interno.h"

namespace {

const uint32_t M = 2;

class Vetores : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine_iniciar(true);
        ASSERT_EQ(engine_registrarModulo(M), nullptr);
    }
};

int* novoInteiro(int v)
{
    int* p = (int*)malloc(sizeof(int));
    *p = v;
    return p;
}

TEST_F(Vetores, PersistenteReusaOIdLivreMaisAntigo)
{
    uint32_t v = engine_criarVetorPersistente(M);
    for (int i = 1; i <= 3; i++) ASSERT_EQ(engine_vetorPersistente_adicionarPonteiro(M, v, novoInteiro(i)), (uint32_t)i);
    EXPECT_EQ(engine_vetorPersistente_removerPosicao(M, v, 1), nullptr);
    EXPECT_EQ(engine_vetorPersistente_removerPosicao(M, v, 2), nullptr);
    EXPECT_EQ(engine_vetorPersistente_adicionarPonteiro(M, v, novoInteiro(10)), 1u);
    EXPECT_EQ(engine_vetorPersistente_adicionarPonteiro(M, v, novoInteiro(20)), 2u);
    EXPECT_EQ(engine_vetorPersistente_adicionarPonteiro(M, v, novoInteiro(40)), 4u);
    EXPECT_EQ(*(int*)engine_vetorPersistente_pegarPonteiro(M, v, 2), 20);
    EXPECT_EQ(engine_vetorPersistente_pegarTamanho(M, v), 4u);
}

TEST_F(Vetores, RemoverOTopoDescartaVaziosEPurgaALista)
{
    uint32_t v = engine_criarVetorPersistente(M);
    for (int i = 1; i <= 5; i++) engine_vetorPersistente_adicionarPonteiro(M, v, novoInteiro(i));
    _engine_vetorPersistente* bruto = nullptr;
    // Ids 2 and 4 emptied, then the top (5) removed: 4 goes with it and leaves the free list.
    EXPECT_EQ(engine_vetorPersistente_removerPosicao(M, v, 4), nullptr);
    EXPECT_EQ(engine_vetorPersistente_removerPosicao(M, v, 2), nullptr);
    EXPECT_EQ(engine_vetorPersistente_removerPosicao(M, v, 5), nullptr);
    EXPECT_EQ(engine_vetorPersistente_pegarTamanho(M, v), 3u);
    bruto = (_engine_vetorPersistente*)ENGINE_pegarPersistente(&ENGINE_pegarModulo(M)->vetoresPersistente, v);
    ASSERT_EQ(bruto->nLivres, 1u);
    EXPECT_EQ(bruto->livres[0], 1u);
    // Then 3 goes and 2 below it is dropped too: size 1, nothing free.
    EXPECT_EQ(engine_vetorPersistente_removerPosicao(M, v, 3), nullptr);
    EXPECT_EQ(engine_vetorPersistente_pegarTamanho(M, v), 1u);
    EXPECT_EQ(bruto->nLivres, 0u);
    EXPECT_EQ(bruto->livres, nullptr);
    EXPECT_EQ(engine_vetorPersistente_adicionarPonteiro(M, v, novoInteiro(2)), 2u);
    EXPECT_EQ(engine_vetorPersistente_removerPosicao(M, v, 2), nullptr);
    EXPECT_EQ(engine_vetorPersistente_removerPosicao(M, v, 1), nullptr);
    EXPECT_EQ(engine_vetorPersistente_pegarTamanho(M, v), 0u);
    EXPECT_EQ(bruto->itens, nullptr);
}

TEST_F(Vetores, PersistenteRecusaIdsInvalidos)
{
    uint32_t v = engine_criarVetorPersistente(M);
    engine_vetorPersistente_adicionarPonteiro(M, v, novoInteiro(1));
    engine_vetorPersistente_adicionarPonteiro(M, v, novoInteiro(2));
    engine_vetorPersistente_removerPosicao(M, v, 1);
    for (uint32_t id : {0u, 1u, 3u, 0xFFFFFFFFu}) {
        EXPECT_STREQ(engine_vetorPersistente_removerPosicao(M, v, id), "Posicao invalida") << id;
        EXPECT_EQ(engine_vetorPersistente_pegarPonteiro(M, v, id), nullptr) << id;
    }
    EXPECT_EQ(engine_vetorPersistente_adicionarPonteiro(M, v, nullptr), 0u);
    EXPECT_STREQ(engine_vetorPersistente_removerPosicao(M, v + 1, 2), "Vetor persistente invalido");
    EXPECT_STREQ(engine_vetorPersistente_removerPosicao(5, v, 2), "Modulo invalido");
}

TEST_F(Vetores, InserirPonteiroEmPreencheDeslocaECresce)
{
    int a, b, c;
    _engine_vetorPonteiro v;
    ENGINE_construirVetorPonteiro(&v);
    EXPECT_STREQ(ENGINE_inserirPonteiroEm(&v, &a, 0), "Posicao invalida");
    EXPECT_EQ(v.tamanho, 0u);
    // Grow: position 5 of an empty vector.
    EXPECT_EQ(ENGINE_inserirPonteiroEm(&v, &a, 5), nullptr);
    ASSERT_EQ(v.tamanho, 5u);
    for (uint32_t i = 1; i <= 4; i++) EXPECT_EQ(ENGINE_pegarPonteiro(&v, i), nullptr);
    EXPECT_EQ(ENGINE_pegarPonteiro(&v, 5), &a);
    // Shift: an occupied position moves its occupant up.
    EXPECT_EQ(ENGINE_inserirPonteiroEm(&v, &b, 5), nullptr);
    EXPECT_EQ(v.tamanho, 6u);
    EXPECT_EQ(ENGINE_pegarPonteiro(&v, 5), &b);
    EXPECT_EQ(ENGINE_pegarPonteiro(&v, 6), &a);
    // Fill: an empty slot takes the pointer without moving anything.
    EXPECT_EQ(ENGINE_inserirPonteiroEm(&v, &c, 2), nullptr);
    EXPECT_EQ(v.tamanho, 6u);
    EXPECT_EQ(ENGINE_pegarPonteiro(&v, 2), &c);
    EXPECT_EQ(ENGINE_pegarPonteiro(&v, 6), &a);
    ENGINE_esvaziarVetorPonteiro(&v);
}

TEST_F(Vetores, PonteiroEInteiroPorModulo)
{
    uint32_t p = engine_criarVetorPonteiro(M);
    EXPECT_EQ(engine_vetorPonteiro_adicionarPonteiro(M, p, novoInteiro(1)), 1u);
    EXPECT_EQ(engine_vetorPonteiro_adicionarPonteiroEm(M, p, novoInteiro(3), 3), nullptr);
    EXPECT_EQ(engine_vetorPonteiro_pegarTamanho(M, p), 3u);  // empty slot 2 counts
    EXPECT_EQ(engine_vetorPonteiro_adicionarPonteiro(M, p, nullptr), 0u);
    int* retirado = (int*)engine_vetorPonteiro_retirarPonteiro(M, p, 3);
    ASSERT_NE(retirado, nullptr);
    EXPECT_EQ(*retirado, 3);
    free(retirado);
    EXPECT_EQ(engine_vetorPonteiro_retirarPonteiro(M, p, 3), nullptr);
    EXPECT_EQ(engine_vetorPonteiro_limparPonteiro(M, p, 1), nullptr);
    EXPECT_EQ(engine_vetorPonteiro_pegarPonteiro(M, p, 1), nullptr);
    EXPECT_EQ(engine_vetorPonteiro_removerPonteiro(M, p, 1), nullptr);
    EXPECT_EQ(engine_vetorPonteiro_pegarTamanho(M, p), 1u);
    EXPECT_STREQ(engine_vetorPonteiro_removerPonteiro(M, p, 2), "Posicao invalida");

    uint32_t n = engine_criarVetorInteiro(M);
    for (int32_t x : {7, -8, 9}) engine_vetorInteiro_adicionarNumero(M, n, x);
    EXPECT_EQ(engine_vetorInteiro_removerNumero(M, n, 1), nullptr);
    EXPECT_EQ(engine_vetorInteiro_pegarNumero(M, n, 1), -8);
    EXPECT_EQ(engine_vetorInteiro_pegarNumero(M, n, 3), 0);
    EXPECT_EQ(engine_vetorInteiro_pegarTamanho(M, n), 2u);
    EXPECT_STREQ(engine_vetorInteiro_removerNumero(M, n, 0), "Posicao invalida");

    // The three kinds are numbered separately in each module.
    EXPECT_EQ(p, 1u);
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(engine_criarVetorPersistente(M), 1u);
    EXPECT_EQ(engine_destruirVetorInteiro(M, n), nullptr);
    EXPECT_STREQ(engine_destruirVetorInteiro(M, n), "Vetor de numeros inteiros invalido");
    EXPECT_EQ(engine_criarVetorInteiro(M), 1u);
    EXPECT_EQ(engine_destruirVetorPonteiro(M, p), nullptr);
    EXPECT_STREQ(engine_destruirVetorPonteiro(M, p), "Vetor de ponteiros invalido");
}

TEST_F(Vetores, ModuloInvalidoComoNaoRegistrado)
{
    uint32_t p = engine_criarVetorPonteiro(M);
    for (uint32_t modulo : {0u, 5u, 99u}) {
        EXPECT_EQ(engine_criarVetorPonteiro(modulo), 0u);
        EXPECT_EQ(engine_criarVetorInteiro(modulo), 0u);
        EXPECT_EQ(engine_criarVetorPersistente(modulo), 0u);
        EXPECT_STREQ(engine_destruirVetorPonteiro(modulo, p), "Modulo invalido");
        EXPECT_STREQ(engine_destruirVetorInteiro(modulo, 1), "Modulo invalido");
        EXPECT_STREQ(engine_destruirVetorPersistente(modulo, 1), "Modulo invalido");
        EXPECT_EQ(engine_vetorPonteiro_pegarTamanho(modulo, p), 0u);
        EXPECT_STREQ(engine_vetorPonteiro_adicionarPonteiroEm(modulo, p, &p, 1), "Modulo invalido");
        EXPECT_STREQ(engine_vetorPonteiro_indice_removerPonteiro(modulo, p, "x", 'S'), "Modulo invalido");
        EXPECT_EQ(engine_vetorPonteiro_indice_pegarPonteiro(modulo, p, "x"), nullptr);
    }
    EXPECT_STREQ(engine_vetorPonteiro_indice_removerPonteiro(M, p + 1, "x", 'S'), "Indice nao encontrado");
}

TEST_F(Vetores, IndiceIgnoraCaixa)
{
    uint32_t v = engine_criarVetorPonteiro(M);
    int a, b;
    EXPECT_STREQ(engine_vetorPonteiro_indice_removerPonteiro(M, v, "x", 'S'), "Indice vazio");
    engine_vetorPonteiro_indice_adicionarPonteiro(M, v, "Pular", &a);
    engine_vetorPonteiro_indice_adicionarPonteiro(M, v, "pULAR", &b);
    EXPECT_EQ(engine_vetorPonteiro_pegarTamanho(M, v), 1u);
    EXPECT_EQ(engine_vetorPonteiro_indice_pegarPonteiro(M, v, "PULAR"), &b);
    const _engine_parIndice* par = (const _engine_parIndice*)engine_vetorPonteiro_pegarPonteiro(M, v, 1);
    EXPECT_STREQ(par->chave, "pular");
    EXPECT_STREQ(engine_vetorPonteiro_indice_removerPonteiro(M, v, "correr", 'S'), "Nome nao encontrado");
    EXPECT_EQ(engine_vetorPonteiro_indice_removerPonteiro(M, v, "PuLaR", 'N'), nullptr);
    EXPECT_EQ(engine_vetorPonteiro_pegarTamanho(M, v), 0u);
}

// The index against a std::map of lower-cased keys over random operations.
TEST_F(Vetores, IndiceComoUmMapaDeChavesMinusculas)
{
    uint32_t v = engine_criarVetorPonteiro(M);
    _engine_vetorPonteiro* bruto =
        (_engine_vetorPonteiro*)ENGINE_pegarPersistente(&ENGINE_pegarModulo(M)->vetoresPonteiro, v);
    std::map<std::string, void*> modelo;
    static char valores[64];
    _engine_gerador g;
    engine_gerador_semear(&g, 2024);
    const char letras[] = "aAbBcZ\xC3\x81_";
    for (int passo = 0; passo < 4000; passo++) {
        char nome[4] = {0, 0, 0, 0};
        int n = 1 + engine_gerador_sortear(&g) % 3;
        for (int i = 0; i < n; i++) nome[i] = letras[engine_gerador_sortear(&g) % (sizeof(letras) - 1)];
        std::string chave(nome);
        for (char& c : chave)
            if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
        int operacao = engine_gerador_sortear(&g) % 3;
        if (operacao == 0) {
            void* valor = &valores[engine_gerador_sortear(&g) % 64];
            engine_vetorPonteiro_indice_adicionarPonteiro(M, v, nome, valor);
            modelo[chave] = valor;
        } else if (operacao == 1) {
            auto it = modelo.find(chave);
            EXPECT_EQ(engine_vetorPonteiro_indice_pegarPonteiro(M, v, nome), it == modelo.end() ? nullptr : it->second);
        } else {
            const char* erro = engine_vetorPonteiro_indice_removerPonteiro(M, v, nome, passo % 2 ? 'S' : 'N');
            if (modelo.empty())
                EXPECT_STREQ(erro, "Indice vazio");
            else if (!modelo.count(chave))
                EXPECT_STREQ(erro, "Nome nao encontrado");
            else
                EXPECT_EQ(erro, nullptr);
            modelo.erase(chave);
        }
        ASSERT_EQ(bruto->tamanho, modelo.size());
    }
    // Same keys in the same (byte) order.
    uint32_t i = 0;
    for (const auto& par : modelo) {
        const _engine_parIndice* entrada = (const _engine_parIndice*)bruto->itens[i++];
        EXPECT_EQ(entrada->chave, par.first);
        EXPECT_EQ(entrada->valor, par.second);
        EXPECT_EQ(ENGINE_pegarIndice(bruto, par.first.c_str()), i - 1);
    }
    // Emptied to leave nothing behind for the leak check of the sanitizer build.
    for (const auto& par : modelo) engine_vetorPonteiro_indice_removerPonteiro(M, v, par.first.c_str(), 'N');
    EXPECT_EQ(bruto->tamanho, 0u);
}

}  // namespace
