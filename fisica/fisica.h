// Physics module (engine module 2): one body per entity in a two-dimensional
// world over Bullet, bodies built from attached figures, collision records
// whose start, turn and end call entity functions, and body and figure
// properties read and written through the engine.
//
// Units: positions, sizes and offsets in tenths of a world unit (one world
// unit is one pixel at zoom 1000), velocities in tenths per second, rotation
// in tenths of a degree, angular velocity in thousandths of a radian per
// second, scale and mass in thousandths, damping in two-thousandths. World
// values read back are truncated toward zero: X written as 7 reads 6.
//
// While the world steps (and collision handlers run inside it) the world is
// locked: creating or destroying bodies, attaching or removing figures,
// polygon vertices, destroying figures, density, mass, the dynamic flag and
// the scale are queued and applied right after the step, in the order asked
// (later ordinary writes, handler registrations and timeline applications for
// a body with queued changes wait behind them).
// Reads inside the step still see the values from before the queued changes.
//
// No contact point survives from one frame to the next, and collisions,
// their handlers and the solver take pairs in the order of their entity ids.
// Destroying a body or a figure also ends the timelines running on it and
// takes it out of the expressions, so a record made later under its id
// starts clean.
#ifndef MORVALEN_FISICA_H
#define MORVALEN_FISICA_H

#include <cstdint>

class btRigidBody;
class btConvexShape;
class btConvex2dShape;

// Body properties (model 1, instance = entity id).
enum {
    FISICA_X = 1,
    FISICA_Y,
    FISICA_ROTACAO,
    FISICA_ESCALA_X,
    FISICA_ESCALA_Y,
    FISICA_VELOCIDADE_X,
    FISICA_VELOCIDADE_Y,
    FISICA_VELOCIDADE_ROT,
    FISICA_FORCA_X,
    FISICA_FORCA_Y,
    FISICA_TORCAO,
    FISICA_IMPULSO_X,
    FISICA_IMPULSO_Y,
    FISICA_IMPULSO_ROT,
    FISICA_DIFICULDADE_MOV,
    FISICA_DIFICULDADE_ROT,
    FISICA_MASSA,
    FISICA_DINAMICO,
    FISICA_PODE_RODAR,
};

// Figure properties (model 2, instance = figure id).
enum {
    FISICA_FIGURA_DENSIDADE = 1,
    FISICA_FIGURA_ATRITO,
    FISICA_FIGURA_AMORTECIMENTO,
};

// Figure kinds.
enum {
    FISICA_RETANGULO = 0,
    FISICA_CIRCULO = 1,
    FISICA_LINHA = 2,
    FISICA_POLIGONO = 3,
};

// One body; its position in fisicaCorpos is its entity id. The body owns its
// btRigidBody, motion state and compound (whose children are the wrappers of
// the attached figures).
struct _fisica_corpo {
    btRigidBody* corpo;
    char dinamico;          // 'S' dynamic, anything else kinematic
    int32_t massa;          // thousandths
    int32_t forcaX, forcaY; // applied every frame as value x 100
    int32_t torcao;
    uint32_t configuracoes; // integer vector: body timeline applications
    uint32_t tratadores;    // pointer vector of _fisica_tratador
    char reinserir;         // 'S': its shape or kind changed; the next frame re-adds it
};

// A figure: one library shape shared by every attachment of it.
struct _fisica_figura {
    int32_t tipo;
    btConvexShape* forma;
    int32_t densidade;
    int32_t atrito;
    int32_t amortecimento;
    uint32_t anexos;  // pointer vector of _fisica_figuraAnexada, in the order made
};

// One attachment of a figure to a body: the 2-D wrapper that sits in the
// body's compound (its user pointer is this record) and its offset in world
// units before the body's scaling.
struct _fisica_figuraAnexada {
    uint32_t figura;
    uint32_t entidade;
    btConvex2dShape* forma2d;
    float deslocamentoX, deslocamentoY;
    uint32_t colisaoRecente;  // the collision this side was last seen in, to find it again quickly
    int32_t atrito, amortecimento;  // the figure's, copied here for the contact hook
};

// A collision between two attachments; side 1 has the lower entity id (the
// lower figure id within one entity).
struct _fisica_colisao {
    uint32_t tempo;  // module clock at the last contact point
    uint32_t figura1, entidade1;
    int32_t x1, y1;  // last contact point in side 1's body frame, thousandths
    uint32_t figura2, entidade2;
    int32_t x2, y2;
    int32_t angulo;          // 0..3599 tenths of a degree, side 1 towards side 2
    int32_t anguloAnterior;  // angulo at the last report
    int32_t impactoX, impactoY;
    char cancelada;
};

