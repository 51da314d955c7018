// Video module (engine module 3): the window, layers of prints (animations
// cut from archive images, texts in archive fonts), images and fonts.
//
// Prints are instances of model 1; their properties are reached through the
// engine (engine_propriedade_pegarValor / engine_propriedade_mudarValor).
// Functions called before a successful video_iniciar refuse: int results -1,
// handles 0, error texts "Modulo de video nao iniciado".
#ifndef MORVALEN_VIDEO_H
#define MORVALEN_VIDEO_H

#include <cstdint>

namespace sf {
class RenderWindow;
}

// Registers the module and its properties and keeps the window's address; it
// touches neither the window nor the display (the window may not be
// constructed yet). Null, or the registration's error text.
const char* video_iniciar(char log, char telaCheia, char vsync, sf::RenderWindow* janela);
// (Re)creates the window: desktop size unless a size was set, title
// "Morvalen", full screen when asked, the internal picture stretched over it.
int video_criarJanela();
int video_mudarTelaCheia(char telaCheia);
// Sizes of 0 or less are refused (-1) and change nothing.
int video_mudarLargura(int32_t largura);
int video_mudarAltura(int32_t altura);
// One frame of d milliseconds: timelines, then the cleared picture is shown.
int video_atualizar(int32_t d);
int video_finalizar();

// Window size in pixels; 0 until the window is first created (the desktop
// size is read then) unless a size was set.
int32_t video_pegarLargura();
int32_t video_pegarAltura();
int32_t video_pegarLarguraInterna();
int32_t video_pegarAlturaInterna();
// Sizes of 0 or less are refused (-1); the new size reaches the window's
// view at the next window creation.
int video_mudarLarguraInterna(int32_t largura);
int video_mudarAlturaInterna(int32_t altura);
char video_pegarTelaCheia();

// Prints. A copy is filed in no layer; its owner draws it.
uint32_t video_copiarImpressao(uint32_t impressao);
const char* video_destruirImpressao(uint32_t impressao);

// Images: the name is copied; a name already open shares its image and the
// grid of its first open. The n-th close of an image opened n times removes
// it. A first open with 0 columns or rows, a missing entry or an undecodable
// picture gives 0.
uint32_t video_abrirImagem(const char* nome, uint32_t colunas, uint32_t linhas);
const char* video_destruirTextura(uint32_t textura);
// An animation print showing frame (0, 0) at its natural size; 0 on failure.
uint32_t video_criarAnimacao(uint32_t textura);

// Fonts: the name is copied; a name already open shares its font. Closing
// the last open leaves the fonts' texts without a font (they draw nothing).
uint32_t video_abrirFonte(const char* nome);
const char* video_fecharFonte(uint32_t fonte);
// A text print of that UTF-8 text (copied; the caller keeps its own) at a
// character size in pixels (2048 at most), measured; 0 on failure.
uint32_t video_criarEscritura(uint32_t fonte, const char* texto, uint32_t tamanho);

// Where a sound sits for the listener and how loud it is: x within -640 to
// 640 and y within -360 to 360 (the internal picture's size), z the depth
// scaled with them, volume 0 to 1000.
struct _video_audio {
    int32_t x, y, z;
    int32_t volume;
};
// Flag 'S': x and y are a body's position in world units, placed against
// the frame's screen regions; any other flag: x and y are the position
// relative to the listener. Depth in thousandths of the internal width;
// audible distance: where the volume reaches 0 (0 or less: full volume
// everywhere). A new record (malloc) that the caller frees; null only
// when memory runs out.
_video_audio* video_calcularAudio(int32_t x, int32_t y, int32_t profundidade, int32_t distancia, char flag);

#endif
