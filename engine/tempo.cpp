// Time module: paces the frame loop in whole ticks, keeps the game clock and
// the frames-per-second figures, fires timed events and keeps stopwatches.
//
// The wall clock is read only through tempoRelogio, so tests can replace it
// and run frames of exact lengths.
#include "engine/tempo.h"

#include <pthread.h>
#include <sys/time.h>

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "engine/engine_log.h"
#include "engine/entidades.h"

static _tempo_marca TEMPO_relogioDoSistema()
{
    timeval agora;
    gettimeofday(&agora, nullptr);
    return {(int64_t)agora.tv_sec, (int64_t)agora.tv_usec};
}

static char tempoLog = 'N';
static _tempo_funcaoRelogio tempoRelogio = TEMPO_relogioDoSistema;
static _tempo_marca tempoAnterior = {0, 0};  // mark of the previous measurement
static uint32_t tempoTaxaFPS = 0;           // ticks per second; also the FPS window in ticks
static int32_t tempoMicroFrames = 0;        // one tick in microseconds; 0 until started
static int32_t tempoResto = 0;              // microseconds carried into the next frame
static uint32_t tempoTick = 0;              // frames in the current window
static uint32_t tempoContadorVelocidade = 0;  // ticks in the current window
static uint32_t tempoFPS = 0;
static uint32_t tempoVelocidade = 0;
static uint32_t tempoTempo = 0;             // the game clock, ticks since start
static uint32_t tempoEventos = 0;
static uint32_t tempoCronometros = 0;
static uint64_t tempoSerie = 0;             // last serial number given to an event
// Serve only to sleep until a deadline; the condition is never signalled.
static pthread_mutex_t tempoFakeMutex = PTHREAD_MUTEX_INITIALIZER;
static pthread_cond_t tempoFakeCond = PTHREAD_COND_INITIALIZER;

int TEMPO_logar(const char* texto, int32_t valor)
{
    if (tempoLog == 'S') engine_escreverLog("TEMPO - %s", texto, valor);
    return 1;
}

void tempo_mudarRelogio(_tempo_funcaoRelogio relogio)
{
    tempoRelogio = relogio ? relogio : TEMPO_relogioDoSistema;
}

// Waits on the condition until `microssegundos` after the reading `agora`.
static void TEMPO_esperarAte(_tempo_marca agora, int64_t microssegundos)
{
    if (microssegundos <= 0) return;
    int64_t micro = agora.microssegundos + microssegundos;
    timespec prazo;
    prazo.tv_sec = (time_t)(agora.segundos + micro / 1000000);
    prazo.tv_nsec = (long)((micro % 1000000) * 1000);
    if (prazo.tv_nsec < 0) return;  // a replaced clock gave a negative microsecond part
    pthread_mutex_lock(&tempoFakeMutex);
    pthread_cond_timedwait(&tempoFakeCond, &tempoFakeMutex, &prazo);
    pthread_mutex_unlock(&tempoFakeMutex);
}

int32_t TEMPO_passado()
{
    _tempo_marca agora = tempoRelogio();
    // Differences in unsigned 64 bits: defined for any reading a replaced
    // clock may give.
    uint64_t segundos = (uint64_t)agora.segundos - (uint64_t)tempoAnterior.segundos;
    int64_t passado = -1;
    if ((int64_t)segundos >= -2 && (int64_t)segundos <= 2)
        passado = (int64_t)segundos * 1000000 + agora.microssegundos - tempoAnterior.microssegundos;
    // More than a second, or a clock that went back, counts as one second
    // plus the difference of the microsecond parts.
    if (passado < 0 || passado > 1000000)
        passado = agora.microssegundos + 1000000 - tempoAnterior.microssegundos;
    tempoAnterior = agora;
    return (int32_t)passado;
}

void TEMPO_sleep(int32_t microssegundos)
{
    TEMPO_esperarAte(tempoRelogio(), microssegundos);
}

int tempo_iniciar(char log, int32_t ticksPorSegundo)
{
    tempoLog = log;
    // Without a whole tick in microseconds there is nothing to pace.
    if (ticksPorSegundo <= 0 || ticksPorSegundo > 1000000) return 0;
    const char* erro = engine_registrarModulo(ENGINE_MODULO_TEMPO);
    if (erro) {
        free((void*)erro);
        return 0;
    }
    tempoTaxaFPS = (uint32_t)ticksPorSegundo;
    tempoMicroFrames = (int32_t)(1000000u / tempoTaxaFPS);
    tempoResto = 0;
    tempoTick = 0;
    tempoContadorVelocidade = 0;
    tempoFPS = 0;
    tempoVelocidade = 0;
    tempoAnterior = tempoRelogio();
    tempoTempo = 0;
    tempoEventos = engine_criarVetorPersistente(ENGINE_MODULO_TEMPO);
    tempoCronometros = engine_criarVetorPersistente(ENGINE_MODULO_TEMPO);
    free((void*)engine_registrarModelo(ENGINE_MODULO_TEMPO, 1));
    free((void*)engine_registrarPropriedade(ENGINE_MODULO_TEMPO, 1, 1, TEMPO_cronometro_pegarTempo,
                                            TEMPO_cronometro_mudarTempo, 'S'));
    return 1;
}

