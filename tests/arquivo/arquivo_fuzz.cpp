// libFuzzer target for the reader chain. The first byte picks the layer the
// rest of the input stands for, the layers above it being written around it
// properly, so that every layer sees arbitrary bytes and not just noise that
// the cipher above it would refuse:
//
//   0: the archive file itself (encrypted layer, container, file table)
//   1: the container, written through the encrypted layer
//   2: the file table's stream, stored in a container and encrypted
//
// Every entry found is opened, read, sought and opened again with criar, and
// the ways of reading must agree; any disagreement aborts.
//
// With MORVALEN_FUZZ_SEMENTES set to a folder, the first run writes a seed
// of each kind there.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "arquivo/arquivo_interno.h"
#include "arquivo_apoio.h"
#include "engine/engine.h"

namespace {

void gravarSemente(const std::string& pasta, const char* nome, unsigned char modo, const Bytes& b)
{
    std::ofstream f(pasta + "/" + nome, std::ios::binary);
    f.put((char)modo);
    f.write((const char*)b.data(), (std::streamsize)b.size());
}

void gravarSementes(const char* pasta)
{
    std::vector<ArquivoNomeado> arquivos = {
        {"logo.png", apoio_aleatorios(200, 1)},
        {"Pumpkin.otf", apoio_compressiveis(700, 2)},
        {"vazio", {}},
    };
    Bytes fluxo = apoio_fluxo(arquivos);
    gravarSemente(pasta, "arquivo", 0, apoio_empacotar(arquivos, APOIO_CHAVE));
    gravarSemente(pasta, "conteiner", 1, apoio_conteiner({fluxo}));
    gravarSemente(pasta, "fluxo", 2, fluxo);
    // Containers of two and three 64 KiB slots, made by the writer, so that
    // reads and seeks across slots are fuzzed too. Incompressible bytes fill
    // the slots with few of them; every seed stays within -max_len.
    for (unsigned fatias = 2; fatias <= 3; fatias++) {
        Bytes dados = apoio_aleatorios((fatias - 1) * 65536 + 3000, 10 + fatias);
        Bytes conteiner = apoio_compactar(dados);
        std::string n = std::to_string(fatias);
        if (conteiner.size() < 200000) gravarSemente(pasta, ("conteiner" + n).c_str(), 1, conteiner);
        Bytes arquivo = apoio_empacotar({{"dados.bin", dados}, {"leia-me.txt", apoio_compressiveis(900, fatias)}},
                                        APOIO_CHAVE);
        if (arquivo.size() < 200000) gravarSemente(pasta, ("arquivo" + n).c_str(), 0, arquivo);
        Bytes tabela = apoio_fluxo({{"dados.bin", dados}});
        if (tabela.size() < 200000) gravarSemente(pasta, ("fluxo" + n).c_str(), 2, tabela);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    engine_iniciar(true);
    arquivo_iniciar('N');
    if (const char* pasta = getenv("MORVALEN_FUZZ_SEMENTES")) gravarSementes(pasta);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    if (tamanho == 0) return 0;
    Bytes resto(dados + 1, dados + tamanho);
    Bytes arquivo;
    switch (dados[0] % 3) {
    case 0: arquivo = resto; break;
    case 1: arquivo = apoio_cifrar(resto, APOIO_CHAVE); break;
    default: arquivo = apoio_cifrar(apoio_conteiner({resto}, 0, false), APOIO_CHAVE); break;
    }
    Memoria m = memoria_nova(arquivo);
    uint32_t tabela = apoio_abrirTabela(m, APOIO_CHAVE);
    if (!tabela) return 0;
    std::string falha;
    if (!apoio_exercitar(tabela, &falha)) {
        fprintf(stderr, "inconsistent reading: %s\n", falha.c_str());
        abort();
    }
    ARQUIVO_liberarArquivos(tabela);
    return 0;
}
