// Text events: invisible triggers that show a tutorial text once the player's
// character has passed through them often enough. The text shows in a box
// with a blinking key prompt; from 1 s on any press dismisses it, everything
// fades out and the controls come back.
#include <cstdint>

#include "conteudo/conteudo_funcoes.h"
#include "conteudo/conteudo_interno.h"
#include "engine/entidades.h"
#include "engine/tempo.h"
#include "entrada/entrada.h"
#include "fisica/fisica.h"
#include "video/video.h"

// The colour of the texts; the print reads it when it is set.
static const char COR_DO_TEXTO[] = "026300";

// A print of an image on the internal picture, invisible, at (x, y).
static uint32_t impressaoNaTela(uint32_t imagem, int32_t x, int32_t y, int32_t camada)
{
    uint32_t impressao = video_criarAnimacao(imagem);
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_X, x);
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_Y, y);
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_TRANSPARENCIA, 1000);
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_CAMADA, camada);
    return impressao;
}

// A prompt's blink, 3 s a period: invisible, then "primeiro" from 1 s,
// "segundo" from 2 s, held to the end of the period.
static uint32_t piscar(int32_t primeiro, int32_t segundo)
{
    uint32_t config = video_configurarImpressao();
    video_configuracao_impressao_passarTempo(config, 999);
    video_configuracao_impressao_passarTempo(config, 1);
    video_configuracao_impressao_mudarTransparencia(config, primeiro);
    video_configuracao_impressao_passarTempo(config, 999);
    video_configuracao_impressao_passarTempo(config, 1);
    video_configuracao_impressao_mudarTransparencia(config, segundo);
    video_configuracao_impressao_passarTempo(config, 999);
    video_configuracao_impressao_passarTempo(config, 1);
    video_configuracao_impressao_criarPonto(config, 0, -1);
    return config;
}

void* CONTEUDO_evento_iniciar(uint32_t evento)
{
    // Attached after the creator turned the body, so a turned trigger lies
    // horizontally.
    uint32_t ret = fisica_criarRetangulo(100, 2100);
    fisica_anexarFigura(evento, ret, 0, 0);
    CONTEUDO_escrever(evento, "ret", (int32_t)ret);
    fisica_tratarColisoes(evento, evento, "colisao");

    CONTEUDO_escrever(evento, "img caixa", (int32_t)video_abrirImagem("caixa de texto.png", 1, 1));
    // The print keeps its own copy of the text.
    uint32_t escritura = video_criarEscritura(video_abrirFonte("Pumpkin.otf"), CONTEUDO_lerTexto(evento, "texto"), 20);
    CONTEUDO_mudarImpressao(escritura, CONTEUDO_IMPRESSAO_X, 230);
    CONTEUDO_mudarImpressao(escritura, CONTEUDO_IMPRESSAO_Y, 2380);
    CONTEUDO_mudarImpressao(escritura, CONTEUDO_IMPRESSAO_TRANSPARENCIA, 1000);
    CONTEUDO_mudarImpressao(escritura, CONTEUDO_IMPRESSAO_CAMADA, 18000);
    CONTEUDO_mudarImpressao(escritura, CONTEUDO_IMPRESSAO_COR, (_engine_valor)COR_DO_TEXTO);
    CONTEUDO_escrever(evento, "escritura", (int32_t)escritura);

    CONTEUDO_escrever(evento, "img botao pressionado", (int32_t)video_abrirImagem("botao pressionado.png", 1, 1));
    CONTEUDO_escrever(evento, "img botao solto", (int32_t)video_abrirImagem("botao solto.png", 1, 1));
    return nullptr;
}

// Counts the starting contacts of the player's character; the last one
// shows the text, and the trigger goes right after (it cannot be removed
// inside the world step that reports the contact).
void* CONTEUDO_evento_colisao(uint32_t evento)
{
    if (fisica_iniciandoColisao() != 'S') return nullptr;
    uint32_t colisao = fisica_colisaoDoEvento();
    fisica_colisao_mudarCancelada(colisao, 'S');
    uint32_t outro = fisica_colisao_pegarOutroCorpo(colisao, evento);
    int32_t vezes = CONTEUDO_ler(evento, "vezes");
    if (CONTEUDO_ler(outro, "jogador") != 'S' || vezes == 0) return nullptr;
    CONTEUDO_escrever(evento, "vezes", vezes - 1);
    if (vezes - 1 != 0) return nullptr;
    entidades_entidade_chamarFuncao(evento, "mostrar_texto");
    tempo_criarEvento(evento, "remover_ret", 1);
    return nullptr;
}

