// The spring pad: a platform on a spring. The big character squeezes it down
// over one second; turning small on the fully squeezed pad throws the
// character up, turning small earlier or stepping off lets it spring back.
// Its ground sensors move with it.
#include <cstdint>
#include <initializer_list>

#include "conteudo/conteudo_funcoes.h"
#include "conteudo/conteudo_interno.h"
#include "engine/entidades.h"
#include "engine/tempo.h"
#include "fisica/fisica.h"
#include "video/video.h"

// The five spring parts: where each is created from the pad, its picture and
// layer, and its height ("altura" + y, or not moved when y is 0) and angle
// at rest and squeezed.
struct CONTEUDO_pecaDaMola {
    const char* variavel;
    int32_t dx, dy;
    const char* imagem;
    int32_t camada;
    int32_t yRepouso, rotacaoRepouso;
    int32_t yApertado, rotacaoApertado;
};

static const CONTEUDO_pecaDaMola PECAS_DA_MOLA[] = {
    {"meiamolaB", 350, 412, "meia mola.png", 9000, 0, -82, 0, -41},
    {"meiamolaT", 350, 212, "meia mola.png", 9000, 212, 1718, 312, 1759},
    {"molaB", 177, 337, "mola.png", 13000, 337, 82, 375, 41},
    {"molaM", 177, 337, "mola.png", 9000, 337, -82, 375, -41},
    {"molaT", 177, 237, "mola.png", 13000, 237, 82, 325, 41},
};
static const uint32_t N_PECAS = sizeof PECAS_DA_MOLA / sizeof PECAS_DA_MOLA[0];

static uint32_t personagemDo(uint32_t trampolim)
{
    return (uint32_t)CONTEUDO_ler(trampolim, "personagem");
}

// A sensor at the pad's position that follows the pad, with a strip 500
// wide and "altura" high just above the pad's top bar.
static uint32_t sensorQueSegue(uint32_t trampolim, uint32_t tipo, int32_t altura)
{
    uint32_t sensor = entidades_criarEntidade(conteudoSensor, CONTEUDO_corpo(trampolim, CONTEUDO_CORPO_X),
                                              CONTEUDO_corpo(trampolim, CONTEUDO_CORPO_Y));
    CONTEUDO_escreverEm(sensor, "plataforma", tipo, 'S');
    for (uint32_t propriedade : {CONTEUDO_CORPO_X, CONTEUDO_CORPO_Y}) {
        uint32_t referencia =
            engine_criarReferencia(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, propriedade, trampolim);
        engine_propriedade_mudarRecurso(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, propriedade, sensor, referencia);
    }
    fisica_anexarFigura(sensor, fisica_criarRetangulo(500, altura), 100, -altura);
    return sensor;
}

// A movement of T ms: the pad's Y to "altura" + y and every spring part to
// its rest or squeezed place, six timelines kept in "movimento".
static void mover(uint32_t trampolim, int32_t duracao, int32_t y, bool apertado)
{
    int32_t altura = CONTEUDO_ler(trampolim, "altura");
    uint32_t agora = tempo_tempoAtual();
    for (uint32_t i = 0; i <= N_PECAS; i++) {
        uint32_t entidade = trampolim;
        int32_t alvoY = altura + y;
        bool moveY = true, gira = false;
        int32_t rotacao = 0;
        if (i > 0) {
            const CONTEUDO_pecaDaMola& p = PECAS_DA_MOLA[i - 1];
            entidade = (uint32_t)CONTEUDO_ler(trampolim, p.variavel);
            int32_t dy = apertado ? p.yApertado : p.yRepouso;
            moveY = dy != 0;
            alvoY = altura + dy;
            gira = true;
            rotacao = apertado ? p.rotacaoApertado : p.rotacaoRepouso;
        }
        uint32_t config = engine_criarConfig(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO);
        engine_config_passarTempo(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, config, duracao);
        if (moveY)
            engine_config_mudarPropriedadeContinua(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, config,
                                                   CONTEUDO_CORPO_Y, alvoY);
        if (gira)
            engine_config_mudarPropriedadeContinua(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, config,
                                                   CONTEUDO_CORPO_ROTACAO, rotacao);
        engine_config_aplicar(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, config, entidade, agora);
        CONTEUDO_escreverEm(trampolim, "movimento", i + 1, (int32_t)config);
    }
}

