// The game's other pictures: the sky behind the level, the white screen,
// the title, the end card, the text box and its key prompts, the earth of
// the ending, the bridge slab and the spring pad's parts.
#include <cmath>
#include <cstdio>
#include <functional>

#include "ferramentas/midia.h"

namespace {

void retanguloRedondo(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void nuvem(cairo_t* cr, double x, double y, double k)
{
    const double partes[][3] = {{0, 0, 16}, {18, -8, 20}, {40, -2, 17}, {56, 4, 12}, {-16, 5, 11}, {22, 6, 15}};
    for (const auto& c : partes) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + c[0] * k, y + c[1] * k, c[2] * k, 0, 2 * M_PI);
    }
    cairo_fill(cr);
}

// A range of hills: a sum of waves along x, filled down to the bottom.
void colinas(cairo_t* cr, double base, double altura, int largura, int alturaImagem, uint32_t semente)
{
    MidiaSorte s{semente};
    double f[3], a[3], fase[3];
    for (int i = 0; i < 3; i++) {
        f[i] = midia_sorteEntre(s, 1.5, 4.5) * (i + 1);
        a[i] = altura / (i + 1.5);
        fase[i] = midia_sorteEntre(s, 0, 2 * M_PI);
    }
    cairo_move_to(cr, 0, alturaImagem);
    for (int x = 0; x <= largura; x += 4) {
        double y = base;
        for (int i = 0; i < 3; i++) y -= a[i] * (0.5 + 0.5 * sin(2 * M_PI * f[i] * x / largura + fase[i]));
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, largura, alturaImagem);
    cairo_close_path(cr);
    cairo_fill(cr);
}

bool salvar(const std::string& pasta, const char* nome, int w, int h, const std::function<void(cairo_t*)>& desenho)
{
    cairo_surface_t* s = midia_novaSuperficie(w, h);
    cairo_t* cr = cairo_create(s);
    desenho(cr);
    cairo_status_t estado = cairo_status(cr);
    cairo_destroy(cr);
    bool ok = estado == CAIRO_STATUS_SUCCESS;
    if (!ok) fprintf(stderr, "Erro ao desenhar %s: %s\n", nome, cairo_status_to_string(estado));
    ok = ok && midia_salvarPng(s, pasta + "/" + nome);
    cairo_surface_destroy(s);
    return ok;
}

// The sky seen outside the cave: quiet, light, far hills.
void fundo(cairo_t* cr)
{
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 360);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.42, 0.68, 0.88);
    cairo_pattern_add_color_stop_rgb(g, 0.7, 0.74, 0.87, 0.95);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.93, 0.94, 0.88);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    // A pale sun.
    cairo_pattern_t* sol = cairo_pattern_create_radial(500, 80, 10, 500, 80, 90);
    cairo_pattern_add_color_stop_rgba(sol, 0, 1, 0.98, 0.88, 0.9);
    cairo_pattern_add_color_stop_rgba(sol, 0.25, 1, 0.96, 0.82, 0.5);
    cairo_pattern_add_color_stop_rgba(sol, 1, 1, 0.95, 0.8, 0);
    cairo_set_source(cr, sol);
    cairo_paint(cr);
    cairo_pattern_destroy(sol);
    midia_cor(cr, 0xffffff, 0.7);
    nuvem(cr, 90, 70, 1.0);
    nuvem(cr, 300, 120, 0.7);
    nuvem(cr, 560, 170, 0.8);
    midia_cor(cr, 0x9fb8cf);
    colinas(cr, 300, 70, 640, 360, 11u);
    midia_cor(cr, 0x86ab9a);
    colinas(cr, 330, 45, 640, 360, 23u);
    midia_cor(cr, 0x6f9c72);
    colinas(cr, 352, 25, 640, 360, 37u);
}

// The title over the white screen: the name and the character big and small.
void logo(cairo_t* cr)
{
    cairo_save(cr);
    midia_cor(cr, 0x000000, 0.12);
    midia_textoCentrado(cr, "Morvalen", 104, 324, 156);
    cairo_fill(cr);
    cairo_restore(cr);
    midia_textoCentrado(cr, "Morvalen", 104, 320, 150);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 100, 0, 200);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.70, 0.35);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.90, 0.38, 0.20);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    midia_cor(cr, 0x4a2414);
    cairo_set_line_width(cr, 5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    midia_cor(cr, 0x026300);
    midia_textoCentrado(cr, "big and small", 24, 320, 222);
    cairo_fill(cr);
    // The character big, and small beside it.
    cairo_save(cr);
    cairo_translate(cr, 320 - 102.5 - 20, 235);
    midia_desenharPersonagemParado(cr);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, 320 + 45, 235 + 120 - 120 * 0.4 - 12);
    cairo_scale(cr, 0.4, 0.4);
    cairo_translate(cr, -102.5 + 50, 0);
    midia_desenharPersonagemParado(cr);
    cairo_restore(cr);
}

