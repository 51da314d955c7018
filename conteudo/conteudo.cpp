// Game content: registration of the nine entity models with their functions,
// and the helpers every content file uses.
#include "conteudo/conteudo.h"

#include <cstdlib>

#include "conteudo/conteudo_funcoes.h"
#include "conteudo/conteudo_interno.h"
#include "engine/dados.h"
#include "engine/entidades.h"
#include "engine/tempo.h"
#include "fisica/fisica.h"

uint32_t conteudoVazio = 0, conteudoPersonagem = 0, conteudoFim = 0, conteudoEvento = 0, conteudoJogador = 0,
         conteudoPonte = 0, conteudoTrampolim = 0, conteudoSensor = 0, conteudoLevel_0 = 0;

// ------------------------------------------------------------ registration

struct CONTEUDO_funcaoNomeada {
    const char* nome;
    _entidades_funcao funcao;
};

struct CONTEUDO_modeloRegistrado {
    uint32_t* global;
    _entidades_funcao inicio;
    const CONTEUDO_funcaoNomeada* funcoes;
    uint32_t nFuncoes;
};

static const CONTEUDO_funcaoNomeada FUNCOES_PERSONAGEM[] = {
    {"iniciar", CONTEUDO_personagem_iniciar},
    {"colisao", CONTEUDO_personagem_colisao},
    {"virar", CONTEUDO_personagem_virar},
    {"virou", CONTEUDO_personagem_virou},
    {"desvirar", CONTEUDO_personagem_desvirar},
    {"desvirou", CONTEUDO_personagem_desvirou},
    {"pular", CONTEUDO_personagem_pular},
    {"pulou", CONTEUDO_personagem_pulou},
    {"andar", CONTEUDO_personagem_andar},
    {"parar", CONTEUDO_personagem_parar},
    {"ligar", CONTEUDO_personagem_ligar},
    {"desligar", CONTEUDO_personagem_desligar},
    {"crescer", CONTEUDO_personagem_crescer},
    {"diminuir", CONTEUDO_personagem_diminuir},
    {"mudou_tamanho", CONTEUDO_personagem_mudou_tamanho},
    {"conferir_chao", CONTEUDO_personagem_conferir_chao},
    {"tentar_crescer", CONTEUDO_personagem_tentar_crescer},
    {"voltar_ao_chao", CONTEUDO_personagem_voltar_ao_chao},
};

static const CONTEUDO_funcaoNomeada FUNCOES_FIM[] = {
    {"inicio", CONTEUDO_fim_inicio},
    {"colisao", CONTEUDO_fim_colisao},
    {"mudou_tamanho", CONTEUDO_fim_mudou_tamanho},
    {"fim", CONTEUDO_fim_fim},
    {"terra", CONTEUDO_fim_terra},
    {"recolher", CONTEUDO_fim_recolher},
};

static const CONTEUDO_funcaoNomeada FUNCOES_EVENTO[] = {
    {"iniciar", CONTEUDO_evento_iniciar},
    {"colisao", CONTEUDO_evento_colisao},
    {"remover_ret", CONTEUDO_evento_remover_ret},
    {"mostrar_texto", CONTEUDO_evento_mostrar_texto},
    {"mostrou_texto", CONTEUDO_evento_mostrou_texto},
    {"pressionou", CONTEUDO_evento_pressionou},
};

static const CONTEUDO_funcaoNomeada FUNCOES_JOGADOR[] = {
    {"inicio", CONTEUDO_jogador_inicio},
    {"pressionar", CONTEUDO_jogador_pressionar},
    {"soltar", CONTEUDO_jogador_soltar},
    {"parar", CONTEUDO_jogador_parar},
    {"continuar", CONTEUDO_jogador_continuar},
};

static const CONTEUDO_funcaoNomeada FUNCOES_PONTE[] = {
    {"inicio", CONTEUDO_ponte_inicio},
    {"colisao", CONTEUDO_ponte_colisao},
    {"voltar", CONTEUDO_ponte_voltar},
};

