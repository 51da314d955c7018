// Draws level 0 from the generated pictures, as the game lays them, with
// the collision figures over them as outlines: red for the level's static
// figures, blue for the bridge and the spring pad, green for the
// character's capsule at a few places the route passes. Not shipped; a
// check that the tiles agree with the figures.
//
//     mapa_nivel SAIDA.png PASTA_DA_MIDIA [ZOOM [X0 Y0 X1 Y1]]
//
// ZOOM is output pixels per world pixel (default 1: the tiles at a tenth of
// their size); the rectangle is in world pixels (default the whole level).
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "ferramentas/midia_nivel.h"

namespace {

std::string pasta;
std::map<std::string, cairo_surface_t*> imagens;

cairo_surface_t* imagem(const std::string& nome)
{
    auto it = imagens.find(nome);
    if (it != imagens.end()) return it->second;
    cairo_surface_t* s = cairo_image_surface_create_from_png((pasta + "/" + nome).c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        fprintf(stderr, "Nao foi possivel ler %s/%s\n", pasta.c_str(), nome.c_str());
        exit(1);
    }
    imagens[nome] = s;
    return s;
}

// An image on a body at (x, y) world pixels turned by r tenths of a degree,
// drawn at scale k with its print offset (ox, oy) in picture pixels.
void colocar(cairo_t* cr, const std::string& nome, double x, double y, double r, double k, double ox, double oy)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, r / 10.0 * M_PI / 180.0);
    cairo_scale(cr, k, k);
    cairo_set_source_surface(cr, imagem(nome), ox, oy);
    cairo_paint(cr);
    cairo_restore(cr);
}

void capsula(cairo_t* cr, double cx, double cy, double escala)
{
    // The character's capsule for a 205 x 120 frame: 68.3 wide, from 45
    // above the centre to 45 below, round at the bottom.
    double r = 2050.0 / 6 / 10 * escala, topo = cy - 45 * escala, fundo = cy + 45 * escala;
    cairo_move_to(cr, cx - r, topo);
    cairo_line_to(cr, cx + r, topo);
    cairo_line_to(cr, cx + r, fundo - r);
    cairo_arc(cr, cx, fundo - r, r, 0, M_PI);
    cairo_close_path(cr);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4 && argc != 8) {
        fprintf(stderr, "Uso: %s SAIDA.png PASTA_DA_MIDIA [ZOOM [X0 Y0 X1 Y1]]\n", argv[0]);
        return 2;
    }
    pasta = argv[2];
    double zoom = argc >= 4 ? atof(argv[3]) : 1.0;
    double x0 = 0, y0 = 0, x1 = 1960, y1 = 1680;
    if (argc == 8) {
        x0 = atof(argv[4]);
        y0 = atof(argv[5]);
        x1 = atof(argv[6]);
        y1 = atof(argv[7]);
    }
    int w = (int)lround((x1 - x0) * zoom), h = (int)lround((y1 - y0) * zoom);
    if (zoom <= 0 || w <= 0 || h <= 0 || w > 16000 || h > 16000) {
        fprintf(stderr, "Tamanho invalido\n");
        return 2;
    }
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_scale(cr, zoom, zoom);
    cairo_translate(cr, -x0, -y0);
    // The sky where nothing covers it (the game keeps it still on screen).
    cairo_set_source_rgb(cr, 0.62, 0.80, 0.93);
    cairo_paint(cr);

    std::vector<NivelCelula> celulas = nivel_celulas();
    // Layers in the game's order: back tiles, springs behind, main tiles,
    // bridge, springs in front, pad.
    for (const NivelCelula& c : celulas)
        if (c.camada == 5000) colocar(cr, c.tile + ".png", c.x, c.y, 0, 0.1, 0, 0);
    const double px = 1240.5, py = 797.6;
    colocar(cr, "meia mola.png", px + 35, py + 41.2, -82, 0.1, -25, -25);
    colocar(cr, "meia mola.png", px + 35, py + 21.2, 1718, 0.1, -25, -25);
    colocar(cr, "mola.png", px + 17.7, py + 33.7, -82, 0.1, -25, -25);
    for (const NivelCelula& c : celulas)
        if (c.camada == 10000) colocar(cr, c.tile + ".png", c.x, c.y, 0, 0.1, 0, 0);
    colocar(cr, "ponte.png", 920, 850, 0, 0.1, -100, -100);
    colocar(cr, "ponte.png", 1040, 850, 0, 0.1, -600, -100);
    colocar(cr, "mola.png", px + 17.7, py + 33.7, 82, 0.1, -25, -25);
    colocar(cr, "mola.png", px + 17.7, py + 23.7, 82, 0.1, -25, -25);
    colocar(cr, "trampolim.png", px, py, 0, 0.1, 0, 0);

    // The character standing where it lands at the start (feet on 840).
    cairo_save(cr);
    cairo_rectangle(cr, 800 - 102.5, 795 - 60, 205, 120);
    cairo_clip(cr);
    cairo_set_source_surface(cr, imagem("personagem.png"), 800 - 102.5, 795 - 60);
    cairo_paint(cr);
    cairo_restore(cr);

    // Outlines.
    cairo_set_line_width(cr, 1.0 / zoom);
    cairo_set_source_rgba(cr, 1, 0, 0, 0.9);
    for (const NivelFigura& f : nivel_figuras()) {
        if (f.tipo == 'R') cairo_rectangle(cr, f.v[0], f.v[1], f.v[2], f.v[3]);
        if (f.tipo == 'C') {
            cairo_new_sub_path(cr);
            cairo_arc(cr, f.v[0], f.v[1], f.v[2], 0, 2 * M_PI);
        }
        if (f.tipo == 'P') {
            for (size_t i = 0; i + 1 < f.v.size(); i += 2) {
                if (i == 0) cairo_move_to(cr, f.v[i], f.v[i + 1]);
                else cairo_line_to(cr, f.v[i], f.v[i + 1]);
            }
            cairo_close_path(cr);
        }
        cairo_stroke(cr);
    }
    cairo_set_source_rgba(cr, 0, 0.3, 1, 0.9);
    cairo_rectangle(cr, 910, 840, 70, 20);
    cairo_rectangle(cr, 980, 840, 70, 20);
    cairo_rectangle(cr, px + 10, py, 50, 20);
    cairo_rectangle(cr, px + 15, py + 20, 40, 22.4);
    cairo_new_sub_path(cr);
    cairo_arc(cr, px + 10, py + 10, 10, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, px + 60, py + 10, 10, 0, 2 * M_PI);
    cairo_stroke(cr);
    // The end zone.
    cairo_set_source_rgba(cr, 1, 0.8, 0, 0.9);
    cairo_rectangle(cr, 1260, 490, 70, 70);
    cairo_stroke(cr);
    // Capsules: big at the start, small in the low passage, in the small
    // passage and in the shaft.
    cairo_set_source_rgba(cr, 0, 0.8, 0.2, 0.9);
    capsula(cr, 800, 795, 1.0);
    capsula(cr, 840, 1111, 0.2);
    capsula(cr, 678, 651, 0.2);
    capsula(cr, 1275, 600, 0.2);
    cairo_stroke(cr);

    cairo_destroy(cr);
    cairo_status_t e = cairo_surface_write_to_png(s, argv[1]);
    cairo_surface_destroy(s);
    if (e != CAIRO_STATUS_SUCCESS) {
        fprintf(stderr, "Erro ao gravar %s\n", argv[1]);
        return 1;
    }
    return 0;
}
