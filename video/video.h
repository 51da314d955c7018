// Video module (engine module 3): the window, layers of prints (animations
// cut from archive images, texts in archive fonts), images and fonts.
//
// Prints are instances of model 1; their properties are reached through the
// engine (engine_propriedade_pegarValor / engine_propriedade_mudarValor).
// Functions called before a successful video_iniciar refuse: int results -1,
// handles 0, error texts "Modulo de video nao iniciado".
#ifndef MORVALEN_VIDEO_H
#define MORVALEN_VIDEO_H

#include <cstdint>

namespace sf {
class RenderWindow;
}

// Registers the module and its properties and keeps the window's address; it
// touches neither the window nor the display (the window may not be
// constructed yet). Null, or the registration's error text.
const char* video_iniciar(char log, char telaCheia, char vsync, sf::RenderWindow* janela);
// (Re)creates the window: desktop size unless a size was set, title
// "Morvalen", full screen when asked, the internal picture stretched over it.
int video_criarJanela();
int video_mudarTelaCheia(char telaCheia);
// Sizes of 0 or less are refused (-1) and change nothing.
int video_mudarLargura(int32_t largura);
int video_mudarAltura(int32_t altura);
// One frame of d milliseconds (nothing at all when d <= 0): the video clock
// advances by d, the cameras become screen regions, camera timelines then
// print timelines advance, and the layers are drawn back to front on the
// cleared window, which is then shown.
int video_atualizar(int32_t d);
int video_finalizar();

// Window size in pixels; 0 until the window is first created (the desktop
// size is read then) unless a size was set.
int32_t video_pegarLargura();
int32_t video_pegarAltura();
int32_t video_pegarLarguraInterna();
int32_t video_pegarAlturaInterna();
// Sizes of 0 or less are refused (-1); the new size reaches the window's
// view at the next window creation.
int video_mudarLarguraInterna(int32_t largura);
int video_mudarAlturaInterna(int32_t altura);
char video_pegarTelaCheia();

// Prints. A copy is filed in no layer; its owner draws it.
uint32_t video_copiarImpressao(uint32_t impressao);
const char* video_destruirImpressao(uint32_t impressao);

// Images: the name is copied; a name already open shares its image and the
// grid of its first open. The n-th close of an image opened n times removes
// it. A first open with 0 columns or rows, a missing entry or an undecodable
// picture gives 0.
uint32_t video_abrirImagem(const char* nome, uint32_t colunas, uint32_t linhas);
const char* video_destruirTextura(uint32_t textura);
// An animation print showing frame (0, 0) at its natural size; 0 on failure.
uint32_t video_criarAnimacao(uint32_t textura);

// Fonts: the name is copied; a name already open shares its font. Closing
// the last open leaves the fonts' texts without a font (they draw nothing).
uint32_t video_abrirFonte(const char* nome);
const char* video_fecharFonte(uint32_t fonte);
// A text print of that UTF-8 text (copied; the caller keeps its own) at a
// character size in pixels (2048 at most), measured; 0 on failure.
uint32_t video_criarEscritura(uint32_t fonte, const char* texto, uint32_t tamanho);

// Particle systems: a print (filed in layer 10000) that emits copies of its
// base print every frame, configured through properties 1.10 to 1.25. The
// base leaves its layer and cannot be destroyed while it is used. The
// first destroy of a system stops its emission and lets its particles live
// on; the drawing removes it once they are gone, a second destroy at once.
// 0 when the base does not exist.
uint32_t video_criarParticulas(uint32_t base);

// Links: a chain of copies of a print between bodies A and B, drawn in
// layer 10000 before its prints. 0 when a body or the base does not exist.
uint32_t video_criarLigacao(uint32_t entidadeA, uint32_t entidadeB, uint32_t base);
// Form 0: pieces of `valor` pixels from A toward B, the last one cut; form
// 1: `valor` pieces stretched over the distance.
const char* video_ligacao_mudarPreenchimento(uint32_t ligacao, int32_t forma, uint32_t valor);
int32_t video_ligacao_pegarFormaPreenchimento(uint32_t ligacao);
uint32_t video_ligacao_pegarValorPreenchimento(uint32_t ligacao);
uint32_t video_ligacao_pegarImpressao(uint32_t ligacao);
// A new base: the pieces of the old one go, the next frame makes new ones.
const char* video_ligacao_mudarImpressao(uint32_t ligacao, uint32_t impressao);
// Null also for a link that does not exist.
const char* video_destruirLigacao(uint32_t ligacao);

// Cameras and references. A camera without references shows the area whose
// top-left corner is its X, Y; with references it keeps every referenced
// body in view with its margins. Handles are also the instances of models 3
// (X 3.1, Y 3.2, Zoom 3.3) and 2 (margins 2.1 to 2.4, in pixels).
uint32_t video_criarCamera();
uint32_t video_criarReferencia(uint32_t corpo);
// The list's new length; 0 when the camera or the reference does not exist.
uint32_t video_camera_adicionarReferencia(uint32_t camera, uint32_t referencia);
// Destroying either cancels the timelines that drive it; a destroyed
// reference leaves every camera's list.
const char* video_destruirCamera(uint32_t camera);
const char* video_destruirReferencia(uint32_t referencia);
const char* video_camera_mudarX(uint32_t camera, uint32_t valor);
const char* video_camera_mudarY(uint32_t camera, uint32_t valor);
const char* video_camera_mudarZoom(uint32_t camera, uint32_t valor);
const char* video_referencia_mudarMargemEsq(uint32_t referencia, uint32_t valor);
const char* video_referencia_mudarMargemDir(uint32_t referencia, uint32_t valor);
const char* video_referencia_mudarMargemCim(uint32_t referencia, uint32_t valor);
const char* video_referencia_mudarMargemBai(uint32_t referencia, uint32_t valor);