void* CONTEUDO_evento_remover_ret(uint32_t evento)
{
    fisica_pararDeTratarColisoes(evento, evento);
    fisica_removerFiguraAnexada(evento, (uint32_t)CONTEUDO_ler(evento, "ret"));
    return nullptr;
}

void* CONTEUDO_evento_mostrar_texto(uint32_t evento)
{
    entidades_entidade_chamarFuncao((uint32_t)CONTEUDO_ler(0, "jogador"), "parar");

    uint32_t caixa = impressaoNaTela((uint32_t)CONTEUDO_ler(evento, "img caixa"), 150, 2250, 16000);
    CONTEUDO_escrever(evento, "anm caixa", (int32_t)caixa);
    uint32_t surgir = video_configurarImpressao();
    video_configuracao_impressao_passarTempo(surgir, 500);
    video_configuracao_impressao_passarTempo(surgir, 500);
    video_configuracao_impressao_mudarTransparencia(surgir, 0);
    video_aplicarConfiguracaoImpressao(surgir, caixa);
    video_aplicarConfiguracaoImpressao(surgir, (uint32_t)CONTEUDO_ler(evento, "escritura"));

    uint32_t pressionado = impressaoNaTela((uint32_t)CONTEUDO_ler(evento, "img botao pressionado"), 5600, 3200, 17000);
    CONTEUDO_escrever(evento, "anm botão pressionado", (int32_t)pressionado);
    uint32_t config = piscar(0, 1000);
    video_aplicarConfiguracaoImpressao(config, pressionado);
    CONTEUDO_escrever(evento, "conf pressionado", (int32_t)config);

    uint32_t solto = impressaoNaTela((uint32_t)CONTEUDO_ler(evento, "img botao solto"), 5600, 3090, 17000);
    CONTEUDO_escrever(evento, "anm botão solto", (int32_t)solto);
    config = piscar(1000, 0);
    video_aplicarConfiguracaoImpressao(config, solto);
    CONTEUDO_escrever(evento, "conf solto", (int32_t)config);

    tempo_criarEvento(evento, "mostrou_texto", 1000);
    return nullptr;
}

// From now on a press dismisses the text.
void* CONTEUDO_evento_mostrou_texto(uint32_t evento)
{
    CONTEUDO_escrever(evento, "pressionou", (int32_t)entrada_criarEventoPressionar(evento, "pressionou"));
    return nullptr;
}

// Any press (key, mouse button, wheel, joystick button): the prompts stop
// where they are, everything fades out, and the controls come back once it
// has. The controller ignores this same press: its controls are still off.
void* CONTEUDO_evento_pressionou(uint32_t evento)
{
    entrada_destruirEventoPressionar((uint32_t)CONTEUDO_ler(evento, "pressionou"));
    CONTEUDO_escrever(evento, "pressionou", 0);
    CONTEUDO_destruirConfig(evento, "conf pressionado", ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_IMPRESSAO);
    CONTEUDO_destruirConfig(evento, "conf solto", ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_IMPRESSAO);

    uint32_t sumir = video_configurarImpressao();
    video_configuracao_impressao_passarTempo(sumir, 500);
    video_configuracao_impressao_mudarTransparencia(sumir, 1000);
    const char* const impressoes[] = {"anm caixa", "escritura", "anm botão pressionado", "anm botão solto"};
    for (const char* nome : impressoes)
        video_aplicarConfiguracaoImpressao(sumir, (uint32_t)CONTEUDO_ler(evento, nome));
    tempo_criarEvento((uint32_t)CONTEUDO_ler(0, "jogador"), "continuar", 500);
    return nullptr;
}
