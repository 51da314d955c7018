// The entity functions of the game content, registered by name; each takes
// the id of the entity it runs for and returns a null pointer, which nobody
// reads.
#ifndef MORVALEN_CONTEUDO_FUNCOES_H
#define MORVALEN_CONTEUDO_FUNCOES_H

#include <cstdint>

void* CONTEUDO_personagem_iniciar(uint32_t entidade);
void* CONTEUDO_personagem_colisao(uint32_t entidade);
void* CONTEUDO_personagem_virar(uint32_t entidade);
void* CONTEUDO_personagem_virou(uint32_t entidade);
void* CONTEUDO_personagem_desvirar(uint32_t entidade);
void* CONTEUDO_personagem_desvirou(uint32_t entidade);
void* CONTEUDO_personagem_pular(uint32_t entidade);
void* CONTEUDO_personagem_pulou(uint32_t entidade);
void* CONTEUDO_personagem_andar(uint32_t entidade);
void* CONTEUDO_personagem_parar(uint32_t entidade);
void* CONTEUDO_personagem_ligar(uint32_t entidade);
void* CONTEUDO_personagem_desligar(uint32_t entidade);
void* CONTEUDO_personagem_crescer(uint32_t entidade);
void* CONTEUDO_personagem_diminuir(uint32_t entidade);
void* CONTEUDO_personagem_mudou_tamanho(uint32_t entidade);
void* CONTEUDO_personagem_conferir_chao(uint32_t entidade);
void* CONTEUDO_personagem_tentar_crescer(uint32_t entidade);
void* CONTEUDO_personagem_voltar_ao_chao(uint32_t entidade);

void* CONTEUDO_fim_inicio(uint32_t entidade);
void* CONTEUDO_fim_colisao(uint32_t entidade);
void* CONTEUDO_fim_mudou_tamanho(uint32_t entidade);
void* CONTEUDO_fim_fim(uint32_t entidade);
void* CONTEUDO_fim_terra(uint32_t entidade);
void* CONTEUDO_fim_recolher(uint32_t entidade);

void* CONTEUDO_evento_iniciar(uint32_t entidade);
void* CONTEUDO_evento_colisao(uint32_t entidade);
void* CONTEUDO_evento_remover_ret(uint32_t entidade);
void* CONTEUDO_evento_mostrar_texto(uint32_t entidade);
void* CONTEUDO_evento_mostrou_texto(uint32_t entidade);
void* CONTEUDO_evento_pressionou(uint32_t entidade);

void* CONTEUDO_jogador_inicio(uint32_t entidade);
void* CONTEUDO_jogador_pressionar(uint32_t entidade);
void* CONTEUDO_jogador_soltar(uint32_t entidade);
void* CONTEUDO_jogador_parar(uint32_t entidade);
void* CONTEUDO_jogador_continuar(uint32_t entidade);

void* CONTEUDO_ponte_inicio(uint32_t entidade);
void* CONTEUDO_ponte_colisao(uint32_t entidade);
void* CONTEUDO_ponte_voltar(uint32_t entidade);

void* CONTEUDO_trampolim_inicio(uint32_t entidade);
void* CONTEUDO_trampolim_colisao(uint32_t entidade);
void* CONTEUDO_trampolim_mudou_tamanho(uint32_t entidade);
void* CONTEUDO_trampolim_cancelar_movimento(uint32_t entidade);
void* CONTEUDO_trampolim_pressionou(uint32_t entidade);
void* CONTEUDO_trampolim_pressionar(uint32_t entidade);
void* CONTEUDO_trampolim_soltar(uint32_t entidade);
void* CONTEUDO_trampolim_atirar(uint32_t entidade);

void* CONTEUDO_sensor_inicio(uint32_t entidade);
void* CONTEUDO_sensor_colisao(uint32_t entidade);

void* CONTEUDO_level_0_inicio(uint32_t entidade);
void* CONTEUDO_level_0_animar_tiles(uint32_t entidade);
void* CONTEUDO_level_0_gambiarra(uint32_t entidade);

#endif
