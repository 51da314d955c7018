// The character: an animated sprite on a dynamic, non-rotating body that
// walks, turns, jumps, counts its ground contacts and changes between its
// big size (scale 1000) and its small size (200). The frame column is driven
// by print timelines on the ground and by the vertical speed in the air; the
// row and the animation speed follow the horizontal speed.
#include <cstdint>
#include <initializer_list>

#include "conteudo/conteudo_funcoes.h"
#include "conteudo/conteudo_interno.h"
#include "engine/dados.h"
#include "engine/entidades.h"
#include "engine/tempo.h"
#include "fisica/fisica.h"
#include "video/video.h"

enum { SOMA = 0, SUBTRACAO = 1, MULTIPLICACAO = 2, DIVISAO = 3, MINIMO = 8, MAXIMO = 9 };

// What the walking-force expression divides by stays above 0 only while
// "massa" lies within these bounds.
static const int32_t MASSA_MINIMA = 60;
static const int32_t MASSA_MAXIMA = 600059;

// ---------------------------------------------------------------- helpers

static int32_t ler(uint32_t p, const char* nome)
{
    return CONTEUDO_ler(p, nome);
}

static void escrever(uint32_t p, const char* nome, int32_t valor)
{
    CONTEUDO_escrever(p, nome, valor);
}

static uint32_t animacao(uint32_t p)
{
    return (uint32_t)ler(p, "animacao");
}

static int32_t quadroX(uint32_t p)
{
    return CONTEUDO_impressao(animacao(p), CONTEUDO_IMPRESSAO_QUADRO_X);
}

static void chamar(uint32_t p, const char* funcao)
{
    entidades_entidade_chamarFuncao(p, funcao);
}

// (a × b) / 1000 formed in 64 bits, the quotient truncated to 32 bits.
static int32_t produtoMilesimo(int64_t a, int64_t b)
{
    return (int32_t)(a * b / 1000);
}

// The sprite runs one print timeline at a time: the running application is
// cancelled and the new one takes its place in "aplicada".
static void aplicarNoSprite(uint32_t p, uint32_t config)
{
    engine_config_cancelar(ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_IMPRESSAO, (uint32_t)ler(p, "aplicada"));
    escrever(p, "aplicada", (int32_t)video_aplicarConfiguracaoImpressao(config, animacao(p)));
}

static void cancelarAplicada(uint32_t p)
{
    engine_config_cancelar(ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_IMPRESSAO, (uint32_t)ler(p, "aplicada"));
    escrever(p, "aplicada", 0);
}

// A temporary column timeline (from "de" at once to "ate" over "duracao" ms)
// replaces the one in "config temp" and runs on the sprite.
static void aplicarTemporaria(uint32_t p, int32_t de, int32_t ate, int32_t duracao)
{
    CONTEUDO_destruirConfig(p, "config temp", ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_IMPRESSAO);
    uint32_t config = video_configurarImpressao();
    video_configuracao_animacao_mudarQuadroX(config, (uint32_t)de);
    video_configuracao_impressao_passarTempo(config, duracao);
    video_configuracao_animacao_mudarQuadroX(config, (uint32_t)ate);
    aplicarNoSprite(p, config);
    escrever(p, "config temp", (int32_t)config);
}

static void vincularQuadroX(uint32_t p, uint32_t recurso)
{
    engine_propriedade_mudarRecurso(ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_IMPRESSAO, CONTEUDO_IMPRESSAO_QUADRO_X,
                                    animacao(p), recurso);
}

static void espelhar(uint32_t p)
{
    CONTEUDO_mudarImpressao(animacao(p), CONTEUDO_IMPRESSAO_LARGURA,
                            -CONTEUDO_impressao(animacao(p), CONTEUDO_IMPRESSAO_LARGURA));
}

// 13 - the column, the frames of a turn still to show; 3 when the column is
// not one of the turn's (10 to 13).
static int32_t passosDaVirada(uint32_t p)
{
    int32_t m = 13 - quadroX(p);
    return (uint32_t)m > 3u ? 3 : m;
}

static bool noArPelaColuna(int32_t coluna)
{
    return coluna >= 19 && coluna <= 25;
}

// ------------------------------------------------------------------- room

// How deep an overlap with the level counts: a body at rest on a floor sinks
// into it a little, and one that grows or walks against a wall some 2.5 px,
// before the solver has pushed it out.
static const int32_t FOLGA = 30;
// A growing body pressed deeper than this into the level is being squeezed
// between figures, and would be pushed through the thinner one.
static const int32_t FOLGA_APERTO = 50;

