// Module registry and property access. Modules, models and properties are
// registered at numbers; an instance outside the expression graph is read and
// written straight through the module's getter and setter.
#include "engine/engine_interno.h"
#include "engine/engine_grafo.h"
#include "engine/dados_texto.h"

#include <cstdlib>

static _engine_vetorPonteiro engineModulos = {nullptr, 0};
static bool engineLog = false;

uint32_t ENGINE_pegarNumeroModulos()
{
    return engineModulos.tamanho;
}

_engine_modulo* ENGINE_pegarModulo(uint32_t modulo)
{
    return (_engine_modulo*)ENGINE_pegarPonteiro(&engineModulos, modulo);
}

_engine_modelo* ENGINE_pegarModelo(uint32_t modulo, uint32_t modelo)
{
    _engine_modulo* m = ENGINE_pegarModulo(modulo);
    return m ? (_engine_modelo*)ENGINE_pegarPonteiro(&m->modelos, modelo) : nullptr;
}

_engine_propriedade* ENGINE_pegarPropriedade(uint32_t modulo, uint32_t modelo, uint32_t propriedade)
{
    _engine_modelo* m = ENGINE_pegarModelo(modulo, modelo);
    return m ? (_engine_propriedade*)ENGINE_pegarPonteiro(&m->propriedades, propriedade) : nullptr;
}

// Frees the elements of a persistent vector (it owns them) and its arrays.
static void ENGINE_liberarPersistente(_engine_vetorPersistente* v)
{
    for (uint32_t i = 0; i < v->tamanho; i++) free(v->itens[i]);
    ENGINE_esvaziarVetorPersistente(v);
}

// Frees a module record with everything the engine made for it. Elements of
// pointer vectors belong to the module that stored them and are left alone.
static void ENGINE_liberarModulo(_engine_modulo* m)
{
    for (uint32_t i = 0; i < m->vetoresPonteiro.tamanho; i++) {
        _engine_vetorPonteiro* v = (_engine_vetorPonteiro*)m->vetoresPonteiro.itens[i];
        if (v) ENGINE_esvaziarVetorPonteiro(v);
    }
    ENGINE_liberarPersistente(&m->vetoresPonteiro);
    for (uint32_t i = 0; i < m->vetoresInteiro.tamanho; i++) {
        _engine_vetorInteiro* v = (_engine_vetorInteiro*)m->vetoresInteiro.itens[i];
        if (v) ENGINE_esvaziarVetorInteiro(v);
    }
    ENGINE_liberarPersistente(&m->vetoresInteiro);
    for (uint32_t i = 0; i < m->vetoresPersistente.tamanho; i++) {
        _engine_vetorPersistente* v = (_engine_vetorPersistente*)m->vetoresPersistente.itens[i];
        if (v) ENGINE_liberarPersistente(v);
    }
    ENGINE_liberarPersistente(&m->vetoresPersistente);
    for (uint32_t i = 0; i < m->modelos.tamanho; i++) {
        _engine_modelo* modelo = (_engine_modelo*)m->modelos.itens[i];
        if (!modelo) continue;
        for (uint32_t j = 0; j < modelo->propriedades.tamanho; j++) {
            _engine_propriedade* p = (_engine_propriedade*)modelo->propriedades.itens[j];
            if (!p) continue;
            for (uint32_t k = 0; k < p->posicoes.tamanho; k++)
                if (p->posicoes.itens[k]) ENGINE_grafo_liberarPosicao((_engine_posicao*)p->posicoes.itens[k]);
            ENGINE_esvaziarVetorPonteiro(&p->posicoes);
            free(p);
        }
        ENGINE_esvaziarVetorPonteiro(&modelo->propriedades);
        ENGINE_config_liberarModelo(modelo);
        free(modelo);
    }
    ENGINE_esvaziarVetorPonteiro(&m->modelos);
    free(m);
}

void engine_iniciar(bool log)
{
    for (uint32_t i = 0; i < engineModulos.tamanho; i++)
        if (engineModulos.itens[i]) ENGINE_liberarModulo((_engine_modulo*)engineModulos.itens[i]);
    ENGINE_esvaziarVetorPonteiro(&engineModulos);
    ENGINE_grafo_iniciar();
    engineLog = log;
    (void)engineLog;  // kept as given; the registry writes no log
    engine_registrarModulo(ENGINE_MODULO_ENGINE);
}

const char* engine_registrarModulo(uint32_t modulo)
{
    _engine_modulo* m = (_engine_modulo*)calloc(1, sizeof(_engine_modulo));
    if (!m) return dados_texto_concatenar("Erro ao registrar modulo: ", ENGINE_ERRO_MEMORIA);
    ENGINE_construirVetorPersistente(&m->vetoresPonteiro);
    ENGINE_construirVetorPersistente(&m->vetoresInteiro);
    ENGINE_construirVetorPersistente(&m->vetoresPersistente);
    ENGINE_construirVetorPonteiro(&m->modelos);
    const char* erro = ENGINE_inserirPonteiroEm(&engineModulos, m, modulo);
    if (erro) {
        free(m);
        return dados_texto_concatenar("Erro ao registrar modulo: ", erro);
    }
    return nullptr;
}

