// Particle-system properties of model 1. They apply to prints of kind 2
// only; nothing creates such a print yet, so every print refuses them with
// the kind's error text and reads 0.
#include "video/video_interno.h"

const char VIDEO_ERRO_PARTICULAS[] = "Sistema de particulas invalido";

#define VIDEO_PARTICULAS_PEGAR(nome)                       \
    _engine_valor VIDEO_particulas_pegar##nome(uint32_t i) \
    {                                                      \
        (void)i;                                           \
        return 0;                                          \
    }
#define VIDEO_PARTICULAS_MUDAR(funcao)                          \
    const char* VIDEO_particulas_##funcao(uint32_t i, _engine_valor v) \
    {                                                           \
        (void)i;                                                \
        (void)v;                                                \
        return VIDEO_ERRO_PARTICULAS;                           \
    }

VIDEO_PARTICULAS_PEGAR(Impressao)
VIDEO_PARTICULAS_PEGAR(Tipo)
VIDEO_PARTICULAS_PEGAR(Centralidade)
VIDEO_PARTICULAS_PEGAR(VelocidadeX)
VIDEO_PARTICULAS_PEGAR(VelocidadeY)
VIDEO_PARTICULAS_PEGAR(MargemVelocidadeX)
VIDEO_PARTICULAS_PEGAR(MargemVelocidadeY)
VIDEO_PARTICULAS_PEGAR(Estagnacao)
VIDEO_PARTICULAS_PEGAR(AceleracaoX)
VIDEO_PARTICULAS_PEGAR(AceleracaoY)
VIDEO_PARTICULAS_PEGAR(Frequencia)
VIDEO_PARTICULAS_PEGAR(Constancia)
VIDEO_PARTICULAS_PEGAR(NumeroParticulas)

VIDEO_PARTICULAS_MUDAR(mudarImpressao)
VIDEO_PARTICULAS_MUDAR(adicionarConfiguracao)
VIDEO_PARTICULAS_MUDAR(removerConfiguracao)
VIDEO_PARTICULAS_MUDAR(limparConfiguracoes)
VIDEO_PARTICULAS_MUDAR(mudarTipo)
VIDEO_PARTICULAS_MUDAR(mudarCentralidade)
VIDEO_PARTICULAS_MUDAR(mudarVelocidadeX)
VIDEO_PARTICULAS_MUDAR(mudarVelocidadeY)
VIDEO_PARTICULAS_MUDAR(mudarMargemVelocidadeX)
VIDEO_PARTICULAS_MUDAR(mudarMargemVelocidadeY)
VIDEO_PARTICULAS_MUDAR(mudarEstagnacao)
VIDEO_PARTICULAS_MUDAR(mudarAceleracaoX)
VIDEO_PARTICULAS_MUDAR(mudarAceleracaoY)
VIDEO_PARTICULAS_MUDAR(mudarFrequencia)
VIDEO_PARTICULAS_MUDAR(mudarConstancia)
