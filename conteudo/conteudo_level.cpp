// Level 0: the backdrop, the two tile layers, the static collision geometry
// with its ground sensors, and the placement of every other entity; the
// sensor model; and "gambiarra".
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "conteudo/conteudo_funcoes.h"
#include "conteudo/conteudo_interno.h"
#include "engine/entidades.h"
#include "fisica/fisica.h"
#include "video/video.h"

// ------------------------------------------------------------------ tiles

// A row of tiles as the level's table writes it: runs of columns (1-based,
// inclusive) naming one picture of the layer, "a-b NAME" or "a NAME",
// separated by "; "; columns not listed are gaps. A row may be laid
// "repeticoes" times, 700 apart downward.
struct CONTEUDO_fileira {
    int32_t y;
    uint8_t repeticoes;
    const char* colunas;
};

// Pictures of the back layer and of the main layer, in the order they are
// opened; a row names them without the ".png".
static const char* const IMAGENS_FUNDO[] = {"SFMM.png", "SFSL.png"};
static const char* const IMAGENS_PRINCIPAIS[] = {
    "SMM.png",  "STM.png",  "STL.png",  "STR.png",  "SBHL.png", "SSL1.png", "SSL2.png", "SSBL1.png", "SSBL2.png",
    "SHTR.png", "SHTM.png", "SHTH.png", "SSHL.png", "SHBL.png", "SHBR.png", "SHBM.png", "SSBH.png",  "GTM.png",
    "GSL1.png", "GSL2.png", "GSH.png",  "STH.png",  "GHH.png",  "EXIT.png", "SHL.png"};

static const CONTEUDO_fileira FILEIRAS_FUNDO[] = {
    {4900, 1, "1-3 SFMM"},
    {5600, 1, "1-3 SFMM; 12 SFSL"},
    {6300, 3, "1-12 SFMM"},
    {8400, 1, "2-4 SFMM; 6-9 SFMM"},
    {9100, 1, "2-4 SFMM; 7-8 SFMM"},
    {9800, 1, "3-4 SFMM; 7-8 SFMM"},
    {10500, 1, "3-8 SFMM"},
};

static const CONTEUDO_fileira FILEIRAS_PRINCIPAIS[] = {
    {0, 6, "1-16 SMM"},
    {4200, 1, "1-16 SMM; 17 EXIT"},
    {4900, 1, "1-7 SMM; 10 SHL; 11-16 SMM; 17 GTM; 18 GSL1"},
    {5600, 1, "1-7 SMM; 10 SBHL; 11-17 SMM; 18 GSL2; 19 GSH"},
    {6300, 1, "1-7 SMM; 10 SSHL; 11 SSBH; 12-17 SHBM; 18 SHBR; 19 GHH; 20 GSL1"},
    {7000, 1, "1-7 SMM; 10 SSBL1; 11 SSL1; 20 GSL2; 21 GSL1"},
    {7700, 1, "1-7 SMM; 8 SHTR; 10 SSBL2; 11 SSL2; 20 SMM; 21 GSL2; 22 GSL1"},
    {8400, 1, "1-8 SMM; 11 SSBL1; 12 STM; 13 STR; 16 STL; 17-19 STM; 20-21 SMM; 22 GSL2; 23 GSL1"},
    {9100, 1, "1-8 SMM; 9 SHTR; 11 SSBL2; 12-13 SMM; 16-22 SMM; 23 GSL2; 24 GSL1"},
    {9800, 1, "1-9 SMM; 12-13 SMM; 16-23 SMM; 24 GSL2; 25 GSL1"},
    {10500, 1, "1-9 SMM; 10 SHTM; 11 SHTH; 12 SHBL; 13 SHBR; 16-24 SMM; 25 GSL2; 26 GSL1"},
    {11200, 1, "1-10 SMM; 11 STH; 12-15 STM; 16-25 SMM; 26 GSL2; 27 GSL1"},
    {11900, 7, "1-26 SMM; 27 GSL2; 28 GSL1"},
};

