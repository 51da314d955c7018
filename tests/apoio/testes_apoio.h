// Support shared by the tests of the modules that read the archive: a test
// archive packed by the project's packer, and what a test writes to standard
// error. A test that includes this defines MORVALEN_EMPACOTADOR (the packer)
// and MORVALEN_CACHE_RECURSOS (where packed archives are kept).
#ifndef MORVALEN_TESTES_APOIO_H
#define MORVALEN_TESTES_APOIO_H

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "arquivo/arquivo.h"
#include "plataforma/plataforma.h"
#include "plataforma/plataforma_interno.h"

namespace apoio {

inline std::string lerArquivo(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// A folder of its own holding recursos.dad, packed by the project's packer
// from the given entries; the process works in it while the object lives,
// and the file and platform modules have opened the archive.
//
// Packing is slow (the packer compresses hard), and every test runs in a
// process of its own, so archives are kept in the build folder under a hash
// of the entries and of the packer itself, and reused.
class Recursos {
public:
    explicit Recursos(const std::vector<std::pair<std::string, std::string>>& entradas)
    {
        char modelo[] = "/tmp/morvalen_recursosXXXXXX";
        pasta = mkdtemp(modelo);
        char* atual = getcwd(nullptr, 0);
        anterior = atual;
        free(atual);
        EXPECT_EQ(chdir(pasta.c_str()), 0);
        std::string guardado = std::string(MORVALEN_CACHE_RECURSOS) + "/" + impressaoDigital(entradas) + ".dad";
        if (std::system(("cp '" + guardado + "' recursos.dad 2>/dev/null").c_str()) != 0) {
            EXPECT_EQ(mkdir("entradas", 0700), 0);
            std::string comando = std::string("'") + MORVALEN_EMPACOTADOR + "' recursos.dad";
            for (const auto& e : entradas) {
                std::ofstream("entradas/" + e.first, std::ios::binary) << e.second;
                comando += " 'entradas/" + e.first + "'";
            }
            EXPECT_EQ(std::system((comando + " >/dev/null").c_str()), 0) << comando;
            // Copied under a name of this process's, then renamed: another
            // test may be storing the same archive at the same moment.
            std::string temporario = guardado + "." + std::to_string(getpid());
            std::string guardar = "mkdir -p '" + std::string(MORVALEN_CACHE_RECURSOS) + "' && cp recursos.dad '" +
                                  temporario + "' && mv '" + temporario + "' '" + guardado + "'";
            EXPECT_EQ(std::system(guardar.c_str()), 0);
        }
        arquivo_iniciar('N');
        EXPECT_EQ(plataforma_iniciar('N'), nullptr);
        EXPECT_NE(plataformaRecursos, 0u);
    }
    ~Recursos()
    {
        PLATAFORMA_liberarRecursos();
        EXPECT_EQ(chdir(anterior.c_str()), 0);
        EXPECT_EQ(std::system(("rm -rf '" + pasta + "'").c_str()), 0);
    }
    std::string pasta;

private:
    static std::string impressaoDigital(const std::vector<std::pair<std::string, std::string>>& entradas)
    {
        uint64_t h = 14695981039346656037ull;
        auto misturar = [&h](const std::string& s) {
            for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
            h = (h ^ 0xFF) * 1099511628211ull;
        };
        struct stat empacotador;
        if (stat(MORVALEN_EMPACOTADOR, &empacotador) == 0)
            misturar(std::to_string(empacotador.st_size) + ":" + std::to_string(empacotador.st_mtime));
        for (const auto& e : entradas) {
            misturar(e.first);
            misturar(e.second);
        }
        char texto[17];
        snprintf(texto, sizeof texto, "%016llx", (unsigned long long)h);
        return texto;
    }
    std::string anterior;
};

// Everything written to standard error between its construction and texto().
class CapturaErro {
public:
    CapturaErro()
    {
        fflush(stderr);
        arquivo = tmpfile();
        salvo = dup(2);
        dup2(fileno(arquivo), 2);
    }
    ~CapturaErro() { restaurar(); }
    std::string texto()
    {
        restaurar();
        if (!arquivo) return lido;
        fseek(arquivo, 0, SEEK_SET);
        char bloco[4096];
        size_t n;
        while ((n = fread(bloco, 1, sizeof bloco, arquivo)) > 0) lido.append(bloco, n);
        fclose(arquivo);
        arquivo = nullptr;
        return lido;
    }

private:
    void restaurar()
    {
        if (salvo < 0) return;
        fflush(stderr);
        dup2(salvo, 2);
        close(salvo);
        salvo = -1;
    }
    FILE* arquivo = nullptr;
    int salvo = -1;
    std::string lido;
};

}  // namespace apoio

#endif
