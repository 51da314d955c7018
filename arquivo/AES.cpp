// AES (FIPS-197): key expansion, the cipher and the equivalent inverse
// cipher, with four 256-entry lookup tables per direction. The tables are
// computed at compile time from the field arithmetic of the standard, so no
// constant table is typed in by hand.
#include "arquivo/AES.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

struct AES_tabelas {
    uint8_t S[256];    // S-box
    uint8_t Si[256];   // inverse S-box
    uint32_t Te[4][256];
    uint32_t Td[4][256];
    uint32_t rcon[10];
};

constexpr uint8_t AES_xtime(uint8_t a)
{
    return (uint8_t)((a << 1) ^ ((a & 0x80) ? 0x1B : 0x00));
}

constexpr uint8_t AES_multiplicar(uint8_t a, uint8_t b)
{
    uint8_t r = 0;
    while (b) {
        if (b & 1) r ^= a;
        a = AES_xtime(a);
        b >>= 1;
    }
    return r;
}

constexpr uint8_t AES_rotl8(uint8_t x, int n)
{
    return (uint8_t)((x << n) | (x >> (8 - n)));
}

constexpr uint32_t AES_rotr32(uint32_t x, int n)
{
    return (x >> n) | (x << (32 - n));
}

constexpr AES_tabelas AES_gerarTabelas()
{
    AES_tabelas t{};
    // Powers and logarithms of the generator 3 give the multiplicative inverse.
    uint8_t exp[256] = {};
    uint8_t log[256] = {};
    uint8_t x = 1;
    for (int i = 0; i < 255; i++) {
        exp[i] = x;
        log[x] = (uint8_t)i;
        x = (uint8_t)(x ^ AES_xtime(x));
    }
    for (int i = 0; i < 256; i++) {
        uint8_t inv = i == 0 ? 0 : exp[(255 - log[i]) % 255];
        uint8_t s = (uint8_t)(inv ^ AES_rotl8(inv, 1) ^ AES_rotl8(inv, 2) ^ AES_rotl8(inv, 3) ^
                              AES_rotl8(inv, 4) ^ 0x63);
        t.S[i] = s;
        t.Si[s] = (uint8_t)i;
    }
    for (int i = 0; i < 256; i++) {
        uint8_t s = t.S[i];
        uint32_t e = (uint32_t)AES_multiplicar(s, 2) << 24 | (uint32_t)s << 16 | (uint32_t)s << 8 |
                     AES_multiplicar(s, 3);
        uint8_t si = t.Si[i];
        uint32_t d = (uint32_t)AES_multiplicar(si, 0x0E) << 24 | (uint32_t)AES_multiplicar(si, 0x09) << 16 |
                     (uint32_t)AES_multiplicar(si, 0x0D) << 8 | AES_multiplicar(si, 0x0B);
        for (int k = 0; k < 4; k++) {
            t.Te[k][i] = k == 0 ? e : AES_rotr32(e, 8 * k);
            t.Td[k][i] = k == 0 ? d : AES_rotr32(d, 8 * k);
        }
    }
    uint8_t r = 1;
    for (int i = 0; i < 10; i++) {
        t.rcon[i] = (uint32_t)r << 24;
        r = AES_xtime(r);
    }
    return t;
}

constexpr AES_tabelas aesTabelas = AES_gerarTabelas();

inline uint32_t AES_subWord(uint32_t w)
{
    const uint8_t* S = aesTabelas.S;
    return (uint32_t)S[w >> 24] << 24 | (uint32_t)S[(w >> 16) & 0xFF] << 16 | (uint32_t)S[(w >> 8) & 0xFF] << 8 |
           S[w & 0xFF];
}

}  // namespace

AES::AES() : Nr(0), encSched(), decSched()
{
}

AES::~AES()
{
    // Through volatile, so that the wiping is not dropped as a dead store.
    volatile unsigned int* e = encSched;
    volatile unsigned int* d = decSched;
    for (int i = 0; i < 60; i++) {
        e[i] = 0;
        d[i] = 0;
    }
    *(volatile unsigned int*)&Nr = 0;
}

