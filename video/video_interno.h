// Records, state and internal operations of the video module, shared by its
// files (module and window, prints, images and animations, fonts and texts,
// particle systems and links, cameras, layout and drawing).
#ifndef MORVALEN_VIDEO_INTERNO_H
#define MORVALEN_VIDEO_INTERNO_H

#include <cstdint>

#include "engine/engine.h"
#include "video/video.h"

namespace sf {
class Font;
class Image;
class Text;
class Texture;
class InputStream;
class View;
}  // namespace sf

// Models of module 3.
enum {
    VIDEO_MODELO_IMPRESSAO = 1,
    VIDEO_MODELO_REFERENCIA = 2,
    VIDEO_MODELO_CAMERA = 3,
};

// Kinds of print, fixed for a print's life.
enum {
    VIDEO_TIPO_ANIMACAO = 0,
    VIDEO_TIPO_ESCRITURA = 1,
    VIDEO_TIPO_PARTICULAS = 2,
};

// The layer every creator files its print in.
const int32_t VIDEO_CAMADA_INICIAL = 10000;

// A layer: prints and links drawn together; higher numbers lie in front.
struct _video_camada {
    int32_t numero;
    uint32_t impressoes;  // integer vector (module 3): print handles in drawing order
    uint32_t ligacoes;    // integer vector (module 3): link handles, drawn before the prints
};

// One drawable item. Its handle in videoImpressoes is the instance number of
// model 1's properties.
struct _video_impressao {
    int32_t entidade;  // followed body, 0 none
    int32_t camada;
    int32_t X, Y;      // world units (tenths of a pixel)
    int32_t Largura, Altura;
    int32_t Rotacao;   // tenths of a degree
    int32_t Vermelho, Verde, Azul;  // thousandths, stored as given
    int32_t Transparencia;          // 0 opaque to 1000 invisible
    int32_t tipoImpressao;
    void* registro;       // the kind record, owned
    uint32_t sistema;     // particle system owning this print as a particle, 0 none
    uint32_t ligacao;     // link owning this print as a piece, 0 none
    uint32_t identificador;
    int32_t usos;         // particle systems and links using it as their base
};

// An image from the archive, shared by every opener of its name.
struct _video_textura {
    sf::Image* imagem;
    sf::Texture* textura;  // the whole image on the graphics card; made on first use, shared by its prints
    char* nome;            // own copy of the resource name
    uint32_t colunas, linhas;  // frame grid, both above 0
    int32_t reaberturas;
};

// One screen region of the current frame, made by the camera layout: the
// view that shows it (owned) and the world rectangle it shows, in pixels.
struct _video_regiao {
    sf::View* vista;
    float esquerda, direita, cima, baixo;
};

// A camera. Zoom, X, Y and referencias are its own; every other field is
// rewritten by the camera layout each frame before it is read.
struct _video_camera {
    int32_t Zoom;  // thousandths, 1000 = one world pixel per pixel
    int32_t X, Y;  // world units: the top-left corner, or the widening of a followed area
    int32_t larguraArea, alturaArea;
    char marca;
    int32_t larguraMax, alturaMax;  // share of the internal picture
    int32_t deslocamentoX, deslocamentoY;
    int32_t esquerda, direita, cima, baixo;  // world area this frame
    float telaEsquerda, telaDireita, telaCima, telaBaixo;  // viewport, fractions of the window
    uint32_t referencias;  // integer vector (module 3): reference handles in the order added
    // The area its references gave at the last frame in which one of them
    // could be read, so that a camera whose bodies are all gone stays put.
    char temSeguida;
    int32_t seguidaEsquerda, seguidaDireita, seguidaCima, seguidaBaixo;
};

// A followed body and the room, in pixels, kept visible around it.
struct _video_referencia {
    int32_t MargemEsq, MargemDir, MargemCim, MargemBai;
    uint32_t entidade;
};