// The bodies that stop the character: the level's rock, the spring pad and
// the bridge's slabs (empty entities). Sensors, triggers and the end zone
// cancel their contacts and do not count.
static bool bloqueia(uint32_t corpo)
{
    uint32_t modelo = entidades_entidade_pegarModelo(corpo);
    return modelo != 0 && (modelo == conteudoLevel_0 || modelo == conteudoTrampolim || modelo == conteudoVazio);
}

// Whether the character's figures at scale `escala`, moved by (dx, dy),
// would overlap something that stops it by more than `folga`.
static bool sobreporia(uint32_t p, int32_t escala, int32_t dx, int32_t dy, int32_t folga = FOLGA)
{
    uint32_t corpos[16];
    uint32_t n = fisica_sobreposicoes(p, escala, dx, dy, folga, corpos, 16);
    for (uint32_t i = 0; i < n && i < 16; i++)
        if (bloqueia(corpos[i])) return true;
    return n > 16;
}

// From the body's origin down to its feet at the big size: 0.375 h.
static int32_t meioDoCorpo(uint32_t p)
{
    return (int32_t)((int64_t)CONTEUDO_impressao(animacao(p), CONTEUDO_IMPRESSAO_ALTURA) * 375 / 10 / 100);
}

// Whether the ending has begun: from then on the character is the ending's
// (it swells the body far beyond its sizes), and the size keys do nothing,
// so that its last picture (the camera's zoom, where the earth shows) stays
// until the window closes.
static bool noFim(uint32_t p)
{
    return ler(p, "no fim") == 'S';
}

// Whether the player still steers the character: not once the ending has
// begun or switched it off.
static bool emJogo(uint32_t p)
{
    return !noFim(p) && CONTEUDO_corpo(p, CONTEUDO_CORPO_DINAMICO) == 'S';
}

// How far the growth may lift a character in the air: rock that the
// growing body meets from below pushes it up, which is how growing at the
// top of the shaft gets it out (the throw leaves its feet up to some 35 px
// short of the shaft's mouth).
static const int32_t ELEVACAO_MAXIMA = 400;

// Whether the big shape has room where the character is. Standing, it grows
// upward from its feet, which stay where they are. In the air it grows about
// its origin, or is lifted by what it meets from below by up to
// ELEVACAO_MAXIMA; standing beside a step is not that: there the growth
// would lift it through the step's wall. Out of play the size changes as
// the ending says.
static bool cabeGrande(uint32_t p)
{
    if (!emJogo(p)) return true;
    int32_t escala = CONTEUDO_corpo(p, CONTEUDO_CORPO_ESCALA_X);
    int32_t pes = (int32_t)(-(int64_t)meioDoCorpo(p) * (1000 - escala) / 1000);
    if (!sobreporia(p, 1000, 0, pes)) return true;
    if (CONTEUDO_lerEm(0, "plataformas", (uint32_t)ler(p, "tamanho")) > 0) return false;
    if (!sobreporia(p, 1000, 0, 0)) return true;
    for (int32_t elevacao = 50; elevacao <= ELEVACAO_MAXIMA; elevacao += 50)
        if (!sobreporia(p, 1000, 0, pes - elevacao)) return true;
    return false;
}

// A place of the character: its origin's x and its feet's y, kept in the
// variables "<nome> x" and "<nome> y". "chao" is where it last came onto
// ground of its size, "inicio" where it started; it is put back there when
// it has left the level.
static void guardarLugar(uint32_t p, const char* x, const char* y)
{
    int32_t escala = CONTEUDO_corpo(p, CONTEUDO_CORPO_ESCALA_X);
    escrever(p, x, CONTEUDO_corpo(p, CONTEUDO_CORPO_X));
    escrever(p, y, CONTEUDO_corpo(p, CONTEUDO_CORPO_Y) + (int32_t)((int64_t)meioDoCorpo(p) * escala / 1000));
}

static void guardarChao(uint32_t p)
{
    guardarLugar(p, "chao x", "chao y");
}

// Puts the character at (x, y), at rest. From then until the next step the
// body is where its X and Y say, so overlap queries (which look from where
// the last step left it) and X and Y agree.
static void colocar(uint32_t p, int32_t x, int32_t y)
{
    CONTEUDO_mudarCorpo(p, CONTEUDO_CORPO_DINAMICO, 'N');
    CONTEUDO_mudarCorpo(p, CONTEUDO_CORPO_X, x);
    CONTEUDO_mudarCorpo(p, CONTEUDO_CORPO_Y, y);
    CONTEUDO_mudarCorpo(p, CONTEUDO_CORPO_DINAMICO, 'S');
}

// How far above a place the put-back looks for room (the ground there may
// have risen, as the pad does, or the place been taken inside the ground by
// a fast fall), and how far below it looks for the ground to set the feet
// on.
static const int32_t SUBIDA_MAXIMA = 500;
static const int32_t DESCIDA_MAXIMA = 2000;

