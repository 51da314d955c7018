// Shared helpers of the media generator: our random generator, PNG output
// and the font the pictures write with.
#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>

#include "ferramentas/midia.h"

uint32_t midia_sorte(MidiaSorte& s)
{
    // xorshift32; a zero state would stay zero, so it is nudged.
    uint32_t x = s.estado ? s.estado : 0x9E3779B9u;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    s.estado = x;
    return x;
}

double midia_sorteReal(MidiaSorte& s)
{
    return (midia_sorte(s) >> 8) * (1.0 / 16777216.0);
}

double midia_sorteEntre(MidiaSorte& s, double a, double b)
{
    return a + (b - a) * midia_sorteReal(s);
}

cairo_surface_t* midia_novaSuperficie(int largura, int altura)
{
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, largura, altura);
}

bool midia_salvarPng(cairo_surface_t* superficie, const std::string& caminho)
{
    cairo_surface_flush(superficie);
    cairo_status_t estado = cairo_surface_status(superficie);
    if (estado == CAIRO_STATUS_SUCCESS) estado = cairo_surface_write_to_png(superficie, caminho.c_str());
    if (estado != CAIRO_STATUS_SUCCESS) {
        fprintf(stderr, "Erro ao gravar %s: %s\n", caminho.c_str(), cairo_status_to_string(estado));
        return false;
    }
    return true;
}

namespace {
FT_Library midiaBiblioteca = nullptr;
FT_Face midiaFace = nullptr;
cairo_font_face_t* midiaFonte = nullptr;
}  // namespace

bool midia_usarFonte(const char* caminho)
{
    if (midiaFonte) return true;
    if (FT_Init_FreeType(&midiaBiblioteca) != 0) {
        fprintf(stderr, "Erro ao iniciar o FreeType\n");
        return false;
    }
    if (FT_New_Face(midiaBiblioteca, caminho, 0, &midiaFace) != 0) {
        fprintf(stderr, "Erro ao abrir a fonte %s (pacote fonts-dejavu-core)\n", caminho);
        return false;
    }
    midiaFonte = cairo_ft_font_face_create_for_ft_face(midiaFace, 0);
    return cairo_font_face_status(midiaFonte) == CAIRO_STATUS_SUCCESS;
}

cairo_font_face_t* midia_fonte()
{
    return midiaFonte;
}

void midia_textoCentrado(cairo_t* cr, const char* texto, double tamanho, double x, double y)
{
    cairo_set_font_face(cr, midiaFonte);
    cairo_set_font_size(cr, tamanho);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, texto, &ext);
    cairo_move_to(cr, x - (ext.x_bearing + ext.width / 2.0), y - (ext.y_bearing + ext.height / 2.0));
    cairo_text_path(cr, texto);
}

void midia_cor(cairo_t* cr, uint32_t rgb, double alfa)
{
    cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0,
                          alfa);
}
