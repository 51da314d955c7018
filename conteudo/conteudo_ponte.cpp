// The bridge: two slabs that swing down like a trapdoor when the big
// character steps on its middle, and close again 1.5 s later; the small
// character crosses it. Its ground sensors leave the scene while it is open.
#include <cstdint>

#include "conteudo/conteudo_funcoes.h"
#include "conteudo/conteudo_interno.h"
#include "engine/entidades.h"
#include "engine/tempo.h"
#include "fisica/fisica.h"
#include "video/video.h"

// One slab: an empty entity at the bridge + (dx, dy) that turns about its
// own position, its picture and its 700 x 200 rectangle starting at (ox, oy)
// before the scale of 100.
static uint32_t lado(uint32_t ponte, uint32_t imagem, int32_t dx, int32_t dy, int32_t ox, int32_t oy)
{
    uint32_t lado = entidades_criarEntidade(conteudoVazio, CONTEUDO_corpo(ponte, CONTEUDO_CORPO_X) + dx,
                                            CONTEUDO_corpo(ponte, CONTEUDO_CORPO_Y) + dy);
    uint32_t impressao = video_criarAnimacao(imagem);
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_X, ox);
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_Y, oy);
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_CAMADA, 11000);
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_ENTIDADE, lado);
    fisica_anexarFigura(lado, fisica_criarRetangulo(7000, 2000), ox, oy);
    CONTEUDO_mudarCorpo(lado, CONTEUDO_CORPO_ESCALA_X, 100);
    CONTEUDO_mudarCorpo(lado, CONTEUDO_CORPO_ESCALA_Y, 100);
    return lado;
}

// Turns a slab to "rotacao" over 500 ms. The slab's previous turn has run
// (or is cut short where it stands) and is reclaimed: a bridge that opens
// and closes all game long keeps two timelines, not two per turn.
static void girar(uint32_t ponte, const char* ladoNome, const char* configNome, int32_t rotacao)
{
    CONTEUDO_destruirConfig(ponte, configNome, ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO);
    uint32_t config = engine_criarConfig(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO);
    engine_config_passarTempo(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, config, 500);
    engine_config_mudarPropriedadeContinua(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, config,
                                           CONTEUDO_CORPO_ROTACAO, rotacao);
    engine_config_aplicar(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, config,
                          (uint32_t)CONTEUDO_ler(ponte, ladoNome), tempo_tempoAtual());
    CONTEUDO_escrever(ponte, configNome, (int32_t)config);
}

static void moverSensores(uint32_t ponte, int32_t y)
{
    CONTEUDO_mudarCorpo((uint32_t)CONTEUDO_ler(ponte, "plataforma1"), CONTEUDO_CORPO_Y, y);
    CONTEUDO_mudarCorpo((uint32_t)CONTEUDO_ler(ponte, "plataforma2"), CONTEUDO_CORPO_Y, y);
}

void* CONTEUDO_ponte_inicio(uint32_t ponte)
{
    int32_t x = CONTEUDO_corpo(ponte, CONTEUDO_CORPO_X);
    int32_t y = CONTEUDO_corpo(ponte, CONTEUDO_CORPO_Y);
    uint32_t imagem = video_abrirImagem("ponte.png", 1, 1);
    CONTEUDO_escrever(ponte, "lado esquerdo", (int32_t)lado(ponte, imagem, 100, 100, -1000, -1000));
    CONTEUDO_escrever(ponte, "lado direito", (int32_t)lado(ponte, imagem, 1300, 100, -6000, -1000));

    // Ground for the big size and for the small size: one strip on both.
    uint32_t grande = entidades_criarEntidade(conteudoSensor, x, y);
    uint32_t pequeno = entidades_criarEntidade(conteudoSensor, x, y);
    CONTEUDO_escreverEm(grande, "plataforma", 1, 'S');
    CONTEUDO_escreverEm(pequeno, "plataforma", 2, 'S');
    uint32_t faixa = fisica_criarRetangulo(1400, 100);
    fisica_anexarFigura(grande, faixa, 0, -100);
    fisica_anexarFigura(pequeno, faixa, 0, -20);
    CONTEUDO_escrever(ponte, "plataforma1", (int32_t)grande);
    CONTEUDO_escrever(ponte, "plataforma2", (int32_t)pequeno);

    // The trigger over the middle.
    fisica_anexarFigura(ponte, fisica_criarRetangulo(800, 100), 300, -100);
    fisica_tratarColisoes(ponte, ponte, "colisao");
    CONTEUDO_escrever(ponte, "pronto", 'S');
    return nullptr;
}

// The big player's character on the trigger collapses a ready bridge.
void* CONTEUDO_ponte_colisao(uint32_t ponte)
{
    if (fisica_iniciandoColisao() != 'S') return nullptr;
    uint32_t colisao = fisica_colisaoDoEvento();
    fisica_colisao_mudarCancelada(colisao, 'S');
    uint32_t outro = fisica_colisao_pegarOutroCorpo(colisao, ponte);
    if (CONTEUDO_ler(ponte, "pronto") != 'S' || CONTEUDO_ler(outro, "jogador") != 'S' ||
        CONTEUDO_ler(outro, "tamanho") != 1)
        return nullptr;
    CONTEUDO_escrever(ponte, "pronto", 'N');
    moverSensores(ponte, CONTEUDO_corpo(ponte, CONTEUDO_CORPO_Y) - 50000);
    girar(ponte, "lado esquerdo", "config esquerda", 900);
    girar(ponte, "lado direito", "config direita", -900);
    tempo_criarEvento(ponte, "voltar", 1500);
    return nullptr;
}

void* CONTEUDO_ponte_voltar(uint32_t ponte)
{
    CONTEUDO_escrever(ponte, "pronto", 'S');
    moverSensores(ponte, CONTEUDO_corpo(ponte, CONTEUDO_CORPO_Y));
    girar(ponte, "lado esquerdo", "config esquerda", 0);
    girar(ponte, "lado direito", "config direita", 0);
    return nullptr;
}
