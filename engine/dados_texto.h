// Text helpers of the data module. Every helper that returns a text returns a
// new allocation (malloc) that the caller owns and releases with free().
// Where a helper counts characters, a character is UTF-8: every byte outside
// 0x80..0xBF starts one; positions are 0-based character positions.
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

// numero in decimal, filled on the left with '0' to at least largura
// characters (a minus sign comes first and counts); largura 0 is the plain form.
char* dados_texto_numeroParaTexto(int32_t numero, int32_t largura);

// A text of that one byte.
char* dados_texto_caractereParaTexto(char caractere);

// The number of UTF-8 characters of texto (0 for null).
int32_t dados_texto_tamanho(const char* texto);

// Characters inicio up to but not including fim; from inicio to the end when
// fim is negative, past the end or below inicio. Null for a null or empty
// text and when there is no character inicio.
char* dados_texto_parte(const char* texto, int32_t inicio, int32_t fim);

// Character position of busca in texto, searching from character position
// posicao forward (sentido 'F') or backward ('T'); -1 when absent. A negative
// posicao counts back from the end in bytes, and 0 backward means the end.
// An empty busca gives 0 forward and the byte length of texto backward.
int32_t dados_texto_posicao(const char* texto, const char* busca, int32_t posicao, char sentido);

#endif