// The highest column a row can name.
static const uint32_t CONTEUDO_COLUNAS_MAXIMAS = 32;

// Reads a row into colunas[1..CONTEUDO_COLUNAS_MAXIMAS] (image handles, 0 for
// a gap) and returns its highest column.
static uint32_t CONTEUDO_lerFileira(const char* texto, const char* const* nomes, uint32_t nNomes,
                                    const uint32_t* imagens, uint32_t* colunas)
{
    uint32_t maior = 0;
    const char* p = texto;
    while (*p) {
        uint32_t de = (uint32_t)strtoul(p, (char**)&p, 10), ate = de;
        if (*p == '-') ate = (uint32_t)strtoul(p + 1, (char**)&p, 10);
        while (*p == ' ') p++;
        size_t tamanho = strcspn(p, ";");
        uint32_t imagem = 0;
        for (uint32_t i = 0; i < nNomes; i++)
            if (strncmp(nomes[i], p, tamanho) == 0 && strcmp(nomes[i] + tamanho, ".png") == 0) imagem = imagens[i];
        for (uint32_t c = de; c <= ate && c <= CONTEUDO_COLUNAS_MAXIMAS; c++) colunas[c] = imagem;
        if (ate > maior) maior = ate;
        p += tamanho;
        while (*p == ';' || *p == ' ') p++;
    }
    return maior;
}

// Lays the rows of one layer through the level's "animar_tiles": every entry
// of "tiles" up to the longest row laid so far is written, those the row
// does not list as 0 (a gap).
static void CONTEUDO_level_0_deitarFileiras(uint32_t level, const CONTEUDO_fileira* fileiras, uint32_t nFileiras,
                                            const char* const* nomes, uint32_t nNomes, const uint32_t* imagens)
{
    for (uint32_t f = 0; f < nFileiras; f++) {
        uint32_t colunas[CONTEUDO_COLUNAS_MAXIMAS + 1] = {0};
        uint32_t n = CONTEUDO_lerFileira(fileiras[f].colunas, nomes, nNomes, imagens, colunas);
        uint32_t tamanho = CONTEUDO_tamanho(0, "tiles");
        if (n < tamanho) n = tamanho;
        for (uint32_t r = 0; r < fileiras[f].repeticoes; r++) {
            for (uint32_t c = 1; c <= n; c++) CONTEUDO_escreverEm(0, "tiles", c, (int32_t)colunas[c]);
            CONTEUDO_escrever(level, "y", fileiras[f].y + 700 * (int32_t)r);
            entidades_entidade_chamarFuncao(level, "animar_tiles");
        }
    }
}

void* CONTEUDO_level_0_animar_tiles(uint32_t level)
{
    uint32_t n = CONTEUDO_tamanho(0, "tiles");
    int32_t camada = CONTEUDO_ler(level, "camada");
    int32_t x = CONTEUDO_ler(level, "x");
    int32_t y = CONTEUDO_ler(level, "y");
    for (uint32_t i = 0; i < n; i++) {
        // An entry 0 makes no print, and the writes to print 0 fail: a gap.
        uint32_t tile = video_criarAnimacao((uint32_t)CONTEUDO_lerEm(0, "tiles", i + 1));
        CONTEUDO_mudarImpressao(tile, CONTEUDO_IMPRESSAO_CAMADA, camada);
        CONTEUDO_mudarImpressao(tile, CONTEUDO_IMPRESSAO_X, (int32_t)((uint32_t)x * 10u + 7000u * i));
        CONTEUDO_mudarImpressao(tile, CONTEUDO_IMPRESSAO_Y, (int32_t)((uint32_t)y * 10u));
        CONTEUDO_mudarImpressao(tile, CONTEUDO_IMPRESSAO_ENTIDADE, level);
    }
    return nullptr;
}

// --------------------------------------------------------------- geometry

enum { CORPO_L, CORPO_N, CORPO_Q };
enum { FIGURA_RETANGULO, FIGURA_CIRCULO, FIGURA_POLIGONO, CRIAR_TRAMPOLIM, CRIAR_PONTE };

