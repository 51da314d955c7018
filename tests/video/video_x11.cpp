#include "video_x11.h"

#include <X11/Xlib.h>

VistaX11 x11_verJanela(unsigned long janela)
{
    VistaX11 v{"", 0, 0, false};
    Display* tela = XOpenDisplay(nullptr);
    if (!tela) return v;
    char* nome = nullptr;
    if (XFetchName(tela, (Window)janela, &nome) && nome) {
        v.titulo = nome;
        XFree(nome);
    }
    XWindowAttributes atributos;
    if (XGetWindowAttributes(tela, (Window)janela, &atributos)) {
        v.largura = atributos.width;
        v.altura = atributos.height;
        v.sobreposta = atributos.override_redirect;
    }
    XCloseDisplay(tela);
    return v;
}
