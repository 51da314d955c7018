#include <gtest/gtest.h>

#include <climits>

#include "engine/dados.h"
#include "engine/engine.h"
#include "engine/engine_aleatorio.h"

namespace {

int32_t extremo = 0;
int sorteios = 0;

}  // namespace

// The generator, replaced whole: every draw gives `extremo`.
void engine_gerador_semear(_engine_gerador* gerador, uint32_t semente) { gerador->estado = semente; }
int32_t engine_gerador_sortear(_engine_gerador*) { return extremo; }
void engine_semearAleatorio(uint32_t) {}
int32_t engine_sortearAleatorio()
{
    sorteios++;
    return extremo;
}

namespace {

TEST(DadosAleatorioExtremo, AsPontasDoGeradorDaoOsLimites)
{
    engine_iniciar(true);
    ASSERT_EQ(dados_iniciar('N'), nullptr);
    struct Caso {
        int32_t minimo, maximo;
        int sorteios;
    } casos[] = {
        {7, 7, 0},           {-3, -2, 1},         {1, 6, 1},
        {0, 32766, 1},       {0, 32767, 2},       {-100, 100000, 2},
        {0, 1073709055, 2},  {0, 1073709056, 3},  {INT32_MIN, INT32_MAX, 3},
        {INT32_MAX - 1, INT32_MAX, 1},
    };
    for (const Caso& c : casos) {
        uint32_t n = dados_criarNumeroAleatorio(c.minimo, c.maximo);
        ASSERT_NE(n, 0u);
        for (int32_t ponta : {0, ENGINE_ALEATORIO_MAXIMO}) {
            extremo = ponta;
            sorteios = 0;
            _engine_valor v = dados_numeroAleatorio_pegarValor(n);
            EXPECT_EQ(v, ponta == 0 ? c.minimo : c.maximo) << c.minimo << ".." << c.maximo << " ponta " << ponta;
            EXPECT_EQ(sorteios, c.sorteios) << c.minimo << ".." << c.maximo;
        }
    }
}

}  // namespace
