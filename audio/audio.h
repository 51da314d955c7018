// Audio module (engine module 4): sound lists streamed from the resource
// archive, their properties and timelines, and their placement relative to
// the cameras once per frame.
//
// A list's id is the instance number of model 2's properties:
//   4.2.1 volume (thousandths, 1000 at creation), 4.2.2 speed (stored only),
//   4.2.3 followed entity (0 none), 4.2.4 X and 4.2.5 Y (world units: an
//   offset from the followed body, else the position relative to the
//   listener), 4.2.6 depth (thousandths of the internal width), 4.2.7
//   audible distance (0 or less: full volume everywhere), 4.2.8 action
//   (write 1 play, 2 pause, 3 stop and rewind; reads 0).
// Property 4.1.1 (instance 0) is the listener's global volume, 0 to 1000.
// A list is silent until its action is set to 1.
#ifndef MORVALEN_AUDIO_H
#define MORVALEN_AUDIO_H

#include <cstdint>

// Registers the module; it does not touch the sound device yet.
int audio_iniciar(char log);
// 'S' when sound can play, 'N' when there is no usable sound device. The
// device is looked for the first time this is asked or a list is made
// after the start; without one the lists work as ever but make no sound and
// no call into the sound library.
char audio_haSom();
int audio_atualizar(int32_t d);
// Stops and destroys every list, so no stream outlives the module.
int audio_finalizar();

// A new empty list; 0 when it cannot be stored.
uint32_t audio_criarLista();
// Appends the archive entry (the name is copied) from inicio to fim
// milliseconds of its file; fim <= inicio plays to the end of the file. The
// list stops and rewinds. The new item's 0-based index, or 0 on failure
// (the first item's index is 0 as well). Every item of a list must have the
// channel count and sample rate of the first.
uint32_t audio_lista_adicionarItem(uint32_t lista, const char* nome, int32_t inicio, int32_t fim);
// Sets the jump rule of the item added last: pulos -1 always jumps to item
// pularPara; -2 goes on to the next item and jumps from the last one; n >= 0
// jumps n times, then goes on. Without a rule every item plays once, in
// order, and the list then stops at its start.
const char* audio_lista_pularPara(uint32_t lista, uint32_t pularPara, int32_t pulos);
// Play on a playing list does nothing; on a paused one it resumes.
const char* audio_lista_reproduzir(uint32_t lista);
const char* audio_lista_pausar(uint32_t lista);
// Stops and rewinds to the start of the first item.
const char* audio_lista_parar(uint32_t lista);
// Cancels the list's timelines and destroys it; null for a missing list.
const char* audio_destruirLista(uint32_t lista);

// The listener's global volume, 0 to 1000 (values outside are clamped).
int audio_mudarVolumeGlobal(int32_t valor);
int32_t audio_pegarVolumeGlobal();

// List timelines (module 4, model 2), started at the module's clock.
uint32_t audio_configurarLista();
uint32_t audio_config_criarPonto(uint32_t config, uint32_t alvo, int32_t modo);
const char* audio_config_passarTempo(uint32_t config, int32_t duracao);
// 0 when the list does not exist.
uint32_t audio_aplicarConfigLista(uint32_t config, uint32_t lista);
const char* audio_cancelarConfigLista(uint32_t aplicacao);
// Targets in the timeline's last step: continuous for the numbers, discrete
// for the followed entity and the actions.
const char* audio_config_mudarVolume(uint32_t config, int32_t valor);
const char* audio_config_mudarVelocidade(uint32_t config, int32_t valor);
const char* audio_config_mudarLocal(uint32_t config, uint32_t entidade);
const char* audio_config_mudarX(uint32_t config, int32_t valor);
const char* audio_config_mudarY(uint32_t config, int32_t valor);
const char* audio_config_mudarProfundidade(uint32_t config, int32_t valor);
const char* audio_config_mudarDistancia(uint32_t config, int32_t valor);
const char* audio_config_reproduzir(uint32_t config);
const char* audio_config_pausar(uint32_t config);
const char* audio_config_parar(uint32_t config);

#endif
