// What the physics tests share: a fresh registry with the physics and
// entities modules started, and short ways to reach body and figure
// properties through the engine.
#ifndef MORVALEN_TESTE_FISICA_H
#define MORVALEN_TESTE_FISICA_H

#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "engine/entidades.h"
#include "fisica/fisica_interno.h"

inline _engine_valor ler(uint32_t entidade, uint32_t p)
{
    return engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, p, entidade, nullptr);
}
inline const char* mudar(uint32_t entidade, uint32_t p, _engine_valor v)
{
    return engine_propriedade_mudarValor(ENGINE_MODULO_FISICA, 1, p, entidade, v);
}
inline _engine_valor lerFigura(uint32_t figura, uint32_t p)
{
    return engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 2, p, figura, nullptr);
}
inline const char* mudarFigura(uint32_t figura, uint32_t p, _engine_valor v)
{
    return engine_propriedade_mudarValor(ENGINE_MODULO_FISICA, 2, p, figura, v);
}
inline std::string texto(const char* t) { return t ? t : "<null>"; }

inline btCompoundShape* composta(uint32_t entidade)
{
    return (btCompoundShape*)fisica_corpo(entidade)->corpo->getCollisionShape();
}

class Fisica : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine_iniciar(true);
        ASSERT_EQ(iniciar(), 1);
        ASSERT_EQ(entidades_iniciar('N'), nullptr);
    }
    void TearDown() override { fisica_finalizar(); }
    virtual int iniciar() { return fisica_iniciar('N', 1000); }

    void quadros(int n, int32_t d = 17)
    {
        for (int i = 0; i < n; i++) fisica_atualizar(d);
    }
};

#endif