// How far to move the character, just put somewhere, up or down so that it
// stands on the ground there: the first height from where it is up by at
// most SUBIDA_MAXIMA where it overlaps nothing that stops it, lowered until
// the next 1 px down would overlap the ground (or by DESCIDA_MAXIMA at
// most). False when there is no room.
static bool alturaParaPousar(uint32_t p, int32_t* dy)
{
    int32_t escala = CONTEUDO_corpo(p, CONTEUDO_CORPO_ESCALA_X);
    int32_t y = 0;
    while (sobreporia(p, escala, 0, y, 0)) {
        y -= 10;
        if (y < -SUBIDA_MAXIMA) return false;
    }
    // Steps of 5 px cannot pass a floor: the small body is 18 px high.
    int32_t descida = 0;
    for (int32_t passo : {50, 10})
        while (descida + passo <= DESCIDA_MAXIMA && !sobreporia(p, escala, 0, y + passo, 0)) {
            y += passo;
            descida += passo;
        }
    *dy = y;
    return true;
}

// The ground steps: the column leaves the vertical speed and the walk cycle
// runs; a force against the facing starts a turn at once.
static void pousar(uint32_t p)
{
    vincularQuadroX(p, 0);
    aplicarNoSprite(p, (uint32_t)ler(p, "config"));
    int32_t forca = CONTEUDO_corpo(p, CONTEUDO_CORPO_FORCA_X);
    if (produtoMilesimo(forca, (int64_t)ler(p, "direcao") * 1000) < 0) chamar(p, "virar");
    if (ler(p, "andando") == 'S')
        CONTEUDO_mudarCorpo(p, CONTEUDO_CORPO_FORCA_X,
                            produtoMilesimo((int64_t)ler(p, "direcao") * 500, (int64_t)ler(p, "virando") * 1000));
}

// After a take-off or a size change the character may stay in touch with
// the ground of its size, so that no contact starts to land it: it is looked
// at again in the next frames.
static void conferirChaoDepois(uint32_t p)
{
    CONTEUDO_substituirEvento(p, "conferir chao", "conferir_chao", 1);
}

// A size change: the body's scale, the camera's zoom and the mass move to
// their targets over "progant" ms from now, and "mudou_tamanho" follows.
static void mudarTamanho(uint32_t p, int32_t progant, int32_t tamanho, int32_t escala, int32_t zoom, int32_t massa)
{
    // Scales outside 200..1000 (the ending grows the body far beyond) would
    // give a negative duration.
    if (progant < 0) progant = 0;
    escrever(p, "progant", progant);
    escrever(p, "tamanho", tamanho);
    uint32_t agora = tempo_tempoAtual();

    CONTEUDO_destruirConfig(p, "confCorpo", ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO);
    uint32_t corpo = engine_criarConfig(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO);
    engine_config_passarTempo(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, corpo, progant);
    engine_config_mudarPropriedadeContinua(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, corpo, CONTEUDO_CORPO_ESCALA_X,
                                           escala);
    engine_config_mudarPropriedadeContinua(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, corpo, CONTEUDO_CORPO_ESCALA_Y,
                                           escala);
    engine_config_aplicar(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, corpo, p, agora);
    escrever(p, "confCorpo", (int32_t)corpo);

    CONTEUDO_destruirConfig(p, "confC", ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_CAMERA);
    uint32_t camera = engine_criarConfig(ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_CAMERA);
    engine_config_passarTempo(ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_CAMERA, camera, progant);
    video_configuracao_camera_mudarZoom(camera, zoom);
    engine_config_aplicar(ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_CAMERA, camera, (uint32_t)CONTEUDO_ler(0, "camera"),
                          agora);
    escrever(p, "confC", (int32_t)camera);

    CONTEUDO_destruirConfig(p, "confV", ENGINE_MODULO_DADOS, CONTEUDO_MODELO_VARIAVEL);
    uint32_t variavel = dados_configurarVariavel();
    dados_config_passarTempo(variavel, progant);
    dados_config_mudarValor(variavel, massa);
    engine_config_aplicar(ENGINE_MODULO_DADOS, CONTEUDO_MODELO_VARIAVEL, variavel,
                          dados_variavel_pegarPosicao(p, "massa"), agora);
    escrever(p, "confV", (int32_t)variavel);

    CONTEUDO_substituirEvento(p, "mudou tamanho", "mudou_tamanho", progant);
    conferirChaoDepois(p);
}

static void comecarADiminuir(uint32_t p)
{
    int32_t progant = (11 * CONTEUDO_corpo(p, CONTEUDO_CORPO_ESCALA_X) - 2200) / 10;
    mudarTamanho(p, progant, 2, 200, 2500, produtoMilesimo(ler(p, "massa original"), 600));
}