// Kind record of an animation print: one frame of an image's grid.
struct _video_animacao {
    uint32_t textura;  // image handle
    int32_t QuadroX, QuadroY;
};

// A font from the archive; the font reads its glyphs from the stream for as
// long as it lives, so both are released together.
struct _video_fonte {
    sf::Font* objetoFonte;
    sf::InputStream* fluxo;
    char* nome;  // own copy of the resource name
    int32_t reaberturas;
};

// Kind record of a text print.
struct _video_escritura {
    sf::Text* objetoTexto;  // owned; has no font once its font has been closed
    uint32_t fonte;         // 0 once its font has been closed
    uint32_t tamanho;       // character size in pixels
    char negrito, italico, sublinhado;
    char* texto;            // own copy of the UTF-8 text
};

// Module state.
extern int32_t videoLarguraInterna, videoAlturaInterna;
extern int32_t videoLargura, videoAltura;
extern sf::RenderWindow* videoJanela;
extern uint32_t videoTempo;
extern char videoLog, videoTelaCheia, videoVSync, videoCursor;
extern const char* videoTitulo;
extern bool videoIniciado;
// Containers in module 3's pool.
extern uint32_t videoCameras, videoReferencias, videoRegioes, videoTexturas, videoFontes, videoCamadas,
    videoImpressoes, videoLigacoes;

extern const char VIDEO_ERRO_IMPRESSAO[];   // "Impressao invalida"
extern const char VIDEO_ERRO_CAMADA[];      // "Camada invalida"
extern const char VIDEO_ERRO_ANIMACAO[];    // "Animacao invalida"
extern const char VIDEO_ERRO_TEXTURA[];     // "Textura invalida"
extern const char VIDEO_ERRO_ESCRITURA[];   // "Escritura invalida"
extern const char VIDEO_ERRO_FONTE[];       // "Fonte invalida"
extern const char VIDEO_ERRO_PARTICULAS[];  // "Sistema de particulas invalido"
extern const char VIDEO_ERRO_CAMERA[];      // "Camera invalida"
extern const char VIDEO_ERRO_REFERENCIA[];  // "Referencia invalida"
extern const char VIDEO_ERRO_INICIO[];      // "Modulo de video nao iniciado"

void VIDEO_logar(const char* texto, int32_t valor);

// Layers, kept sorted by number in videoCamadas.
_video_camada* VIDEO_acharCamada(int32_t numero);  // null when there is none
_video_camada* VIDEO_pegarCamada(int32_t numero);  // created on demand; null when it cannot be stored
void VIDEO_soltarCamadaSeVazia(_video_camada* camada);
// Removes the last entry of the handle from the layer's print list; false when absent.
bool VIDEO_camada_retirarImpressao(_video_camada* camada, uint32_t handle);

// Write-only and read-only placeholders.
_engine_valor VIDEO_pegar(uint32_t instancia);
const char* VIDEO_mudar(uint32_t instancia, _engine_valor valor);

// Prints.
_video_impressao* VIDEO_pegarImpressao(uint32_t handle);
_video_animacao* VIDEO_pegarAnimacao(uint32_t handle);    // null unless an animation print
_video_escritura* VIDEO_pegarEscritura(uint32_t handle);  // null unless a text print
const char* VIDEO_construirImpressao(_video_impressao* impressao, int32_t tipo, uint32_t handle);
// Stores a new print of the kind in videoImpressoes, constructed and filed;
// null when it cannot be stored (nothing is left behind).
_video_impressao* VIDEO_criarImpressao(int32_t tipo);

