#include "entrada_x11.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

// A request on a window that is not mapped yet fails with an X error, whose
// default handler ends the process: the caller tries again instead.
static bool x11Falhou = false;
static int x11_anotarErro(Display*, XErrorEvent*)
{
    x11Falhou = true;
    return 0;
}

template <typename F>
static bool x11_comTela(F f)
{
    Display* tela = XOpenDisplay(nullptr);
    if (!tela) return false;
    x11Falhou = false;
    XErrorHandler anterior = XSetErrorHandler(x11_anotarErro);
    bool feito = f(tela);
    XSync(tela, False);
    XSetErrorHandler(anterior);
    XCloseDisplay(tela);
    return feito && !x11Falhou;
}

bool x11_teclar(unsigned long janela, const char* tecla)
{
    return x11_comTela([&](Display* tela) {
        int eventos, erros, maior, menor;
        if (!XTestQueryExtension(tela, &eventos, &erros, &maior, &menor)) return false;
        KeyCode codigo = XKeysymToKeycode(tela, XStringToKeysym(tecla));
        if (codigo == 0) return false;
        XSetInputFocus(tela, (Window)janela, RevertToParent, CurrentTime);
        XSync(tela, False);
        if (x11Falhou) return false;
        XTestFakeKeyEvent(tela, codigo, True, CurrentTime);
        XTestFakeKeyEvent(tela, codigo, False, CurrentTime);
        return true;
    });
}

bool x11_moverPonteiro(unsigned long janela, int x, int y)
{
    return x11_comTela([&](Display* tela) {
        XWarpPointer(tela, None, (Window)janela, 0, 0, 0, 0, x, y);
        return true;
    });
}

bool x11_pedirFechamento(unsigned long janela)
{
    return x11_comTela([&](Display* tela) {
        XEvent evento = {};
        evento.xclient.type = ClientMessage;
        evento.xclient.window = (Window)janela;
        evento.xclient.message_type = XInternAtom(tela, "WM_PROTOCOLS", False);
        evento.xclient.format = 32;
        evento.xclient.data.l[0] = (long)XInternAtom(tela, "WM_DELETE_WINDOW", False);
        evento.xclient.data.l[1] = CurrentTime;
        return XSendEvent(tela, (Window)janela, False, NoEventMask, &evento) != 0;
    });
}