static void comecarACrescer(uint32_t p)
{
    int32_t progant = (11000 - 11 * CONTEUDO_corpo(p, CONTEUDO_CORPO_ESCALA_X)) / 10;
    mudarTamanho(p, progant, 1, 1000, 1000, ler(p, "massa original"));
}

// The watch over a growth, every frame from the wish to grow to the growth's
// end.
static void vigiarCrescimento(uint32_t p)
{
    CONTEUDO_substituirEvento(p, "crescer depois", "tentar_crescer", 1);
}

// ------------------------------------------------------------ construction

// The frame column in the air, 19 + 3 × max(0, min((VelocidadeY + 3000) / 2000, 2)).
static uint32_t expressaoNoAr(uint32_t p)
{
    uint32_t vy = engine_criarReferencia(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, CONTEUDO_CORPO_VELOCIDADE_Y, p);
    uint32_t faixa = CONTEUDO_operar(CONTEUDO_operar(vy, SOMA, CONTEUDO_constante(3000)), DIVISAO,
                                     CONTEUDO_constante(2000));
    faixa = CONTEUDO_operar(CONTEUDO_constante(0), MAXIMO, CONTEUDO_operar(faixa, MINIMO, CONTEUDO_constante(2)));
    return CONTEUDO_operar(CONTEUDO_constante(19), SOMA, CONTEUDO_operar(CONTEUDO_constante(3), MULTIPLICACAO, faixa));
}

// The walking force: (ForcaX × "força") / (10000 / ("massa" / 60)), with the
// mass the expression sees kept within the bounds where neither divisor is 0.
static uint32_t expressaoForca(uint32_t p)
{
    uint32_t forca = engine_criarReferencia(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, CONTEUDO_CORPO_FORCA_X, p);
    uint32_t massa = CONTEUDO_referenciaVariavel(p, "massa");
    massa = CONTEUDO_operar(CONTEUDO_operar(massa, MINIMO, CONTEUDO_constante(MASSA_MAXIMA)), MAXIMO,
                            CONTEUDO_constante(MASSA_MINIMA));
    uint32_t divisor = CONTEUDO_operar(CONTEUDO_constante(10000), DIVISAO,
                                       CONTEUDO_operar(massa, DIVISAO, CONTEUDO_constante(60)));
    return CONTEUDO_operar(CONTEUDO_operar(forca, MULTIPLICACAO, CONTEUDO_referenciaVariavel(p, "força")), DIVISAO,
                           divisor);
}

// The frame row and the animation speed, from the horizontal speed along the
// facing: with a = VelocidadeX × "direcao" + 2 × EscalaX − 100 and
// b = 2 × EscalaX, W = max(0, min(a / b, 2)); the row is 3 × "linha" + W and
// the speed (1000 × a) / b − 70 × W.
static void vincularLinhaEVelocidade(uint32_t p)
{
    uint32_t vx = engine_criarReferencia(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, CONTEUDO_CORPO_VELOCIDADE_X, p);
    uint32_t ex = engine_criarReferencia(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, CONTEUDO_CORPO_ESCALA_X, p);
    uint32_t duasEscalas = CONTEUDO_operar(CONTEUDO_constante(2), MULTIPLICACAO, ex);
    uint32_t a = CONTEUDO_operar(
        CONTEUDO_operar(CONTEUDO_operar(vx, MULTIPLICACAO, CONTEUDO_referenciaVariavel(p, "direcao")), SOMA, duasEscalas),
        SUBTRACAO, CONTEUDO_constante(100));
    uint32_t w = CONTEUDO_operar(CONTEUDO_constante(0), MAXIMO,
                                 CONTEUDO_operar(CONTEUDO_operar(a, DIVISAO, duasEscalas), MINIMO, CONTEUDO_constante(2)));
    uint32_t linha = CONTEUDO_operar(
        CONTEUDO_operar(CONTEUDO_constante(3), MULTIPLICACAO, CONTEUDO_referenciaVariavel(p, "linha")), SOMA, w);
    engine_propriedade_mudarRecurso(ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_IMPRESSAO, CONTEUDO_IMPRESSAO_QUADRO_Y,
                                    animacao(p), linha);
    uint32_t velocidade = CONTEUDO_operar(
        CONTEUDO_operar(CONTEUDO_operar(CONTEUDO_constante(1000), MULTIPLICACAO, a), DIVISAO, duasEscalas), SUBTRACAO,
        CONTEUDO_operar(CONTEUDO_constante(70), MULTIPLICACAO, w));
    engine_config_vincularVelocidade(ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_IMPRESSAO, (uint32_t)ler(p, "config"),
                                     velocidade);
    engine_config_vincularVelocidade(ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_IMPRESSAO, (uint32_t)ler(p, "config ar"),
                                     velocidade);
}

