// Per-frame costs of the engine core: advancing many timeline applications
// and invalidating a long chain of bound entries.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/engine.h"
#include "engine/engine_grafo.h"

namespace {

std::vector<_engine_valor> valores;

_engine_valor pegar(uint32_t i) { return i < valores.size() ? valores[i] : 0; }
const char* mudar(uint32_t i, _engine_valor v)
{
    if (i < valores.size()) valores[i] = v;
    return nullptr;
}

void registrar(uint32_t instancias, char imediata)
{
    valores.assign(instancias + 1, 0);
    engine_iniciar(false);
    engine_registrarModulo(3);
    engine_registrarModelo(3, 1);
    engine_registrarPropriedade(3, 1, 1, pegar, mudar, imediata);
}

// 10,000 applications of a looping timeline (up to 1000 and back, one
// second each way), started at staggered times, advanced in 16 ms frames.
void BM_ConfigurarDezMilAplicacoes(benchmark::State& estado)
{
    const uint32_t n = 10000;
    registrar(n, 'N');
    uint32_t c = engine_criarConfig(3, 1);
    engine_config_passarTempo(3, 1, c, 1000);
    engine_config_mudarPropriedadeContinua(3, 1, c, 1, 1000);
    engine_config_passarTempo(3, 1, c, 1000);
    engine_config_mudarPropriedadeContinua(3, 1, c, 1, 0);
    engine_config_criarPonto(3, 1, c, 0, -1);
    if (estado.range(0)) engine_config_vincularVelocidade(3, 1, c, engine_criarOperacao(1500, 10, 0));
    for (uint32_t i = 1; i <= n; i++) engine_config_aplicar(3, 1, c, i, i % 2000);
    uint32_t agora = 2000;
    for (auto _ : estado) {
        agora += 16;
        engine_config_configurar(3, 1, agora, 16);
    }
    benchmark::DoNotOptimize(valores.data());
}
BENCHMARK(BM_ConfigurarDezMilAplicacoes)->Arg(0)->Arg(1)->ArgName("velocidade")->Unit(benchmark::kMicrosecond);

// Instance k + 1 bound to (instance k) + 1, for as many instances after the
// first as the graph accepts; one write to the first instance per frame.
// Eager: the walk pushes every instance. Lazy: the walk invalidates them and
// reading the last one recomputes the chain.
//
// Each link adds two nodes to the expression (the reference to instance k
// and the sum), and an expression may be at most ENGINE_PROFUNDIDADE_MAXIMA
// (1000) nodes deep, so the longest such chain has 499 links: the binding of
// instance k + 1 is refused once its expression, 2k nodes deep, reaches the
// limit.
void BM_CascataNoLimiteDaProfundidade(benchmark::State& estado)
{
    const uint32_t n = (ENGINE_PROFUNDIDADE_MAXIMA - 1) / 2;
    const char imediata = estado.range(0) ? 'S' : 'N';
    registrar(n + 1, imediata);
    uint32_t um = engine_criarOperacao(1, 10, 0);
    for (uint32_t k = 1; k <= n; k++)
        if (engine_propriedade_mudarRecurso(3, 1, 1, k + 1,
                                            engine_criarOperacao(engine_criarReferencia(3, 1, 1, k), 0, um)) !=
            nullptr) {
            estado.SkipWithError("binding refused");
            return;
        }
    engine_propriedade_pegarValor(3, 1, 1, n + 1, nullptr);
    _engine_valor v = 0;
    for (auto _ : estado) {
        engine_propriedade_mudarValor(3, 1, 1, 1, ++v);
        benchmark::DoNotOptimize(engine_propriedade_pegarValor(3, 1, 1, n + 1, nullptr));
    }
    if (engine_propriedade_pegarValor(3, 1, 1, n + 1, nullptr) != v + n) estado.SkipWithError("wrong value");
}
BENCHMARK(BM_CascataNoLimiteDaProfundidade)->Arg(0)->Arg(1)->ArgName("imediata")->Unit(benchmark::kMicrosecond);

}  // namespace
