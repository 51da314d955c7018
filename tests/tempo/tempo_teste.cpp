#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/tempo.h"

namespace {

// Calls of entity functions, as "entity:name"; tratar may act inside a call.
std::vector<std::string> chamadas;
std::function<void(uint32_t, const char*)> tratar;

}  // namespace

const char* entidades_entidade_chamarFuncao(uint32_t entidade, const char* nome)
{
    chamadas.push_back(std::to_string(entidade) + ":" + nome);
    if (tratar) tratar(entidade, nome);
    return std::string(nome) == "falha" ? "Funcao invalida" : nullptr;
}

namespace {

// The replaced wall clock, in microseconds; every reading moves it by passo.
int64_t agora = 0;
int64_t passo = 0;
int leituras = 0;

_tempo_marca relogio()
{
    leituras++;
    _tempo_marca m = {agora / 1000000, agora % 1000000};
    agora += passo;
    return m;
}

class Tempo : public ::testing::Test {
protected:
    void SetUp() override
    {
        chamadas.clear();
        tratar = nullptr;
        agora = 10500000;
        passo = 0;
        tempo_mudarRelogio(relogio);
        engine_iniciar(true);
        ASSERT_EQ(tempo_iniciar('N', 1000), 1);
    }
    void TearDown() override { tempo_mudarRelogio(nullptr); }