// A looping column timeline: "de" at once, to "ate" over "duracao" ms, then
// held for "pausa" ms.
static uint32_t cicloDeQuadros(int32_t de, int32_t ate, int32_t duracao, int32_t pausa)
{
    uint32_t config = video_configurarImpressao();
    video_configuracao_animacao_mudarQuadroX(config, (uint32_t)de);
    video_configuracao_impressao_passarTempo(config, duracao);
    video_configuracao_animacao_mudarQuadroX(config, (uint32_t)ate);
    video_configuracao_impressao_passarTempo(config, pausa);
    video_configuracao_impressao_criarPonto(config, 0, -1);
    return config;
}

void* CONTEUDO_personagem_iniciar(uint32_t p)
{
    uint32_t imagem = video_abrirImagem(CONTEUDO_lerTexto(p, "recurso"), 31, (uint32_t)ler(p, "linhas"));
    CONTEUDO_escrever(0, "img personagem", (int32_t)imagem);
    uint32_t sprite = video_criarAnimacao(imagem);
    CONTEUDO_mudarImpressao(sprite, CONTEUDO_IMPRESSAO_ENTIDADE, p);
    CONTEUDO_mudarImpressao(sprite, CONTEUDO_IMPRESSAO_CAMADA, 15000);
    int32_t w = CONTEUDO_impressao(sprite, CONTEUDO_IMPRESSAO_LARGURA);
    int32_t h = CONTEUDO_impressao(sprite, CONTEUDO_IMPRESSAO_ALTURA);
    CONTEUDO_mudarImpressao(sprite, CONTEUDO_IMPRESSAO_X, -(w / 2));
    CONTEUDO_mudarImpressao(sprite, CONTEUDO_IMPRESSAO_Y, -(h / 2));

    escrever(p, "animacao", (int32_t)sprite);
    escrever(p, "direcao", 1);
    escrever(p, "virando", 1);
    escrever(p, "pulando", 'N');
    escrever(p, "andando", 'N');

    escrever(p, "config", (int32_t)cicloDeQuadros(0, 9, 900, 100));
    uint32_t pulo = video_configurarImpressao();
    video_configuracao_animacao_mudarQuadroX(pulo, 15);
    video_configuracao_impressao_passarTempo(pulo, 300);
    video_configuracao_animacao_mudarQuadroX(pulo, 18);
    escrever(p, "config pulo", (int32_t)pulo);
    escrever(p, "config ar", (int32_t)cicloDeQuadros(0, 2, 200, 100));
    aplicarNoSprite(p, (uint32_t)ler(p, "config ar"));

    uint32_t noAr = expressaoNoAr(p);
    escrever(p, "no ar", (int32_t)noAr);
    vincularQuadroX(p, noAr);
    vincularLinhaEVelocidade(p);

    CONTEUDO_mudarCorpo(p, CONTEUDO_CORPO_PODE_RODAR, 'N');
    CONTEUDO_mudarCorpo(p, CONTEUDO_CORPO_DINAMICO, 'S');
    fisica_tratarColisoes(p, p, "colisao");

    int64_t diferenca = (int64_t)w - h;
    int32_t massa = (int32_t)((uint32_t)(int32_t)(5 * diferenca * diferenca / 10) +
                              (uint32_t)(int32_t)((int64_t)w * h / 10)) /
                    60;
    escrever(p, "massa", massa);
    escrever(p, "massa original", massa);
    if (massa < MASSA_MINIMA || massa > MASSA_MAXIMA)
        ENTIDADES_logar("Quadro da folha do personagem fora do tamanho suportado; massa limitada", massa);
    engine_propriedade_mudarRecurso(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, CONTEUDO_CORPO_FORCA_X, p,
                                    expressaoForca(p));
    escrever(p, "tamanho", 1);
    guardarChao(p);
    guardarLugar(p, "inicio x", "inicio y");

    // The capsule: a rectangle from 0.375 h above the origin down to the
    // centre of a circle whose lowest point is 0.375 h below it.
    int32_t meio = (int32_t)((int64_t)h * 375 / 10 / 100);
    uint32_t retangulo = fisica_criarRetangulo(w / 3, (int32_t)((int64_t)h * 75 / 10 / 10) - w / 6);
    CONTEUDO_mudarFigura(retangulo, CONTEUDO_FIGURA_AMORTECIMENTO, 1000);
    fisica_anexarFigura(p, retangulo, -(w / 6), -meio);
    uint32_t circulo = fisica_criarCirculo((uint32_t)(w / 6));
    CONTEUDO_mudarFigura(circulo, CONTEUDO_FIGURA_AMORTECIMENTO, 1000);
    CONTEUDO_mudarFigura(circulo, CONTEUDO_FIGURA_ATRITO, 300);
    fisica_anexarFigura(p, circulo, -(w / 6), meio - w / 3);
    return nullptr;
}

