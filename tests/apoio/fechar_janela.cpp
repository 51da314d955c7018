// Asks a window to close the way a window manager does: a WM_DELETE_WINDOW
// message of the WM_PROTOCOLS kind. Usage: fechar_janela WINDOW-ID
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "Uso: fechar_janela ID-DA-JANELA\n");
        return 2;
    }
    Window janela = (Window)strtoul(argv[1], nullptr, 0);
    Display* tela = XOpenDisplay(nullptr);
    if (!tela) {
        fprintf(stderr, "sem tela\n");
        return 1;
    }
    XEvent evento = {};
    evento.xclient.type = ClientMessage;
    evento.xclient.window = janela;
    evento.xclient.message_type = XInternAtom(tela, "WM_PROTOCOLS", False);
    evento.xclient.format = 32;
    evento.xclient.data.l[0] = (long)XInternAtom(tela, "WM_DELETE_WINDOW", False);
    evento.xclient.data.l[1] = CurrentTime;
    Status enviado = XSendEvent(tela, janela, False, NoEventMask, &evento);
    XSync(tela, False);
    XCloseDisplay(tela);
    return enviado ? 0 : 1;
}
