// Timelines of the sound lists (module 4, model 2), started at the module's
// clock; each list keeps the applications started through it.
#include "audio/audio_interno.h"

uint32_t audio_configurarLista()
{
    AUDIO_logar("Configurando lista", -1);
    return engine_criarConfig(ENGINE_MODULO_AUDIO, AUDIO_MODELO_LISTA);
}

uint32_t audio_config_criarPonto(uint32_t config, uint32_t alvo, int32_t modo)
{
    AUDIO_logar("Criando ponto para a configura\xE7\xE3" "o de lista", (int32_t)config);
    return engine_config_criarPonto(ENGINE_MODULO_AUDIO, AUDIO_MODELO_LISTA, config, (int32_t)alvo, modo);
}

const char* audio_config_passarTempo(uint32_t config, int32_t duracao)
{
    AUDIO_logar("Passando", duracao);
    AUDIO_logar("...na configura\xE7\xE3" "o", (int32_t)config);
    return engine_config_passarTempo(ENGINE_MODULO_AUDIO, AUDIO_MODELO_LISTA, config, duracao);
}

uint32_t audio_aplicarConfigLista(uint32_t config, uint32_t lista)
{
    _audio_lista* l = AUDIO_pegarRegistro(lista);
    if (!l) return 0;
    uint32_t aplicacao = engine_config_aplicar(ENGINE_MODULO_AUDIO, AUDIO_MODELO_LISTA, config, lista, audioTempo);
    if (aplicacao != 0) engine_vetorInteiro_adicionarNumero(ENGINE_MODULO_AUDIO, l->configuracoes, (int32_t)aplicacao);
    return aplicacao;
}

const char* audio_cancelarConfigLista(uint32_t aplicacao)
{
    uint32_t lista = engine_configAplicada_pegarPosicao(ENGINE_MODULO_AUDIO, AUDIO_MODELO_LISTA, aplicacao);
    _audio_lista* l = AUDIO_pegarRegistro(lista);
    if (l) {
        uint32_t p = 1;
        while (p <= engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_AUDIO, l->configuracoes)) {
            if ((uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_AUDIO, l->configuracoes, p) == aplicacao)
                engine_vetorInteiro_removerNumero(ENGINE_MODULO_AUDIO, l->configuracoes, p);
            else
                p++;
        }
    }
    return engine_config_cancelar(ENGINE_MODULO_AUDIO, AUDIO_MODELO_LISTA, aplicacao);
}

static const char* AUDIO_continua(uint32_t config, uint32_t propriedade, int32_t valor)
{
    return engine_config_mudarPropriedadeContinua(ENGINE_MODULO_AUDIO, AUDIO_MODELO_LISTA, config, propriedade, valor);
}

static const char* AUDIO_discreta(uint32_t config, uint32_t propriedade, _engine_valor valor)
{
    return engine_config_mudarPropriedadeDiscreta(ENGINE_MODULO_AUDIO, AUDIO_MODELO_LISTA, config, propriedade, valor);
}

const char* audio_config_mudarVolume(uint32_t config, int32_t valor)
{
    return AUDIO_continua(config, 1, valor);
}

const char* audio_config_mudarVelocidade(uint32_t config, int32_t valor)
{
    return AUDIO_continua(config, 2, valor);
}

const char* audio_config_mudarLocal(uint32_t config, uint32_t entidade)
{
    return AUDIO_discreta(config, 3, entidade);
}

const char* audio_config_mudarX(uint32_t config, int32_t valor)
{
    return AUDIO_continua(config, 4, valor);
}

const char* audio_config_mudarY(uint32_t config, int32_t valor)
{
    return AUDIO_continua(config, 5, valor);
}

const char* audio_config_mudarProfundidade(uint32_t config, int32_t valor)
{
    return AUDIO_continua(config, 6, valor);
}

const char* audio_config_mudarDistancia(uint32_t config, int32_t valor)
{
    return AUDIO_continua(config, 7, valor);
}

const char* audio_config_reproduzir(uint32_t config)
{
    return AUDIO_discreta(config, 8, AUDIO_ACAO_REPRODUZIR);
}

const char* audio_config_pausar(uint32_t config)
{
    return AUDIO_discreta(config, 8, AUDIO_ACAO_PAUSAR);
}

const char* audio_config_parar(uint32_t config)
{
    return AUDIO_discreta(config, 8, AUDIO_ACAO_PARAR);
}