// ----------------------------------------------------------------- walking

void* CONTEUDO_personagem_andar(uint32_t p)
{
    escrever(p, "andando", 'S');
    int32_t d = ler(p, "dir");
    uint32_t coluna = (uint32_t)quadroX(p);
    bool noAr = coluna >= 18 && coluna <= 26;
    CONTEUDO_mudarCorpo(p, CONTEUDO_CORPO_FORCA_X, (int32_t)((uint32_t)d * (noAr ? 250u : 500u)));
    if ((int64_t)d * 10 * ler(p, "direcao") <= 9) {
        if ((coluna <= 17 || coluna >= 27) && ler(p, "virando") == 1) chamar(p, "virar");
    } else if (ler(p, "virando") == -1) {
        chamar(p, "desvirar");
    }
    return nullptr;
}

void* CONTEUDO_personagem_parar(uint32_t p)
{
    escrever(p, "andando", 'N');
    CONTEUDO_mudarCorpo(p, CONTEUDO_CORPO_FORCA_X, 0);
    return nullptr;
}

// ----------------------------------------------------------------- turning

void* CONTEUDO_personagem_virar(uint32_t p)
{
    if (ler(p, "pulando") != 'S') {
        cancelarAplicada(p);
        int32_t m = passosDaVirada(p);
        aplicarTemporaria(p, 13 - m, 13, m * 1000 / 10);
        CONTEUDO_substituirEvento(p, "virou", "virou", (m * 1000 + 1000) / 10);
        CONTEUDO_cancelarEvento(p, "desvirou");
    } else {
        cancelarAplicada(p);
        int32_t coluna = quadroX(p);
        aplicarTemporaria(p, coluna + 13, 30, (17 - coluna) * 1000 / 10);
    }
    escrever(p, "virando", -1);
    return nullptr;
}

void* CONTEUDO_personagem_virou(uint32_t p)
{
    int32_t direcao = ler(p, "direcao");
    int32_t v = produtoMilesimo(CONTEUDO_corpo(p, CONTEUDO_CORPO_VELOCIDADE_X), (int64_t)direcao * 1000);
    int32_t forca = CONTEUDO_corpo(p, CONTEUDO_CORPO_FORCA_X);
    if (v > 0 && forca == produtoMilesimo((int64_t)ler(p, "virando") * 1000, (int64_t)direcao * 500)) {
        // Still moving along the old facing under the same force: look again.
        escrever(p, "virou", (int32_t)tempo_criarEvento(p, "virou", 1));
        return nullptr;
    }
    escrever(p, "direcao", -direcao);
    escrever(p, "virando", 1);
    aplicarNoSprite(p, (uint32_t)ler(p, "config"));
    espelhar(p);
    escrever(p, "virou", 0);
    return nullptr;
}

void* CONTEUDO_personagem_desvirar(uint32_t p)
{
    escrever(p, "virando", 1);
    cancelarAplicada(p);
    CONTEUDO_destruirConfig(p, "config temp", ENGINE_MODULO_VIDEO, CONTEUDO_MODELO_IMPRESSAO);
    int32_t coluna = quadroX(p);
    if (ler(p, "pulando") == 'S') {
        int32_t duracao = (30 - coluna) * 1000 / 10;
        aplicarTemporaria(p, coluna - 17, 13, duracao < 0 ? 0 : duracao);
    } else {
        // A turn abandoned before its first frame showed starts from a
        // column below 10: nothing is left to play back.
        int32_t duracao = (coluna - 10) * 1000 / 10;
        int32_t atraso = (coluna * 1000 - 9000) / 10;
        aplicarTemporaria(p, coluna, 10, duracao < 0 ? 0 : duracao);
        CONTEUDO_substituirEvento(p, "desvirou", "desvirou", atraso < 0 ? 0 : atraso);
        CONTEUDO_cancelarEvento(p, "virou");
    }
    return nullptr;
}

void* CONTEUDO_personagem_desvirou(uint32_t p)
{
    aplicarNoSprite(p, (uint32_t)ler(p, "config"));
    escrever(p, "desvirou", 0);
    return nullptr;
}

// ----------------------------------------------------------------- jumping

void* CONTEUDO_personagem_pular(uint32_t p)
{
    // A wind-up, the air or a turned wind-up is already showing.
    if ((uint32_t)quadroX(p) > 13u) return nullptr;
    escrever(p, "pulando", 'S');
    cancelarAplicada(p);
    int32_t atraso;
    if (ler(p, "virando") == -1) {
        // The turn's last frames become the wind-up, at most 300 ms of it.
        int32_t m = passosDaVirada(p);
        aplicarTemporaria(p, 30 - m, 30, m * 1000 / 10);
        CONTEUDO_cancelarEvento(p, "virou");
        atraso = m * 1000 / 10;
    } else {
        CONTEUDO_cancelarEvento(p, "desvirou");
        aplicarNoSprite(p, (uint32_t)ler(p, "config pulo"));
        atraso = 300;
    }
    CONTEUDO_substituirEvento(p, "pulou", "pulou", atraso);
    return nullptr;
}