// The end card: night over the world, the words on the right; the left
// keeps room for the walking character and the earth of the ending.
void fim(cairo_t* cr)
{
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 360);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.07, 0.08, 0.22);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.25, 0.16, 0.38);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    MidiaSorte s{4242u};
    for (int i = 0; i < 160; i++) {
        double x = midia_sorteEntre(s, 0, 640), y = midia_sorteEntre(s, 0, 360);
        double r = midia_sorteEntre(s, 0.4, 1.5), a = midia_sorteEntre(s, 0.3, 1.0);
        midia_cor(cr, 0xfff8e0, a);
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    // A few bright stars with rays.
    for (int i = 0; i < 6; i++) {
        double x = midia_sorteEntre(s, 260, 630), y = midia_sorteEntre(s, 20, 340);
        if (y > 95 && y < 240) y += 150;  // not over the words
        midia_cor(cr, 0xfff3c0, 0.8);
        cairo_set_line_width(cr, 1.2);
        cairo_move_to(cr, x - 6, y);
        cairo_line_to(cr, x + 6, y);
        cairo_move_to(cr, x, y - 6);
        cairo_line_to(cr, x, y + 6);
        cairo_stroke(cr);
    }
    midia_cor(cr, 0xffd9a0);
    midia_textoCentrado(cr, "The End", 60, 470, 150);
    cairo_fill(cr);
    midia_cor(cr, 0xe8e4ff);
    midia_textoCentrado(cr, "Thank you for playing!", 22, 470, 212);
    cairo_fill(cr);
}

// The box under the tutorial texts (dark green writing on cream), with a
// recess on the right where the key prompt blinks.
void caixa(cairo_t* cr)
{
    retanguloRedondo(cr, 3, 3, 604, 122, 16);
    midia_cor(cr, 0x000000, 0.25);
    cairo_fill(cr);
    retanguloRedondo(cr, 1, 1, 604, 120, 16);
    midia_cor(cr, 0xfbf5e1);
    cairo_fill_preserve(cr);
    midia_cor(cr, 0x2e6a29);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    retanguloRedondo(cr, 6, 6, 594, 110, 12);
    midia_cor(cr, 0x2e6a29, 0.35);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    retanguloRedondo(cr, 536, 74, 62, 40, 8);
    midia_cor(cr, 0xe9dfc2);
    cairo_fill(cr);
}

// A key cap seen slightly from the front: released (tall side) or pressed
// (the cap down, drawn 11 px lower by the game). Both bottoms meet.
void tecla(cairo_t* cr, bool pressionada)
{
    double topo = 1, face = pressionada ? 15 : 19, lado = pressionada ? 3 : 9;
    retanguloRedondo(cr, 2, topo + face - 6, 44, lado + 6, 5);
    midia_cor(cr, 0x5c6470);
    cairo_fill(cr);
    retanguloRedondo(cr, 2, topo, 44, face, 5);
    midia_cor(cr, pressionada ? 0xc9ced6 : 0xf2f4f7);
    cairo_fill_preserve(cr);
    midia_cor(cr, 0x3b414a);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    retanguloRedondo(cr, 7, topo + 3, 34, face - 7, 4);
    midia_cor(cr, 0xffffff, pressionada ? 0.2 : 0.6);
    cairo_fill(cr);
}

