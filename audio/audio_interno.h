// State and internal operations of the audio module, shared by its files.
#ifndef MORVALEN_AUDIO_INTERNO_H
#define MORVALEN_AUDIO_INTERNO_H

#include <cstdint>

#include "audio/audio.h"
#include "audio/audio_lista.h"
#include "engine/engine.h"

enum {
    AUDIO_MODELO_OUVINTE = 1,
    AUDIO_MODELO_LISTA = 2,
};

// Actions of property 4.2.8.
enum {
    AUDIO_ACAO_REPRODUZIR = 1,
    AUDIO_ACAO_PAUSAR = 2,
    AUDIO_ACAO_PARAR = 3,
};

extern uint32_t audioTempo;  // the module's clock, milliseconds
extern char audioLog;
extern uint32_t audioListas;  // persistent vector of module 4 holding the lists
// 'S' when sound can play; 'N' when there is no sound device: the lists are
// then bare records that make no sound. '?' from the module's start until
// someone first asks (audio_haSom, audio_criarLista).
extern char audioSom;

int AUDIO_logar(const char* texto, int32_t valor);

// The playlist stream of a list id, or null (also for every list when there
// is no sound).
sf::Lista* AUDIO_pegarLista(uint32_t lista);
// The record of a list id's properties and item count, with sound or
// without; null when there is no such list.
_audio_lista* AUDIO_pegarRegistro(uint32_t lista);
// Builds an item from inicio to fim milliseconds and adds it to the list,
// with the module's log lines; the item's index or 0.
uint32_t AUDIO_lista_adicionarItem(sf::Lista* lista, uint32_t id, const char* nome, int32_t inicio, int32_t fim);
// What the module hands to the list's source for a placement and a
// loudness of 0 to 1000: the volume in percent, 0 to 100.
float AUDIO_volumeDaLista(int32_t volumeDoLugar, int32_t volumeDaLista);

_engine_valor AUDIO_pegarVolumeGlobal(uint32_t i);
const char* AUDIO_mudarVolumeGlobal(uint32_t i, _engine_valor v);
_engine_valor AUDIO_lista_pegarVolume(uint32_t i);
_engine_valor AUDIO_lista_pegarVelocidade(uint32_t i);
_engine_valor AUDIO_lista_pegarLocal(uint32_t i);
_engine_valor AUDIO_lista_pegarX(uint32_t i);
_engine_valor AUDIO_lista_pegarY(uint32_t i);
_engine_valor AUDIO_lista_pegarProfundidade(uint32_t i);
_engine_valor AUDIO_lista_pegarDistancia(uint32_t i);
_engine_valor AUDIO_lista_pegarAcao(uint32_t i);
const char* AUDIO_lista_mudarVolume(uint32_t i, _engine_valor v);
const char* AUDIO_lista_mudarVelocidade(uint32_t i, _engine_valor v);
const char* AUDIO_lista_mudarLocal(uint32_t i, _engine_valor v);
const char* AUDIO_lista_mudarX(uint32_t i, _engine_valor v);
const char* AUDIO_lista_mudarY(uint32_t i, _engine_valor v);
const char* AUDIO_lista_mudarProfundidade(uint32_t i, _engine_valor v);
const char* AUDIO_lista_mudarDistancia(uint32_t i, _engine_valor v);
const char* AUDIO_lista_mudarAcao(uint32_t i, _engine_valor v);

#endif