_engine_valor VIDEO_impressao_pegarEntidade(uint32_t i);
_engine_valor VIDEO_impressao_pegarCamada(uint32_t i);
_engine_valor VIDEO_impressao_pegarX(uint32_t i);
_engine_valor VIDEO_impressao_pegarY(uint32_t i);
_engine_valor VIDEO_impressao_pegarLargura(uint32_t i);
_engine_valor VIDEO_impressao_pegarAltura(uint32_t i);
_engine_valor VIDEO_impressao_pegarRotacao(uint32_t i);
_engine_valor VIDEO_impressao_pegarCor(uint32_t i);
_engine_valor VIDEO_impressao_pegarVermelho(uint32_t i);
_engine_valor VIDEO_impressao_pegarVerde(uint32_t i);
_engine_valor VIDEO_impressao_pegarAzul(uint32_t i);
_engine_valor VIDEO_impressao_pegarTransparencia(uint32_t i);
const char* VIDEO_impressao_mudarEntidade(uint32_t i, _engine_valor v);
const char* VIDEO_impressao_mudarCamada(uint32_t i, _engine_valor v);
const char* VIDEO_impressao_mudarX(uint32_t i, _engine_valor v);
const char* VIDEO_impressao_mudarY(uint32_t i, _engine_valor v);
const char* VIDEO_impressao_mudarLargura(uint32_t i, _engine_valor v);
const char* VIDEO_impressao_mudarAltura(uint32_t i, _engine_valor v);
const char* VIDEO_impressao_mudarRotacao(uint32_t i, _engine_valor v);
const char* VIDEO_impressao_mudarCor(uint32_t i, _engine_valor v);
const char* VIDEO_impressao_mudarVermelho(uint32_t i, _engine_valor v);
const char* VIDEO_impressao_mudarVerde(uint32_t i, _engine_valor v);
const char* VIDEO_impressao_mudarAzul(uint32_t i, _engine_valor v);
const char* VIDEO_impressao_mudarTransparencia(uint32_t i, _engine_valor v);
const char* VIDEO_impressao_destruirImpressao(uint32_t i, _engine_valor v);

int32_t VIDEO_valorHex(char c);
char VIDEO_charHex(int32_t valor);
char* VIDEO_codigoHex(int32_t valor);
char* VIDEO_codigoCor(int32_t vermelho, int32_t verde, int32_t azul);

// Images and animation prints.
_video_textura* VIDEO_pegarTextura(uint32_t handle);
// The image's texture, uploaded on the first call; null for an unknown image
// or when the upload fails.
sf::Texture* VIDEO_textura_pegarTexturaCarregada(uint32_t handle);

_engine_valor VIDEO_animacao_pegarTextura(uint32_t i);
_engine_valor VIDEO_animacao_pegarQuadroX(uint32_t i);
_engine_valor VIDEO_animacao_pegarQuadroY(uint32_t i);
const char* VIDEO_animacao_mudarTextura(uint32_t i, _engine_valor v);
const char* VIDEO_animacao_mudarQuadroX(uint32_t i, _engine_valor v);
const char* VIDEO_animacao_mudarQuadroY(uint32_t i, _engine_valor v);

// Fonts and text prints.
_video_fonte* VIDEO_pegarFonte(uint32_t handle);
// Fills the copy's record from the source's: its own text, the same font and
// style, a text object of its own; the copy's size is not measured again.
// False when memory runs out (the copy's record is then left empty).
bool VIDEO_escritura_copiar(const _video_escritura* origem, _video_escritura* copia);
void VIDEO_escritura_liberar(_video_escritura* escritura);

_engine_valor VIDEO_escritura_pegarFonte(uint32_t i);
_engine_valor VIDEO_escritura_pegarTamanho(uint32_t i);
_engine_valor VIDEO_escritura_pegarNegrito(uint32_t i);
_engine_valor VIDEO_escritura_pegarItalico(uint32_t i);
_engine_valor VIDEO_escritura_pegarSublinhado(uint32_t i);
_engine_valor VIDEO_escritura_pegarTexto(uint32_t i);
const char* VIDEO_escritura_mudarFonte(uint32_t i, _engine_valor v);
const char* VIDEO_escritura_mudarTamanho(uint32_t i, _engine_valor v);
const char* VIDEO_escritura_mudarNegrito(uint32_t i, _engine_valor v);
const char* VIDEO_escritura_mudarItalico(uint32_t i, _engine_valor v);
const char* VIDEO_escritura_mudarSublinhado(uint32_t i, _engine_valor v);
const char* VIDEO_escritura_mudarTexto(uint32_t i, _engine_valor v);