struct CONTEUDO_ponto {
    int32_t x, y;
};

// One row of the level's geometry, in creation order: a figure on the level
// body (L) or on one of the two sensors (N, ground for the big size; Q, for
// the small size), or the creation of an entity at the level position plus
// (x, y). Sizes are authored at ten times the figures' final size.
struct CONTEUDO_figuraDoLevel {
    uint8_t corpo, tipo;
    int32_t largura, altura;  // a circle's radius in largura
    int32_t x, y;
    const CONTEUDO_ponto* pontos;
    uint8_t nPontos;
};

static const CONTEUDO_ponto POLIGONO_26[] = {
    {129100, 60600}, {129850, 59850}, {196000, 126000}, {196000, 127800}, {129100, 62400}};
static const CONTEUDO_ponto POLIGONO_27[] = {{119000, 49000}, {126000, 56000}, {119000, 56000}};
static const CONTEUDO_ponto POLIGONO_29[] = {{70600, 63000}, {72600, 63000}, {72600, 65000}};
static const CONTEUDO_ponto POLIGONO_36[] = {
    {63000, 68800}, {77000, 96800}, {77000, 84000}, {68100, 66200}, {63000, 66850}};

#define CONTEUDO_POLIGONO(p) FIGURA_POLIGONO, 0, 0, 0, 0, p, (uint8_t)(sizeof p / sizeof p[0])

