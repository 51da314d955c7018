// What the X display says of a window (kept apart: Xlib's macros clash with
// the test framework's and the media library's names).
#ifndef MORVALEN_TESTES_VIDEO_X11_H
#define MORVALEN_TESTES_VIDEO_X11_H

#include <string>

struct VistaX11 {
    std::string titulo;
    int largura, altura;
    bool sobreposta;  // override-redirect: full screen without a window manager
};

VistaX11 x11_verJanela(unsigned long janela);

#endif