// ------------------------------------------------ particle systems and links

// Kind record of a particle-system print: what it emits, how, and its live
// particles.
struct _video_particulas {
    uint32_t base;           // the print copied for every particle
    uint32_t configuracoes;  // integer vector (module 3): print timelines started on each new particle
    int32_t Tipo;            // emission area: 0 ellipse, other rectangle
    int32_t Centralidade;    // -1000 toward the rim .. 1000 toward the centre
    int32_t xAnterior, yAnterior, rotacaoAnterior;  // the body at the previous emitting frame
    int32_t VelocidadeX, VelocidadeY;               // hundredths of a pixel per second
    int32_t MargemVelocidadeX, MargemVelocidadeY;   // width of the random range, same unit
    int32_t Estagnacao;      // -1000 .. 1000: shapes the random part of the velocity
    int32_t AceleracaoX, AceleracaoY;  // a frame of d ms adds d * value / 100000 to the velocity
    int32_t Frequencia;      // thousandths of a particle per second
    int32_t Constancia;      // 0 .. 1000: 1000 emits exactly what is due
    int32_t acumulador;      // fraction of a particle carried over, 2^31 = one
    uint32_t particulas;     // pointer vector (module 3) of _video_particula, oldest first
    int32_t indiceEmissao;
    char destruindo;         // 'S' once its destruction was asked for: it drains, then goes
};

// One live particle: its own print (a copy of the base) and its motion.
struct _video_particula {
    uint32_t impressao;
    float rotacao;  // tenths of a degree
    float x, y;     // pixels
    int32_t velocidadeX, velocidadeY;  // hundredths of a pixel per second
    int32_t escalaX, escalaY;          // the body's scale at birth
};

// A chain of copies of a print stretched between two bodies.
struct _video_ligacao {
    uint32_t entidadeA, entidadeB;
    int32_t FormaPreenchimento;   // 0 pieces of a fixed length, 1 a fixed number of pieces
    uint32_t ValorPreenchimento;  // form 0: piece length in pixels; form 1: number of pieces
    uint32_t base;
    uint32_t copias;              // integer vector (module 3): piece prints from A to B
    int32_t camada;
    uint32_t identificador;
};

// Where a link's pieces go this frame: the count, the step between pieces
// (world units), their fixed height, the cut of the last one and their
// rotation (tenths of a degree).
struct _video_ligacaoMedida {
    uint32_t n;
    int32_t gx, gy;
    int32_t alturaFixa;
    int32_t corte;
    int32_t rotacao;
};

// Bounds on what particle systems may allocate: particles emitted by one
// system in one frame, live particles of all systems together, and systems
// drawn inside the particles of other systems.
const uint32_t VIDEO_PARTICULAS_POR_QUADRO = 1000;
const uint32_t VIDEO_PARTICULAS_VIVAS = 10000;
const uint32_t VIDEO_PARTICULAS_PROFUNDIDADE = 8;
// Pieces of one link.
const uint32_t VIDEO_LIGACAO_PECAS = 10000;

extern uint32_t videoParticulasVivas;  // live particles of all systems
extern const char VIDEO_ERRO_LIGACAO[];  // "Ligacao invalida"