// A collision handler registered on a body. Its name is a copy stored right
// behind the record.
struct _fisica_tratador {
    uint32_t entidade;
    const char* nome;
    uint64_t numero;  // unique for the life of the process
};

// Module.
int fisica_iniciar(char log, int32_t taxa);
int fisica_atualizar(int32_t d);
int fisica_finalizar();
int FISICA_logar(const char* texto, int32_t valor);

// Bodies.
uint32_t fisica_criarCorpo(uint32_t entidade, int32_t x, int32_t y);
char fisica_existeCorpo(uint32_t entidade);
_fisica_corpo* fisica_corpo(uint32_t entidade);
const char* fisica_destruirCorpo(uint32_t entidade);

// Body timelines.
uint32_t fisica_configurarCorpo();
int32_t fisica_config_criarPonto(uint32_t config, uint32_t alvo, int32_t modo);
const char* fisica_config_passarTempo(uint32_t config, int32_t duracao);
uint32_t fisica_aplicarConfiguracao(uint32_t config, uint32_t entidade);
const char* fisica_cancelarConfiguracao(uint32_t aplicacao);

// Figures and attachments.
uint32_t fisica_criarRetangulo(int32_t largura, int32_t altura);
uint32_t fisica_criarCirculo(uint32_t raio);
uint32_t fisica_criarLinha(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
uint32_t fisica_criarPoligono();
const char* fisica_poligono_adicionarPonto(uint32_t figura, int32_t x, int32_t y);
const char* fisica_anexarFigura(uint32_t entidade, uint32_t figura, int32_t x, int32_t y);
const char* fisica_removerFiguraAnexada(uint32_t entidade, uint32_t figura);
const char* fisica_destruirFigura(uint32_t figura);
_fisica_figura* fisica_figura(uint32_t figura);

// Figure timelines.
uint32_t fisica_configurarFigura();
int32_t fisica_configFigura_criarPonto(uint32_t config, uint32_t alvo, int32_t modo);
const char* fisica_configFigura_passarTempo(uint32_t config, int32_t duracao);
uint32_t fisica_aplicarConfigFigura(uint32_t config, uint32_t figura);
const char* fisica_cancelarConfigFigura(uint32_t aplicacao);

// Collision handlers and the event being reported. Start and turn reports
// arrive from inside the world step, end reports right after it, at most one
// per frame.
const char* fisica_tratarColisoes(uint32_t entidade, uint32_t corpo, const char* nome);
const char* fisica_pararDeTratarColisoes(uint32_t entidade, uint32_t corpo);
uint32_t fisica_colisaoDoEvento();
char fisica_iniciandoColisao();
char fisica_terminandoColisao();

// Collision queries; a collision id without a record reads 0 ('N' for the
// yes/no queries).
uint32_t fisica_colisao_pegarPrimeiroCorpo(uint32_t colisao);
uint32_t fisica_colisao_pegarSegundoCorpo(uint32_t colisao);
uint32_t fisica_colisao_pegarOutroCorpo(uint32_t colisao, uint32_t corpo);
uint32_t fisica_colisao_pegarFigura(uint32_t colisao, uint32_t corpo);
int32_t fisica_colisao_pegarX(uint32_t colisao, uint32_t corpo);
int32_t fisica_colisao_pegarY(uint32_t colisao, uint32_t corpo);
int32_t fisica_colisao_pegarAngulo(uint32_t colisao, uint32_t corpo);
int32_t fisica_colisao_pegarImpactoX(uint32_t colisao, uint32_t corpo);
int32_t fisica_colisao_pegarImpactoY(uint32_t colisao, uint32_t corpo);
char fisica_colisao_pegarCancelada(uint32_t colisao);
const char* fisica_colisao_mudarCancelada(uint32_t colisao, char c);
char fisica_colisao_comFigura(uint32_t colisao, uint32_t corpo, uint32_t figura);
char fisica_colisao_entreCorpos(uint32_t colisao, uint32_t corpo1, uint32_t corpo2);

// Overlap queries. The entity's figures, scaled to `escala` thousandths
// (from its present scale on X, uniformly, about the body's origin) and
// moved by (dx, dy), against the figures of every other body where the last
// step left them: the number of bodies they would overlap by more than
// `folga`, and the first `maximo` of their ids, in ascending order, in
// `corpos`. The body itself is neither moved nor rescaled. Answers 0 for an
// entity without a body and while the world steps.
uint32_t fisica_sobreposicoes(uint32_t entidade, int32_t escala, int32_t dx, int32_t dy, int32_t folga,
                              uint32_t* corpos, uint32_t maximo);

#endif
