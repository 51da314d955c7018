// Character counting of UTF-8 texts: the helper (eight bytes at a time once
// the length is known) against a plain byte loop.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/dados_texto.h"

namespace {

std::string texto(size_t n)
{
    std::string s;
    while (s.size() < n) s += "a\xC3\xA7\xC3\xA3o ";  // "ação "
    s.resize(n);
    return s;
}

void BM_tamanho(benchmark::State& estado)
{
    std::string s = texto((size_t)estado.range(0));
    for (auto _ : estado) benchmark::DoNotOptimize(dados_texto_tamanho(s.c_str()));
    estado.SetBytesProcessed((int64_t)estado.iterations() * estado.range(0));
}

void BM_tamanhoByteAByte(benchmark::State& estado)
{
    std::string s = texto((size_t)estado.range(0));
    for (auto _ : estado) {
        const char* p = s.c_str();
        benchmark::DoNotOptimize(p);
        int32_t n = 0;
        for (; *p; p++)
            if (((unsigned char)*p & 0xC0) != 0x80) n++;
        benchmark::DoNotOptimize(n);
    }
    estado.SetBytesProcessed((int64_t)estado.iterations() * estado.range(0));
}

}  // namespace

BENCHMARK(BM_tamanho)->Arg(16)->Arg(256)->Arg(4096);
BENCHMARK(BM_tamanhoByteAByte)->Arg(16)->Arg(256)->Arg(4096);