// Calls every due event, from the highest id down, and removes it.
static void TEMPO_dispararEventos()
{
    uint32_t n = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_TEMPO, tempoEventos);
    for (uint32_t id = n; id >= 1; id--) {
        _tempo_evento* evento = (_tempo_evento*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_TEMPO, tempoEventos, id);
        if (!evento || evento->prazo > tempoTempo) continue;
        uint64_t serie = evento->serie;
        // The call gets a name of its own: the function may destroy the
        // event, and the record's name with it, while the call still runs.
        size_t tamanho = strlen(evento->nome) + 1;
        char* nome = (char*)malloc(tamanho);
        if (nome) memcpy(nome, evento->nome, tamanho);
        entidades_entidade_chamarFuncao(evento->entidade, nome ? nome : evento->nome);
        free(nome);
        // The function may have destroyed its own event, and another event
        // may have taken the id since: only the record that fired goes.
        evento = (_tempo_evento*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_TEMPO, tempoEventos, id);
        if (evento && evento->serie == serie)
            engine_vetorPersistente_removerPosicao(ENGINE_MODULO_TEMPO, tempoEventos, id);
    }
}

int32_t tempo_aguardar()
{
    if (tempoMicroFrames <= 0) return 1;  // not started
    int64_t total = (int64_t)TEMPO_passado() + tempoResto;
    while (total < tempoMicroFrames) {
        TEMPO_esperarAte(tempoRelogio(), tempoMicroFrames - total);
        total += TEMPO_passado();
    }
    total += TEMPO_passado();
    int32_t d = (int32_t)(total / tempoMicroFrames);
    tempoResto = (int32_t)(total % tempoMicroFrames);

    tempoTick++;
    tempoContadorVelocidade += (uint32_t)d;
    if (tempoContadorVelocidade >= tempoTaxaFPS) {
        tempoFPS = tempoTick;
        tempoTick = 0;
        tempoVelocidade = (uint32_t)((uint64_t)tempoContadorVelocidade * 1000u / tempoTaxaFPS);
        tempoContadorVelocidade = 0;
    }
    tempoTempo += (uint32_t)d;
    TEMPO_dispararEventos();
    return d;
}

uint32_t tempo_tempoAtual()
{
    return tempoTempo;
}

uint32_t tempo_pegarFPS()
{
    return tempoFPS;
}

uint32_t tempo_pegarVelocidade()
{
    return tempoVelocidade;
}

uint32_t tempo_criarEvento(uint32_t entidade, const char* nome, int32_t atraso)
{
    if (!nome) return 0;
    // The record and its copy of the name are one allocation, so that the
    // vector's free() releases both.
    size_t tamanho = strlen(nome) + 1;
    _tempo_evento* evento = (_tempo_evento*)malloc(sizeof(_tempo_evento) + tamanho);
    if (!evento) return 0;
    evento->entidade = entidade;
    evento->nome = (char*)(evento + 1);
    memcpy(evento->nome, nome, tamanho);
    evento->prazo = tempoTempo + (uint32_t)atraso;
    evento->serie = ++tempoSerie;
    uint32_t id = engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_TEMPO, tempoEventos, evento);
    if (id == 0) free(evento);
    return id;
}

const char* tempo_destruirEvento(uint32_t evento)
{
    return engine_vetorPersistente_removerPosicao(ENGINE_MODULO_TEMPO, tempoEventos, evento);
}

uint32_t tempo_criarCronometro()
{
    _tempo_cronometro* cronometro = (_tempo_cronometro*)malloc(sizeof(_tempo_cronometro));
    if (!cronometro) return 0;
    cronometro->inicio = tempoTempo;
    uint32_t id = engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_TEMPO, tempoCronometros, cronometro);
    if (id == 0) free(cronometro);
    return id;
}

const char* tempo_destruirCronometro(uint32_t cronometro)
{
    return engine_vetorPersistente_removerPosicao(ENGINE_MODULO_TEMPO, tempoCronometros, cronometro);
}

_engine_valor TEMPO_cronometro_pegarTempo(uint32_t cronometro)
{
    _tempo_cronometro* c =
        (_tempo_cronometro*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_TEMPO, tempoCronometros, cronometro);
    if (!c) return 0;
    return (int32_t)(tempoTempo - c->inicio);
}

const char* TEMPO_cronometro_mudarTempo(uint32_t cronometro, _engine_valor valor)
{
    (void)cronometro;
    (void)valor;
    return nullptr;
}
