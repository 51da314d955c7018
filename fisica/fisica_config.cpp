// Body and figure timelines: the engine's timelines of models 1 and 2,
// started at the module clock and advanced by the frame step.
#include "fisica/fisica_interno.h"

#include "engine/dados_texto.h"

void FISICA_avancarConfiguracoes(int32_t d)
{
    engine_config_configurar(ENGINE_MODULO_FISICA, 1, fisicaTempo, d);
    engine_config_configurar(ENGINE_MODULO_FISICA, 2, fisicaTempo, d);
}

// ------------------------------------------------------------ bodies

uint32_t fisica_configurarCorpo()
{
    FISICA_logar("Configurando corpo", -1);
    return engine_criarConfig(ENGINE_MODULO_FISICA, 1);
}

int32_t fisica_config_criarPonto(uint32_t config, uint32_t alvo, int32_t modo)
{
    FISICA_logar("Criando ponto para a configura\xE7\xE3" "o de corpo", (int32_t)config);
    return (int32_t)engine_config_criarPonto(ENGINE_MODULO_FISICA, 1, config, (int32_t)alvo, modo);
}

const char* fisica_config_passarTempo(uint32_t config, int32_t duracao)
{
    return engine_config_passarTempo(ENGINE_MODULO_FISICA, 1, config, duracao);
}

const char* FISICA_guardarAplicacao(uint32_t entidade, uint32_t aplicacao)
{
    _fisica_corpo* c = fisica_corpo(entidade);
    if (!c) return FISICA_ERRO_CORPO;
    engine_vetorInteiro_adicionarNumero(ENGINE_MODULO_FISICA, c->configuracoes, (int32_t)aplicacao);
    return nullptr;
}

// The timeline addresses the instance, so it starts at once; a body made or
// changed inside the step takes the application into its list after its
// queued changes.
uint32_t fisica_aplicarConfiguracao(uint32_t config, uint32_t entidade)
{
    if (!FISICA_corpoExistira(entidade)) return 0;
    uint32_t aplicacao = engine_config_aplicar(ENGINE_MODULO_FISICA, 1, config, entidade, fisicaTempo);
    if (aplicacao == 0) return 0;
    if (FISICA_temPendencias(entidade))
        FISICA_adiar(FISICA_PENDENTE_CONFIGURACAO, entidade, 0, 0, 0, aplicacao);
    else
        FISICA_guardarAplicacao(entidade, aplicacao);
    return aplicacao;
}

const char* fisica_cancelarConfiguracao(uint32_t aplicacao)
{
    uint32_t entidade = engine_configAplicada_pegarPosicao(ENGINE_MODULO_FISICA, 1, aplicacao);
    const char* erro = engine_config_cancelar(ENGINE_MODULO_FISICA, 1, aplicacao);
    if (erro) return dados_texto_concatenar("Erro ao cancelar configuracao: ", erro);  // the caller's
    _fisica_corpo* c = fisica_corpo(entidade);
    if (!c) return "Corpo configurado inexistente";
    for (uint32_t i = engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_FISICA, c->configuracoes); i >= 1; i--)
        if ((uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_FISICA, c->configuracoes, i) == aplicacao)
            return engine_vetorInteiro_removerNumero(ENGINE_MODULO_FISICA, c->configuracoes, i);
    return "Configuracao cancelada nao encontrada no corpo";
}

// ------------------------------------------------------------ figures

uint32_t fisica_configurarFigura()
{
    FISICA_logar("Configurando figura", -1);
    return engine_criarConfig(ENGINE_MODULO_FISICA, 2);
}

int32_t fisica_configFigura_criarPonto(uint32_t config, uint32_t alvo, int32_t modo)
{
    FISICA_logar("Criando ponto para a configura\xE7\xE3" "o de figura", (int32_t)config);
    return (int32_t)engine_config_criarPonto(ENGINE_MODULO_FISICA, 2, config, (int32_t)alvo, modo);
}

const char* fisica_configFigura_passarTempo(uint32_t config, int32_t duracao)
{
    return engine_config_passarTempo(ENGINE_MODULO_FISICA, 2, config, duracao);
}

uint32_t fisica_aplicarConfigFigura(uint32_t config, uint32_t figura)
{
    if (!fisica_figura(figura)) return 0;
    return engine_config_aplicar(ENGINE_MODULO_FISICA, 2, config, figura, fisicaTempo);
}

const char* fisica_cancelarConfigFigura(uint32_t aplicacao)
{
    return engine_config_cancelar(ENGINE_MODULO_FISICA, 2, aplicacao);
}
