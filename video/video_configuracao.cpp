// The video timelines: building print timelines, filling the steps of print
// and camera timelines, and starting print timelines on prints at the video
// clock. Each function is one call into the engine with module 3 and its
// model; video_atualizar advances camera timelines, then print timelines.
#include "video/video_interno.h"

uint32_t video_configurarImpressao()
{
    return engine_criarConfig(ENGINE_MODULO_VIDEO, VIDEO_MODELO_IMPRESSAO);
}

uint32_t video_configuracao_impressao_criarPonto(uint32_t config, uint32_t alvo, int32_t modo)
{
    return engine_config_criarPonto(ENGINE_MODULO_VIDEO, VIDEO_MODELO_IMPRESSAO, config, (int32_t)alvo, modo);
}

const char* video_configuracao_impressao_passarTempo(uint32_t config, int32_t duracao)
{
    return engine_config_passarTempo(ENGINE_MODULO_VIDEO, VIDEO_MODELO_IMPRESSAO, config, duracao);
}

// Starts at the video clock; a print that does not exist starts nothing.
uint32_t video_aplicarConfiguracaoImpressao(uint32_t config, uint32_t impressao)
{
    if (!VIDEO_pegarImpressao(impressao)) return 0;
    return engine_config_aplicar(ENGINE_MODULO_VIDEO, VIDEO_MODELO_IMPRESSAO, config, impressao, videoTempo);
}

const char* video_cancelarConfiguracaoImpressao(uint32_t aplicacao)
{
    return engine_config_cancelar(ENGINE_MODULO_VIDEO, VIDEO_MODELO_IMPRESSAO, aplicacao);
}

// ----------------------------------------------------------------- targets

static const char* VIDEO_discreta(uint32_t modelo, uint32_t config, uint32_t propriedade, _engine_valor valor)
{
    return engine_config_mudarPropriedadeDiscreta(ENGINE_MODULO_VIDEO, modelo, config, propriedade, valor);
}

static const char* VIDEO_continua(uint32_t modelo, uint32_t config, uint32_t propriedade, _engine_valor valor)
{
    return engine_config_mudarPropriedadeContinua(ENGINE_MODULO_VIDEO, modelo, config, propriedade, valor);
}

#define VIDEO_ALVO(funcao, modelo, propriedade, tipo, alvo)                            \
    const char* video_configuracao_##funcao(uint32_t config, tipo valor)              \
    {                                                                                  \
        return VIDEO_##alvo(modelo, config, propriedade, (_engine_valor)valor);        \
    }

#define VIDEO_ALVO_FIXO(funcao, modelo, propriedade)                  \
    const char* video_configuracao_##funcao(uint32_t config)          \
    {                                                                 \
        return VIDEO_discreta(modelo, config, propriedade, 0);        \
    }

enum { IMP = VIDEO_MODELO_IMPRESSAO, CAM = VIDEO_MODELO_CAMERA };

VIDEO_ALVO(animacao_mudarTextura, IMP, 1, uint32_t, discreta)
VIDEO_ALVO(animacao_mudarQuadroX, IMP, 2, uint32_t, continua)
VIDEO_ALVO(animacao_mudarQuadroY, IMP, 3, uint32_t, continua)
VIDEO_ALVO(escritura_mudarFonte, IMP, 4, uint32_t, discreta)
VIDEO_ALVO(escritura_mudarTamanho, IMP, 5, uint32_t, continua)
// The flags arrive widened with their sign: 'S' is 83, 'N' 78.
VIDEO_ALVO(escritura_mudarNegrito, IMP, 6, char, discreta)
VIDEO_ALVO(escritura_mudarItalico, IMP, 7, char, discreta)
VIDEO_ALVO(escritura_mudarSublinhado, IMP, 8, char, discreta)
VIDEO_ALVO(particulas_mudarImpressao, IMP, 10, uint32_t, discreta)
VIDEO_ALVO(particulas_adicionarConfiguracao, IMP, 11, uint32_t, discreta)
VIDEO_ALVO(particulas_removerConfiguracao, IMP, 12, uint32_t, discreta)
VIDEO_ALVO_FIXO(particulas_limparConfiguracoes, IMP, 13)
VIDEO_ALVO(particulas_mudarTipo, IMP, 14, int32_t, discreta)
VIDEO_ALVO(particulas_mudarCentralidade, IMP, 15, int32_t, discreta)
VIDEO_ALVO(particulas_mudarVelocidadeX, IMP, 16, int32_t, discreta)
VIDEO_ALVO(particulas_mudarVelocidadeY, IMP, 17, int32_t, discreta)
VIDEO_ALVO(particulas_mudarMargemVelocidadeX, IMP, 18, int32_t, discreta)
VIDEO_ALVO(particulas_mudarMargemVelocidadeY, IMP, 19, int32_t, discreta)
VIDEO_ALVO(particulas_mudarEstagnacao, IMP, 20, int32_t, discreta)
VIDEO_ALVO(particulas_mudarAceleracaoX, IMP, 21, int32_t, discreta)
VIDEO_ALVO(particulas_mudarAceleracaoY, IMP, 22, int32_t, discreta)
VIDEO_ALVO(particulas_mudarFrequencia, IMP, 23, int32_t, discreta)
VIDEO_ALVO(particulas_mudarConstancia, IMP, 24, int32_t, discreta)
VIDEO_ALVO(impressao_mudarEntidade, IMP, 26, uint32_t, discreta)
VIDEO_ALVO(impressao_mudarCamada, IMP, 27, uint32_t, continua)
VIDEO_ALVO(impressao_mudarX, IMP, 28, int32_t, continua)
VIDEO_ALVO(impressao_mudarY, IMP, 29, int32_t, continua)
VIDEO_ALVO(impressao_mudarRotacao, IMP, 32, int32_t, continua)
// The text must outlive the timeline.
VIDEO_ALVO(impressao_mudarCor, IMP, 33, const char*, discreta)
VIDEO_ALVO(impressao_mudarVermelho, IMP, 34, int32_t, continua)
VIDEO_ALVO(impressao_mudarVerde, IMP, 35, int32_t, continua)
VIDEO_ALVO(impressao_mudarAzul, IMP, 36, int32_t, continua)
VIDEO_ALVO(impressao_mudarTransparencia, IMP, 37, int32_t, continua)
VIDEO_ALVO_FIXO(impressao_destruirImpressao, IMP, 38)
VIDEO_ALVO(camera_mudarX, CAM, 1, int32_t, continua)
VIDEO_ALVO(camera_mudarY, CAM, 2, int32_t, continua)
VIDEO_ALVO(camera_mudarZoom, CAM, 3, int32_t, continua)
