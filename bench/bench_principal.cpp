// The benchmarks' main: Google Benchmark's, run in a folder of the program's
// own, made under $TMPDIR (or /tmp), so that a benchmark run from the game's
// folder never touches the game's files. The folder is removed with
// everything in it, and the starting folder given back, when the program
// ends. A relative path for the results file stays relative to the folder
// the program was started from: it is made absolute before the move.
#include <benchmark/benchmark.h>
#include <ftw.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string inicio, pasta;

int apagar(const char* nome, const struct stat*, int, struct FTW*) { return remove(nome); }

// At every end of the program, also at an exit() inside the library (--help,
// a flag value it refuses, a results file it cannot open).
void sair()
{
    if (!inicio.empty() && chdir(inicio.c_str()) != 0) perror("benchmark folder");
    nftw(pasta.c_str(), apagar, 16, FTW_DEPTH | FTW_PHYS);
}

// The only form of the flag the library takes: "--benchmark_out PATH" and
// "-benchmark_out=PATH" are refused as unrecognised.
const char SAIDA[] = "--benchmark_out=";
const size_t TAMANHO_SAIDA = sizeof SAIDA - 1;

}  // namespace

int main(int argc, char** argv)
{
    if (char* atual = getcwd(nullptr, 0)) {
        inicio = atual;
        free(atual);
    }
    std::vector<std::string> argumentos(argv, argv + argc);
    if (argumentos.empty()) argumentos.push_back("benchmark");
    // The library reads BENCHMARK_OUT as the flag's default before main, so
    // a relative one is passed again as the first flag: one given on the
    // command line still comes later and wins.
    const char* ambiente = getenv("BENCHMARK_OUT");
    if (ambiente && *ambiente && *ambiente != '/') argumentos.insert(argumentos.begin() + 1, SAIDA + std::string(ambiente));
    for (size_t i = 1; i < argumentos.size(); i++) {
        std::string& a = argumentos[i];
        if (a.compare(0, TAMANHO_SAIDA, SAIDA) != 0 || a.size() == TAMANHO_SAIDA || a[TAMANHO_SAIDA] == '/') continue;
        if (inicio.empty()) {
            fprintf(stderr, "%s: the starting folder is unknown, so %s cannot be placed in it\n",
                    argumentos[0].c_str(), a.c_str() + TAMANHO_SAIDA);
            return 1;
        }
        a.insert(TAMANHO_SAIDA, inicio.back() == '/' ? inicio : inicio + "/");
    }
    std::vector<char*> ponteiros;
    for (std::string& a : argumentos) ponteiros.push_back(&a[0]);
    ponteiros.push_back(nullptr);
    int n = (int)argumentos.size();

    const char* tmp = getenv("TMPDIR");
    std::string modelo = std::string(tmp && *tmp ? tmp : "/tmp") + "/morvalen_benchXXXXXX";
    if (!mkdtemp(&modelo[0])) {
        perror("benchmark folder");
        return 1;
    }
    pasta = modelo;
    std::atexit(sair);
    if (chdir(pasta.c_str()) != 0) {
        perror("benchmark folder");
        return 1;
    }

    benchmark::Initialize(&n, ponteiros.data());
    if (benchmark::ReportUnrecognizedArguments(n, ponteiros.data())) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