void* CONTEUDO_personagem_pulou(uint32_t p)
{
    aplicarNoSprite(p, (uint32_t)ler(p, "config ar"));
    vincularQuadroX(p, (uint32_t)ler(p, "no ar"));

    int64_t k = ler(p, "tamanho") == 2 ? 6500 : 7800;
    int32_t parcial = produtoMilesimo(k, ler(p, "força"));
    CONTEUDO_mudarCorpo(p, CONTEUDO_CORPO_IMPULSO_Y, -produtoMilesimo(parcial, ler(p, "massa")));

    if (CONTEUDO_corpo(p, CONTEUDO_CORPO_VELOCIDADE_X) == 0) {
        // Holds the horizontal speed at 0 once more, 1 ms later. The previous
        // one of these has long run its course and is reclaimed.
        CONTEUDO_destruirConfig(p, "config parada", ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO);
        uint32_t config = engine_criarConfig(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO);
        engine_config_passarTempo(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, config, 1);
        engine_config_mudarPropriedadeContinua(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, config,
                                               CONTEUDO_CORPO_VELOCIDADE_X, 0);
        engine_config_aplicar(ENGINE_MODULO_FISICA, CONTEUDO_MODELO_CORPO, config, p, tempo_tempoAtual());
        escrever(p, "config parada", (int32_t)config);
    }

    escrever(p, "pulando", 'N');
    if (ler(p, "virando") == -1) {
        escrever(p, "direcao", -ler(p, "direcao"));
        escrever(p, "virando", 1);
        espelhar(p);
    }
    escrever(p, "pulou", 0);
    conferirChaoDepois(p);
    return nullptr;
}

// Timed event: the character shows the air but touches ground of its size.
// It lands once it no longer rises; while it rises it is looked at again in
// the next frame; once it has left that ground, its next contact lands it.
void* CONTEUDO_personagem_conferir_chao(uint32_t p)
{
    escrever(p, "conferir chao", 0);
    if (!noArPelaColuna(quadroX(p))) return nullptr;
    if (CONTEUDO_lerEm(0, "plataformas", (uint32_t)ler(p, "tamanho")) <= 0) return nullptr;
    if (CONTEUDO_corpo(p, CONTEUDO_CORPO_VELOCIDADE_Y) < 0) {
        conferirChaoDepois(p);
        return nullptr;
    }
    pousar(p);
    return nullptr;
}

// -------------------------------------------------------------- collisions

void* CONTEUDO_personagem_colisao(uint32_t p)
{
    uint32_t colisao = fisica_colisaoDoEvento();
    uint32_t a = fisica_colisao_pegarPrimeiroCorpo(colisao);
    uint32_t b = fisica_colisao_pegarSegundoCorpo(colisao);
    char iniciando = fisica_iniciandoColisao();
    char terminando = fisica_terminandoColisao();
    uint32_t fora = (uint32_t)CONTEUDO_ler(0, "fora do nivel");
    if (iniciando == 'S' && fora != 0 && (a == fora || b == fora))
        CONTEUDO_substituirEvento(p, "voltar", "voltar_ao_chao", 1);
    for (uint32_t k = 1; k <= 2; k++) {
        if (CONTEUDO_lerEm(a, "plataforma", k) != 'S' && CONTEUDO_lerEm(b, "plataforma", k) != 'S') continue;
        int32_t n = CONTEUDO_lerEm(0, "plataformas", k);
        if (iniciando == 'S')
            n++;
        else if (terminando == 'S' && n > 0)
            n--;
        CONTEUDO_escreverEm(0, "plataformas", k, n);
    }

    uint32_t t = (uint32_t)ler(p, "tamanho");
    if (CONTEUDO_lerEm(a, "plataforma", t) != 'S' && CONTEUDO_lerEm(b, "plataforma", t) != 'S') return nullptr;
    int32_t n = CONTEUDO_lerEm(0, "plataformas", t);
    if (iniciando == 'S') guardarChao(p);

    if (iniciando == 'S' && n == 1) {
        pousar(p);
    } else if (terminando == 'S' && n == 0) {
        // Leaving the ground drops a take-off still winding up, and the jump
        // with it.
        CONTEUDO_cancelarEvento(p, "pulou");
        escrever(p, "pulando", 'N');
        aplicarNoSprite(p, (uint32_t)ler(p, "config ar"));
        vincularQuadroX(p, (uint32_t)ler(p, "no ar"));
        int32_t virando = ler(p, "virando");
        // The air force follows the direction asked for, not the facing.
        if (ler(p, "andando") == 'S')
            CONTEUDO_mudarCorpo(p, CONTEUDO_CORPO_FORCA_X, (int32_t)((uint32_t)ler(p, "dir") * 250u));
        if (virando == -1) {
            CONTEUDO_cancelarEvento(p, "virou");
            chamar(p, "virou");
        }
    }
    return nullptr;
}