static const CONTEUDO_funcaoNomeada FUNCOES_TRAMPOLIM[] = {
    {"inicio", CONTEUDO_trampolim_inicio},
    {"colisao", CONTEUDO_trampolim_colisao},
    {"mudou_tamanho", CONTEUDO_trampolim_mudou_tamanho},
    {"cancelar_movimento", CONTEUDO_trampolim_cancelar_movimento},
    {"pressionou", CONTEUDO_trampolim_pressionou},
    {"pressionar", CONTEUDO_trampolim_pressionar},
    {"soltar", CONTEUDO_trampolim_soltar},
    {"atirar", CONTEUDO_trampolim_atirar},
};

static const CONTEUDO_funcaoNomeada FUNCOES_SENSOR[] = {
    {"inicio", CONTEUDO_sensor_inicio},
    {"colisao", CONTEUDO_sensor_colisao},
};

static const CONTEUDO_funcaoNomeada FUNCOES_LEVEL_0[] = {
    {"inicio", CONTEUDO_level_0_inicio},
    {"animar_tiles", CONTEUDO_level_0_animar_tiles},
    {"gambiarra", CONTEUDO_level_0_gambiarra},
};

#define CONTEUDO_FUNCOES(tabela) tabela, (uint32_t)(sizeof tabela / sizeof tabela[0])

// In this order the models receive the ids 1 to 9.
static const CONTEUDO_modeloRegistrado CONTEUDO_MODELOS[] = {
    {&conteudoVazio, nullptr, nullptr, 0},
    {&conteudoPersonagem, nullptr, CONTEUDO_FUNCOES(FUNCOES_PERSONAGEM)},
    {&conteudoFim, CONTEUDO_fim_inicio, CONTEUDO_FUNCOES(FUNCOES_FIM)},
    {&conteudoEvento, nullptr, CONTEUDO_FUNCOES(FUNCOES_EVENTO)},
    {&conteudoJogador, CONTEUDO_jogador_inicio, CONTEUDO_FUNCOES(FUNCOES_JOGADOR)},
    {&conteudoPonte, CONTEUDO_ponte_inicio, CONTEUDO_FUNCOES(FUNCOES_PONTE)},
    {&conteudoTrampolim, CONTEUDO_trampolim_inicio, CONTEUDO_FUNCOES(FUNCOES_TRAMPOLIM)},
    {&conteudoSensor, CONTEUDO_sensor_inicio, CONTEUDO_FUNCOES(FUNCOES_SENSOR)},
    {&conteudoLevel_0, CONTEUDO_level_0_inicio, CONTEUDO_FUNCOES(FUNCOES_LEVEL_0)},
};

const char* conteudo_registrar_entidades()
{
    for (const CONTEUDO_modeloRegistrado& m : CONTEUDO_MODELOS) {
        *m.global = entidades_criarModelo(m.inicio);
        for (uint32_t i = 0; i < m.nFuncoes; i++)
            entidades_modelo_criarFuncao(*m.global, m.funcoes[i].nome, m.funcoes[i].funcao);
    }
    entidades_criarEntidade(conteudoLevel_0, 0, 0);
    return nullptr;
}

// ---------------------------------------------------------------- helpers

int32_t CONTEUDO_corpo(uint32_t entidade, uint32_t propriedade)
{
    return (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, propriedade, entidade,
                                                  nullptr);
}

void CONTEUDO_mudarCorpo(uint32_t entidade, uint32_t propriedade, _engine_valor valor)
{
    engine_propriedade_mudarValor(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, propriedade, entidade, valor);
}

void CONTEUDO_mudarFigura(uint32_t figura, uint32_t propriedade, _engine_valor valor)
{
    engine_propriedade_mudarValor(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_FIGURA, propriedade, figura, valor);
}

int32_t CONTEUDO_impressao(uint32_t impressao, uint32_t propriedade)
{
    return (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_IMPRESSAO, propriedade,
                                                  impressao, nullptr);
}

void CONTEUDO_mudarImpressao(uint32_t impressao, uint32_t propriedade, _engine_valor valor)
{
    engine_propriedade_mudarValor(ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_IMPRESSAO, propriedade, impressao, valor);
}

int32_t CONTEUDO_ler(uint32_t escopo, const char* nome)
{
    return (int32_t)dados_pegarVariavel(escopo, nome, 0);
}

