#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/dados_texto.h"

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

}  // namespace