// ------------------------------------------------------------------- size

void* CONTEUDO_personagem_diminuir(uint32_t p)
{
    if (noFim(p)) return nullptr;
    // Asking to shrink also drops a wish to grow.
    CONTEUDO_cancelarEvento(p, "crescer depois");
    if (ler(p, "tamanho") != 1) return nullptr;
    comecarADiminuir(p);
    return nullptr;
}

// The character grows only where the big shape has room: squeezed between
// figures, the growing body would be pushed through the thinner one. Where
// the level is in the way it stays small, and grows as soon as there is room.
void* CONTEUDO_personagem_crescer(uint32_t p)
{
    if (noFim(p) || ler(p, "tamanho") != 2) return nullptr;
    if (cabeGrande(p)) comecarACrescer(p);
    vigiarCrescimento(p);
    return nullptr;
}

// Timed event, every frame while the character wishes to grow or grows: it
// starts growing once there is room, and turns small again (and waits for
// room) when a growth under way gets squeezed between figures, as when a
// throw carries it into the shaft.
void* CONTEUDO_personagem_tentar_crescer(uint32_t p)
{
    escrever(p, "crescer depois", 0);
    if (ler(p, "tamanho") == 2) {
        if (cabeGrande(p)) comecarACrescer(p);
    } else if (ler(p, "mudou tamanho") == 0) {
        return nullptr;  // grown
    } else if (emJogo(p) && sobreporia(p, CONTEUDO_corpo(p, CONTEUDO_CORPO_ESCALA_X), 0, 0, FOLGA_APERTO) &&
               !cabeGrande(p)) {
        // Pressed into the level with no room to end the growth in (a
        // landing sinks a body into the floor for a frame, room or not).
        comecarADiminuir(p);
    }
    vigiarCrescimento(p);
    return nullptr;
}

void* CONTEUDO_personagem_mudou_tamanho(uint32_t p)
{
    escrever(p, "mudou tamanho", 0);
    for (uint32_t i = CONTEUDO_tamanho(p, "avisar tamanho"); i >= 1; i--) {
        uint32_t avisar = (uint32_t)CONTEUDO_lerEm(p, "avisar tamanho", i);
        if (avisar != 0) entidades_entidade_chamarFuncao(avisar, "mudou_tamanho");
    }
    return nullptr;
}

// Timed event: the character has left the level (down the slide, below its
// floors, or into the rock above it), from where no key brings it back. It
// is put back at rest, inside no figure, feet on the ground where it last
// came onto ground (up to 50 px higher: that ground may have risen since, as
// the pad does, or the character grown); where its present size has no room
// there, where it started.
void* CONTEUDO_personagem_voltar_ao_chao(uint32_t p)
{
    escrever(p, "voltar", 0);
    if (!emJogo(p)) return nullptr;
    int32_t pes = (int32_t)((int64_t)meioDoCorpo(p) * CONTEUDO_corpo(p, CONTEUDO_CORPO_ESCALA_X) / 1000);
    static const char* const LUGARES[][2] = {{"chao x", "chao y"}, {"inicio x", "inicio y"}};
    for (const auto& lugar : LUGARES) {
        int32_t x = ler(p, lugar[0]), y = ler(p, lugar[1]) - pes - 10;
        colocar(p, x, y);
        int32_t dy = 0;
        if (alturaParaPousar(p, &dy)) {
            if (dy != 0) colocar(p, x, y + dy);
            break;
        }
    }
    return nullptr;
}

// ------------------------------------------------------------- switching

void* CONTEUDO_personagem_ligar(uint32_t p)
{
    CONTEUDO_mudarCorpo(p, CONTEUDO_CORPO_DINAMICO, 'S');
    CONTEUDO_mudarImpressao(animacao(p), CONTEUDO_IMPRESSAO_TRANSPARENCIA, 0);
    return nullptr;
}

void* CONTEUDO_personagem_desligar(uint32_t p)
{
    CONTEUDO_mudarCorpo(p, CONTEUDO_CORPO_DINAMICO, 'N');
    CONTEUDO_mudarImpressao(animacao(p), CONTEUDO_IMPRESSAO_TRANSPARENCIA, 1000);
    return nullptr;
}