_video_particulas* VIDEO_pegarParticulas(uint32_t handle);  // null unless a particle system
_video_ligacao* VIDEO_pegarLigacao(uint32_t handle);
// The print becomes (one more time) the base of a system or link: at its
// first use it leaves its layer, which stays even when left empty.
void VIDEO_impressao_ganharUso(_video_impressao* base);
void VIDEO_impressao_perderUso(uint32_t base);
// A particle or a link piece leaves its owner and takes the owner's layer
// number; it is filed nowhere.
void VIDEO_impressao_soltarDoDono(_video_impressao* p);
// Destroys a print for good: a particle system that the first request only
// set draining is destroyed by a second one.
void VIDEO_destruirDeVez(uint32_t handle);
// Files a print at the end of its layer's list (created on demand); false
// when it cannot.
bool VIDEO_impressao_arquivar(_video_impressao* p);
// Fills a copy's record from the source's (same base, one more use; the
// source's parameters and timeline list; no particles). False when memory
// runs out (nothing is left behind).
bool VIDEO_particulas_copiar(const _video_particulas* origem, _video_particulas* copia, int32_t entidade);
// Releases what the system owns: its timeline list, its particles' prints,
// its particle list and one use of its base.
void VIDEO_particulas_liberar(_video_impressao* sistema);
// The body's position and rotation now, from which the next frame spreads
// its particles; 0 for no body.
void VIDEO_particulas_guardarCorpo(_video_particulas* s, int32_t entidade);
// Emits, moves and draws the system's particles: see video_particulas.cpp.
const char* VIDEO_desenharParticulas(_video_impressao* sistema, _video_particulas* s, int32_t bx, int32_t by,
                                     int32_t rotacao, int32_t escX, int32_t escY, int32_t alturaFixa, int32_t corte,
                                     uint32_t d);
// The link's pieces for bodies A and B at the given positions.
void VIDEO_ligacao_medir(const _video_ligacao* l, int32_t xA, int32_t yA, int32_t xB, int32_t yB,
                         _video_ligacaoMedida* m);
// Where piece i (1-based) of the measured chain stands, its rotation and cut.
void VIDEO_ligacao_posicionarPeca(const _video_ligacaoMedida* m, int32_t xA, int32_t yA, uint32_t i, int32_t* x,
                                  int32_t* y, int32_t* rotacao, int32_t* corte);
const char* VIDEO_desenharLigacao(_video_ligacao* l, uint32_t d);

// Particle-system properties (prints of kind 2).
_engine_valor VIDEO_particulas_pegarImpressao(uint32_t i);
_engine_valor VIDEO_particulas_pegarTipo(uint32_t i);
_engine_valor VIDEO_particulas_pegarCentralidade(uint32_t i);
_engine_valor VIDEO_particulas_pegarVelocidadeX(uint32_t i);
_engine_valor VIDEO_particulas_pegarVelocidadeY(uint32_t i);
_engine_valor VIDEO_particulas_pegarMargemVelocidadeX(uint32_t i);
_engine_valor VIDEO_particulas_pegarMargemVelocidadeY(uint32_t i);
_engine_valor VIDEO_particulas_pegarEstagnacao(uint32_t i);
_engine_valor VIDEO_particulas_pegarAceleracaoX(uint32_t i);
_engine_valor VIDEO_particulas_pegarAceleracaoY(uint32_t i);
_engine_valor VIDEO_particulas_pegarFrequencia(uint32_t i);
_engine_valor VIDEO_particulas_pegarConstancia(uint32_t i);
_engine_valor VIDEO_particulas_pegarNumeroParticulas(uint32_t i);
const char* VIDEO_particulas_mudarImpressao(uint32_t i, _engine_valor v);
const char* VIDEO_particulas_adicionarConfiguracao(uint32_t i, _engine_valor v);
const char* VIDEO_particulas_removerConfiguracao(uint32_t i, _engine_valor v);
const char* VIDEO_particulas_limparConfiguracoes(uint32_t i, _engine_valor v);
const char* VIDEO_particulas_mudarTipo(uint32_t i, _engine_valor v);
const char* VIDEO_particulas_mudarCentralidade(uint32_t i, _engine_valor v);
const char* VIDEO_particulas_mudarVelocidadeX(uint32_t i, _engine_valor v);
const char* VIDEO_particulas_mudarVelocidadeY(uint32_t i, _engine_valor v);
const char* VIDEO_particulas_mudarMargemVelocidadeX(uint32_t i, _engine_valor v);
const char* VIDEO_particulas_mudarMargemVelocidadeY(uint32_t i, _engine_valor v);
const char* VIDEO_particulas_mudarEstagnacao(uint32_t i, _engine_valor v);
const char* VIDEO_particulas_mudarAceleracaoX(uint32_t i, _engine_valor v);
const char* VIDEO_particulas_mudarAceleracaoY(uint32_t i, _engine_valor v);
const char* VIDEO_particulas_mudarFrequencia(uint32_t i, _engine_valor v);
const char* VIDEO_particulas_mudarConstancia(uint32_t i, _engine_valor v);

