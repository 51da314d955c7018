// The media generator: every picture and piece of music of the game, drawn
// or rendered by our own code. Outputs are written into one folder, which
// the build packs into the resource archive.
//
// Everything here is deterministic: random choices come from our own
// generator with fixed seeds, PNG files carry no time, and the Ogg stream's
// serial number is fixed, so the same sources give the same bytes.
#ifndef MORVALEN_MIDIA_H
#define MORVALEN_MIDIA_H

#include <cairo.h>

#include <cstdint>
#include <string>

// A small generator of our own (not the C library's), one state per use.
struct MidiaSorte {
    uint32_t estado;
};
uint32_t midia_sorte(MidiaSorte& s);
// A value in [0, 1).
double midia_sorteReal(MidiaSorte& s);
// A value in [a, b).
double midia_sorteEntre(MidiaSorte& s, double a, double b);

// Writes the surface as PNG; false, with a message on standard error, when
// it cannot.
bool midia_salvarPng(cairo_surface_t* superficie, const std::string& caminho);
// A new ARGB surface of that size, cleared to transparent.
cairo_surface_t* midia_novaSuperficie(int largura, int altura);

// The font the pictures write with (loaded once from the file given to
// midia_usarFonte); null before.
bool midia_usarFonte(const char* caminho);
cairo_font_face_t* midia_fonte();
// Adds to the path a text at that size whose ink box is centred on (x, y);
// the caller fills or strokes it.
void midia_textoCentrado(cairo_t* cr, const char* texto, double tamanho, double x, double y);

// Sets the source from a 0xRRGGBB colour and an alpha.
void midia_cor(cairo_t* cr, uint32_t rgb, double alfa = 1.0);

// Tiles of the level: the 27 names, and the drawing of one into a 700 x 700
// surface. Also used by the level map tool.
extern const char* const MIDIA_TILES[];
extern const int MIDIA_TOTAL_TILES;
// Null when the tile was drawn; else what went wrong.
const char* midia_desenharTile(const char* nome, cairo_surface_t* destino);

// Each writes its files into the folder; false (after a message on standard
// error) on failure.
bool midia_gerarTiles(const std::string& pasta);
bool midia_gerarFiguras(const std::string& pasta);
bool midia_gerarPersonagem(const std::string& pasta);
bool midia_gerarMusicas(const std::string& pasta, const char* soundfont);

// The character's frame: 205 x 120 pixels, 31 columns and 3 rows.
const int MIDIA_QUADRO_LARGURA = 205;
const int MIDIA_QUADRO_ALTURA = 120;
const int MIDIA_COLUNAS = 31;
const int MIDIA_LINHAS = 3;

// Draws the standing character in frame coordinates (a 205 x 120 frame
// with its top left at the origin).
void midia_desenharPersonagemParado(cairo_t* cr);

#endif
