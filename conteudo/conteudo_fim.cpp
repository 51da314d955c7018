// The end zone and the ending: growing to the big size inside the zone ends
// the game. The character swells and vanishes, the view zooms out, the
// screen turns white, the end picture, a walking character and a spinning
// earth fade in, and the game music gives way to the ending music. The
// window stays open until the player closes it.
#include <cstdint>

#include "audio/audio.h"
#include "conteudo/conteudo_funcoes.h"
#include "conteudo/conteudo_interno.h"
#include "engine/entidades.h"
#include "engine/tempo.h"
#include "fisica/fisica.h"
#include "video/video.h"

// The timelines of the ending that run once: reclaimed once the last of
// them (the character's growth, 10 s) has run.
static const char* const CONFIGS_DO_FIM[] = {"conf escala", "conf zoom", "conf branco", "conf surgir",
                                             "conf volume", "conf musica", "conf terra"};
enum { FIM_ESCALA, FIM_ZOOM, FIM_BRANCO, FIM_SURGIR, FIM_VOLUME, FIM_MUSICA, FIM_TERRA };
static const uint32_t MODULOS_DO_FIM[] = {ENGINE_MODULO_FISICA, ENGINE_MODULO_VIDEO, ENGINE_MODULO_VIDEO,
                                          ENGINE_MODULO_VIDEO,  ENGINE_MODULO_AUDIO, ENGINE_MODULO_AUDIO,
                                          ENGINE_MODULO_VIDEO};
static const uint32_t MODELOS_DO_FIM[] = {CONTEUDO_MODELO_CORPO,     CONTEUDO_MODELO_CAMERA, CONTEUDO_MODELO_IMPRESSAO,
                                          CONTEUDO_MODELO_IMPRESSAO, CONTEUDO_MODELO_LISTA,  CONTEUDO_MODELO_LISTA,
                                          CONTEUDO_MODELO_IMPRESSAO};

// A timeline of one step of "duracao" ms (after a hold of "espera" ms when
// it is not 0) of the given module and model.
static uint32_t passo(uint32_t modulo, uint32_t modelo, int32_t espera, int32_t duracao)
{
    uint32_t config = engine_criarConfig(modulo, modelo);
    if (espera != 0) engine_config_passarTempo(modulo, modelo, config, espera);
    engine_config_passarTempo(modulo, modelo, config, duracao);
    return config;
}

static void aplicar(uint32_t fim, uint32_t qual, uint32_t config, uint32_t instancia)
{
    engine_config_aplicar(MODULOS_DO_FIM[qual], MODELOS_DO_FIM[qual], config, instancia, tempo_tempoAtual());
    CONTEUDO_escrever(fim, CONFIGS_DO_FIM[qual], (int32_t)config);
}

static void aplicarNaImpressao(uint32_t fim, uint32_t qual, uint32_t config, uint32_t impressao)
{
    video_aplicarConfiguracaoImpressao(config, impressao);
    CONTEUDO_escrever(fim, CONFIGS_DO_FIM[qual], (int32_t)config);
}

// A print of an image on the internal picture, invisible.
static uint32_t impressaoInvisivel(uint32_t imagem, int32_t camada)
{
    uint32_t impressao = video_criarAnimacao(imagem);
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_TRANSPARENCIA, 1000);
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_CAMADA, camada);
    return impressao;
}

void* CONTEUDO_fim_inicio(uint32_t fim)
{
    fisica_anexarFigura(fim, fisica_criarRetangulo(700, 700), 0, 0);
    fisica_tratarColisoes(fim, fim, "colisao");
    return nullptr;
}

// Follows the player's character in and out of the zone; while it is in,
// the zone hears of its size changes.
void* CONTEUDO_fim_colisao(uint32_t fim)
{
    CONTEUDO_acompanharJogador(fim, fim);
    return nullptr;
}

