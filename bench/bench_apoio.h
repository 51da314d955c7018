// Shared by the benchmarks: a folder of their own to work in, so that a
// benchmark run from the game's folder never touches the game's files.
#ifndef MORVALEN_BENCH_APOIO_H
#define MORVALEN_BENCH_APOIO_H

#include <ftw.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace bench {

// Made under $TMPDIR (or /tmp) when the program starts, and the working directory while
// it runs; removed with everything in it, and the working directory given
// back, when the program ends. One object per program, at namespace scope.
class PastaPropria {
public:
    PastaPropria()
    {
        char* atual = getcwd(nullptr, 0);
        if (atual) anterior = atual;
        free(atual);
        const char* tmp = getenv("TMPDIR");
        std::string modelo = std::string(tmp && *tmp ? tmp : "/tmp") + "/morvalen_benchXXXXXX";
        if (!mkdtemp(&modelo[0]) || chdir(modelo.c_str()) != 0) {
            perror("benchmark folder");
            std::abort();
        }
        caminho = modelo;
    }
    ~PastaPropria()
    {
        if (!anterior.empty() && chdir(anterior.c_str()) != 0) perror("benchmark folder");
        nftw(caminho.c_str(), apagar, 16, FTW_DEPTH | FTW_PHYS);
    }
    PastaPropria(const PastaPropria&) = delete;
    PastaPropria& operator=(const PastaPropria&) = delete;

    std::string caminho;

private:
    static int apagar(const char* nome, const struct stat*, int, struct FTW*) { return remove(nome); }
    std::string anterior;
};

}  // namespace bench

#endif