// A smiling earth, seen from space; it spins about its centre.
void terra(cairo_t* cr)
{
    const double c = 128, r = 118;
    cairo_new_sub_path(cr);
    cairo_arc(cr, c, c, r, 0, 2 * M_PI);
    cairo_pattern_t* mar = cairo_pattern_create_radial(c - 40, c - 40, 10, c, c, r);
    cairo_pattern_add_color_stop_rgb(mar, 0, 0.45, 0.80, 1.0);
    cairo_pattern_add_color_stop_rgb(mar, 1, 0.16, 0.46, 0.85);
    cairo_set_source(cr, mar);
    cairo_fill(cr);
    cairo_pattern_destroy(mar);
    cairo_save(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, c, c, r, 0, 2 * M_PI);
    cairo_clip(cr);
    // Lands: round blobs of our own.
    MidiaSorte s{909u};
    const double centros[][3] = {{70, 70, 36}, {185, 95, 30}, {150, 190, 42}, {45, 170, 26}, {120, 25, 22}};
    for (const auto& t : centros) {
        cairo_new_sub_path(cr);
        for (int i = 0; i <= 24; i++) {
            double a = 2 * M_PI * i / 24;
            double rr = t[2] * (0.75 + 0.35 * midia_sorteReal(s));
            double x = t[0] + rr * cos(a), y = t[1] + rr * 0.8 * sin(a);
            if (i == 0) cairo_move_to(cr, x, y);
            else cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
    }
    midia_cor(cr, 0x5cbf4a);
    cairo_fill_preserve(cr);
    midia_cor(cr, 0x2f7d2c);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    midia_cor(cr, 0xffffff, 0.75);
    nuvem(cr, 40, 120, 0.6);
    nuvem(cr, 170, 150, 0.5);
    cairo_restore(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, c, c, r, 0, 2 * M_PI);
    midia_cor(cr, 0x1d3f7a);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    // Face.
    for (int i = 0; i < 2; i++) {
        double x = c + (i ? 30 : -30), y = c - 6;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, 11, 15);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        midia_cor(cr, 0x1b1410);
        cairo_fill(cr);
        cairo_arc(cr, x - 4, y - 6, 4, 0, 2 * M_PI);
        midia_cor(cr, 0xffffff);
        cairo_fill(cr);
        cairo_save(cr);
        cairo_translate(cr, x + (i ? 14 : -14), y + 20);
        cairo_scale(cr, 13, 7);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        midia_cor(cr, 0xff7b9a, 0.6);
        cairo_fill(cr);
    }
    cairo_move_to(cr, c - 14, c + 18);
    cairo_curve_to(cr, c - 8, c + 30, c + 8, c + 30, c + 14, c + 18);
    midia_cor(cr, 0x1b1410);
    cairo_set_line_width(cr, 5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// One bridge slab, the same from both ends (the game draws it unmirrored
// for both halves): planks between two iron hinge plates, 100 px from each
// end, where the halves turn.
void ponte(cairo_t* cr)
{
    retanguloRedondo(cr, 0, 0, 700, 200, 22);
    midia_cor(cr, 0x4f3118);
    cairo_fill(cr);
    retanguloRedondo(cr, 8, 8, 684, 184, 16);
    midia_cor(cr, 0xa8753f);
    cairo_fill(cr);
    // Plank joints and grain, symmetric about the middle.
    midia_cor(cr, 0x5e3a1c);
    cairo_set_line_width(cr, 7);
    for (int i = 1; i < 10; i++) {
        cairo_move_to(cr, 70 * i, 12);
        cairo_line_to(cr, 70 * i, 188);
    }
    cairo_stroke(cr);
    midia_cor(cr, 0x8a5c2e, 0.9);
    cairo_set_line_width(cr, 4);
    for (int i = 0; i < 10; i++) {
        double x = 70 * i + 35;
        double d = (i < 5 ? 1 : -1) * 6;
        cairo_move_to(cr, x - 12, 40);
        cairo_curve_to(cr, x - 12 + d, 80, x - 12 - d, 120, x - 12, 160);
        cairo_move_to(cr, x + 14, 55);
        cairo_curve_to(cr, x + 14 + d, 90, x + 14 - d, 120, x + 14, 150);
    }
    cairo_stroke(cr);
    // The walking surface: a lighter top.
    midia_cor(cr, 0xd6a466);
    cairo_rectangle(cr, 10, 8, 680, 14);
    cairo_fill(cr);
    for (double x : {100.0, 600.0}) {
        retanguloRedondo(cr, x - 55, 14, 110, 172, 12);
        midia_cor(cr, 0x59606a);
        cairo_fill_preserve(cr);
        midia_cor(cr, 0x2b2f35);
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
        cairo_arc(cr, x, 100, 30, 0, 2 * M_PI);
        midia_cor(cr, 0x8f98a3);
        cairo_fill_preserve(cr);
        midia_cor(cr, 0x2b2f35);
        cairo_stroke(cr);
        cairo_arc(cr, x, 100, 10, 0, 2 * M_PI);
        cairo_fill(cr);
        for (double y : {40.0, 160.0}) {
            cairo_arc(cr, x, y, 8, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    }
}

// The spring pad: a round-ended red bar on two guide posts, open between
// them so the springs behind it show through. The whole picture moves with
// the pad, 100 px down when it is fully squeezed, and at rest its bottom
// edge lies on the rock: so the posts end 100 px above that edge, in rubber
// stops that meet the floor as the squeeze ends, and at rest the springs
// alone carry the bar down to the floor.
void trampolim(cairo_t* cr)
{
    const double fim = 324;  // the posts' outer bottom edge
    cairo_set_line_width(cr, 6);
    for (double x : {150.0, 510.0}) {
        retanguloRedondo(cr, x, 180, 40, fim - 3 - 180, 8);
        midia_cor(cr, 0x6d747e);
        cairo_fill_preserve(cr);
        midia_cor(cr, 0x2b2f35);
        cairo_stroke(cr);
        retanguloRedondo(cr, x + 8, 190, 10, 100, 4);
        midia_cor(cr, 0xaab2bc);
        cairo_fill(cr);
        // The stop, a little wider than the post.
        retanguloRedondo(cr, x - 4, fim - 3 - 24, 48, 24, 7);
        midia_cor(cr, 0x3a3f46);
        cairo_fill_preserve(cr);
        midia_cor(cr, 0x1e2125);
        cairo_stroke(cr);
    }
    // The bar.
    cairo_new_sub_path(cr);
    cairo_arc(cr, 600, 100, 96, -M_PI / 2, M_PI / 2);
    cairo_arc(cr, 100, 100, 96, M_PI / 2, 3 * M_PI / 2);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 200);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.95, 0.38, 0.30);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.68, 0.16, 0.14);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    midia_cor(cr, 0x4a1410);
    cairo_set_line_width(cr, 8);
    cairo_stroke(cr);
    // A white band and the pad's light top.
    midia_cor(cr, 0xfff1e6);
    cairo_rectangle(cr, 100, 92, 500, 30);
    cairo_fill(cr);
    cairo_move_to(cr, 100, 26);
    cairo_line_to(cr, 600, 26);
    midia_cor(cr, 0xffb3a3, 0.8);
    cairo_set_line_width(cr, 14);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// A straight piece of spring, its axis from (25, 25) to (comprimento + 25, 25).
void mola(cairo_t* cr, double comprimento)
{
    double x0 = 25, x1 = 25 + comprimento;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x1, 25, 21, -M_PI / 2, M_PI / 2);
    cairo_arc(cr, x0, 25, 21, M_PI / 2, 3 * M_PI / 2);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 4, 0, 46);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.86, 0.88, 0.90);
    cairo_pattern_add_color_stop_rgb(g, 0.5, 0.60, 0.64, 0.68);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.36, 0.39, 0.43);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    midia_cor(cr, 0x2b2f35);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    // The coil's turns.
    midia_cor(cr, 0x3f454c, 0.8);
    cairo_set_line_width(cr, 4);
    for (double x = x0 + 30; x < x1 - 20; x += 26) {
        cairo_move_to(cr, x - 6, 8);
        cairo_line_to(cr, x + 6, 42);
    }
    cairo_stroke(cr);
    for (double x : {x0, x1}) {
        cairo_arc(cr, x, 25, 9, 0, 2 * M_PI);
        midia_cor(cr, 0x2b2f35);
        cairo_fill(cr);
    }
}

}  // namespace

