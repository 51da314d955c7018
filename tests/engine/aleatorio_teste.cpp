#include <gtest/gtest.h>

#include "engine/engine_aleatorio.h"

TEST(Aleatorio, PrimeirosSorteiosDaSemente1)
{
    engine_semearAleatorio(1);
    const int32_t esperados[] = {41, 18467, 6334, 26500, 19169, 15724};
    for (int32_t e : esperados) EXPECT_EQ(engine_sortearAleatorio(), e);
}

TEST(Aleatorio, MesmaSementeMesmaSequenciaENuncaForaDe0a32767)
{
    for (uint32_t semente : {0u, 7u, 255u, 0xFFFFFFFFu}) {
        engine_semearAleatorio(semente);
        _engine_gerador local;
        engine_gerador_semear(&local, semente);
        int32_t minimo = 32767, maximo = 0;
        for (int i = 0; i < 200000; i++) {
            int32_t v = engine_sortearAleatorio();
            ASSERT_EQ(v, engine_gerador_sortear(&local));
            minimo = std::min(minimo, v);
            maximo = std::max(maximo, v);
        }
        EXPECT_EQ(minimo, 0);
        EXPECT_EQ(maximo, ENGINE_ALEATORIO_MAXIMO);
    }
}

TEST(Aleatorio, GeradorLocalNaoMexeNoGlobal)
{
    engine_semearAleatorio(1);
    _engine_gerador local;
    engine_gerador_semear(&local, 99);
    for (int i = 0; i < 10; i++) engine_gerador_sortear(&local);
    EXPECT_EQ(engine_sortearAleatorio(), 41);
}