void* CONTEUDO_trampolim_inicio(uint32_t trampolim)
{
    uint32_t impressao = video_criarAnimacao(video_abrirImagem("trampolim.png", 1, 1));
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_CAMADA, 14000);
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_ENTIDADE, trampolim);
    int32_t x = CONTEUDO_corpo(trampolim, CONTEUDO_CORPO_X);
    int32_t y = CONTEUDO_corpo(trampolim, CONTEUDO_CORPO_Y);
    CONTEUDO_escrever(trampolim, "altura", y);

    // A top bar with round ends on a narrower base.
    fisica_anexarFigura(trampolim, fisica_criarRetangulo(5000, 2000), 1000, 0);
    fisica_anexarFigura(trampolim, fisica_criarRetangulo(4000, 2240), 1500, 2000);
    fisica_anexarFigura(trampolim, fisica_criarCirculo(1000), 0, 0);
    fisica_anexarFigura(trampolim, fisica_criarCirculo(1000), 5000, 0);
    CONTEUDO_mudarCorpo(trampolim, CONTEUDO_CORPO_ESCALA_X, 100);
    CONTEUDO_mudarCorpo(trampolim, CONTEUDO_CORPO_ESCALA_Y, 100);

    // The big size's ground also tells the pad who stands on it.
    uint32_t grande = sensorQueSegue(trampolim, 1, 100);
    CONTEUDO_escrever(trampolim, "plataforma1", (int32_t)grande);
    fisica_tratarColisoes(trampolim, grande, "colisao");
    sensorQueSegue(trampolim, 2, 20);

    for (const CONTEUDO_pecaDaMola& p : PECAS_DA_MOLA) {
        uint32_t peca = entidades_criarEntidade(conteudoVazio, x + p.dx, y + p.dy);
        uint32_t figura = video_criarAnimacao(video_abrirImagem(p.imagem, 1, 1));
        CONTEUDO_mudarImpressao(figura, CONTEUDO_IMPRESSAO_X, -250);
        CONTEUDO_mudarImpressao(figura, CONTEUDO_IMPRESSAO_Y, -250);
        CONTEUDO_mudarImpressao(figura, CONTEUDO_IMPRESSAO_CAMADA, p.camada);
        CONTEUDO_mudarImpressao(figura, CONTEUDO_IMPRESSAO_ENTIDADE, peca);
        CONTEUDO_mudarCorpo(peca, CONTEUDO_CORPO_ESCALA_X, 100);
        CONTEUDO_mudarCorpo(peca, CONTEUDO_CORPO_ESCALA_Y, 100);
        CONTEUDO_mudarCorpo(peca, CONTEUDO_CORPO_ROTACAO, p.rotacaoRepouso);
        CONTEUDO_escrever(trampolim, p.variavel, (int32_t)peca);
    }
    CONTEUDO_escrever(trampolim, "pressionado", 'N');
    return nullptr;
}

// Reported for the big size's sensor: the pad follows the first player's
// character that comes onto it, and is told of its size changes.
void* CONTEUDO_trampolim_colisao(uint32_t trampolim)
{
    int32_t mudanca = CONTEUDO_acompanharJogador(trampolim, (uint32_t)CONTEUDO_ler(trampolim, "plataforma1"));
    if (mudanca > 0 && CONTEUDO_ler(personagemDo(trampolim), "tamanho") == 1)
        entidades_entidade_chamarFuncao(trampolim, "pressionar");
    else if (mudanca < 0)
        entidades_entidade_chamarFuncao(trampolim, "soltar");
    return nullptr;
}

// The end of a size change of the character standing on the pad.
void* CONTEUDO_trampolim_mudou_tamanho(uint32_t trampolim)
{
    if (CONTEUDO_ler(personagemDo(trampolim), "tamanho") == 1)
        entidades_entidade_chamarFuncao(trampolim, "pressionar");
    else if (CONTEUDO_ler(trampolim, "pressionado") == 'S')
        entidades_entidade_chamarFuncao(trampolim, "atirar");
    else
        entidades_entidade_chamarFuncao(trampolim, "soltar");
    return nullptr;
}

// Stops the movement under way where it stands.
void* CONTEUDO_trampolim_cancelar_movimento(uint32_t trampolim)
{
    for (uint32_t i = CONTEUDO_tamanho(trampolim, "movimento"); i >= 1; i--) {
        engine_destruirConfig(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO,
                              (uint32_t)CONTEUDO_lerEm(trampolim, "movimento", i));
        CONTEUDO_escreverEm(trampolim, "movimento", i, 0);
    }
    CONTEUDO_cancelarEvento(trampolim, "evento");
    CONTEUDO_escrever(trampolim, "pressionado", 'N');
    return nullptr;
}

// Squeezes the pad down at 10 ms a unit, from wherever it stands.
void* CONTEUDO_trampolim_pressionar(uint32_t trampolim)
{
    entidades_entidade_chamarFuncao(trampolim, "cancelar_movimento");
    int32_t tempo = CONTEUDO_corpo(trampolim, CONTEUDO_CORPO_Y) - CONTEUDO_ler(trampolim, "altura");
    CONTEUDO_escrever(trampolim, "tempo", tempo);
    int32_t duracao = 1000 - 10 * tempo;
    if (duracao < 0) duracao = 0;
    mover(trampolim, duracao, 100, true);
    CONTEUDO_escrever(trampolim, "evento", (int32_t)tempo_criarEvento(trampolim, "pressionou", duracao));
    return nullptr;
}

void* CONTEUDO_trampolim_pressionou(uint32_t trampolim)
{
    CONTEUDO_cancelarEvento(trampolim, "evento");
    CONTEUDO_escrever(trampolim, "pressionado", 'S');
    return nullptr;
}

// Springs back, four times as fast as it was squeezed.
void* CONTEUDO_trampolim_soltar(uint32_t trampolim)
{
    entidades_entidade_chamarFuncao(trampolim, "cancelar_movimento");
    int32_t tempo = CONTEUDO_corpo(trampolim, CONTEUDO_CORPO_Y) - CONTEUDO_ler(trampolim, "altura");
    CONTEUDO_escrever(trampolim, "tempo", tempo);
    int32_t duracao = tempo / 4;
    if (duracao < 0) duracao = 0;
    mover(trampolim, duracao, 0, false);
    return nullptr;
}

void* CONTEUDO_trampolim_atirar(uint32_t trampolim)
{
    CONTEUDO_mudarCorpo(personagemDo(trampolim), CONTEUDO_CORPO_IMPULSO_Y, -8700);
    entidades_entidade_chamarFuncao(trampolim, "soltar");
    return nullptr;
}