void AES::byte2int(const unsigned char* in, unsigned int* out)
{
    for (int i = 0; i < 4; i++)
        out[i] = (unsigned int)in[4 * i] << 24 | (unsigned int)in[4 * i + 1] << 16 |
                 (unsigned int)in[4 * i + 2] << 8 | in[4 * i + 3];
}

void AES::int2byte(const unsigned int* in, unsigned char* out)
{
    for (int i = 0; i < 4; i++) {
        out[4 * i] = (unsigned char)(in[i] >> 24);
        out[4 * i + 1] = (unsigned char)(in[i] >> 16);
        out[4 * i + 2] = (unsigned char)(in[i] >> 8);
        out[4 * i + 3] = (unsigned char)in[i];
    }
}

void AES::makeKey(const unsigned char* key, unsigned int keySize, unsigned int dir)
{
    unsigned int bits;
    switch (keySize) {
    case 16: case 24: case 32: bits = keySize * 8; break;
    case 128: case 192: case 256: bits = keySize; break;
    default: throw "Invalid AES key size";
    }
    if (dir > DIR_BOTH) {
        // A programming error, checked in every build.
        fprintf(stderr, "Assertion failed: dir >= DIR_NONE && dir <= DIR_BOTH\n");
        abort();
    }
    if (dir == DIR_NONE) return;
    ExpandKey(key, bits);
    if (dir & DIR_DECRYPT) InvertKey();
}

void AES::ExpandKey(const unsigned char* key, unsigned int keyBits)
{
    const unsigned int Nk = keyBits / 32;
    Nr = Nk + 6;
    for (unsigned int i = 0; i < Nk; i++)
        encSched[i] = (unsigned int)key[4 * i] << 24 | (unsigned int)key[4 * i + 1] << 16 |
                      (unsigned int)key[4 * i + 2] << 8 | key[4 * i + 3];
    for (unsigned int i = Nk; i < 4 * (Nr + 1); i++) {
        uint32_t temp = encSched[i - 1];
        if (i % Nk == 0)
            temp = AES_subWord((temp << 8) | (temp >> 24)) ^ aesTabelas.rcon[i / Nk - 1];
        else if (Nk > 6 && i % Nk == 4)
            temp = AES_subWord(temp);
        encSched[i] = encSched[i - Nk] ^ temp;
    }
}

void AES::InvertKey()
{
    const uint8_t* S = aesTabelas.S;
    for (unsigned int r = 0; r <= Nr; r++) {
        for (unsigned int c = 0; c < 4; c++) {
            uint32_t w = encSched[4 * (Nr - r) + c];
            if (r != 0 && r != Nr) {
                // Inverse column mixing: the tables hold it behind the inverse
                // S-box, which the forward S-box cancels.
                w = aesTabelas.Td[0][S[w >> 24]] ^ aesTabelas.Td[1][S[(w >> 16) & 0xFF]] ^
                    aesTabelas.Td[2][S[(w >> 8) & 0xFF]] ^ aesTabelas.Td[3][S[w & 0xFF]];
            }
            decSched[4 * r + c] = w;
        }
    }
}

