// What the real-window test asks of the X display (kept apart: Xlib's macros
// clash with the test framework's and the media library's names).
#ifndef MORVALEN_TESTES_ENTRADA_X11_H
#define MORVALEN_TESTES_ENTRADA_X11_H

// Gives the window the keyboard focus and presses and releases the key of
// that key symbol name ("space") through XTest, as a person would. False
// when the display refused (the window may not be mapped yet).
bool x11_teclar(unsigned long janela, const char* tecla);
// Puts the pointer at (x, y) inside the window.
bool x11_moverPonteiro(unsigned long janela, int x, int y);
// Asks the window to close the way a window manager does.
bool x11_pedirFechamento(unsigned long janela);

#endif
