// The video frame under a display (run it under xvfb-run): 500 animation
// prints of one 700 by 700 image on bodies, through one camera, against a
// minimal SFML loop drawing 500 sprites of the same texture through the same
// view; vertical sync off in both. A third run counts the texture uploads
// of 1000 frames of a sprite whose frame column runs on a timeline.
//
// The archive holding the images is packed at every run, as recursos.dad in
// the benchmark's own folder, which goes when the run ends.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/OpenGL.hpp>
#include <SFML/System/Err.hpp>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "arquivo/arquivo.h"
#include "engine/engine.h"
#include "fisica/fisica.h"
#include "plataforma/plataforma.h"
#include "video/video.h"
#include "video/video_interno.h"

// The entities module calls the game content's registration; the benchmark
// has no content.
const char* conteudo_registrar_entidades() { return nullptr; }

// Texture uploads, counted on their way to the GL library.
static long benchTexturasCriadas = 0, benchEnvios = 0;

extern "C" void glTexImage2D(GLenum alvo, GLint nivel, GLint formatoInterno, GLsizei largura, GLsizei altura,
                             GLint borda, GLenum formato, GLenum tipo, const void* dados)
{
    typedef void (*Funcao)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*);
    static Funcao real = (Funcao)dlsym(RTLD_NEXT, "glTexImage2D");
    benchTexturasCriadas++;
    real(alvo, nivel, formatoInterno, largura, altura, borda, formato, tipo, dados);
}

extern "C" void glTexSubImage2D(GLenum alvo, GLint nivel, GLint x, GLint y, GLsizei largura, GLsizei altura,
                                GLenum formato, GLenum tipo, const void* dados)
{
    typedef void (*Funcao)(GLenum, GLint, GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, const void*);
    static Funcao real = (Funcao)dlsym(RTLD_NEXT, "glTexSubImage2D");
    benchEnvios++;
    real(alvo, nivel, x, y, largura, altura, formato, tipo, dados);
}

namespace {

const int IMPRESSOES = 500;
const int32_t LADO = 350;  // drawn size of each print in world units: 35 pixels

sf::RenderWindow* janela = nullptr;
uint32_t imagem = 0, camera = 0;
std::vector<uint32_t> impressoes;

// Body i's position in world units: a grid around the first body.
int32_t posicaoX(int i)
{
    return 40000 + (i % 25) * 260 - 3250;
}

int32_t posicaoY(int i)
{
    return 20000 + (i / 25) * 170 - 1700;
}

// Starts the modules once: the window (640 by 360, no vertical sync), the
// archive, the bodies, the camera and the prints.
void preparar()
{
    if (janela) return;
    sf::err().rdbuf(nullptr);
    sf::Image grande;
    grande.create(700, 700, sf::Color(200, 120, 40));
    for (unsigned i = 0; i < 700; i++) grande.setPixel(i, i, sf::Color::White);
    grande.saveToFile("bench_grande.png");
    sf::Image sprite;  // a strip of 7 frames of 100 by 100
    sprite.create(700, 100, sf::Color(40, 120, 200));
    sprite.saveToFile("bench_sprite.png");
    std::string comando = std::string("'") + MORVALEN_EMPACOTADOR +
                          "' recursos.dad bench_grande.png bench_sprite.png >/dev/null";
    if (std::system(comando.c_str()) != 0) std::abort();
    engine_iniciar(true);
    janela = new sf::RenderWindow();
    video_iniciar('N', 'N', 'N', janela);
    fisica_iniciar('N', 1000);
    arquivo_iniciar('N');
    if (plataforma_iniciar('N') != nullptr) std::abort();
    video_mudarLargura(640);
    video_mudarAltura(360);
    janela->setVerticalSyncEnabled(false);
    imagem = video_abrirImagem("bench_grande.png", 1, 1);
    if (imagem == 0) std::abort();
    for (int i = 0; i < IMPRESSOES; i++) {
        uint32_t corpo = (uint32_t)(i + 2);
        fisica_criarCorpo(corpo, posicaoX(i), posicaoY(i));
        uint32_t p = video_criarAnimacao(imagem);
        engine_propriedade_mudarValor(ENGINE_MODULO_VIDEO, 1, 26, p, corpo);
        engine_propriedade_mudarValor(ENGINE_MODULO_VIDEO, 1, 30, p, LADO);
        engine_propriedade_mudarValor(ENGINE_MODULO_VIDEO, 1, 31, p, LADO);
        impressoes.push_back(p);
    }
    camera = video_criarCamera();
    video_camera_adicionarReferencia(camera, video_criarReferencia(2));
    video_atualizar(1);
}

void BM_QuadroDoVideo(benchmark::State& state)
{
    preparar();
    for (auto _ : state) video_atualizar(16);
    state.SetLabel("500 prints on bodies, one camera");
}

// The same picture by hand: one texture, 500 sprites, the camera's view.
void BM_QuadroSFMLMinimo(benchmark::State& state)
{
    preparar();
    video_atualizar(16);  // the region of this frame
    _video_regiao* r = (_video_regiao*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, videoRegioes, 1);
    if (!r) std::abort();
    sf::View vista = *r->vista;
    sf::Texture textura;
    sf::Image imagemSfml;
    imagemSfml.create(700, 700, sf::Color(200, 120, 40));
    textura.loadFromImage(imagemSfml);
    std::vector<sf::Sprite> sprites(IMPRESSOES, sf::Sprite(textura));
    for (int i = 0; i < IMPRESSOES; i++) {
        sprites[i].setPosition((float)posicaoX(i) * 0.1f, (float)posicaoY(i) * 0.1f);
        sprites[i].setScale(LADO / 7000.0f, LADO / 7000.0f);
    }
    for (auto _ : state) {
        janela->clear(sf::Color::Black);
        janela->setView(vista);
        for (const sf::Sprite& s : sprites) janela->draw(s);
        janela->display();
    }
    janela->setView(sf::View(sf::FloatRect(0, 0, 640, 360)));
    state.SetLabel("500 sf::Sprite, same texture and view");
}

// 1000 frames of one sprite whose frame column runs on a looping timeline.
void BM_EnviosDeTextura(benchmark::State& state)
{
    preparar();
    for (auto _ : state) {
        state.PauseTiming();
        // Opened afresh: its texture is made at its first draw.
        uint32_t tira = video_abrirImagem("bench_sprite.png", 7, 1);
        uint32_t p = video_criarAnimacao(tira);
        uint32_t c = video_configurarImpressao();
        video_configuracao_impressao_passarTempo(c, 100);
        video_configuracao_animacao_mudarQuadroX(c, 5);
        video_configuracao_impressao_criarPonto(c, 0, -1);
        video_aplicarConfiguracaoImpressao(c, p);
        long criadas = benchTexturasCriadas, envios = benchEnvios;
        state.ResumeTiming();
        for (int i = 0; i < 1000; i++) video_atualizar(16);
        state.PauseTiming();
        state.counters["texturas_criadas"] = (double)(benchTexturasCriadas - criadas);
        state.counters["envios_de_textura"] = (double)(benchEnvios - envios);
        video_destruirImpressao(p);
        engine_destruirConfig(ENGINE_MODULO_VIDEO, 1, c);
        video_destruirTextura(tira);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_QuadroDoVideo)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_QuadroSFMLMinimo)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_EnviosDeTextura)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
