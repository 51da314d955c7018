// Entities: models (a start function and a name index of functions) and
// entity records, both in persistent vectors of module 7.
#include "engine/entidades.h"

#include <cstdlib>

#include "conteudo/conteudo.h"
#include "engine/dados_texto.h"
#include "engine/engine.h"
#include "engine/engine_log.h"
#include "fisica/fisica.h"

static char entidadesLog = 'N';
static uint32_t entidadesModelos = 0;
static uint32_t entidadesEntidades = 0;

static const char ERRO_ENTIDADE[] = "Entidade invalida";
static const char ERRO_MODELO[] = "Modelo invalido";
static const char ERRO_FUNCAO[] = "Funcao invalida";

int ENTIDADES_logar(const char* texto, int32_t valor)
{
    if (entidadesLog == 'S') engine_escreverLog("ENTIDADES - %s", texto, valor);
    return 1;
}

static _entidades_modelo* ENTIDADES_pegarModelo(uint32_t modelo)
{
    return (_entidades_modelo*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_ENTIDADES, entidadesModelos,
                                                                      modelo);
}

const char* entidades_iniciar(char log)
{
    entidadesLog = log;
    ENTIDADES_logar("Iniciando m\xF3" "dulo de entidades", -1);
    const char* erro = engine_registrarModulo(ENGINE_MODULO_ENTIDADES);
    if (erro) {
        char* texto = dados_texto_concatenar("N\xE3" "o foi possivel registrar o modulo de entidades: ", erro);
        free((void*)erro);
        return texto;
    }
    entidadesModelos = engine_criarVetorPersistente(ENGINE_MODULO_ENTIDADES);
    entidadesEntidades = engine_criarVetorPersistente(ENGINE_MODULO_ENTIDADES);
    erro = conteudo_registrar_entidades();
    if (erro) ENTIDADES_logar(erro, -1);
    return nullptr;
}

void entidades_finalizar()
{
}

uint32_t entidades_criarModelo(_entidades_funcao criador)
{
    _entidades_modelo* modelo = (_entidades_modelo*)malloc(sizeof(_entidades_modelo));
    if (!modelo) return 0;
    modelo->criador = criador;
    modelo->funcoes = engine_criarVetorPonteiro(ENGINE_MODULO_ENTIDADES);
    uint32_t id = modelo->funcoes
                      ? engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_ENTIDADES, entidadesModelos, modelo)
                      : 0;
    if (id == 0) {
        if (modelo->funcoes) engine_destruirVetorPonteiro(ENGINE_MODULO_ENTIDADES, modelo->funcoes);
        free(modelo);
    }
    return id;
}

const char* entidades_modelo_criarFuncao(uint32_t modelo, const char* nome, _entidades_funcao funcao)
{
    _entidades_modelo* m = ENTIDADES_pegarModelo(modelo);
    if (!m) return ERRO_MODELO;
    // A function that could never be found or called is refused.
    if (!nome || !funcao) return ERRO_FUNCAO;
    engine_vetorPonteiro_indice_adicionarPonteiro(ENGINE_MODULO_ENTIDADES, m->funcoes, nome, (void*)funcao);
    return nullptr;
}

uint32_t entidades_criarEntidade(uint32_t modelo, int32_t x, int32_t y)
{
    _entidades_modelo* m = ENTIDADES_pegarModelo(modelo);
    if (!m) return 0;
    _entidades_entidade* entidade = (_entidades_entidade*)malloc(sizeof(_entidades_entidade));
    if (!entidade) return 0;
    entidade->modelo = modelo;
    uint32_t registro = engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_ENTIDADES, entidadesEntidades, entidade);
    if (registro == 0) {
        free(entidade);
        return 0;
    }
    uint32_t id = registro + 1;
    // The body exists before any behaviour runs, so the start function can
    // attach figures to it and use its properties.
    fisica_criarCorpo(id, x, y);
    if (m->criador) m->criador(id);
    return id;
}

int entidades_destruirEntidade(uint32_t entidade)
{
    if (entidade >= 2)
        engine_vetorPersistente_removerPosicao(ENGINE_MODULO_ENTIDADES, entidadesEntidades, entidade - 1);
    return 0;
}

// The record of an entity id; ids 0 and 1 have none.
static _entidades_entidade* ENTIDADES_pegarEntidade(uint32_t entidade)
{
    return entidade >= 2 ? (_entidades_entidade*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_ENTIDADES,
                                                                                       entidadesEntidades, entidade - 1)
                         : nullptr;
}

uint32_t entidades_entidade_pegarModelo(uint32_t entidade)
{
    _entidades_entidade* e = ENTIDADES_pegarEntidade(entidade);
    return e ? e->modelo : 0;
}

const char* entidades_entidade_chamarFuncao(uint32_t entidade, const char* nome)
{
    _entidades_entidade* e = ENTIDADES_pegarEntidade(entidade);
    if (!e) return ERRO_ENTIDADE;
    _entidades_modelo* m = ENTIDADES_pegarModelo(e->modelo);
    if (!m) return ERRO_MODELO;
    _entidades_funcao funcao =
        nome ? (_entidades_funcao)engine_vetorPonteiro_indice_pegarPonteiro(ENGINE_MODULO_ENTIDADES, m->funcoes, nome)
             : nullptr;
    if (!funcao) return ERRO_FUNCAO;
    funcao(entidade);
    return nullptr;
}
