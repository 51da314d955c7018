// Text helpers of the data module. Every helper that returns a text returns a
// new allocation (malloc) that the caller owns and releases with free().
#ifndef MORVALEN_DADOS_TEXTO_H
#define MORVALEN_DADOS_TEXTO_H

#include <cstdint>

// Joins a and b into a new text; null only when both are null. When both are
// given and b begins with a backspace (8), the last byte of a is dropped from
// the result and the backspace is not copied; the writable overload also
// shortens the caller's a in place, so a text kept by a receiver follows the
// typed backspace.
char* dados_texto_concatenar(char* a, const char* b);
char* dados_texto_concatenar(const char* a, const char* b);

// New copy with the ASCII letters lowered; bytes from 0x80 up pass unchanged.
char* dados_texto_paraMinusculo(const char* texto);

#endif