static const CONTEUDO_figuraDoLevel FIGURAS_DO_LEVEL[] = {
    {CORPO_L, FIGURA_RETANGULO, 1700, 31100, 47300, 49000, nullptr, 0},    // 1
    {CORPO_L, FIGURA_RETANGULO, 6150, 1700, 49000, 80100, nullptr, 0},     // 2
    {CORPO_N, FIGURA_RETANGULO, 6150, 1000, 49000, 79100, nullptr, 0},     // 3
    {CORPO_Q, FIGURA_RETANGULO, 6150, 200, 49000, 79900, nullptr, 0},      // 4
    {CORPO_L, FIGURA_CIRCULO, 850, 0, 54300, 80100, nullptr, 0},           // 5
    {CORPO_L, FIGURA_RETANGULO, 1700, 13150, 54300, 80950, nullptr, 0},    // 6
    {CORPO_L, FIGURA_RETANGULO, 6150, 1700, 56000, 94100, nullptr, 0},     // 7
    {CORPO_N, FIGURA_RETANGULO, 6150, 1000, 56000, 93100, nullptr, 0},     // 8
    {CORPO_Q, FIGURA_RETANGULO, 6150, 200, 56000, 93900, nullptr, 0},      // 9
    {CORPO_L, FIGURA_CIRCULO, 850, 0, 61300, 94100, nullptr, 0},           // 10
    {CORPO_L, FIGURA_RETANGULO, 1700, 13150, 61300, 94950, nullptr, 0},    // 11
    {CORPO_L, FIGURA_RETANGULO, 9250, 1700, 63000, 108100, nullptr, 0},    // 12
    {CORPO_N, FIGURA_RETANGULO, 9250, 1000, 63000, 107100, nullptr, 0},    // 13
    {CORPO_Q, FIGURA_RETANGULO, 9250, 200, 63000, 107900, nullptr, 0},     // 14
    {CORPO_L, FIGURA_CIRCULO, 850, 0, 71400, 108100, nullptr, 0},          // 15
    {CORPO_L, FIGURA_RETANGULO, 1700, 3050, 71400, 108950, nullptr, 0},    // 16
    {CORPO_L, FIGURA_RETANGULO, 31900, 1700, 73100, 112000, nullptr, 0},   // 17
    {CORPO_N, FIGURA_RETANGULO, 31900, 1000, 73100, 111000, nullptr, 0},   // 18
    {CORPO_Q, FIGURA_RETANGULO, 31900, 200, 73100, 111800, nullptr, 0},    // 19
    {CORPO_L, FIGURA_RETANGULO, 28000, 27000, 105000, 85000, nullptr, 0},  // 20
    {CORPO_L, FIGURA_RETANGULO, 28000, 1700, 105000, 84000, nullptr, 0},   // 21
    {CORPO_N, FIGURA_RETANGULO, 28000, 1000, 105000, 83000, nullptr, 0},   // 22
    {CORPO_Q, FIGURA_RETANGULO, 28000, 200, 105000, 83800, nullptr, 0},    // 23
    {0, CRIAR_TRAMPOLIM, 0, 0, 12405, 7976, nullptr, 0},
    {CORPO_L, FIGURA_RETANGULO, 1700, 17300, 133000, 66700, nullptr, 0},   // 24
    {CORPO_L, FIGURA_RETANGULO, 3900, 3900, 129100, 62800, nullptr, 0},    // 25
    {CORPO_L, CONTEUDO_POLIGONO(POLIGONO_26)},                             // 26
    {CORPO_L, CONTEUDO_POLIGONO(POLIGONO_27)},                             // 27
    {CORPO_L, FIGURA_RETANGULO, 53400, 11000, 72600, 56000, nullptr, 0},   // 28
    {CORPO_L, CONTEUDO_POLIGONO(POLIGONO_29)},                             // 29
    {CORPO_L, FIGURA_RETANGULO, 5600, 14000, 65000, 49000, nullptr, 0},    // 30
    {CORPO_L, FIGURA_RETANGULO, 16000, 1700, 49000, 47300, nullptr, 0},    // 31
    {CORPO_L, FIGURA_RETANGULO, 14000, 24000, 77000, 85700, nullptr, 0},   // 32
    {0, CRIAR_PONTE, 0, 0, 9100, 8400, nullptr, 0},
    {CORPO_L, FIGURA_RETANGULO, 14000, 1700, 77000, 84000, nullptr, 0},    // 33
    {CORPO_N, FIGURA_RETANGULO, 14000, 1000, 77000, 83000, nullptr, 0},    // 34
    {CORPO_Q, FIGURA_RETANGULO, 14000, 200, 77000, 83800, nullptr, 0},     // 35
    {CORPO_L, CONTEUDO_POLIGONO(POLIGONO_36)},                             // 36
    {CORPO_L, FIGURA_CIRCULO, 850, 0, 63000, 66000, nullptr, 0},           // 37
    {CORPO_L, FIGURA_RETANGULO, 3950, 1700, 63850, 66000, nullptr, 0},     // 38
    {CORPO_Q, FIGURA_RETANGULO, 3950, 200, 63850, 65800, nullptr, 0},      // 39
    {CORPO_L, FIGURA_CIRCULO, 350, 0, 67450, 66000, nullptr, 0},           // 40
};

// Where the character has left the level, from where no key brings it back:
// past wall 24 over the slide (26), which runs down to x 1960 and ends over
// nothing; below the lowest floors; and inside the rock that the tiles draw
// above block 28 and left of the exit. That rock has no figure: thrown out
// of the shaft and over triangle 27, the character would fall onto block
// 28's top, which has no ground strip, into a trench between block 30 and
// triangle 27 (and on into the slot beside block 30, or up onto block 30,
// 31 and wall 1), where no key gets it out. A sensor over these regions has
// the character put back where it last came onto ground. Authored like the
// figures above.
static const CONTEUDO_figuraDoLevel FORA_DO_LEVEL[] = {
    {0, FIGURA_RETANGULO, 94000, 114000, 136000, 56000, nullptr, 0},
    {0, FIGURA_RETANGULO, 106000, 54000, 30000, 116000, nullptr, 0},
    // The trench and the slot, x 706..1185, y 495..620: clear of the top of
    // triangle 27, where a character slides on into the end zone.
    {0, FIGURA_RETANGULO, 47900, 12500, 70600, 49500, nullptr, 0},
    // Above the level's ceiling (figures 31, 30 and the trench), x 473..1120,
    // y 0..480: clear of the room under figure 31.
    {0, FIGURA_RETANGULO, 64700, 48000, 47300, 0, nullptr, 0},
};

