#include "engine/dados_texto.h"

#include <cstdlib>
#include <cstring>

static char* DADOS_copiarTexto(const char* texto)
{
    size_t n = strlen(texto);
    char* copia = (char*)malloc(n + 1);
    if (copia) memcpy(copia, texto, n + 1);
    return copia;
}

// The join itself; the backspace leaves a's last byte out of the result.
static char* DADOS_juntar(const char* a, const char* b, bool* apagouUltimo)
{
    *apagouUltimo = false;
    if (!a && !b) return nullptr;
    if (!a) return DADOS_copiarTexto(b);
    if (!b) return DADOS_copiarTexto(a);
    size_t na = strlen(a);
    if (b[0] == 8) {
        b++;
        if (na > 0) {
            na--;
            *apagouUltimo = true;
        }
    }
    size_t nb = strlen(b);
    char* resultado = (char*)malloc(na + nb + 1);
    if (!resultado) return nullptr;
    memcpy(resultado, a, na);
    memcpy(resultado + na, b, nb + 1);
    return resultado;
}

char* dados_texto_concatenar(const char* a, const char* b)
{
    bool apagou;
    return DADOS_juntar(a, b, &apagou);
}

char* dados_texto_concatenar(char* a, const char* b)
{
    bool apagou;
    char* resultado = DADOS_juntar(a, b, &apagou);
    if (apagou && resultado) a[strlen(a) - 1] = '\0';
    return resultado;
}

char* dados_texto_paraMinusculo(const char* texto)
{
    if (!texto) return nullptr;
    char* copia = DADOS_copiarTexto(texto);
    if (!copia) return nullptr;
    for (char* c = copia; *c; c++)
        if (*c >= 'A' && *c <= 'Z') *c = (char)(*c - 'A' + 'a');
    return copia;
}