// A growth completed inside the zone ends the game, once: the controls stay
// on during the ending, and growing there again changes nothing.
void* CONTEUDO_fim_mudou_tamanho(uint32_t fim)
{
    if (CONTEUDO_ler(fim, "personagem backup") != 0) return nullptr;
    if (CONTEUDO_ler((uint32_t)CONTEUDO_ler(fim, "personagem"), "tamanho") == 1)
        entidades_entidade_chamarFuncao(fim, "fim");
    return nullptr;
}

void* CONTEUDO_fim_fim(uint32_t fim)
{
    uint32_t personagem = (uint32_t)CONTEUDO_ler(fim, "personagem");
    if (CONTEUDO_ler(fim, "personagem backup") != 0 || personagem == 0) return nullptr;

    // The character swells toward nine times its size; the view zooms out.
    uint32_t config = passo(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, 0, 10000);
    engine_config_mudarPropriedadeContinua(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, config,
                                           CONTEUDO_CORPO_ESCALA_X, 9000);
    engine_config_mudarPropriedadeContinua(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, config,
                                           CONTEUDO_CORPO_ESCALA_Y, 9000);
    aplicar(fim, FIM_ESCALA, config, personagem);
    config = passo(ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_CAMERA, 0, 4000);
    video_configuracao_camera_mudarZoom(config, 604);
    aplicar(fim, FIM_ZOOM, config, (uint32_t)CONTEUDO_ler(0, "camera"));

    // The screen turns white from 2 s to 4 s.
    config = video_configurarImpressao();
    video_configuracao_impressao_passarTempo(config, 2000);
    video_configuracao_impressao_passarTempo(config, 2000);
    video_configuracao_impressao_mudarTransparencia(config, 0);
    aplicarNaImpressao(fim, FIM_BRANCO, config, (uint32_t)CONTEUDO_ler(0, "anm branco"));

    // The end picture and the walking character fade in from 4 s to 6 s.
    uint32_t quadro = impressaoInvisivel((uint32_t)CONTEUDO_ler(0, "img fim"), 30500);
    CONTEUDO_mudarImpressao(quadro, CONTEUDO_IMPRESSAO_LARGURA, 6400);
    CONTEUDO_mudarImpressao(quadro, CONTEUDO_IMPRESSAO_ALTURA, 3600);
    uint32_t andando = impressaoInvisivel((uint32_t)CONTEUDO_ler(0, "img personagem"), 32000);
    CONTEUDO_mudarImpressao(andando, CONTEUDO_IMPRESSAO_LARGURA, 1515);
    CONTEUDO_mudarImpressao(andando, CONTEUDO_IMPRESSAO_ALTURA, 931);
    CONTEUDO_mudarImpressao(andando, CONTEUDO_IMPRESSAO_X, 743);
    CONTEUDO_mudarImpressao(andando, CONTEUDO_IMPRESSAO_Y, 879);
    CONTEUDO_mudarImpressao(andando, CONTEUDO_IMPRESSAO_QUADRO_Y, 2);
    uint32_t ciclo = video_configurarImpressao();
    video_configuracao_animacao_mudarQuadroX(ciclo, 0);
    video_configuracao_impressao_passarTempo(ciclo, 900);
    video_configuracao_animacao_mudarQuadroX(ciclo, 9);
    video_configuracao_impressao_passarTempo(ciclo, 100);
    video_configuracao_impressao_criarPonto(ciclo, 0, -1);
    video_aplicarConfiguracaoImpressao(ciclo, andando);
    config = video_configurarImpressao();
    video_configuracao_impressao_passarTempo(config, 4000);
    video_configuracao_impressao_passarTempo(config, 2000);
    video_configuracao_impressao_mudarTransparencia(config, 0);
    video_aplicarConfiguracaoImpressao(config, quadro);
    aplicarNaImpressao(fim, FIM_SURGIR, config, andando);

    // The game music fades out over 4 s and the ending music starts.
    config = passo(ENGINE_MODULO_AUDIO, CONTEUDO_MODELO_LISTA, 0, 4000);
    audio_config_mudarVolume(config, 0);
    aplicar(fim, FIM_VOLUME, config, (uint32_t)CONTEUDO_ler(0, "musica"));
    config = passo(ENGINE_MODULO_AUDIO, CONTEUDO_MODELO_LISTA, 0, 4000);
    audio_config_reproduzir(config);
    aplicar(fim, FIM_MUSICA, config, (uint32_t)CONTEUDO_ler(0, "som fim"));

    CONTEUDO_escrever(fim, "personagem backup", (int32_t)personagem);
    // The character is the ending's now: nothing puts it back or holds its
    // size.
    CONTEUDO_escrever(personagem, "no fim", 'S');
    tempo_criarEvento(fim, "terra", 4000);
    return nullptr;
}