// Video timelines. Print timelines (model 1) are built, started and
// cancelled here; camera timelines (model 3) are made and started with the
// engine's calls (engine_criarConfig(3, 3), engine_config_aplicar(3, 3, ...)),
// and their steps filled here. Print timelines start at the video clock.
// Destroying a print cancels the applications that run on it.
uint32_t video_configurarImpressao();
uint32_t video_configuracao_impressao_criarPonto(uint32_t config, uint32_t alvo, int32_t modo);
const char* video_configuracao_impressao_passarTempo(uint32_t config, int32_t duracao);
// 0 when the print does not exist (the engine is not called) or the engine refuses.
uint32_t video_aplicarConfiguracaoImpressao(uint32_t config, uint32_t impressao);
const char* video_cancelarConfiguracaoImpressao(uint32_t aplicacao);
// Targets in the last step of a timeline: continuous ones move during the
// step, discrete ones are set when it ends.
const char* video_configuracao_animacao_mudarTextura(uint32_t config, uint32_t textura);    // discrete
const char* video_configuracao_animacao_mudarQuadroX(uint32_t config, uint32_t coluna);     // continuous
const char* video_configuracao_animacao_mudarQuadroY(uint32_t config, uint32_t linha);      // continuous
const char* video_configuracao_escritura_mudarFonte(uint32_t config, uint32_t fonte);       // discrete
const char* video_configuracao_escritura_mudarTamanho(uint32_t config, uint32_t tamanho);   // continuous
const char* video_configuracao_escritura_mudarNegrito(uint32_t config, char negrito);       // discrete
const char* video_configuracao_escritura_mudarItalico(uint32_t config, char italico);       // discrete
const char* video_configuracao_escritura_mudarSublinhado(uint32_t config, char sublinhado); // discrete
const char* video_configuracao_particulas_mudarImpressao(uint32_t config, uint32_t impressao);
const char* video_configuracao_particulas_adicionarConfiguracao(uint32_t config, uint32_t outra);
const char* video_configuracao_particulas_removerConfiguracao(uint32_t config, uint32_t outra);
const char* video_configuracao_particulas_limparConfiguracoes(uint32_t config);
const char* video_configuracao_particulas_mudarTipo(uint32_t config, int32_t tipo);
const char* video_configuracao_particulas_mudarCentralidade(uint32_t config, int32_t valor);
const char* video_configuracao_particulas_mudarVelocidadeX(uint32_t config, int32_t valor);
const char* video_configuracao_particulas_mudarVelocidadeY(uint32_t config, int32_t valor);
const char* video_configuracao_particulas_mudarMargemVelocidadeX(uint32_t config, int32_t valor);
const char* video_configuracao_particulas_mudarMargemVelocidadeY(uint32_t config, int32_t valor);
const char* video_configuracao_particulas_mudarEstagnacao(uint32_t config, int32_t valor);
const char* video_configuracao_particulas_mudarAceleracaoX(uint32_t config, int32_t valor);
const char* video_configuracao_particulas_mudarAceleracaoY(uint32_t config, int32_t valor);
const char* video_configuracao_particulas_mudarFrequencia(uint32_t config, int32_t valor);
const char* video_configuracao_particulas_mudarConstancia(uint32_t config, int32_t valor);
const char* video_configuracao_impressao_mudarEntidade(uint32_t config, uint32_t corpo);    // discrete
const char* video_configuracao_impressao_mudarCamada(uint32_t config, uint32_t camada);     // continuous
const char* video_configuracao_impressao_mudarX(uint32_t config, int32_t x);                // continuous
const char* video_configuracao_impressao_mudarY(uint32_t config, int32_t y);                // continuous
const char* video_configuracao_impressao_mudarRotacao(uint32_t config, int32_t rotacao);    // continuous
// Discrete; the text (six hexadecimal digits) must outlive the timeline.
const char* video_configuracao_impressao_mudarCor(uint32_t config, const char* cor);
const char* video_configuracao_impressao_mudarVermelho(uint32_t config, int32_t valor);     // continuous
const char* video_configuracao_impressao_mudarVerde(uint32_t config, int32_t valor);        // continuous
const char* video_configuracao_impressao_mudarAzul(uint32_t config, int32_t valor);         // continuous
const char* video_configuracao_impressao_mudarTransparencia(uint32_t config, int32_t valor); // continuous
// Discrete: destroys the print when the step ends.
const char* video_configuracao_impressao_destruirImpressao(uint32_t config);
const char* video_configuracao_camera_mudarX(uint32_t config, int32_t x);                   // continuous
const char* video_configuracao_camera_mudarY(uint32_t config, int32_t y);                   // continuous
const char* video_configuracao_camera_mudarZoom(uint32_t config, int32_t zoom);             // continuous

// Where a sound sits for the listener and how loud it is: x within -640 to
// 640 and y within -360 to 360 (the internal picture's size), z the depth
// scaled with them, volume 0 to 1000.
struct _video_audio {
    int32_t x, y, z;
    int32_t volume;
};
// Flag 'S': x and y are a body's position in world units, placed against
// the frame's screen regions; any other flag: x and y are the position
// relative to the listener. Depth in thousandths of the internal width;
// audible distance: where the volume reaches 0 (0 or less: full volume
// everywhere). A new record (malloc) that the caller frees; null only
// when memory runs out.
_video_audio* video_calcularAudio(int32_t x, int32_t y, int32_t profundidade, int32_t distancia, char flag);

#endif
