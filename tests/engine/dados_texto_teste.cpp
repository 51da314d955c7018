#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/dados_texto.h"
#include "engine/engine_aleatorio.h"

namespace {

// Takes ownership of a helper's result and returns it as a string ("<null>" for null).
std::string tomar(char* texto)
{
    if (!texto) return "<null>";
    std::string s(texto);
    free(texto);
    return s;
}

TEST(DadosTexto, Concatenar)
{
    struct Caso {
        const char* a;
        const char* b;
        const char* resultado;
        const char* aDepois;
    } casos[] = {
        {"abc", "def", "abcdef", "abc"},
        {"", "", "", ""},
        {nullptr, "xy", "xy", nullptr},
        {"xy", nullptr, "xy", "xy"},
        {nullptr, nullptr, "<null>", nullptr},
        {"abc", "\bX", "abX", "ab"},
        {"abc", "\b", "ab", "ab"},
        {"", "\bX", "X", ""},
        {nullptr, "\bX", "\bX", nullptr},
        {"a\bc", "d\b", "a\bcd\b", "a\bc"},  // only b's first byte counts
        {"\xC3\xA9", "\b", "\xC3", "\xC3"},   // one byte, not one character
    };
    for (const Caso& c : casos) {
        char* a = c.a ? strdup(c.a) : nullptr;
        EXPECT_EQ(tomar(dados_texto_concatenar(a, c.b)), c.resultado) << (c.a ? c.a : "null") << "+" << (c.b ? c.b : "null");
        if (a) {
            EXPECT_STREQ(a, c.aDepois);
        }
        free(a);
    }
}

TEST(DadosTexto, ConcatenarTextoConstanteNaoAlteraOPrimeiro)
{
    static const char prefixo[] = "abc";
    EXPECT_EQ(tomar(dados_texto_concatenar(prefixo, "\bX")), "abX");
    EXPECT_STREQ(prefixo, "abc");
}

TEST(DadosTexto, ParaMinusculo)
{
    EXPECT_EQ(tomar(dados_texto_paraMinusculo("\xC3\x81GUA")), "\xC3\x81gua");
    EXPECT_EQ(tomar(dados_texto_paraMinusculo("AbC-XyZ 09 @[`{")), "abc-xyz 09 @[`{");
    EXPECT_EQ(tomar(dados_texto_paraMinusculo("")), "");
    EXPECT_EQ(tomar(dados_texto_paraMinusculo(nullptr)), "<null>");
}

TEST(DadosTexto, NumeroParaTexto)
{
    struct Caso {
        int32_t numero, largura;
        const char* texto;
    } casos[] = {
        {-5, 0, "-5"},          {7, 3, "007"},           {-12, 5, "-0012"},
        {123, 2, "123"},        {0, 0, "0"},             {-1, 1, "-1"},
        {INT32_MIN, 0, "-2147483648"}, {INT32_MAX, 12, "002147483647"}, {-7, -3, "-7"},
    };
    for (const Caso& c : casos) EXPECT_EQ(tomar(dados_texto_numeroParaTexto(c.numero, c.largura)), c.texto) << c.numero;
}

TEST(DadosTexto, CaractereParaTexto)
{
    char* texto = dados_texto_caractereParaTexto('\xC3');
    ASSERT_NE(texto, nullptr);
    EXPECT_EQ(texto[0], '\xC3');
    EXPECT_EQ(texto[1], '\0');
    free(texto);
}

TEST(DadosTexto, TamanhoContaCaracteresUtf8)
{
    EXPECT_EQ(dados_texto_tamanho("a\xC3\xA7\xC3\xA3o"), 4);  // "ação"
    EXPECT_EQ(dados_texto_tamanho(""), 0);
    EXPECT_EQ(dados_texto_tamanho(nullptr), 0);

    // Every start alignment and length 0..20, each text ending exactly at the
    // end of its allocation so that a read past the terminator is caught.
    const unsigned char bytes[] = {'a', 0x7F, 0x80, 0xBF, 0xC0, 0xC3, 0xA3, 0xFF, 0x01, 0xE2};
    _engine_gerador gerador;
    engine_gerador_semear(&gerador, 7);
    for (size_t alinhamento = 0; alinhamento < 8; alinhamento++) {
        for (size_t n = 0; n <= 20; n++) {
            char* bloco = (char*)malloc(alinhamento + n + 1);
            char* texto = bloco + alinhamento;
            int32_t esperado = 0;
            for (size_t i = 0; i < n; i++) {
                texto[i] = (char)bytes[engine_gerador_sortear(&gerador) % sizeof bytes];
                if (((unsigned char)texto[i] & 0xC0) != 0x80) esperado++;
            }
            texto[n] = '\0';
            EXPECT_EQ(dados_texto_tamanho(texto), esperado) << "alinhamento " << alinhamento << ", " << n << " bytes";
            free(bloco);
        }
    }
}

TEST(DadosTexto, Parte)
{
    struct Caso {
        const char* texto;
        int32_t inicio, fim;
        const char* parte;
    } casos[] = {
        {"abcdef", 1, 3, "bc"},       {"abcdef", 2, 2, ""},          {"abcdef", 4, 1, "ef"},
        {"abcdef", 4, 99, "ef"},      {"abcdef", 0, -1, "abcdef"},   {"abcdef", 5, 6, "f"},
        {"abcdef", 6, 7, "<null>"},   {"abcdef", -1, 2, "<null>"},
        {"a\xC3\xA7\xC3\xA3o", 1, 3, "\xC3\xA7\xC3\xA3"},            // "ação": "çã"
        {"a\xC3\xA7\xC3\xA3o", 3, 4, "o"},
        {"", 0, 1, "<null>"},         {nullptr, 0, 1, "<null>"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(tomar(dados_texto_parte(c.texto, c.inicio, c.fim)), c.parte)
            << (c.texto ? c.texto : "null") << " " << c.inicio << ".." << c.fim;
}

TEST(DadosTexto, Posicao)
{
    struct Caso {
        const char* texto;
        const char* busca;
        int32_t posicao;
        char sentido;
        int32_t resultado;
    } casos[] = {
        {"abcabc", "bc", 0, 'F', 1},
        {"abcabc", "bc", 2, 'F', 4},
        {"abcabc", "zz", 0, 'F', -1},
        {"abcabc", "", 3, 'F', 0},
        {"abcabc", "", 3, 'T', 6},
        {"abcabc", "bc", 0, 'T', 4},   // 0 backward is the end
        {"abcabc", "bc", 3, 'T', 1},
        {"abcabc", "bc", -2, 'F', 4},  // negative: bytes back from the end
        {"abcabc", "bc", -6, 'T', 4},  // lands on 0, which backward is the end
        {"abc", "c", 9, 'F', -1},
        {"abc", "c", 9, 'T', 2},
        {"abc", "abcd", 0, 'T', -1},
        {"abc", "c", INT32_MIN, 'F', 2},
        {"\xC3\xA3" "b", "b", 1, 'F', 1},              // "ãb": character 1 is byte 2
        {"\xC3\xA3" "b\xC3\xA3" "b", "b", 0, 'T', 3},  // "ãbãb": the last b
        {"\xC3\xA3" "b\xC3\xA3" "b", "\xC3\xA3", 2, 'F', 2},
        {"", "a", -1, 'F', -1},        // an empty text has nothing to count back from
        {"", "a", -1, 'T', -1},
        {"", "a", 0, 'F', -1},
        {"abc", "b", 0, 'X', -1},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(dados_texto_posicao(c.texto, c.busca, c.posicao, c.sentido), c.resultado)
            << c.texto << " / " << c.busca << " @" << c.posicao << " " << c.sentido;
}

}  // namespace