// The screen is white: the character goes, and the earth fades in, turning.
void* CONTEUDO_fim_terra(uint32_t fim)
{
    uint32_t personagem = (uint32_t)CONTEUDO_ler(fim, "personagem backup");
    entidades_entidade_chamarFuncao(personagem, "desligar");
    uint32_t centro = entidades_criarEntidade(conteudoVazio, CONTEUDO_corpo(personagem, CONTEUDO_CORPO_X) - 2850,
                                              CONTEUDO_corpo(personagem, CONTEUDO_CORPO_Y) + 850);
    uint32_t terra = impressaoInvisivel((uint32_t)CONTEUDO_ler(0, "img terra"), 31000);
    CONTEUDO_mudarImpressao(terra, CONTEUDO_IMPRESSAO_LARGURA, 2318);
    CONTEUDO_mudarImpressao(terra, CONTEUDO_IMPRESSAO_ALTURA, 2318);
    CONTEUDO_mudarImpressao(terra, CONTEUDO_IMPRESSAO_X, -1159);
    CONTEUDO_mudarImpressao(terra, CONTEUDO_IMPRESSAO_Y, -1159);
    CONTEUDO_mudarImpressao(terra, CONTEUDO_IMPRESSAO_ENTIDADE, centro);
    CONTEUDO_escrever(fim, "centro terra", (int32_t)centro);
    CONTEUDO_escrever(fim, "anm terra", (int32_t)terra);

    // A whole turn every 2880 ms, the angle decreasing; 2400 and -1200 show
    // the same angle, so the loop does not jump.
    uint32_t giro = engine_criarConfig(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO);
    engine_config_mudarPropriedadeContinua(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, giro, CONTEUDO_CORPO_ROTACAO,
                                           2400);
    engine_config_passarTempo(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, giro, 2872);
    engine_config_mudarPropriedadeContinua(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, giro, CONTEUDO_CORPO_ROTACAO,
                                           -1200);
    engine_config_passarTempo(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, giro, 8);
    engine_config_criarPonto(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, giro, 0, -1);
    engine_config_aplicar(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, giro, centro, tempo_tempoAtual());

    uint32_t config = video_configurarImpressao();
    video_configuracao_impressao_passarTempo(config, 2000);
    video_configuracao_impressao_mudarTransparencia(config, 0);
    aplicarNaImpressao(fim, FIM_TERRA, config, terra);

    // Everything that runs once has run 10 s after the ending began.
    tempo_criarEvento(fim, "recolher", 7000);
    return nullptr;
}

// Reclaims the ending's timelines that have run; the loops go on.
void* CONTEUDO_fim_recolher(uint32_t fim)
{
    for (uint32_t i = 0; i < sizeof CONFIGS_DO_FIM / sizeof CONFIGS_DO_FIM[0]; i++)
        CONTEUDO_destruirConfig(fim, CONFIGS_DO_FIM[i], MODULOS_DO_FIM[i], MODELOS_DO_FIM[i]);
    return nullptr;
}