// ------------------------------------------------------------ text events

struct CONTEUDO_textoDoLevel {
    int32_t x, y;
    int32_t vezes;
    bool deitado;  // the trigger lies horizontally (body turned by -900)
    const char* texto;
};

static const CONTEUDO_textoDoLevel TEXTOS_DO_LEVEL[] = {
    {9100, 9100, 1, true,
     "You were too heavy for the bridge! The only\nway out now seems to be that small passage.\n"
     "Press \"S\" or \"down arrow key\" to get small!"},
    {7690, 9100, 1, false, "You can jump out of the passage.\nPress \"space bar\" to jump!"},
    {6925, 9100, 1, false,
     "The next jump is too high for you right now!\nPress \"W\" or \"up arrow key\" to get big!"},
    {5215, 6300, 1, false,
     "The next passage is small, but it is too high\nto jump to while you're small. Try jumping\n"
     "while you're big and changing size mid-air."},
    {7000, 5000, 1, false, "This time, try crossing the bridge while\nyou're small!"},
    {12505, 6300, 1, false,
     "Stand on the spring pad while you're big to\nsqueeze it. Try turning small while the\n"
     "spring is squeezed to see what happens!"},
    {11200, 6550, 3, true,
     "It seems the spring doesn't throw you high\nenough to get out. I wonder what would\n"
     "happen if you were to turn big at the top..."},
};

// ------------------------------------------------------------------ level

static uint32_t CONTEUDO_level_0_criarFigura(const CONTEUDO_figuraDoLevel& f)
{
    switch (f.tipo) {
    case FIGURA_RETANGULO:
        return fisica_criarRetangulo(f.largura, f.altura);
    case FIGURA_CIRCULO:
        return fisica_criarCirculo((uint32_t)f.largura);
    default: {
        uint32_t poligono = fisica_criarPoligono();
        for (uint32_t i = 0; i < f.nPontos; i++) fisica_poligono_adicionarPonto(poligono, f.pontos[i].x, f.pontos[i].y);
        return poligono;
    }
    }
}

