// The AES block cipher (FIPS-197) for 128-, 192- and 256-bit keys, over an
// abstract block-cipher interface.
//
// A block is four 32-bit words, each one column of the cipher state with the
// column's first byte in the word's most significant eight bits. encrypt and
// decrypt do no byte conversion of their own: byte2int and int2byte convert
// between 16 bytes in the standard's order and that word form. in and out may
// be the same array.
#ifndef MORVALEN_AES_H
#define MORVALEN_AES_H

class BlockCipher {
public:
    virtual unsigned int blockBits() const = 0;
    virtual unsigned int blockSize() const = 0;
    virtual unsigned int keyBits() const = 0;
    virtual unsigned int keySize() const = 0;
    virtual void byte2int(const unsigned char* in, unsigned int* out) = 0;
    virtual void int2byte(const unsigned int* in, unsigned char* out) = 0;
    virtual void makeKey(const unsigned char* key, unsigned int keySize, unsigned int dir) = 0;
    virtual void encrypt(const unsigned int* in, unsigned int* out) = 0;
    virtual void decrypt(const unsigned int* in, unsigned int* out) = 0;
    virtual ~BlockCipher() {}
};

class AES final : public BlockCipher {
public:
    // Directions of makeKey, a bit set.
    enum { DIR_NONE = 0, DIR_ENCRYPT = 1, DIR_DECRYPT = 2, DIR_BOTH = 3 };

    AES();
    unsigned int blockBits() const override { return 128; }
    unsigned int blockSize() const override { return 16; }
    unsigned int keyBits() const override { return 32 * (Nr - 6); }
    unsigned int keySize() const override { return 4 * Nr - 24; }
    void byte2int(const unsigned char* in, unsigned int* out) override;
    void int2byte(const unsigned int* in, unsigned char* out) override;
    // keySize in bytes (16, 24, 32) or bits (128, 192, 256); any other size
    // throws the const char* "Invalid AES key size" and changes nothing.
    // DIR_ENCRYPT prepares encrypt only, DIR_DECRYPT and DIR_BOTH both.
    void makeKey(const unsigned char* key, unsigned int keySize, unsigned int dir) override;
    void encrypt(const unsigned int* in, unsigned int* out) override;
    void decrypt(const unsigned int* in, unsigned int* out) override;
    // Wipes the key schedules.
    ~AES() override;

private:
    void ExpandKey(const unsigned char* key, unsigned int keyBits);
    void InvertKey();

    unsigned int Nr;            // rounds: 10, 12 or 14; 0 before makeKey
    unsigned int encSched[60];  // 4 * (Nr + 1) words used
    unsigned int decSched[60];  // round keys of the equivalent inverse cipher
};

#endif