void AES::encrypt(const unsigned int* in, unsigned int* out)
{
    const uint32_t(*Te)[256] = aesTabelas.Te;
    const uint8_t* S = aesTabelas.S;
    const unsigned int* rk = encSched;
    uint32_t s0 = in[0] ^ rk[0], s1 = in[1] ^ rk[1], s2 = in[2] ^ rk[2], s3 = in[3] ^ rk[3];
    for (unsigned int r = 1; r < Nr; r++) {
        rk += 4;
        uint32_t t0 = Te[0][s0 >> 24] ^ Te[1][(s1 >> 16) & 0xFF] ^ Te[2][(s2 >> 8) & 0xFF] ^ Te[3][s3 & 0xFF] ^ rk[0];
        uint32_t t1 = Te[0][s1 >> 24] ^ Te[1][(s2 >> 16) & 0xFF] ^ Te[2][(s3 >> 8) & 0xFF] ^ Te[3][s0 & 0xFF] ^ rk[1];
        uint32_t t2 = Te[0][s2 >> 24] ^ Te[1][(s3 >> 16) & 0xFF] ^ Te[2][(s0 >> 8) & 0xFF] ^ Te[3][s1 & 0xFF] ^ rk[2];
        uint32_t t3 = Te[0][s3 >> 24] ^ Te[1][(s0 >> 16) & 0xFF] ^ Te[2][(s1 >> 8) & 0xFF] ^ Te[3][s2 & 0xFF] ^ rk[3];
        s0 = t0; s1 = t1; s2 = t2; s3 = t3;
    }
    rk += 4;
    out[0] = ((uint32_t)S[s0 >> 24] << 24 | (uint32_t)S[(s1 >> 16) & 0xFF] << 16 |
              (uint32_t)S[(s2 >> 8) & 0xFF] << 8 | S[s3 & 0xFF]) ^ rk[0];
    out[1] = ((uint32_t)S[s1 >> 24] << 24 | (uint32_t)S[(s2 >> 16) & 0xFF] << 16 |
              (uint32_t)S[(s3 >> 8) & 0xFF] << 8 | S[s0 & 0xFF]) ^ rk[1];
    out[2] = ((uint32_t)S[s2 >> 24] << 24 | (uint32_t)S[(s3 >> 16) & 0xFF] << 16 |
              (uint32_t)S[(s0 >> 8) & 0xFF] << 8 | S[s1 & 0xFF]) ^ rk[2];
    out[3] = ((uint32_t)S[s3 >> 24] << 24 | (uint32_t)S[(s0 >> 16) & 0xFF] << 16 |
              (uint32_t)S[(s1 >> 8) & 0xFF] << 8 | S[s2 & 0xFF]) ^ rk[3];
}

void AES::decrypt(const unsigned int* in, unsigned int* out)
{
    const uint32_t(*Td)[256] = aesTabelas.Td;
    const uint8_t* Si = aesTabelas.Si;
    const unsigned int* rk = decSched;
    uint32_t s0 = in[0] ^ rk[0], s1 = in[1] ^ rk[1], s2 = in[2] ^ rk[2], s3 = in[3] ^ rk[3];
    for (unsigned int r = 1; r < Nr; r++) {
        rk += 4;
        uint32_t t0 = Td[0][s0 >> 24] ^ Td[1][(s3 >> 16) & 0xFF] ^ Td[2][(s2 >> 8) & 0xFF] ^ Td[3][s1 & 0xFF] ^ rk[0];
        uint32_t t1 = Td[0][s1 >> 24] ^ Td[1][(s0 >> 16) & 0xFF] ^ Td[2][(s3 >> 8) & 0xFF] ^ Td[3][s2 & 0xFF] ^ rk[1];
        uint32_t t2 = Td[0][s2 >> 24] ^ Td[1][(s1 >> 16) & 0xFF] ^ Td[2][(s0 >> 8) & 0xFF] ^ Td[3][s3 & 0xFF] ^ rk[2];
        uint32_t t3 = Td[0][s3 >> 24] ^ Td[1][(s2 >> 16) & 0xFF] ^ Td[2][(s1 >> 8) & 0xFF] ^ Td[3][s0 & 0xFF] ^ rk[3];
        s0 = t0; s1 = t1; s2 = t2; s3 = t3;
    }
    rk += 4;
    out[0] = ((uint32_t)Si[s0 >> 24] << 24 | (uint32_t)Si[(s3 >> 16) & 0xFF] << 16 |
              (uint32_t)Si[(s2 >> 8) & 0xFF] << 8 | Si[s1 & 0xFF]) ^ rk[0];
    out[1] = ((uint32_t)Si[s1 >> 24] << 24 | (uint32_t)Si[(s0 >> 16) & 0xFF] << 16 |
              (uint32_t)Si[(s3 >> 8) & 0xFF] << 8 | Si[s2 & 0xFF]) ^ rk[1];
    out[2] = ((uint32_t)Si[s2 >> 24] << 24 | (uint32_t)Si[(s1 >> 16) & 0xFF] << 16 |
              (uint32_t)Si[(s0 >> 8) & 0xFF] << 8 | Si[s3 & 0xFF]) ^ rk[2];
    out[3] = ((uint32_t)Si[s3 >> 24] << 24 | (uint32_t)Si[(s2 >> 16) & 0xFF] << 16 |
              (uint32_t)Si[(s1 >> 8) & 0xFF] << 8 | Si[s0 & 0xFF]) ^ rk[3];
}
