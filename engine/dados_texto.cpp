#include "engine/dados_texto.h"

#include <cstdint>
#include <cstdio>
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

char* dados_texto_numeroParaTexto(int32_t numero, int32_t largura)
{
    if (largura < 0) largura = 0;
    int tamanho = snprintf(nullptr, 0, "%0*d", (int)largura, (int)numero);
    if (tamanho < 0) return nullptr;
    char* texto = (char*)malloc((size_t)tamanho + 1);
    if (texto) snprintf(texto, (size_t)tamanho + 1, "%0*d", (int)largura, (int)numero);
    return texto;
}

char* dados_texto_caractereParaTexto(char caractere)
{
    char* texto = (char*)malloc(2);
    if (!texto) return nullptr;
    texto[0] = caractere;
    texto[1] = '\0';
    return texto;
}

static bool DADOS_continuacao(char byte)
{
    return ((unsigned char)byte & 0xC0u) == 0x80u;
}

int32_t dados_texto_tamanho(const char* texto)
{
    if (!texto) return 0;
    // The length first, so that the eight-byte reads below stay inside the text.
    size_t n = strlen(texto);
    size_t continuacoes = 0, i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t w;
        memcpy(&w, texto + i, 8);
        // 1 in the low bit of every byte whose top two bits are 10.
        uint64_t marcas = ((w & 0x8080808080808080ull) >> 7) & (~w >> 6) & 0x0101010101010101ull;
        continuacoes += (size_t)((marcas * 0x0101010101010101ull) >> 56);
    }
    for (; i < n; i++)
        if (DADOS_continuacao(texto[i])) continuacoes++;
    return (int32_t)(n - continuacoes);
}

char* dados_texto_parte(const char* texto, int32_t inicio, int32_t fim)
{
    if (!texto || !texto[0] || inicio < 0) return nullptr;
    size_t byteInicio = SIZE_MAX, byteFim = SIZE_MAX, i = 0;
    int64_t caractere = 0;
    for (; texto[i]; i++) {
        if (DADOS_continuacao(texto[i])) continue;
        if (caractere == inicio) byteInicio = i;
        if (caractere == fim) byteFim = i;
        caractere++;
    }
    if (byteInicio == SIZE_MAX) return nullptr;
    size_t final = (byteFim != SIZE_MAX && byteFim >= byteInicio) ? byteFim : i;
    size_t n = final - byteInicio;
    char* parte = (char*)malloc(n + 1);
    if (!parte) return nullptr;
    memcpy(parte, texto + byteInicio, n);
    parte[n] = '\0';
    return parte;
}

int32_t dados_texto_posicao(const char* texto, const char* busca, int32_t posicao, char sentido)
{
    if (!texto || !busca || (sentido != 'F' && sentido != 'T')) return -1;
    int64_t L = (int64_t)strlen(texto), n = (int64_t)strlen(busca);
    if (n == 0) return sentido == 'F' ? 0 : (int32_t)L;
    if (L == 0) return -1;  // nothing to find in, whatever the position
    int64_t p = posicao;
    if (p >= 0) {
        // The character position becomes the byte position of its first byte.
        for (int64_t i = 0; i <= p && i < L; i++)
            if (DADOS_continuacao(texto[i])) p++;
    }
    if (p < 0) p = ((p % L) + L) % L;  // back from the end, in bytes
    if (p == 0 && sentido == 'T') p = L;
    if (p > L && sentido == 'T') p = L;
    int64_t achado = -1;
    if (sentido == 'F') {
        for (; p + n <= L; p++)
            if (memcmp(texto + p, busca, (size_t)n) == 0) {
                achado = p;
                break;
            }
    } else {
        // A match never extends past the end of the text.
        if (p > L - n) p = L - n;
        for (; p >= 0; p--)
            if (memcmp(texto + p, busca, (size_t)n) == 0) {
                achado = p;
                break;
            }
    }
    if (achado < 0) return -1;
    int32_t caracteres = 0;
    for (int64_t i = 0; i < achado; i++)
        if (!DADOS_continuacao(texto[i])) caracteres++;
    return caracteres;
}
