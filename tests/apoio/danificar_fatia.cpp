// Damages one compressed slot of a resource archive in place: the slot that
// holds a given byte of a named entry (by default its middle byte). One bit
// of the slot's block header is flipped, so that the slot no longer decodes
// while every other slot and the archive's last block stay intact. Prints
// the slot's index. A negative offset counts from the entry's end.
// Usage: danificar_fatia ARQUIVO.dad NOME [DESLOCAMENTO]
#include <cstdio>
#include <cstdlib>

#include "arquivo/arquivo.h"
#include "arquivo/arquivo_interno.h"
#include "engine/engine.h"
#include "plataforma/plataforma_arquivo.h"

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        fprintf(stderr, "Uso: danificar_fatia ARQUIVO.dad NOME [DESLOCAMENTO]\n");
        return 2;
    }
    engine_iniciar(true);
    arquivo_iniciar('N');
    uint32_t tabela = arquivo_lerArquivos(
        arquivo_lerXZ(arquivo_lerAES(plataforma_lerArquivo(argv[1]), (const unsigned char*)PLATAFORMA_CHAVE)));
    _arquivo* entrada = tabela ? arquivo_lerArquivo(tabela, argv[2]) : nullptr;
    if (!entrada) {
        fprintf(stderr, "sem a entrada %s em %s\n", argv[2], argv[1]);
        ARQUIVO_liberarArquivos(tabela);
        return 1;
    }
    const _arquivo_item* item = (const _arquivo_item*)entrada->contexto;
    const _arquivo_xz* xz = (const _arquivo_xz*)item->base->contexto;
    uint32_t tamanho = item->fim - item->inicio;
    // A negative offset counts back from the entry's end (-1 is its last byte).
    long long pedido = argc == 4 ? strtoll(argv[3], nullptr, 10) : tamanho / 2;
    if (pedido < 0) pedido += tamanho;
    uint32_t deslocamento = pedido < 0 || pedido >= tamanho ? tamanho : (uint32_t)pedido;
    if (deslocamento >= tamanho) {
        fprintf(stderr, "a entrada tem %u bytes\n", tamanho);
        entrada->fechar(entrada);
        ARQUIVO_liberarArquivos(tabela);
        return 1;
    }
    // The slot whose end lies past the byte. The encrypted layer keeps
    // offsets, so slot k starts at byte k * 64 KiB of the file.
    uint32_t byte = item->inicio + deslocamento, fatia = 0;
    while (fatia < xz->nBlocos && xz->fins[fatia] <= byte) fatia++;
    entrada->fechar(entrada);
    ARQUIVO_liberarArquivos(tabela);

    FILE* f = fopen(argv[1], "r+b");
    long posicao = (long)fatia * ARQUIVO_XZ_FATIA + 2;
    int c = f && fseek(f, posicao, SEEK_SET) == 0 ? fgetc(f) : EOF;
    bool escrito = c != EOF && fseek(f, posicao, SEEK_SET) == 0 && fputc(c ^ 0x08, f) != EOF;
    if (f && fclose(f) != 0) escrito = false;
    if (!escrito) {
        fprintf(stderr, "nao consegui escrever em %s\n", argv[1]);
        return 1;
    }
    printf("%u\n", fatia);
    return 0;
}
