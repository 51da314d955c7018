// The level's tiles. Each tile is a 700 x 700 picture drawn at 70 x 70
// pixels of the world, so its rock is written here in cell units (0 to 70,
// one unit = 10 picture pixels) straight from the level's collision figures:
// rock where the level is solid or closed in, transparent where the
// character moves. Every rock tile takes its texture from one pattern that
// repeats every cell, so neighbouring tiles meet without a seam.
//
// The rims (a worn lip on walkable tops, grass outdoors, a shadow along
// ceilings and walls) are lines of the whole level, in world pixels, and a
// tile draws the stretch of them around one cell it is laid in; a rim that
// runs on into the next tile is drawn there from the same line at the same
// depth, so the two halves meet. A tile laid in several cells shows that
// cell's rims in all of them, which the cells are chosen to agree with.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "ferramentas/midia.h"

const char* const MIDIA_TILES[] = {
    "SFMM", "SFSL", "SMM",  "STM", "STL",  "STR",  "SBHL", "SSL1", "SSL2", "SSBL1", "SSBL2", "SHTR", "SHTM", "SHTH",
    "SSHL", "SHBL", "SHBR", "SHBM", "SSBH", "GTM", "GSL1", "GSL2", "GSH",  "STH",  "GHH",   "EXIT", "SHL"};
const int MIDIA_TOTAL_TILES = (int)(sizeof MIDIA_TILES / sizeof MIDIA_TILES[0]);