void* CONTEUDO_level_0_inicio(uint32_t level)
{
    int32_t lx = CONTEUDO_corpo(level, CONTEUDO_CORPO_X);
    int32_t ly = CONTEUDO_corpo(level, CONTEUDO_CORPO_Y);

    // Backdrop, on the internal picture.
    uint32_t fundo = video_criarAnimacao(video_abrirImagem("fundo.png", 1, 1));
    CONTEUDO_mudarImpressao(fundo, CONTEUDO_IMPRESSAO_CAMADA, 1000);

    // Back tile layer.
    const uint32_t nFundo = sizeof IMAGENS_FUNDO / sizeof IMAGENS_FUNDO[0];
    uint32_t imagensFundo[nFundo];
    for (uint32_t i = 0; i < nFundo; i++) imagensFundo[i] = video_abrirImagem(IMAGENS_FUNDO[i], 1, 1);
    CONTEUDO_escrever(level, "camada", 5000);
    CONTEUDO_escrever(level, "x", 4900);
    CONTEUDO_level_0_deitarFileiras(level, FILEIRAS_FUNDO, sizeof FILEIRAS_FUNDO / sizeof FILEIRAS_FUNDO[0],
                                    IMAGENS_FUNDO, nFundo, imagensFundo);

    // Main tile layer.
    const uint32_t nPrincipais = sizeof IMAGENS_PRINCIPAIS / sizeof IMAGENS_PRINCIPAIS[0];
    uint32_t imagens[nPrincipais];
    for (uint32_t i = 0; i < nPrincipais; i++) imagens[i] = video_abrirImagem(IMAGENS_PRINCIPAIS[i], 1, 1);
    CONTEUDO_escrever(level, "camada", 10000);
    CONTEUDO_escrever(level, "x", 0);
    CONTEUDO_level_0_deitarFileiras(level, FILEIRAS_PRINCIPAIS,
                                    sizeof FILEIRAS_PRINCIPAIS / sizeof FILEIRAS_PRINCIPAIS[0], IMAGENS_PRINCIPAIS,
                                    nPrincipais, imagens);

    // Ground sensors: N for the big size, Q for the small size.
    uint32_t n = entidades_criarEntidade(conteudoSensor, lx, ly);
    uint32_t q = entidades_criarEntidade(conteudoSensor, lx, ly);
    CONTEUDO_escreverEm(n, "plataforma", 1, 'S');
    CONTEUDO_escreverEm(q, "plataforma", 2, 'S');

    // Collision geometry, with the spring pad and the bridge between its figures.
    const uint32_t corpos[] = {level, n, q};
    for (const CONTEUDO_figuraDoLevel& f : FIGURAS_DO_LEVEL) {
        if (f.tipo == CRIAR_TRAMPOLIM) {
            entidades_criarEntidade(conteudoTrampolim, lx + f.x, ly + f.y);
        } else if (f.tipo == CRIAR_PONTE) {
            entidades_criarEntidade(conteudoPonte, lx + f.x, ly + f.y);
        } else {
            uint32_t figura = CONTEUDO_level_0_criarFigura(f);
            fisica_anexarFigura(corpos[f.corpo], figura, f.x, f.y);
        }
    }
    for (uint32_t corpo : corpos) {
        CONTEUDO_mudarCorpo(corpo, CONTEUDO_CORPO_ESCALA_X, 100);
        CONTEUDO_mudarCorpo(corpo, CONTEUDO_CORPO_ESCALA_Y, 100);
    }

    // The player, the tutorial texts and the end zone.
    entidades_criarEntidade(conteudoJogador, lx + 8000, ly + 7000);
    for (const CONTEUDO_textoDoLevel& t : TEXTOS_DO_LEVEL) {
        uint32_t evento = entidades_criarEntidade(conteudoEvento, lx + t.x, ly + t.y);
        CONTEUDO_escreverTexto(evento, "texto", t.texto);
        CONTEUDO_escrever(evento, "vezes", t.vezes);
        if (t.deitado) CONTEUDO_mudarCorpo(evento, CONTEUDO_CORPO_ROTACAO, -900);
        entidades_entidade_chamarFuncao(evento, "iniciar");
    }
    entidades_criarEntidade(conteudoFim, lx + 12600, ly + 4900);

    uint32_t fora = entidades_criarEntidade(conteudoSensor, lx, ly);
    for (const CONTEUDO_figuraDoLevel& f : FORA_DO_LEVEL)
        fisica_anexarFigura(fora, CONTEUDO_level_0_criarFigura(f), f.x, f.y);
    CONTEUDO_mudarCorpo(fora, CONTEUDO_CORPO_ESCALA_X, 100);
    CONTEUDO_mudarCorpo(fora, CONTEUDO_CORPO_ESCALA_Y, 100);
    CONTEUDO_escrever(0, "fora do nivel", (int32_t)fora);
    return nullptr;
}

void* CONTEUDO_level_0_gambiarra(uint32_t level)
{
    (void)level;
    entidades_criarEntidade(conteudoPersonagem, 0, 0);
    entidades_criarEntidade(conteudoVazio, 0, 0);
    return nullptr;
}

// ----------------------------------------------------------------- sensor

void* CONTEUDO_sensor_inicio(uint32_t sensor)
{
    fisica_tratarColisoes(sensor, sensor, "colisao");
    return nullptr;
}

// A sensor never pushes: every collision of its body is cancelled as it
// starts, and is still reported to the other handlers of the body.
void* CONTEUDO_sensor_colisao(uint32_t sensor)
{
    (void)sensor;
    if (fisica_iniciandoColisao() == 'S') fisica_colisao_mudarCancelada(fisica_colisaoDoEvento(), 'S');
    return nullptr;
}
