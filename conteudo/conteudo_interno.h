// What the files of the game content share: the nine model ids, the property
// numbers it addresses, and short ways to reach properties and data-module
// variables. The content keeps no other state of its own: everything it
// remembers lives in variables of the data module.
#ifndef MORVALEN_CONTEUDO_INTERNO_H
#define MORVALEN_CONTEUDO_INTERNO_H

#include <cstdint>

#include "engine/engine.h"

// Model ids, given in registration order (1 to 9).
extern uint32_t conteudoVazio, conteudoPersonagem, conteudoFim, conteudoEvento, conteudoJogador, conteudoPonte,
    conteudoTrampolim, conteudoSensor, conteudoLevel_0;

// Body properties (module 2, model 1) and figure properties (module 2, model 2).
enum {
    CONTEUDO_CORPO_X = 1,
    CONTEUDO_CORPO_Y = 2,
    CONTEUDO_CORPO_ROTACAO = 3,
    CONTEUDO_CORPO_ESCALA_X = 4,
    CONTEUDO_CORPO_ESCALA_Y = 5,
    CONTEUDO_CORPO_VELOCIDADE_X = 6,
    CONTEUDO_CORPO_VELOCIDADE_Y = 7,
    CONTEUDO_CORPO_FORCA_X = 9,
    CONTEUDO_CORPO_IMPULSO_Y = 13,
    CONTEUDO_CORPO_DINAMICO = 18,
    CONTEUDO_CORPO_PODE_RODAR = 19,
    CONTEUDO_FIGURA_ATRITO = 2,
    CONTEUDO_FIGURA_AMORTECIMENTO = 3,
};

// Print properties (module 3, model 1) and the camera's zoom (module 3, model 3).
enum {
    CONTEUDO_IMPRESSAO_QUADRO_X = 2,
    CONTEUDO_IMPRESSAO_QUADRO_Y = 3,
    CONTEUDO_IMPRESSAO_ENTIDADE = 26,
    CONTEUDO_IMPRESSAO_CAMADA = 27,
    CONTEUDO_IMPRESSAO_X = 28,
    CONTEUDO_IMPRESSAO_Y = 29,
    CONTEUDO_IMPRESSAO_LARGURA = 30,
    CONTEUDO_IMPRESSAO_ALTURA = 31,
    CONTEUDO_IMPRESSAO_COR = 33,
    CONTEUDO_IMPRESSAO_TRANSPARENCIA = 37,
    CONTEUDO_CAMERA_ZOOM = 3,
};

// Sound-list properties (module 4, model 2).
enum {
    CONTEUDO_LISTA_VOLUME = 1,
};

enum {
    CONTEUDO_MODELO_CORPO = 1,
    CONTEUDO_MODELO_FIGURA = 2,
    CONTEUDO_MODELO_IMPRESSAO = 1,
    CONTEUDO_MODELO_CAMERA = 3,
    CONTEUDO_MODELO_VARIAVEL = 1,
    CONTEUDO_MODELO_LISTA = 2,
};

// Properties. Error texts of the writes are ignored, as everywhere in the
// content; the few the engine allocates are released.
int32_t CONTEUDO_corpo(uint32_t entidade, uint32_t propriedade);
void CONTEUDO_mudarCorpo(uint32_t entidade, uint32_t propriedade, _engine_valor valor);
void CONTEUDO_mudarFigura(uint32_t figura, uint32_t propriedade, _engine_valor valor);
int32_t CONTEUDO_impressao(uint32_t impressao, uint32_t propriedade);
void CONTEUDO_mudarImpressao(uint32_t impressao, uint32_t propriedade, _engine_valor valor);

// Variables of a scope (an entity id, or 0 for the globals). A variable or
// element never written reads 0. Numbers are 32-bit; texts are kept by
// address with CONTEUDO_escreverTexto and read with CONTEUDO_lerTexto.
int32_t CONTEUDO_ler(uint32_t escopo, const char* nome);
int32_t CONTEUDO_lerEm(uint32_t escopo, const char* nome, uint32_t indice);
void CONTEUDO_escrever(uint32_t escopo, const char* nome, int32_t valor);
void CONTEUDO_escreverEm(uint32_t escopo, const char* nome, uint32_t indice, int32_t valor);
void CONTEUDO_escreverTexto(uint32_t escopo, const char* nome, const char* texto);
const char* CONTEUDO_lerTexto(uint32_t escopo, const char* nome);
// Size of an array variable: its highest index ever written.
uint32_t CONTEUDO_tamanho(uint32_t escopo, const char* nome);

// Expression nodes.
uint32_t CONTEUDO_constante(int32_t valor);
uint32_t CONTEUDO_operar(uint32_t a, int32_t operacao, uint32_t b);
uint32_t CONTEUDO_referenciaVariavel(uint32_t escopo, const char* nome);

// Timed events kept in a variable of the entity: the pending one is
// destroyed and a new one, calling the entity's function after atraso ms,
// takes its place; CONTEUDO_cancelarEvento only destroys and clears it.
void CONTEUDO_substituirEvento(uint32_t entidade, const char* variavel, const char* funcao, int32_t atraso);
void CONTEUDO_cancelarEvento(uint32_t entidade, const char* variavel);

// For a collision handler of `corpo` on behalf of `dono`: contacts with
// anything but the player's character are cancelled and ignored; the
// character is counted in and out ("colisões"), kept in "personagem" and
// told to report its size changes to `dono` while it is there. Answers 1
// when the character has just come in, -1 when it has just left, else 0.
int32_t CONTEUDO_acompanharJogador(uint32_t dono, uint32_t corpo);

// Timelines kept in a variable of the entity: destroys the one it holds and
// clears it.
void CONTEUDO_destruirConfig(uint32_t entidade, const char* variavel, uint32_t modulo, uint32_t modelo);

#endif
