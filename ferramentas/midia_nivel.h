// Level 0 as the media see it: where each tile is laid and the level's
// static collision figures, in world pixels (the level's figures are
// authored at ten times their size and drawn at one tenth). Used by the map
// tool and by the tests that hold the tiles against the figures.
#ifndef MORVALEN_MIDIA_NIVEL_H
#define MORVALEN_MIDIA_NIVEL_H

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

struct NivelLinha {
    int camada;        // 5000 back, 10000 main
    int x, y;          // origin of the row, world pixels
    const char* itens; // "1-3 SFMM; 12 SFSL": 1-based columns and their tile
};

// Rows with the same entries are written once per row.
static const NivelLinha NIVEL_LINHAS[] = {
    {5000, 490, 490, "1-3 SFMM"},
    {5000, 490, 560, "1-3 SFMM; 12 SFSL"},
    {5000, 490, 630, "1-12 SFMM"},
    {5000, 490, 700, "1-12 SFMM"},
    {5000, 490, 770, "1-12 SFMM"},
    {5000, 490, 840, "2-4 SFMM; 6-9 SFMM"},
    {5000, 490, 910, "2-4 SFMM; 7-8 SFMM"},
    {5000, 490, 980, "3-4 SFMM; 7-8 SFMM"},
    {5000, 490, 1050, "3-8 SFMM"},
    {10000, 0, 0, "1-16 SMM"},
    {10000, 0, 70, "1-16 SMM"},
    {10000, 0, 140, "1-16 SMM"},
    {10000, 0, 210, "1-16 SMM"},
    {10000, 0, 280, "1-16 SMM"},
    {10000, 0, 350, "1-16 SMM"},
    {10000, 0, 420, "1-16 SMM; 17 EXIT"},
    {10000, 0, 490, "1-7 SMM; 10 SHL; 11-16 SMM; 17 GTM; 18 GSL1"},
    {10000, 0, 560, "1-7 SMM; 10 SBHL; 11-17 SMM; 18 GSL2; 19 GSH"},
    {10000, 0, 630, "1-7 SMM; 10 SSHL; 11 SSBH; 12-17 SHBM; 18 SHBR; 19 GHH; 20 GSL1"},
    {10000, 0, 700, "1-7 SMM; 10 SSBL1; 11 SSL1; 20 GSL2; 21 GSL1"},
    {10000, 0, 770, "1-7 SMM; 8 SHTR; 10 SSBL2; 11 SSL2; 20 SMM; 21 GSL2; 22 GSL1"},
    {10000, 0, 840, "1-8 SMM; 11 SSBL1; 12 STM; 13 STR; 16 STL; 17-19 STM; 20-21 SMM; 22 GSL2; 23 GSL1"},
    {10000, 0, 910, "1-8 SMM; 9 SHTR; 11 SSBL2; 12-13 SMM; 16-22 SMM; 23 GSL2; 24 GSL1"},
    {10000, 0, 980, "1-9 SMM; 12-13 SMM; 16-23 SMM; 24 GSL2; 25 GSL1"},
    {10000, 0, 1050, "1-9 SMM; 10 SHTM; 11 SHTH; 12 SHBL; 13 SHBR; 16-24 SMM; 25 GSL2; 26 GSL1"},
    {10000, 0, 1120, "1-10 SMM; 11 STH; 12-15 STM; 16-25 SMM; 26 GSL2; 27 GSL1"},
    {10000, 0, 1190, "1-26 SMM; 27 GSL2; 28 GSL1"},
    {10000, 0, 1260, "1-26 SMM; 27 GSL2; 28 GSL1"},
    {10000, 0, 1330, "1-26 SMM; 27 GSL2; 28 GSL1"},
    {10000, 0, 1400, "1-26 SMM; 27 GSL2; 28 GSL1"},
    {10000, 0, 1470, "1-26 SMM; 27 GSL2; 28 GSL1"},
    {10000, 0, 1540, "1-26 SMM; 27 GSL2; 28 GSL1"},
    {10000, 0, 1610, "1-26 SMM; 27 GSL2; 28 GSL1"},
};

struct NivelCelula {
    int camada;
    int x, y;  // top left, world pixels; the cell is 70 square
    std::string tile;
};

// Every cell a tile is laid in.
inline std::vector<NivelCelula> nivel_celulas()
{
    std::vector<NivelCelula> r;
    for (const NivelLinha& l : NIVEL_LINHAS) {
        std::stringstream itens(l.itens);
        std::string item;
        while (std::getline(itens, item, ';')) {
            std::stringstream partes(item);
            std::string colunas, nome;
            partes >> colunas >> nome;
            int de = atoi(colunas.c_str()), ate = de;
            size_t traco = colunas.find('-');
            if (traco != std::string::npos) ate = atoi(colunas.c_str() + traco + 1);
            for (int c = de; c <= ate; c++) r.push_back({l.camada, l.x + 70 * (c - 1), l.y, nome});
        }
    }
    return r;
}

// A static figure of the level body: 'R' rectangle (x, y, w, h), 'C'
// circle (centre x, y, radius), 'P' polygon (n points).
struct NivelFigura {
    char tipo;
    std::vector<double> v;
};

// The level body's figures, authored values divided by 100; a circle's
// authored offset is its bounding box's corner, given here as its centre.
inline std::vector<NivelFigura> nivel_figuras()
{
    auto ret = [](double w, double h, double x, double y) { return NivelFigura{'R', {x / 100, y / 100, w / 100, h / 100}}; };
    auto cir = [](double r, double x, double y) { return NivelFigura{'C', {(x + r) / 100, (y + r) / 100, r / 100}}; };
    auto pol = [](std::vector<double> p) {
        for (double& v : p) v /= 100;
        return NivelFigura{'P', p};
    };
    return {
        ret(1700, 31100, 47300, 49000), ret(6150, 1700, 49000, 80100), cir(850, 54300, 80100),
        ret(1700, 13150, 54300, 80950), ret(6150, 1700, 56000, 94100), cir(850, 61300, 94100),
        ret(1700, 13150, 61300, 94950), ret(9250, 1700, 63000, 108100), cir(850, 71400, 108100),
        ret(1700, 3050, 71400, 108950), ret(31900, 1700, 73100, 112000), ret(28000, 27000, 105000, 85000),
        ret(28000, 1700, 105000, 84000), ret(1700, 17300, 133000, 66700), ret(3900, 3900, 129100, 62800),
        pol({129100, 60600, 129850, 59850, 196000, 126000, 196000, 127800, 129100, 62400}),
        pol({119000, 49000, 126000, 56000, 119000, 56000}), ret(53400, 11000, 72600, 56000),
        pol({70600, 63000, 72600, 63000, 72600, 65000}), ret(5600, 14000, 65000, 49000),
        ret(16000, 1700, 49000, 47300), ret(14000, 24000, 77000, 85700), ret(14000, 1700, 77000, 84000),
        pol({63000, 68800, 77000, 96800, 77000, 84000, 68100, 66200, 63000, 66850}), cir(850, 63000, 66000),
        ret(3950, 1700, 63850, 66000), cir(350, 67450, 66000),
    };
}

#endif