const char* engine_registrarModelo(uint32_t modulo, uint32_t modelo)
{
    _engine_modulo* m = ENGINE_pegarModulo(modulo);
    if (!m) return nullptr;
    _engine_modelo* registro = (_engine_modelo*)calloc(1, sizeof(_engine_modelo));
    if (!registro) return dados_texto_concatenar("Erro ao registrar modelo: ", ENGINE_ERRO_MEMORIA);
    ENGINE_construirVetorPonteiro(&registro->propriedades);
    ENGINE_construirVetorPersistente(&registro->configs);
    ENGINE_construirVetorPersistente(&registro->configsAplicadas);
    const char* erro = ENGINE_inserirPonteiroEm(&m->modelos, registro, modelo);
    if (erro) {
        free(registro);
        return dados_texto_concatenar("Erro ao registrar modelo: ", erro);
    }
    return nullptr;
}

const char* engine_registrarPropriedade(uint32_t modulo, uint32_t modelo, uint32_t propriedade,
                                        _engine_funcaoPegar pegar, _engine_funcaoMudar mudar,
                                        char imediata)
{
    _engine_modelo* m = ENGINE_pegarModelo(modulo, modelo);
    if (!m || !pegar || !mudar) return nullptr;
    _engine_propriedade* p = (_engine_propriedade*)calloc(1, sizeof(_engine_propriedade));
    if (!p) return dados_texto_concatenar("Erro ao registrar propriedade: ", ENGINE_ERRO_MEMORIA);
    p->pegar = pegar;
    p->mudar = mudar;
    ENGINE_construirVetorPonteiro(&p->posicoes);
    p->imediata = imediata;
    const char* erro = ENGINE_inserirPonteiroEm(&m->propriedades, p, propriedade);
    if (erro) {
        free(p);
        return dados_texto_concatenar("Erro ao registrar propriedade: ", erro);
    }
    return nullptr;
}

const char* ENGINE_validarPropriedade(uint32_t modulo, uint32_t modelo, uint32_t propriedade,
                                      _engine_propriedade** saida)
{
    // The registered property is the common case; which level is missing
    // is only worked out for the error text.
    *saida = ENGINE_pegarPropriedade(modulo, modelo, propriedade);
    if (*saida) return nullptr;
    if (!ENGINE_pegarModulo(modulo)) return ENGINE_ERRO_MODULO;
    if (!ENGINE_pegarModelo(modulo, modelo)) return ENGINE_ERRO_MODELO;
    *saida = ENGINE_pegarPropriedade(modulo, modelo, propriedade);
    return *saida ? nullptr : ENGINE_ERRO_PROPRIEDADE;
}

_engine_valor engine_propriedade_pegarValor(uint32_t modulo, uint32_t modelo, uint32_t propriedade,
                                            uint32_t instancia, char* recalculado)
{
    _engine_propriedade* p = ENGINE_pegarPropriedade(modulo, modelo, propriedade);
    if (!p) return 0;
    _engine_posicao* posicao = (_engine_posicao*)ENGINE_pegarPonteiro(&p->posicoes, instancia);
    if (!posicao) return p->pegar(instancia);
    return ENGINE_grafo_lerPosicao(p, instancia, posicao, recalculado);
}

const char* engine_propriedade_mudarValor(uint32_t modulo, uint32_t modelo, uint32_t propriedade,
                                          uint32_t instancia, _engine_valor valor)
{
    _engine_propriedade* p;
    const char* erro = ENGINE_validarPropriedade(modulo, modelo, propriedade, &p);
    if (erro) return erro;
    _engine_posicao* posicao = (_engine_posicao*)ENGINE_pegarPonteiro(&p->posicoes, instancia);
    if (!posicao) return p->mudar(instancia, valor);
    ENGINE_grafo_escreverPosicao(p, instancia, posicao, valor);
    return nullptr;
}

const char* engine_propriedade_invalidar(uint32_t modulo, uint32_t modelo, uint32_t propriedade,
                                         uint32_t instancia)
{
    _engine_propriedade* p;
    const char* erro = ENGINE_validarPropriedade(modulo, modelo, propriedade, &p);
    if (erro) return erro;
    _engine_posicao* posicao = (_engine_posicao*)ENGINE_pegarPonteiro(&p->posicoes, instancia);
    if (!posicao) return ENGINE_ERRO_POSICAO;
    ENGINE_grafo_relerPosicao(p, instancia, posicao);
    return nullptr;
}

uint32_t engine_propriedade_pegarLimitePosicoes(uint32_t modulo, uint32_t modelo, uint32_t propriedade)
{
    _engine_propriedade* p = ENGINE_pegarPropriedade(modulo, modelo, propriedade);
    return p ? p->posicoes.tamanho : 0;
}
