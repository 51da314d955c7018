#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <type_traits>

#include "arquivo/AES.h"

namespace {

std::string hex(const unsigned char* b, size_t n)
{
    static const char d[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; i++) {
        s += d[b[i] >> 4];
        s += d[b[i] & 15];
    }
    return s;
}

void deHex(const char* h, unsigned char* b)
{
    for (size_t i = 0; h[2 * i]; i++) b[i] = (unsigned char)std::stoi(std::string(h + 2 * i, 2), nullptr, 16);
}

// Each group of four bytes turned end for end.
void inverterGrupos(unsigned char* b)
{
    for (int i = 0; i < 16; i += 4) {
        std::swap(b[i], b[i + 3]);
        std::swap(b[i + 1], b[i + 2]);
    }
}

struct Vetor {
    const char* chave;
    const char* cifrado;
};

// FIPS-197 Appendix C: the plaintext 00112233...eeff under keys 00 01 02 ...
const Vetor vetores[] = {
    {"000102030405060708090a0b0c0d0e0f", "69c4e0d86a7b0430d8cdb78070b4c55a"},
    {"000102030405060708090a0b0c0d0e0f1011121314151617", "dda97ca4864cdfe06eaf70a0ec0d7191"},
    {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f", "8ea2b7ca516745bfeafc49904b496089"},
};
const char* PLANO = "00112233445566778899aabbccddeeff";

TEST(AES, VetoresDoPadraoNasDuasOrdensDePalavras)
{
    for (const Vetor& v : vetores) {
        SCOPED_TRACE(v.chave);
        unsigned char chave[32], plano[16], esperado[16], bloco[16];
        size_t tamanhoChave = strlen(v.chave) / 2;
        deHex(v.chave, chave);
        deHex(PLANO, plano);
        deHex(v.cifrado, esperado);
        AES aes;
        aes.makeKey(chave, (unsigned int)tamanhoChave, AES::DIR_BOTH);
        EXPECT_EQ(aes.keySize(), tamanhoChave);
        EXPECT_EQ(aes.keyBits(), tamanhoChave * 8);

        // The standard's byte order through byte2int and int2byte.
        unsigned int w[4];
        aes.byte2int(plano, w);
        aes.encrypt(w, w);
        aes.int2byte(w, bloco);
        EXPECT_EQ(hex(bloco, 16), v.cifrado);
        aes.decrypt(w, w);
        aes.int2byte(w, bloco);
        EXPECT_EQ(hex(bloco, 16), PLANO);

        // The encrypted layer's order: the words read least significant
        // byte first, so a stored block is the standard's with each group of
        // four bytes reversed.
        memcpy(bloco, plano, 16);
        inverterGrupos(bloco);
        for (int i = 0; i < 4; i++)
            w[i] = (unsigned int)bloco[4 * i] | (unsigned int)bloco[4 * i + 1] << 8 |
                   (unsigned int)bloco[4 * i + 2] << 16 | (unsigned int)bloco[4 * i + 3] << 24;
        unsigned int saida[4];
        aes.encrypt(w, saida);
        for (int i = 0; i < 4; i++)
            for (int k = 0; k < 4; k++) bloco[4 * i + k] = (unsigned char)(saida[i] >> (8 * k));
        inverterGrupos(bloco);
        EXPECT_EQ(hex(bloco, 16), v.cifrado);
    }
}

TEST(AES, DecifraNoMesmoLugarETamanhoEmBytesOuBits)
{
    unsigned char chave[16];
    deHex(vetores[0].chave, chave);
    AES emBytes, emBits;
    emBytes.makeKey(chave, 16, AES::DIR_BOTH);
    emBits.makeKey(chave, 128, AES::DIR_DECRYPT);
    unsigned int original[4] = {0x01234567u, 0x89ABCDEFu, 0xFEDCBA98u, 0x76543210u};
    unsigned int a[4], b[4];
    memcpy(a, original, sizeof a);
    emBytes.encrypt(a, a);
    memcpy(b, a, sizeof b);
    EXPECT_NE(memcmp(a, original, sizeof a), 0);
    emBytes.decrypt(a, a);
    emBits.decrypt(b, b);
    EXPECT_EQ(memcmp(a, original, sizeof a), 0);
    EXPECT_EQ(memcmp(b, original, sizeof b), 0);

    unsigned char chave24[24] = {};
    AES de192;
    de192.makeKey(chave24, 192, AES::DIR_ENCRYPT);
    EXPECT_EQ(de192.keyBits(), 192u);
    EXPECT_EQ(de192.keySize(), 24u);
}

TEST(AES, TamanhoDeChaveInvalidoLancaENaoMudaNada)
{
    unsigned char chave[32] = {};
    deHex(vetores[0].chave, chave);
    AES aes;
    aes.makeKey(chave, 16, AES::DIR_BOTH);
    unsigned int antes[4] = {1, 2, 3, 4};
    aes.encrypt(antes, antes);
    for (unsigned int tamanho : {0u, 20u, 64u, 129u}) {
        try {
            aes.makeKey(chave, tamanho, AES::DIR_BOTH);
            ADD_FAILURE() << "no exception for " << tamanho;
        } catch (const char* e) {
            EXPECT_STREQ(e, "Invalid AES key size");
        }
    }
    EXPECT_EQ(aes.keyBits(), 128u);
    unsigned int depois[4] = {1, 2, 3, 4};
    aes.encrypt(depois, depois);
    EXPECT_EQ(memcmp(antes, depois, sizeof antes), 0);
}

// Ciphers are deleted through the interface.
static_assert(std::has_virtual_destructor<BlockCipher>::value, "BlockCipher needs a virtual destructor");

TEST(AES, ApagadoPelaInterface)
{
    unsigned char chave[16] = {};
    BlockCipher* cifra = new AES();
    cifra->makeKey(chave, 16, AES::DIR_ENCRYPT);
    EXPECT_EQ(cifra->keyBits(), 128u);
    delete cifra;  // the sanitizer build reports a mismatched delete otherwise
}

TEST(AESMorte, DirecaoAcimaDeTresTerminaOPrograma)
{
    unsigned char chave[16] = {};
    AES aes;
    EXPECT_DEATH(aes.makeKey(chave, 16, 4), "dir >= DIR_NONE && dir <= DIR_BOTH");
}

}  // namespace