namespace {

const int LADO = 700;        // picture pixels of a tile
const double ESCALA = 10.0;  // picture pixels per cell unit (and per world pixel)

struct Ponto {
    double x, y;
};

enum TipoSuperficie { PISO, GRAMA, TETO, PAREDE };

// How a rim's band is laid along its line: at a fixed distance from it
// (a stroke), or at a fixed depth straight below it (a lip lit from above:
// on a steep slope it is thinner across, and it meets a floor's lip at a
// tile's side with the same depth).
enum Pincel { DISCO, VERTICAL };

struct Superficie {
    TipoSuperficie tipo;
    std::vector<Ponto> pontos;  // world pixels; the rock lies right of the direction of travel
    Pincel pincel = DISCO;
    // Round ends, kept on the rock's side (only on a line of one segment):
    // a wall's shadow that rounds the corner where a floor begins.
    bool pontasRedondas = false;
    // World pixels over which the band thins to nothing toward its first
    // or last point (only on a line of one segment): where a rim reaches
    // rock that is drawn by a tile without rims.
    double afinarInicio = 0, afinarFim = 0;
};

struct Forma {
    bool circulo;
    double cx, cy, r;            // a circle
    std::vector<Ponto> pontos;   // a polygon
};

struct Tile {
    std::vector<Forma> rocha;
    Ponto celula{0, 0};  // world position of the cell whose rims the picture shows
    bool fundo = false;  // back wall instead of rock
    bool placa = false;  // the exit sign
};

Forma poligono(std::initializer_list<Ponto> p)
{
    Forma f{false, 0, 0, 0, p};
    return f;
}

Forma retangulo(double x0, double y0, double x1, double y1)
{
    return poligono({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

Forma circulo(double cx, double cy, double r)
{
    Forma f{true, cx, cy, r, {}};
    return f;
}

// Points of an arc from angle a0 to a1 (degrees, clockwise on screen).
void arco(std::vector<Ponto>& p, double cx, double cy, double r, double a0, double a1)
{
    const int passos = 12;
    for (int i = 0; i <= passos; i++) {
        double a = (a0 + (a1 - a0) * i / passos) * M_PI / 180.0;
        p.push_back({cx + r * cos(a), cy + r * sin(a)});
    }
}

// The level's rims, from its figures (world pixels). They stop where the
// rock they run along is drawn by the plain tiles (SMM, GSL2), which carry
// no rims: a floor ends at such a wall, and the shadow under block 30 fades
// out before its last 6 pixels, which lie in one.
const std::vector<Superficie>& superficiesDoNivel()
{
    static std::vector<Superficie> r;
    if (!r.empty()) return r;
    auto linha = [](TipoSuperficie t, std::vector<Ponto> p) {
        Superficie s;
        s.tipo = t;
        s.pontos = std::move(p);
        return s;
    };
    // Floors ending in a round corner over a wall on the right (floors 2
    // and 7, floor 12 over the step down to the low passage).
    struct Piso {
        double x0, x1, y;  // from the wall on the left to the corner's start
    };
    for (Piso p : {Piso{490, 551.5, 801}, Piso{560, 621.5, 941}, Piso{630, 722.5, 1081}}) {
        Superficie s = linha(PISO, {{p.x0, p.y}, {p.x1, p.y}});
        arco(s.pontos, p.x1, p.y + 8.5, 8.5, -90, 0);
        s.pontos.push_back({p.x1 + 8.5, p.y + 17});
        r.push_back(s);
    }
    r.push_back(linha(PISO, {{731, 1120}, {1050, 1120}}));               // floor 17, out of the passage
    r.push_back(linha(PISO, {{1050, 849}, {1050, 840}, {1330, 840}}));  // floor 21 from the pit's edge
    r.push_back(linha(PISO, {{770, 840}, {910, 840}, {910, 849}}));     // block 33 to the pit's edge
    // The ledge under the small passage: its round left end, then its top,
    // the small round corner and the slab's steep top down to block 33.
    Superficie ponta = linha(PISO, {});
    arco(ponta.pontos, 638.5, 668.5, 8.5, 180, 270);
    r.push_back(ponta);
    Superficie encosta = linha(PISO, {{638.5, 660}, {678, 660}});
    arco(encosta.pontos, 678, 663.5, 3.5, -90, -26.565);
    encosta.pontos.push_back({681, 662});
    encosta.pontos.push_back({770, 840});
    encosta.pincel = VERTICAL;
    r.push_back(encosta);
    // Grass: the hill's top into the slope down to the shaft, and the slide
    // from its cut face to its far end.
    r.push_back(linha(GRAMA, {{1120, 490}, {1190, 490}, {1260, 560}}));
    r.push_back(linha(GRAMA, {{1291, 606}, {1298.5, 598.5}, {1960, 1260}}));
    // Ceilings: block 30 over the small passage (fading out where it runs
    // into a plain tile), the overhang over the start room from its chamfer
    // (fading in from the same corner) to the shaft, the low passage's roof
    // (drawn 7 pixels higher right of x 840), the slab's underside, block 25.
    r.push_back(linha(TETO, {{650, 630}, {688, 630}}));
    Superficie fim30 = linha(TETO, {{688, 630}, {700, 630}});
    fim30.afinarFim = 12;
    r.push_back(fim30);
    Superficie chanfro = linha(TETO, {{706, 630}, {716, 640}});
    chanfro.afinarInicio = 14.2;
    r.push_back(chanfro);
    r.push_back(linha(TETO, {{716, 640}, {726, 650}, {726, 670}, {1260, 670}, {1260, 660}}));
    r.push_back(linha(TETO, {{770, 1087}, {770, 1097}, {840, 1097}, {840, 1090}, {910, 1090}, {910, 1080}}));
    r.push_back(linha(TETO, {{630, 688}, {770, 968}}));
    r.push_back(linha(TETO, {{1291, 667}, {1330, 667}}));
    // Walls: block 30's left face, the shaft's right wall, the step out of
    // the low passage (its shadow rounds the corner into floor 17's rock).
    r.push_back(linha(PAREDE, {{650, 490}, {650, 630}}));
    r.push_back(linha(PAREDE, {{1291, 606}, {1291, 667}}));
    Superficie degrau = linha(PAREDE, {{731, 1089.5}, {731, 1120}});
    degrau.pontasRedondas = true;
    r.push_back(degrau);
    return r;
}

// The rock of each tile, from the figures that cross its cell, and the cell
// whose rims it shows (for a tile laid in several cells, one where every rim
// that crosses its sides runs on in its neighbours; the slide's pictures
// come from its middle).
bool descrever(const char* nome, Tile& t)
{
    const Forma cheio = retangulo(0, 0, 70, 70);
    std::string n = nome;
    auto em = [&](double x, double y) { t.celula = {x, y}; };
    if (n == "SFMM") {
        t.fundo = true;
        t.rocha = {cheio};
    } else if (n == "SFSL") {
        // Inside the cave below the slide's line; the sky shows above it.
        t.fundo = true;
        t.rocha = {poligono({{0, 0}, {70, 70}, {0, 70}})};
    } else if (n == "SMM") {
        t.rocha = {cheio};
    } else if (n == "GSL2") {
        t.rocha = {cheio};
        em(1330, 700);
    } else if (n == "STM") {
        t.rocha = {cheio};
        em(770, 840);
    } else if (n == "STL") {
        t.rocha = {cheio};
        em(1050, 840);
    } else if (n == "STR") {
        t.rocha = {cheio};
        em(840, 840);
    } else if (n == "SHTR") {
        // A floor whose top is 31 units down, ending in a round corner over
        // the wall that goes down on the right.
        Forma f{false, 0, 0, 0, {{0, 31}, {61.5, 31}}};
        arco(f.pontos, 61.5, 39.5, 8.5, -90, 0);
        f.pontos.push_back({70, 70});
        f.pontos.push_back({0, 70});
        t.rocha = {f};
        em(490, 770);
    } else if (n == "SHTM") {
        t.rocha = {retangulo(0, 31, 70, 70)};
        em(630, 1050);
    } else if (n == "SHTH") {
        // The end of a floor (round corner) over the step down to the
        // passage's floor; open to the right of the step's wall.
        Forma f{false, 0, 0, 0, {{0, 31}, {22.5, 31}}};
        arco(f.pontos, 22.5, 39.5, 8.5, -90, 0);
        f.pontos.push_back({31, 70});
        f.pontos.push_back({0, 70});
        t.rocha = {f};
        em(700, 1050);
    } else if (n == "STH") {
        t.rocha = {cheio};
        em(700, 1120);
    } else if (n == "SHBM") {
        t.rocha = {retangulo(0, 0, 70, 40)};
        em(770, 630);
    } else if (n == "SHBR") {
        t.rocha = {retangulo(0, 0, 70, 40)};
        em(1190, 630);
    } else if (n == "SHBL") {
        t.rocha = {retangulo(0, 0, 70, 47)};
        em(770, 1050);
    } else if (n == "SHL") {
        t.rocha = {retangulo(20, 0, 70, 70)};
        em(630, 490);
    } else if (n == "SBHL") {
        t.rocha = {retangulo(20, 0, 70, 70)};
        em(630, 560);
    } else if (n == "SSHL") {
        // The ledge under the small passage (round left end, a small round
        // corner on the right) resting on the slab, whose steep top falls
        // away to the right and whose underside cuts the lower left corner.
        t.rocha = {circulo(8.5, 38.5, 8.5), retangulo(8.5, 30, 48, 47), circulo(48, 33.5, 3.5),
                   poligono({{0, 58}, {6, 70}, {70, 70}, {51, 32}, {0, 38.5}})};
        em(630, 630);
    } else if (n == "SSBH") {
        // Under the passage's exit: the bevelled corner and the roof above
        // the slab's slope.
        t.rocha = {retangulo(26, 0, 70, 40), poligono({{6, 0}, {26, 0}, {26, 20}})};
        em(700, 630);
    } else if (n == "SSL1") {
        t.rocha = {poligono({{0, 0}, {35, 70}, {0, 70}})};
        em(700, 700);
    } else if (n == "SSL2") {
        t.rocha = {poligono({{0, 0}, {35, 0}, {70, 70}, {6, 70}, {0, 58}})};
        em(700, 770);
    } else if (n == "SSBL1") {
        t.rocha = {poligono({{6, 0}, {70, 0}, {70, 70}, {41, 70}})};
        em(700, 840);
    } else if (n == "SSBL2") {
        t.rocha = {poligono({{41, 0}, {70, 0}, {70, 58}})};
        em(630, 770);
    } else if (n == "GSL1") {
        t.rocha = {poligono({{0, 0}, {70, 70}, {0, 70}})};
        em(1400, 700);
    } else if (n == "GSH") {
        // The slide's top end: its cut face and the shaft's right wall.
        t.rocha = {poligono({{31, 70}, {31, 46}, {38.5, 38.5}, {70, 70}})};
        em(1260, 560);
    } else if (n == "GHH") {
        t.rocha = {retangulo(31, 0, 70, 37)};
        em(1260, 630);
    } else if (n == "GTM") {
        t.rocha = {cheio};
        em(1120, 490);
    } else if (n == "EXIT") {
        t.placa = true;
    } else {
        return false;
    }
    return true;
}

// A pattern that repeats every LADO pixels in both directions: stones of a
// periodic Voronoi diagram with cracks between them, shaded from the top
// left, over a faint grain of periodic waves.
struct Paleta {
    double base[3];
    double fenda[3];
    double variacao;  // of a stone's lightness
    double relevo;    // strength of the shading
    double largFenda; // pixels
    int pedras;
    uint32_t semente;
};

cairo_surface_t* padrao(const Paleta& p)
{
    MidiaSorte sorte{p.semente};
    std::vector<double> px, py, luz;
    for (int i = 0; i < p.pedras; i++) {
        px.push_back(midia_sorteEntre(sorte, 0, LADO));
        py.push_back(midia_sorteEntre(sorte, 0, LADO));
        luz.push_back(midia_sorteEntre(sorte, 1.0 - p.variacao, 1.0 + p.variacao));
    }
    struct Onda {
        int fx, fy;
        double fase, amp;
    };
    std::vector<Onda> ondas;
    for (int i = 0; i < 10; i++) {
        Onda o;
        o.fx = (int)midia_sorteEntre(sorte, -9, 10);
        o.fy = (int)midia_sorteEntre(sorte, -9, 10);
        o.fase = midia_sorteEntre(sorte, 0, 2 * M_PI);
        o.amp = 0.018 / (1 + 0.15 * (std::abs(o.fx) + std::abs(o.fy)));
        ondas.push_back(o);
    }
    cairo_surface_t* s = midia_novaSuperficie(LADO, LADO);
    cairo_surface_flush(s);
    unsigned char* dados = cairo_image_surface_get_data(s);
    int passo = cairo_image_surface_get_stride(s);
    for (int y = 0; y < LADO; y++) {
        for (int x = 0; x < LADO; x++) {
            double d1 = 1e9, d2 = 1e9, dx1 = 0, dy1 = 0;
            int i1 = 0;
            for (int i = 0; i < p.pedras; i++) {
                double dx = x + 0.5 - px[i], dy = y + 0.5 - py[i];
                if (dx > LADO / 2) dx -= LADO;
                if (dx < -LADO / 2) dx += LADO;
                if (dy > LADO / 2) dy -= LADO;
                if (dy < -LADO / 2) dy += LADO;
                double d = sqrt(dx * dx + dy * dy);
                if (d < d1) {
                    d2 = d1;
                    d1 = d;
                    i1 = i;
                    dx1 = dx;
                    dy1 = dy;
                } else if (d < d2) {
                    d2 = d;
                }
            }
            double grao = 0;
            for (const Onda& o : ondas)
                grao += o.amp * sin(2 * M_PI * (o.fx * x + o.fy * y) / LADO + o.fase);
            // Light from the top left on a rounded stone.
            double raio = (d1 + d2) / 2 + 1e-6;
            double sombra = -(dx1 + dy1) / (raio * 1.4142) * p.relevo;
            double k = luz[i1] * (1 + sombra + grao);
            // Crack: close to the border between two stones.
            double borda = (d2 - d1) / p.largFenda;
            double f = borda >= 1 ? 0 : 1 - borda * borda;
            unsigned char* px4 = dados + y * passo + x * 4;
            for (int c = 0; c < 3; c++) {
                double v = p.base[c] * k * (1 - f) + p.fenda[c] * f;
                if (v < 0) v = 0;
                if (v > 255) v = 255;
                px4[2 - c] = (unsigned char)lround(v);  // BGRA in memory
            }
            px4[3] = 255;
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

cairo_surface_t* padraoRocha()
{
    static cairo_surface_t* s = nullptr;
    if (!s) {
        Paleta p{{128, 110, 95}, {70, 57, 49}, 0.10, 0.10, 9.0, 22, 20240611u};
        s = padrao(p);
    }
    return s;
}

cairo_surface_t* padraoFundo()
{
    static cairo_surface_t* s = nullptr;
    if (!s) {
        Paleta p{{66, 64, 80}, {46, 44, 58}, 0.05, 0.05, 10.0, 12, 77031u};
        s = padrao(p);
    }
    return s;
}

void caminhoForma(cairo_t* cr, const Forma& f)
{
    if (f.circulo) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, f.cx * ESCALA, f.cy * ESCALA, f.r * ESCALA, 0, 2 * M_PI);
        cairo_close_path(cr);
        return;
    }
    for (size_t i = 0; i < f.pontos.size(); i++) {
        if (i == 0) cairo_move_to(cr, f.pontos[i].x * ESCALA, f.pontos[i].y * ESCALA);
        else cairo_line_to(cr, f.pontos[i].x * ESCALA, f.pontos[i].y * ESCALA);
    }
    cairo_close_path(cr);
}

void caminhoLinha(cairo_t* cr, const std::vector<Ponto>& pontos)
{
    cairo_new_path(cr);
    for (size_t i = 0; i < pontos.size(); i++) {
        if (i == 0) cairo_move_to(cr, pontos[i].x, pontos[i].y);
        else cairo_line_to(cr, pontos[i].x, pontos[i].y);
    }
}

// A value from 0 to 1 that leaves 0 and reaches 1 without a kink.
double suave(double u)
{
    if (u <= 0) return 0;
    if (u >= 1) return 1;
    return u * u * (3 - 2 * u);
}

// A band of that depth (picture pixels) inside the rock along the rim's line,
// in world coordinates: the line stroked twice as wide (the rock's mask
// keeps the inner half), the line swept straight down, or, thinning toward
// an end, the outline of a stroke whose width follows the thinning.
void faixa(cairo_t* cr, const Superficie& s, double profundidade)
{
    double d = profundidade / ESCALA;
    if (s.pincel == VERTICAL) {
        cairo_new_path(cr);
        for (size_t i = 0; i + 1 < s.pontos.size(); i++) {
            Ponto a = s.pontos[i], b = s.pontos[i + 1];
            if (a.x > b.x) std::swap(a, b);
            if (b.x - a.x < 1e-9) continue;
            // Every piece wound the same way, so the fill is their union.
            cairo_move_to(cr, a.x, a.y);
            cairo_line_to(cr, b.x, b.y);
            cairo_line_to(cr, b.x, b.y + d);
            cairo_line_to(cr, a.x, a.y + d);
            cairo_close_path(cr);
        }
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_fill(cr);
        return;
    }
    if (s.afinarInicio > 0 || s.afinarFim > 0) {
        Ponto a = s.pontos.front(), b = s.pontos.back();
        double dx = b.x - a.x, dy = b.y - a.y, comp = sqrt(dx * dx + dy * dy);
        if (comp < 1e-9) return;
        double ux = dx / comp, uy = dy / comp;
        const int passos = 48;
        std::vector<Ponto> lado1, lado2;
        for (int i = 0; i <= passos; i++) {
            double t = comp * i / passos, w = d;
            if (s.afinarInicio > 0) w *= suave(t / s.afinarInicio);
            if (s.afinarFim > 0) w *= suave((comp - t) / s.afinarFim);
            double x = a.x + ux * t, y = a.y + uy * t;
            lado1.push_back({x - uy * w, y + ux * w});
            lado2.push_back({x + uy * w, y - ux * w});
        }
        cairo_new_path(cr);
        for (size_t i = 0; i < lado1.size(); i++) {
            if (i == 0) cairo_move_to(cr, lado1[i].x, lado1[i].y);
            else cairo_line_to(cr, lado1[i].x, lado1[i].y);
        }
        for (size_t i = lado2.size(); i-- > 0;) cairo_line_to(cr, lado2[i].x, lado2[i].y);
        cairo_close_path(cr);
        cairo_fill(cr);
        return;
    }
    cairo_save(cr);
    if (s.pontasRedondas) {
        // Only the half plane right of the line: the rock's side.
        Ponto a = s.pontos.front(), b = s.pontos.back();
        double dx = b.x - a.x, dy = b.y - a.y, comp = sqrt(dx * dx + dy * dy);
        if (comp < 1e-9) {
            cairo_restore(cr);
            return;
        }
        double ux = dx / comp * 1000, uy = dy / comp * 1000;
        cairo_move_to(cr, a.x - ux, a.y - uy);
        cairo_line_to(cr, b.x + ux, b.y + uy);
        cairo_line_to(cr, b.x + ux - uy, b.y + uy + ux);
        cairo_line_to(cr, a.x - ux - uy, a.y - uy + ux);
        cairo_close_path(cr);
        cairo_clip(cr);
    }
    caminhoLinha(cr, s.pontos);
    cairo_set_line_width(cr, 2 * d);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, s.pontasRedondas ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Scallops hanging from a grass band into the earth, at x positions of the
// world that repeat every cell (a whole number per cell along each
// segment), so that every tile and every cell a tile is laid in agree.
void franja(cairo_t* cr, Ponto a, Ponto b, double profundidade)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double comp = sqrt(dx * dx + dy * dy);
    if (comp < 0.1) return;
    double ux = dx / comp, uy = dy / comp;
    if (fabs(ux) < 0.05) return;
    // About 3.5 world pixels apart along the segment.
    long porCelula = lround(70.0 / (3.5 * fabs(ux)));
    if (porCelula < 1) porCelula = 1;
    double passo = 70.0 / porCelula;
    // The inside (rock) is on the right of the direction of travel.
    double nx = -uy, ny = ux, p = profundidade / ESCALA;
    double x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
    for (long k = (long)ceil(x0 / passo - 1e-9); k * passo <= x1 + 1e-9; k++) {
        double x = k * passo, y = a.y + (x - a.x) / dx * dy;
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + nx * p, y + ny * p, 11 / ESCALA, 0, 2 * M_PI);
    }
    cairo_fill(cr);
}

void desenharSuperficie(cairo_t* cr, const Superficie& s)
{
    switch (s.tipo) {
    case PISO:
        // A worn lip: a dark seam, the lighter lip, a highlight on the edge.
        midia_cor(cr, 0x4a3b31, 0.9);
        faixa(cr, s, 40);
        midia_cor(cr, 0xa8927a);
        faixa(cr, s, 33);
        midia_cor(cr, 0xc9b497);
        faixa(cr, s, 12);
        midia_cor(cr, 0xe6d6b8);
        faixa(cr, s, 4);
        break;
    case GRAMA:
        midia_cor(cr, 0x3d6b26);
        faixa(cr, s, 52);
        for (size_t i = 0; i + 1 < s.pontos.size(); i++) franja(cr, s.pontos[i], s.pontos[i + 1], 50);
        midia_cor(cr, 0x5d9a35);
        faixa(cr, s, 40);
        midia_cor(cr, 0x86c84a);
        faixa(cr, s, 16);
        midia_cor(cr, 0xb5e878);
        faixa(cr, s, 5);
        break;
    case TETO:
        midia_cor(cr, 0x1c120c, 0.30);
        faixa(cr, s, 30);
        midia_cor(cr, 0x1c120c, 0.35);
        faixa(cr, s, 12);
        break;
    case PAREDE:
        midia_cor(cr, 0x1c120c, 0.22);
        faixa(cr, s, 22);
        midia_cor(cr, 0x1c120c, 0.25);
        faixa(cr, s, 8);
        break;
    }
}

// The exit sign: a wooden board on a post, standing on the ground at the
// cell's bottom, with the word and an arrow toward the way out.
void desenharPlaca(cairo_t* cr)
{
    // Post.
    midia_cor(cr, 0x5a3a22);
    cairo_rectangle(cr, 300, 330, 80, 370);
    cairo_fill(cr);
    midia_cor(cr, 0x7a5230);
    cairo_rectangle(cr, 312, 330, 30, 370);
    cairo_fill(cr);
    // Board with a dark rim.
    auto placa = [&](double x, double y, double w, double h, double r) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
        cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
        cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
        cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
        cairo_close_path(cr);
    };
    midia_cor(cr, 0x4a2e18);
    placa(40, 110, 620, 260, 40);
    cairo_fill(cr);
    midia_cor(cr, 0x9c6b3c);
    placa(58, 128, 584, 224, 28);
    cairo_fill(cr);
    // Grain of the planks.
    midia_cor(cr, 0x7f5530, 0.8);
    cairo_set_line_width(cr, 6);
    for (double y : {185.0, 240.0, 295.0}) {
        cairo_move_to(cr, 70, y);
        cairo_curve_to(cr, 250, y - 8, 450, y + 8, 630, y);
    }
    cairo_stroke(cr);
    // Nails.
    midia_cor(cr, 0x3a2a1e);
    for (double x : {95.0, 605.0})
        for (double y : {160.0, 320.0}) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, x, y, 10, 0, 2 * M_PI);
        }
    cairo_fill(cr);
    // The word, and an arrow pointing right.
    midia_cor(cr, 0xfff3d6);
    midia_textoCentrado(cr, "EXIT", 120, 285, 240);
    cairo_fill(cr);
    cairo_move_to(cr, 470, 205);
    cairo_line_to(cr, 540, 205);
    cairo_line_to(cr, 540, 170);
    cairo_line_to(cr, 610, 240);
    cairo_line_to(cr, 540, 310);
    cairo_line_to(cr, 540, 275);
    cairo_line_to(cr, 470, 275);
    cairo_close_path(cr);
    cairo_fill(cr);
}

}  // namespace