    // One frame that the wall clock says lasted `micro` microseconds.
    int32_t quadro(int64_t micro)
    {
        agora += micro;
        return tempo_aguardar();
    }
};

TEST_F(Tempo, QuadrosCarregamOsMicrossegundosQueSobram)
{
    EXPECT_EQ(quadro(16600), 16);
    EXPECT_EQ(quadro(16600), 17);  // 600 carried
    EXPECT_EQ(quadro(16600), 16);  // 200 carried, 800 left
    EXPECT_EQ(quadro(200), 1);     // 800 + 200
    EXPECT_EQ(tempo_tempoAtual(), 50u);
}

TEST_F(Tempo, PausasLongasERelogioQueVolta)
{
    struct Caso {
        int64_t ate;  // wall clock at the end of the frame, microseconds
        int32_t d;
    } casos[] = {
        {13750000, 1250},                      // 3.25 s: one second plus 0.75 - 0.5
        {11500000, 1000},                      // exactly one second is measured as it is
        {9900000, 1400},                       // went back: one second plus 0.9 - 0.5
        {10500000 + 4295LL * 1000000, 1000},   // a pause that 32-bit arithmetic would see as 32 ms
    };
    for (const Caso& c : casos) {
        agora = 10500000;
        engine_iniciar(true);
        ASSERT_EQ(tempo_iniciar('N', 1000), 1);
        agora = c.ate;
        EXPECT_EQ(tempo_aguardar(), c.d) << c.ate;
    }
}

TEST_F(Tempo, EsperaAtePassarUmTique)
{
    // Each reading of the clock takes 300 microseconds: the frame sleeps
    // until a whole tick has been measured.
    passo = 300;
    leituras = 0;
    EXPECT_EQ(tempo_aguardar(), 1);
    EXPECT_EQ(leituras, 6);  // measure, twice (deadline + measure), the final measure
    EXPECT_EQ(tempo_aguardar(), 1);  // 800 carried + 300 + the final 300

    // On the real clock two frames with nothing between them also wait.
    tempo_mudarRelogio(nullptr);
    engine_iniciar(true);
    ASSERT_EQ(tempo_iniciar('N', 1000), 1);
    EXPECT_GE(tempo_aguardar(), 1);
    EXPECT_GE(tempo_aguardar(), 1);
}

TEST_F(Tempo, QuadrosPorSegundoEVelocidade)
{
    for (int i = 0; i < 99; i++) quadro(10000);
    EXPECT_EQ(tempo_pegarFPS(), 0u);  // the first window is not complete yet
    quadro(10000);
    EXPECT_EQ(tempo_pegarFPS(), 100u);
    EXPECT_EQ(tempo_pegarVelocidade(), 1000u);
    // Frames of 30 ms: the window closes at 1020 ticks, after 34 frames.
    for (int i = 0; i < 33; i++) quadro(30000);
    EXPECT_EQ(tempo_pegarFPS(), 100u);
    quadro(30000);
    EXPECT_EQ(tempo_pegarFPS(), 34u);
    EXPECT_EQ(tempo_pegarVelocidade(), 1020u);
}

TEST_F(Tempo, EventosDisparamQuandoVencemDoMaiorIdParaOMenor)
{
    EXPECT_EQ(tempo_criarEvento(2, "primeiro", 0), 1u);
    EXPECT_EQ(tempo_criarEvento(3, "segundo", 0), 2u);
    EXPECT_EQ(tempo_criarEvento(4, "tarde", 300), 3u);
    EXPECT_EQ(tempo_criarEvento(5, "falha", 100), 4u);
    quadro(1000);
    EXPECT_EQ(chamadas, (std::vector<std::string>{"3:segundo", "2:primeiro"}));
    chamadas.clear();
    quadro(99000);  // clock 100
    EXPECT_EQ(chamadas, (std::vector<std::string>{"5:falha"}));
    chamadas.clear();
    quadro(100000);  // clock 200
    EXPECT_TRUE(chamadas.empty());
    quadro(100000);  // clock 300
    EXPECT_EQ(chamadas, (std::vector<std::string>{"4:tarde"}));
    // Every one fired once and is gone, the failed one too.
    for (uint32_t id = 1; id <= 4; id++) EXPECT_STREQ(tempo_destruirEvento(id), "Posicao invalida");
    chamadas.clear();
    quadro(100000);
    EXPECT_TRUE(chamadas.empty());
}

TEST_F(Tempo, EventoDestruidoPelaPropriaFuncao)
{
    uint32_t outro = tempo_criarEvento(2, "outro", 50);
    uint32_t proprio = tempo_criarEvento(3, "proprio", 0);
    tratar = [&](uint32_t, const char* nome) {
        if (std::string(nome) == "proprio") {
            EXPECT_EQ(tempo_destruirEvento(proprio), nullptr);
        }
    };
    quadro(1000);
    EXPECT_EQ(chamadas, (std::vector<std::string>{"3:proprio"}));
    quadro(50000);
    EXPECT_EQ(chamadas, (std::vector<std::string>{"3:proprio", "2:outro"}));
    EXPECT_STREQ(tempo_destruirEvento(outro), "Posicao invalida");
}

TEST_F(Tempo, EventoSubstituidoNaPropriaFuncaoNaoERemovido)
{
    tempo_criarEvento(2, "baixo", 0);
    uint32_t alto = tempo_criarEvento(3, "alto", 0);
    uint32_t novo = 0;
    tratar = [&](uint32_t, const char* nome) {
        if (std::string(nome) != "alto") return;
        EXPECT_EQ(tempo_destruirEvento(alto), nullptr);
        novo = tempo_criarEvento(3, "novo", 0);
    };
    quadro(1000);
    EXPECT_EQ(novo, alto);  // the same id, a different event
    EXPECT_EQ(chamadas, (std::vector<std::string>{"3:alto", "2:baixo"}));
    chamadas.clear();
    quadro(1000);
    EXPECT_EQ(chamadas, (std::vector<std::string>{"3:novo"}));
    EXPECT_STREQ(tempo_destruirEvento(novo), "Posicao invalida");
}

TEST_F(Tempo, NomeDoEventoECopiado)
{
    std::string nome = "pulou";
    tempo_criarEvento(2, nome.c_str(), 0);
    nome.assign(100, 'x');  // the caller's buffer changes and moves
    quadro(1000);
    EXPECT_EQ(chamadas, (std::vector<std::string>{"2:pulou"}));
    EXPECT_EQ(tempo_criarEvento(2, nullptr, 0), 0u);
}

TEST_F(Tempo, CronometroComoPropriedade)
{
    quadro(5000);
    uint32_t c = tempo_criarCronometro();
    ASSERT_NE(c, 0u);
    quadro(7000);
    quadro(3000);
    EXPECT_EQ(engine_propriedade_pegarValor(8, 1, 1, c, nullptr), 10);
    EXPECT_EQ(engine_propriedade_mudarValor(8, 1, 1, c, 500), nullptr);  // ignored
    EXPECT_EQ(engine_propriedade_pegarValor(8, 1, 1, c, nullptr), 10);
    EXPECT_EQ(engine_propriedade_pegarValor(8, 1, 1, c + 1, nullptr), 0);
    EXPECT_EQ(tempo_destruirCronometro(c), nullptr);
    EXPECT_STREQ(tempo_destruirCronometro(c), "Posicao invalida");
    EXPECT_EQ(engine_propriedade_pegarValor(8, 1, 1, c, nullptr), 0);
}

TEST_F(Tempo, NadaEscritoNoRegistroDuranteOJogo)
{
    testing::internal::CaptureStderr();
    engine_iniciar(true);
    ASSERT_EQ(tempo_iniciar('S', 1000), 1);
    tempo_criarEvento(2, "falha", 0);
    tempo_criarCronometro();
    quadro(16600);
    quadro(5000000);
    tempo_destruirEvento(9);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(Tempo, TaxaSemTiqueInteiroERecusada)
{
    engine_iniciar(true);
    for (int32_t taxa : {0, -1000, 2000000}) EXPECT_EQ(tempo_iniciar('N', taxa), 0) << taxa;
    EXPECT_EQ(tempo_criarEvento(2, "x", 0), 0u);  // nothing was created
}

}  // namespace
