// Packs files into a resource archive:
//
//     empacotador SAIDA.dad ARQUIVO...
//
// Each file is stored under its base name (spaces and capitals kept), in the
// order given, through the file table, the container and the encrypted layer
// under the archive key. The archive is then read back through the reader
// chain and every entry compared byte for byte. On any failure the program
// says why on standard error, removes the output and exits with status 1.
//
// The generator is seeded with a fixed value first, so the same files give
// the same archive.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "arquivo/arquivo.h"
#include "arquivo/arquivo_interno.h"
#include "engine/engine.h"
#include "engine/engine_aleatorio.h"
#include "plataforma/plataforma_arquivo.h"

namespace {

const uint32_t SEMENTE = 1;

struct Entrada {
    std::string caminho;
    std::string nome;
    std::vector<unsigned char> bytes;
};

bool mesmoNome(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++) {
        unsigned char x = (unsigned char)a[i], y = (unsigned char)b[i];
        if (x >= 'A' && x <= 'Z') x = (unsigned char)(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = (unsigned char)(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool lerEntrada(Entrada& e)
{
    FILE* f = fopen(e.caminho.c_str(), "rb");
    if (!f) {
        fprintf(stderr, "Erro ao abrir %s: %s\n", e.caminho.c_str(), strerror(errno));
        return false;
    }
    unsigned char pedaco[65536];
    size_t n;
    while ((n = fread(pedaco, 1, sizeof pedaco, f)) > 0) e.bytes.insert(e.bytes.end(), pedaco, pedaco + n);
    bool ok = !ferror(f);
    fclose(f);
    if (!ok) fprintf(stderr, "Erro ao ler %s\n", e.caminho.c_str());
    return ok;
}

const char* escrever(const char* saida, const std::vector<Entrada>& entradas)
{
    const unsigned char* chave = (const unsigned char*)PLATAFORMA_CHAVE;
    _arquivo* arquivo = plataforma_criarArquivo(saida);
    if (!arquivo) return "nao foi possivel criar o arquivo de saida";
    _arquivo* aes = arquivo_criarAES(arquivo, chave);
    _arquivo* xz = arquivo_criarXZ(aes);
    uint32_t lista = arquivo_criarArquivos(xz);
    if (!lista) {
        if (xz) xz->fechar(xz);
        else if (aes) aes->fechar(aes);
        else arquivo->fechar(arquivo);
        return "memoria insuficiente";
    }
    const char* erro = nullptr;
    for (const Entrada& e : entradas) {
        _arquivo* h = arquivo_criarArquivo(lista, e.nome.c_str());
        if (!h) {
            erro = "nao foi possivel adicionar um arquivo";
            break;
        }
        uint32_t n = (uint32_t)e.bytes.size();
        if (n > 0 && h->escrever(h, e.bytes.data(), n) != n) erro = "falha ao escrever no arquivo de saida";
        h->fechar(h);
        if (erro) break;
    }
    const char* erroFinal = arquivo_finalizarArquivos(lista);
    return erro ? erro : erroFinal;
}

const char* conferir(const char* saida, const std::vector<Entrada>& entradas)
{
    const unsigned char* chave = (const unsigned char*)PLATAFORMA_CHAVE;
    _arquivo* arquivo = plataforma_lerArquivo(saida);
    if (!arquivo) return "nao foi possivel reabrir o arquivo de saida";
    _arquivo* aes = arquivo_lerAES(arquivo, chave);
    if (!aes) {
        arquivo->fechar(arquivo);
        return "a camada encriptada nao confere";
    }
    _arquivo* xz = arquivo_lerXZ(aes);
    if (!xz) {
        aes->fechar(aes);
        return "o conteiner compactado nao abre";
    }
    uint32_t tabela = arquivo_lerArquivos(xz);
    if (!tabela) {
        xz->fechar(xz);
        return "o diretorio de arquivos nao abre";
    }
    const char* erro = nullptr;
    std::vector<unsigned char> lido;
    for (const Entrada& e : entradas) {
        _arquivo* h = arquivo_lerArquivo(tabela, e.nome.c_str());
        if (!h) {
            erro = "um arquivo nao foi encontrado na leitura";
            break;
        }
        lido.assign(e.bytes.size() + 1, 0);
        uint32_t total = 0, n;
        while (total < lido.size() && (n = h->ler(h, lido.data() + total, (uint32_t)(lido.size() - total))) > 0)
            total += n;
        if (h->tamanho(h) != e.bytes.size() || total != e.bytes.size() ||
            memcmp(lido.data(), e.bytes.data(), e.bytes.size()) != 0)
            erro = "um arquivo lido de volta difere do original";
        h->fechar(h);
        if (erro) {
            fprintf(stderr, "%s: %s\n", e.nome.c_str(), erro);
            break;
        }
    }
    ARQUIVO_liberarArquivos(tabela);
    return erro;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "Uso: %s SAIDA.dad ARQUIVO...\n", argc > 0 ? argv[0] : "empacotador");
        return 2;
    }
    const char* saida = argv[1];
    std::vector<Entrada> entradas;
    uint64_t total = 0;
    for (int i = 2; i < argc; i++) {
        Entrada e;
        e.caminho = argv[i];
        size_t barra = e.caminho.find_last_of('/');
        e.nome = barra == std::string::npos ? e.caminho : e.caminho.substr(barra + 1);
        if (e.nome.empty() || e.nome.size() > ARQUIVO_NOME_MAXIMO) {
            fprintf(stderr, "Nome invalido para o arquivo (1 a %d bytes): %s\n", ARQUIVO_NOME_MAXIMO, argv[i]);
            return 1;
        }
        for (const Entrada& outra : entradas)
            if (mesmoNome(outra.nome, e.nome)) {
                fprintf(stderr, "Nome repetido (letras maiusculas e minusculas se equivalem): %s e %s\n",
                        outra.caminho.c_str(), argv[i]);
                return 1;
            }
        if (!lerEntrada(e)) return 1;
        total += e.bytes.size();
        // The archive's positions are 32-bit; keep room for the directory.
        if (total > 0xF0000000u) {
            fprintf(stderr, "Arquivos grandes demais para um arquivo de recursos\n");
            return 1;
        }
        entradas.push_back(std::move(e));
    }

    engine_iniciar(true);
    arquivo_iniciar('N');
    engine_semearAleatorio(SEMENTE);
    const char* erro = escrever(saida, entradas);
    if (!erro) erro = conferir(saida, entradas);
    if (erro) {
        fprintf(stderr, "Erro ao empacotar %s: %s\n", saida, erro);
        remove(saida);
        return 1;
    }
    return 0;
}