// Drawing. Each draws nothing without an open window.
int32_t VIDEO_desenharCamadas(uint32_t d);  // the frame's layers; the count drawn
int VIDEO_desenharCamada(_video_camada* camada, uint32_t d);
int VIDEO_desenharImpressao(_video_impressao* impressao, int32_t X, int32_t Y, int32_t rot, int32_t escX,
                            int32_t escY, int32_t alturaFixa, int32_t corte, uint32_t d);
// Null, or "Textura n\xE3o encontrada" when the print shows no open image.
const char* VIDEO_desenharAnimacao(_video_impressao* impressao, _video_animacao* animacao, int32_t X, int32_t Y,
                                   int32_t rot, int32_t escX, int32_t escY, int32_t alturaFixa, float corte);
int VIDEO_desenharEscritura(_video_impressao* impressao, _video_escritura* escritura, int32_t X, int32_t Y,
                            int32_t rot, int32_t escX, int32_t escY, int32_t alturaFixa, uint32_t corte);
// Turns n points about the origin by an angle in tenths of a degree.
void VIDEO_rodar(float* x, float* y, uint32_t n, int32_t angulo);
// Sorts four points by y, each x moving with its y.
void VIDEO_ordenar4Y(float* x, float* y);
// The quad of half sizes hw, hh around (ox, oy), cut: turned by the
// rotation, the part from its top down to corte/10 pixels (the line at the
// turned centre's y + corte/10 - hh) is kept, then turned back. Writes
// 3 to 5 points and returns their count.
uint32_t VIDEO_cortarQuad(float ox, float oy, float hw, float hh, int32_t rotacao, float corte, float* x, float* y);

// Cameras and references.
_video_camera* VIDEO_pegarCamera(uint32_t handle);
// The frame's layout: rebuilds videoRegioes from the cameras; returns 1.
int VIDEO_configurarCameras();
// Deletes every region (and its view).
void VIDEO_limparRegioes();
_video_referencia* VIDEO_pegarReferencia(uint32_t handle);

// Reference (model 2) and camera (model 3) properties.
_engine_valor VIDEO_referencia_pegarMargemEsq(uint32_t i);
_engine_valor VIDEO_referencia_pegarMargemDir(uint32_t i);
_engine_valor VIDEO_referencia_pegarMargemCim(uint32_t i);
_engine_valor VIDEO_referencia_pegarMargemBai(uint32_t i);
const char* VIDEO_referencia_mudarMargemEsq(uint32_t i, _engine_valor v);
const char* VIDEO_referencia_mudarMargemDir(uint32_t i, _engine_valor v);
const char* VIDEO_referencia_mudarMargemCim(uint32_t i, _engine_valor v);
const char* VIDEO_referencia_mudarMargemBai(uint32_t i, _engine_valor v);
_engine_valor VIDEO_camera_pegarX(uint32_t i);
_engine_valor VIDEO_camera_pegarY(uint32_t i);
_engine_valor VIDEO_camera_pegarZoom(uint32_t i);
const char* VIDEO_camera_mudarX(uint32_t i, _engine_valor v);
const char* VIDEO_camera_mudarY(uint32_t i, _engine_valor v);
const char* VIDEO_camera_mudarZoom(uint32_t i, _engine_valor v);

#endif
