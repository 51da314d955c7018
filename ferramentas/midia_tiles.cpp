// The level's tiles. Each tile is a 700 x 700 picture drawn at 70 x 70
// pixels of the world, so its drawing is written here in cell units (0 to 70,
// one unit = 10 picture pixels) straight from the level's collision figures:
// rock where the level is solid or closed in, transparent where the
// character moves. Every rock tile takes its texture from one pattern that
// repeats every cell, so neighbouring tiles meet without a seam; walkable
// tops get a worn lip (grass outdoors), ceilings and walls a shadow.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ferramentas/midia.h"

const char* const MIDIA_TILES[] = {
    "SFMM", "SFSL", "SMM",  "STM", "STL",  "STR",  "SBHL", "SSL1", "SSL2", "SSBL1", "SSBL2", "SHTR", "SHTM", "SHTH",
    "SSHL", "SHBL", "SHBR", "SHBM", "SSBH", "GTM", "GSL1", "GSL2", "GSH",  "STH",  "GHH",   "EXIT", "SHL"};
const int MIDIA_TOTAL_TILES = (int)(sizeof MIDIA_TILES / sizeof MIDIA_TILES[0]);

namespace {

const int LADO = 700;        // picture pixels of a tile
const double ESCALA = 10.0;  // picture pixels per cell unit

struct Ponto {
    double x, y;
};

enum TipoSuperficie { PISO, GRAMA, TETO, PAREDE };

struct Superficie {
    TipoSuperficie tipo;
    std::vector<Ponto> pontos;
};

struct Forma {
    bool circulo;
    double cx, cy, r;            // a circle
    std::vector<Ponto> pontos;   // a polygon
};

struct Tile {
    std::vector<Forma> rocha;
    std::vector<Superficie> superficies;
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

Superficie linha(TipoSuperficie t, std::initializer_list<Ponto> p)
{
    Superficie s{t, p};
    return s;
}

// The drawing of each tile, from the figures that cross its cell.
bool descrever(const char* nome, Tile& t)
{
    const Forma cheio = retangulo(0, 0, 70, 70);
    std::string n = nome;
    if (n == "SFMM") {
        t.fundo = true;
        t.rocha = {cheio};
    } else if (n == "SFSL") {
        // Inside the cave below the slide's line; the sky shows above it.
        t.fundo = true;
        t.rocha = {poligono({{0, 0}, {70, 70}, {0, 70}})};
    } else if (n == "SMM" || n == "GSL2") {
        t.rocha = {cheio};
    } else if (n == "STM") {
        t.rocha = {cheio};
        t.superficies = {linha(PISO, {{-5, 0}, {75, 0}})};
    } else if (n == "STL") {
        t.rocha = {cheio};
        t.superficies = {linha(PISO, {{0, 9}, {0, 0}, {75, 0}})};
    } else if (n == "STR") {
        t.rocha = {cheio};
        t.superficies = {linha(PISO, {{-5, 0}, {70, 0}, {70, 9}})};
    } else if (n == "SHTR") {
        // A floor whose top is 31 units down, ending in a round corner over
        // the wall that goes down on the right.
        Forma f{false, 0, 0, 0, {{0, 31}, {61.5, 31}}};
        arco(f.pontos, 61.5, 39.5, 8.5, -90, 0);
        f.pontos.push_back({70, 70});
        f.pontos.push_back({0, 70});
        Superficie s{PISO, {{-5, 31}, {61.5, 31}}};
        arco(s.pontos, 61.5, 39.5, 8.5, -90, 0);
        s.pontos.push_back({70, 48});
        t.rocha = {f};
        t.superficies = {s};
    } else if (n == "SHTM") {
        t.rocha = {retangulo(0, 31, 70, 70)};
        t.superficies = {linha(PISO, {{-5, 31}, {75, 31}})};
    } else if (n == "SHTH") {
        // The end of a floor (round corner) over the step down to the
        // passage's floor; open to the right of the step's wall.
        Forma f{false, 0, 0, 0, {{0, 31}, {22.5, 31}}};
        arco(f.pontos, 22.5, 39.5, 8.5, -90, 0);
        f.pontos.push_back({31, 70});
        f.pontos.push_back({0, 70});
        Superficie s{PISO, {{-5, 31}, {22.5, 31}}};
        arco(s.pontos, 22.5, 39.5, 8.5, -90, 0);
        s.pontos.push_back({31, 48});
        t.rocha = {f};
        t.superficies = {s, linha(PAREDE, {{31, 39.5}, {31, 75}})};
    } else if (n == "STH") {
        t.rocha = {cheio};
        t.superficies = {linha(PISO, {{31, 0}, {75, 0}})};
    } else if (n == "SHBM") {
        t.rocha = {retangulo(0, 0, 70, 40)};
        t.superficies = {linha(TETO, {{-5, 40}, {75, 40}})};
    } else if (n == "SHBR") {
        t.rocha = {retangulo(0, 0, 70, 40)};
        t.superficies = {linha(TETO, {{-5, 40}, {70, 40}, {70, 30}})};
    } else if (n == "SHBL") {
        t.rocha = {retangulo(0, 0, 70, 47)};
        t.superficies = {linha(TETO, {{0, 37}, {0, 47}, {75, 47}})};
    } else if (n == "SHL") {
        t.rocha = {retangulo(20, 0, 70, 70)};
        t.superficies = {linha(PAREDE, {{20, -5}, {20, 75}})};
    } else if (n == "SBHL") {
        t.rocha = {retangulo(20, 0, 70, 70)};
        t.superficies = {linha(PAREDE, {{20, -5}, {20, 70}}), linha(TETO, {{20, 70}, {75, 70}})};
    } else if (n == "SSHL") {
        // The ledge under the small passage (round left end, a small round
        // corner on the right) resting on the slab, whose steep top falls
        // away to the right and whose underside cuts the lower left corner.
        t.rocha = {circulo(8.5, 38.5, 8.5), retangulo(8.5, 30, 48, 47), circulo(48, 33.5, 3.5),
                   poligono({{0, 58}, {6, 70}, {70, 70}, {51, 32}, {0, 38.5}})};
        Superficie s{PISO, {}};
        arco(s.pontos, 8.5, 38.5, 8.5, 180, 270);
        s.pontos.push_back({48, 30});
        arco(s.pontos, 48, 33.5, 3.5, -90, -26.6);
        s.pontos.push_back({51, 32});
        s.pontos.push_back({72.5, 75});
        t.superficies = {s, linha(TETO, {{-3, 52}, {9, 76}})};
    } else if (n == "SSBH") {
        // Under the passage's exit: the bevelled corner and the roof above
        // the slab's slope.
        t.rocha = {retangulo(26, 0, 70, 40), poligono({{6, 0}, {26, 0}, {26, 20}})};
        t.superficies = {linha(TETO, {{1, -5}, {6, 0}, {26, 20}, {26, 40}, {75, 40}})};
    } else if (n == "SSL1") {
        t.rocha = {poligono({{0, 0}, {35, 70}, {0, 70}})};
        t.superficies = {linha(PISO, {{-2.5, -5}, {37.5, 75}})};
    } else if (n == "SSL2") {
        t.rocha = {poligono({{0, 0}, {35, 0}, {70, 70}, {6, 70}, {0, 58}})};
        t.superficies = {linha(PISO, {{32.5, -5}, {72.5, 75}}), linha(TETO, {{-3, 52}, {9, 76}})};
    } else if (n == "SSBL1") {
        t.rocha = {poligono({{6, 0}, {70, 0}, {70, 70}, {41, 70}})};
        t.superficies = {linha(TETO, {{3.5, -5}, {43.5, 75}})};
    } else if (n == "SSBL2") {
        t.rocha = {poligono({{41, 0}, {70, 0}, {70, 58}})};
        t.superficies = {linha(TETO, {{38.5, -5}, {73, 64}})};
    } else if (n == "GSL1") {
        t.rocha = {poligono({{0, 0}, {70, 70}, {0, 70}})};
        t.superficies = {linha(GRAMA, {{-10, -10}, {80, 80}})};
    } else if (n == "GSH") {
        // The slide's top end: its cut face and the shaft's right wall.
        t.rocha = {poligono({{31, 70}, {31, 46}, {38.5, 38.5}, {70, 70}})};
        t.superficies = {linha(GRAMA, {{31, 46}, {38.5, 38.5}, {80, 80}}), linha(PAREDE, {{31, 46}, {31, 75}})};
    } else if (n == "GHH") {
        t.rocha = {retangulo(31, 0, 70, 37)};
        t.superficies = {linha(PAREDE, {{31, -5}, {31, 37}}), linha(TETO, {{31, 37}, {75, 37}})};
    } else if (n == "GTM") {
        t.rocha = {cheio};
        t.superficies = {linha(GRAMA, {{-10, 0}, {80, 0}})};
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
        if (i == 0) cairo_move_to(cr, pontos[i].x * ESCALA, pontos[i].y * ESCALA);
        else cairo_line_to(cr, pontos[i].x * ESCALA, pontos[i].y * ESCALA);
    }
}

// A band of that depth (pixels) inside the rock along the line: the line is
// stroked twice as wide and the rock's mask keeps the inner half.
void faixa(cairo_t* cr, const std::vector<Ponto>& pontos, double profundidade)
{
    caminhoLinha(cr, pontos);
    cairo_set_line_width(cr, 2 * profundidade);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_stroke(cr);
}

// Scallops hanging from a grass band into the earth, spaced so that a whole
// number of them fits each segment (neighbouring tiles then agree).
void franja(cairo_t* cr, Ponto a, Ponto b, double profundidade)
{
    double dx = (b.x - a.x) * ESCALA, dy = (b.y - a.y) * ESCALA;
    double comp = sqrt(dx * dx + dy * dy);
    if (comp < 1) return;
    int n = (int)lround(comp / 35.0);
    if (n < 1) n = 1;
    double ux = dx / comp, uy = dy / comp;
    // The inside (rock) is on the right of the direction of travel.
    double nx = -uy, ny = ux;
    for (int i = 0; i <= n; i++) {
        double t = comp * i / n;
        double cx = a.x * ESCALA + ux * t + nx * profundidade;
        double cy = a.y * ESCALA + uy * t + ny * profundidade;
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, 11, 0, 2 * M_PI);
    }
    cairo_fill(cr);
}

void desenharSuperficie(cairo_t* cr, const Superficie& s)
{
    switch (s.tipo) {
    case PISO:
        // A worn lip: a dark seam, the lighter lip, a highlight on the edge.
        midia_cor(cr, 0x4a3b31, 0.9);
        faixa(cr, s.pontos, 40);
        midia_cor(cr, 0xa8927a);
        faixa(cr, s.pontos, 33);
        midia_cor(cr, 0xc9b497);
        faixa(cr, s.pontos, 12);
        midia_cor(cr, 0xe6d6b8);
        faixa(cr, s.pontos, 4);
        break;
    case GRAMA:
        midia_cor(cr, 0x3d6b26);
        faixa(cr, s.pontos, 52);
        for (size_t i = 0; i + 1 < s.pontos.size(); i++) franja(cr, s.pontos[i], s.pontos[i + 1], 50);
        midia_cor(cr, 0x5d9a35);
        faixa(cr, s.pontos, 40);
        midia_cor(cr, 0x86c84a);
        faixa(cr, s.pontos, 16);
        midia_cor(cr, 0xb5e878);
        faixa(cr, s.pontos, 5);
        break;
    case TETO:
        midia_cor(cr, 0x1c120c, 0.30);
        faixa(cr, s.pontos, 30);
        midia_cor(cr, 0x1c120c, 0.35);
        faixa(cr, s.pontos, 12);
        break;
    case PAREDE:
        midia_cor(cr, 0x1c120c, 0.22);
        faixa(cr, s.pontos, 22);
        midia_cor(cr, 0x1c120c, 0.25);
        faixa(cr, s.pontos, 8);
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
    for (const Superficie& s : t.superficies) desenharSuperficie(cr, s);
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