const char* midia_desenharTile(const char* nome, cairo_surface_t* destino)
{
    Tile t;
    if (!descrever(nome, t)) return "tile desconhecido";
    cairo_t* cr = cairo_create(destino);
    if (t.placa) {
        desenharPlaca(cr);
        cairo_destroy(cr);
        return nullptr;
    }
    // The rock's mask: the union of its figures.
    cairo_surface_t* mascara = cairo_image_surface_create(CAIRO_FORMAT_A8, LADO, LADO);
    cairo_t* m = cairo_create(mascara);
    cairo_set_source_rgba(m, 0, 0, 0, 1);
    for (const Forma& f : t.rocha) {
        caminhoForma(m, f);
        cairo_fill(m);
    }
    cairo_destroy(m);

    // Texture and surfaces drawn together, then cut by the mask.
    cairo_push_group(cr);
    cairo_set_source_surface(cr, t.fundo ? padraoFundo() : padraoRocha(), 0, 0);
    cairo_paint(cr);
    // The level's rims around the tile's cell, in world pixels.
    cairo_save(cr);
    cairo_scale(cr, ESCALA, ESCALA);
    cairo_translate(cr, -t.celula.x, -t.celula.y);
    if (!t.fundo)
        for (const Superficie& s : superficiesDoNivel()) desenharSuperficie(cr, s);
    cairo_restore(cr);
    cairo_pop_group_to_source(cr);
    cairo_mask_surface(cr, mascara, 0, 0);
    cairo_surface_destroy(mascara);
    cairo_status_t estado = cairo_status(cr);
    cairo_destroy(cr);
    return estado == CAIRO_STATUS_SUCCESS ? nullptr : "erro do Cairo";
}

bool midia_gerarTiles(const std::string& pasta)
{
    for (int i = 0; i < MIDIA_TOTAL_TILES; i++) {
        cairo_surface_t* s = midia_novaSuperficie(LADO, LADO);
        const char* erro = midia_desenharTile(MIDIA_TILES[i], s);
        bool ok = !erro && midia_salvarPng(s, pasta + "/" + MIDIA_TILES[i] + ".png");
        if (erro) fprintf(stderr, "Erro ao desenhar %s: %s\n", MIDIA_TILES[i], erro);
        cairo_surface_destroy(s);
        if (!ok) return false;
    }
    return true;
}