bool midia_gerarFiguras(const std::string& pasta)
{
    return salvar(pasta, "fundo.png", 640, 360, fundo) &&
           salvar(pasta, "branco.png", 16, 9,
                  [](cairo_t* cr) {
                      cairo_set_source_rgb(cr, 1, 1, 1);
                      cairo_paint(cr);
                  }) &&
           salvar(pasta, "logo.png", 640, 360, logo) && salvar(pasta, "fim.png", 640, 360, fim) &&
           salvar(pasta, "caixa de texto.png", 610, 125, caixa) &&
           salvar(pasta, "botao solto.png", 48, 30, [](cairo_t* cr) { tecla(cr, false); }) &&
           salvar(pasta, "botao pressionado.png", 48, 30, [](cairo_t* cr) { tecla(cr, true); }) &&
           salvar(pasta, "kawaii-earth-vector-clipart.png", 256, 256, terra) &&
           salvar(pasta, "ponte.png", 700, 200, ponte) && salvar(pasta, "trampolim.png", 700, 424, trampolim) &&
           salvar(pasta, "mola.png", 400, 50, [](cairo_t* cr) { mola(cr, 350); }) &&
           salvar(pasta, "meia mola.png", 225, 50, [](cairo_t* cr) { mola(cr, 175); });
}