int32_t CONTEUDO_lerEm(uint32_t escopo, const char* nome, uint32_t indice)
{
    return (int32_t)dados_pegarVariavel(escopo, nome, 1, indice);
}

void CONTEUDO_escrever(uint32_t escopo, const char* nome, int32_t valor)
{
    dados_mudarVariavel(escopo, nome, valor, 0);
}

void CONTEUDO_escreverEm(uint32_t escopo, const char* nome, uint32_t indice, int32_t valor)
{
    dados_mudarVariavel(escopo, nome, valor, 1, indice);
}

void CONTEUDO_escreverTexto(uint32_t escopo, const char* nome, const char* texto)
{
    dados_mudarVariavel(escopo, nome, (_engine_valor)texto, 0);
}

const char* CONTEUDO_lerTexto(uint32_t escopo, const char* nome)
{
    return (const char*)dados_pegarVariavel(escopo, nome, 0);
}

uint32_t CONTEUDO_tamanho(uint32_t escopo, const char* nome)
{
    return dados_variavel_pegarTamanho(escopo, nome, 0);
}

uint32_t CONTEUDO_constante(int32_t valor)
{
    return engine_criarOperacao((uint32_t)valor, 10, 0);
}

uint32_t CONTEUDO_operar(uint32_t a, int32_t operacao, uint32_t b)
{
    return engine_criarOperacao(a, operacao, b);
}

uint32_t CONTEUDO_referenciaVariavel(uint32_t escopo, const char* nome)
{
    return engine_criarReferencia(ENGINE_MODULO_DADOS, CONTEUDO_MODELO_VARIAVEL, 1,
                                  dados_variavel_pegarPosicao(escopo, nome));
}

void CONTEUDO_cancelarEvento(uint32_t entidade, const char* variavel)
{
    tempo_destruirEvento((uint32_t)CONTEUDO_ler(entidade, variavel));
    CONTEUDO_escrever(entidade, variavel, 0);
}

void CONTEUDO_substituirEvento(uint32_t entidade, const char* variavel, const char* funcao, int32_t atraso)
{
    tempo_destruirEvento((uint32_t)CONTEUDO_ler(entidade, variavel));
    CONTEUDO_escrever(entidade, variavel, (int32_t)tempo_criarEvento(entidade, funcao, atraso));
}

int32_t CONTEUDO_acompanharJogador(uint32_t dono, uint32_t corpo)
{
    uint32_t colisao = fisica_colisaoDoEvento();
    uint32_t outro = fisica_colisao_pegarOutroCorpo(colisao, corpo);
    if (fisica_iniciandoColisao() == 'S') {
        fisica_colisao_mudarCancelada(colisao, 'S');
        if (CONTEUDO_ler(outro, "jogador") != 'S') return 0;
        int32_t n = CONTEUDO_ler(dono, "colisões");
        CONTEUDO_escrever(dono, "colisões", n + 1);
        if (n != 0) return 0;
        CONTEUDO_escrever(dono, "personagem", (int32_t)outro);
        uint32_t pos = CONTEUDO_tamanho(outro, "avisar tamanho") + 1;
        CONTEUDO_escrever(dono, "pos", (int32_t)pos);
        CONTEUDO_escreverEm(outro, "avisar tamanho", pos, (int32_t)dono);
        return 1;
    }
    if (fisica_terminandoColisao() == 'S') {
        if (outro != (uint32_t)CONTEUDO_ler(dono, "personagem")) return 0;
        int32_t n = CONTEUDO_ler(dono, "colisões");
        CONTEUDO_escrever(dono, "colisões", n - 1);
        if (n != 1) return 0;
        CONTEUDO_escrever(dono, "personagem", 0);
        CONTEUDO_escreverEm(outro, "avisar tamanho", (uint32_t)CONTEUDO_ler(dono, "pos"), 0);
        return -1;
    }
    return 0;
}

void CONTEUDO_destruirConfig(uint32_t entidade, const char* variavel, uint32_t modulo, uint32_t modelo)
{
    engine_destruirConfig(modulo, modelo, (uint32_t)CONTEUDO_ler(entidade, variavel));
    CONTEUDO_escrever(entidade, variavel, 0);
}
