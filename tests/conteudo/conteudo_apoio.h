// What the game content's tests share: the modules started in the program's
// order over an archive of stand-in pictures (or none), level 0 built by the
// registration, frames of exact lengths through the time module's clock, keys
// pressed and released through the input module's seams, and ways to steer
// and read the character.
#ifndef MORVALEN_TESTES_CONTEUDO_APOIO_H
#define MORVALEN_TESTES_CONTEUDO_APOIO_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/Window/Event.hpp>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "arquivo/arquivo.h"
#include "audio/audio.h"
#include "entrada/entrada.h"
#include "plataforma/plataforma.h"

#include "../video/video_apoio.h"
#include "conteudo/conteudo_interno.h"
#include "engine/dados.h"
#include "engine/engine.h"
#include "engine/entidades.h"
#include "engine/tempo.h"
#include "fisica/fisica_interno.h"
#include "video/video.h"
#include "video/video_interno.h"

namespace conteudo_apoio {

// Entity ids, in the level's order of creation: the level; its sensors N
// and Q; the spring pad, its two sensors and five spring parts; the bridge,
// its two sides and two sensors; the player controller and its character;
// the seven text events; the end zone.
enum : uint32_t {
    LEVEL = 2,
    TRAMPOLIM = 5,
    PONTE = 13,
    JOGADOR = 18,
    PERSONAGEM = 19,
    PRIMEIRO_TEXTO = 20,
    FIM = 27,
};

// The memory the process holds, in bytes.
inline uint64_t residente()
{
    long paginas = 0, residentes = 0;
    FILE* f = fopen("/proc/self/statm", "r");
    if (f) {
        if (fscanf(f, "%ld %ld", &paginas, &residentes) != 2) residentes = 0;
        fclose(f);
    }
    return (uint64_t)residentes * 4096;
}

// The time module's clock, moved only by the tests.
inline int64_t& relogioMicro()
{
    static int64_t micro = 1000000;
    return micro;
}

inline _tempo_marca relogio()
{
    return {relogioMicro() / 1000000, relogioMicro() % 1000000};
}

// The keyboard and the mouse as the input module sees them: the events not
// yet polled, and the keys and mouse buttons held now.
struct Dispositivos {
    std::deque<sf::Event> fila;
    std::set<int32_t> teclas, botoes;
};

inline Dispositivos& dispositivos()
{
    static Dispositivos d;
    return d;
}

inline bool proximoEvento(sf::Event* evento)
{
    Dispositivos& d = dispositivos();
    if (d.fila.empty()) return false;
    *evento = d.fila.front();
    d.fila.pop_front();
    return true;
}

inline float estadoDosDispositivos(_entrada_consulta consulta, uint32_t, int32_t elemento)
{
    Dispositivos& d = dispositivos();
    if (consulta == ENTRADA_TECLA_PRESSIONADA) return d.teclas.count(elemento) ? 1.0f : 0.0f;
    if (consulta == ENTRADA_BOTAO_MOUSE_PRESSIONADO) return d.botoes.count(elemento) ? 1.0f : 0.0f;
    return 0.0f;
}

// A key (sf::Keyboard::Key code) goes down or up: its state changes and its
// event waits for the next poll.
inline void tecla(int32_t codigo, bool baixo)
{
    sf::Event e;
    e.type = baixo ? sf::Event::KeyPressed : sf::Event::KeyReleased;
    e.key = sf::Event::KeyEvent{(sf::Keyboard::Key)codigo, false, false, false, false};
    if (baixo)
        dispositivos().teclas.insert(codigo);
    else
        dispositivos().teclas.erase(codigo);
    dispositivos().fila.push_back(e);
}

inline void botaoDoMouse(int32_t botao, bool baixo)
{
    sf::Event e;
    e.type = baixo ? sf::Event::MouseButtonPressed : sf::Event::MouseButtonReleased;
    e.mouseButton = sf::Event::MouseButtonEvent{(sf::Mouse::Button)botao, 0, 0};
    if (baixo)
        dispositivos().botoes.insert(botao);
    else
        dispositivos().botoes.erase(botao);
    dispositivos().fila.push_back(e);
}

// The names of every picture the level opens.
inline std::vector<std::string> nomesDosTiles()
{
    return {"SFMM.png", "SFSL.png", "SMM.png",  "STM.png",  "STL.png",   "STR.png",   "SBHL.png",
            "SSL1.png", "SSL2.png", "SSBL1.png", "SSBL2.png", "SHTR.png", "SHTM.png", "SHTH.png",
            "SSHL.png", "SHBL.png", "SHBR.png", "SHBM.png", "SSBH.png",  "GTM.png",   "GSL1.png",
            "GSL2.png", "GSH.png",  "STH.png",  "GHH.png",  "EXIT.png",  "SHL.png"};
}

// An archive with "fundo.png", the tiles and "personagem.png": pictures of
// one colour each, the sheet with 31 x 3 frames of quadroL x quadroA pixels.
inline std::vector<std::pair<std::string, std::string>> midiaDeTeste(unsigned quadroL = 205, unsigned quadroA = 120)
{
    std::vector<std::pair<std::string, std::string>> entradas;
    entradas.push_back({"fundo.png", apoio::png(64, 36, sf::Color(40, 40, 90))});
    entradas.push_back({"personagem.png", apoio::png(31 * quadroL, 3 * quadroA, sf::Color(200, 60, 60))});
    for (const std::string& nome : nomesDosTiles()) entradas.push_back({nome, apoio::png(16, 16, sf::Color(90, 70, 50))});
    return entradas;
}

// The engine and every module the content needs, started as the program
// does, over the archive given (none when empty), and the level built.
class Jogo : public ::testing::Test {
protected:
    void SetUp() override
    {
        sf::err().rdbuf(nullptr);
        relogioMicro() = 1000000;
        tempo_mudarRelogio(relogio);
        dispositivos() = Dispositivos();
        entrada_mudarFonteEventos(proximoEvento);
        entrada_mudarEstado(estadoDosDispositivos);
        engine_iniciar(true);
        ASSERT_EQ(tempo_iniciar('N', 1000), 1);
        ASSERT_EQ(fisica_iniciar('N', 1000), 1);
        ASSERT_EQ(video_iniciar('N', 'N', 'S', janela), nullptr);
        ASSERT_EQ(audio_iniciar('N'), 1);
        ASSERT_EQ(dados_iniciar('N'), nullptr);
        ASSERT_EQ(entrada_iniciar('N', janela), 1);
        abrirArquivo();
        {
            apoio::CapturaErro captura;
            ASSERT_EQ(entidades_iniciar(logDasEntidades()), nullptr);
            logDoInicio = captura.texto();
        }
        level = 2;
        jogador = (uint32_t)CONTEUDO_ler(0, "jogador");
        personagem = (uint32_t)CONTEUDO_ler(jogador, "personagem");
    }
    void TearDown() override
    {
        audio_finalizar();
        fisica_finalizar();
        recursos.reset();
        tempo_mudarRelogio(nullptr);
        entrada_mudarFonteEventos(nullptr);
        entrada_mudarEstado(nullptr);
    }
    virtual std::vector<std::pair<std::string, std::string>> midia() { return midiaDeTeste(); }
    virtual char logDasEntidades() { return 'N'; }
    virtual void abrirArquivo()
    {
        auto entradas = midia();
        if (!entradas.empty()) recursos.reset(new apoio::Recursos(entradas));
    }

    // One frame of d ms, in the program's order of updates.
    void quadro(int32_t d = 16)
    {
        relogioMicro() += (int64_t)d * 1000;
        int32_t passado = tempo_aguardar();
        entrada_atualizar();
        dados_atualizar(passado);
        fisica_atualizar(passado);
        video_atualizar(passado);
        audio_atualizar(passado);
    }
    void quadros(int32_t ms, int32_t d = 16)
    {
        for (int32_t t = 0; t < ms; t += d) quadro(d);
    }

    int32_t corpo(uint32_t p) { return CONTEUDO_corpo(personagem, p); }
    int32_t var(const char* nome) { return CONTEUDO_ler(personagem, nome); }
    int32_t sprite(uint32_t p) { return CONTEUDO_impressao((uint32_t)var("animacao"), p); }
    int32_t coluna() { return sprite(CONTEUDO_IMPRESSAO_QUADRO_X); }
    int32_t chao(uint32_t k) { return CONTEUDO_lerEm(0, "plataformas", k); }
    void chamar(const char* f) { entidades_entidade_chamarFuncao(personagem, f); }
    void andar(int32_t dir)
    {
        CONTEUDO_escrever(personagem, "dir", dir);
        chamar("andar");
    }
    // The base value the content wrote to ForcaX (what the expression scales).
    _engine_valor forcaBase()
    {
        return engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, CONTEUDO_CORPO_FORCA_X, personagem, nullptr);
    }
    double velocidadeY() { return fisica_corpo(personagem)->corpo->getLinearVelocity().y(); }
    double xPx() { return corpo(CONTEUDO_CORPO_X) / 10.0; }
    double yPx() { return corpo(CONTEUDO_CORPO_Y) / 10.0; }

    // Puts the character at (x, y) pixels, at rest.
    void colocar(double x, double y)
    {
        CONTEUDO_mudarCorpo(personagem, CONTEUDO_CORPO_DINAMICO, 'N');
        CONTEUDO_mudarCorpo(personagem, CONTEUDO_CORPO_X, (int32_t)(x * 10));
        CONTEUDO_mudarCorpo(personagem, CONTEUDO_CORPO_Y, (int32_t)(y * 10));
        CONTEUDO_mudarCorpo(personagem, CONTEUDO_CORPO_DINAMICO, 'S');
    }
    // Frames until the character shows the ground (walk cycle or a turn) or
    // ms run out; true when it did.
    bool esperarChao(int32_t ms)
    {
        for (int32_t t = 0; t < ms; t += 16) {
            quadro();
            if (coluna() >= 0 && coluna() <= 13 && chao((uint32_t)var("tamanho")) > 0) return true;
        }
        return false;
    }
    // The tutorial texts' triggers go, so that walking through them does not
    // stop the character (tests of the character alone).
    void desarmarTextos()
    {
        for (uint32_t e = PRIMEIRO_TEXTO; e < PRIMEIRO_TEXTO + 7; e++) entidades_entidade_chamarFuncao(e, "remover_ret");
    }
    // Changes size and waits for the change to end.
    void diminuir()
    {
        chamar("diminuir");
        quadros(960);
    }
    void crescer()
    {
        chamar("crescer");
        quadros(960);
    }

    std::unique_ptr<apoio::Recursos> recursos;
    sf::RenderWindow* janela = nullptr;  // none: nothing is drawn
    uint32_t level = 0, jogador = 0, personagem = 0;
    std::string logDoInicio;  // standard error while the level was built
};

// Where a world point (pixels) falls in the window, in window pixels (not
// rounded), through the view of the frame's only region.
inline sf::Vector2f naJanela(const sf::RenderWindow& janela, float x, float y)
{
    EXPECT_EQ(engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, videoRegioes), 1u);
    _video_regiao* regiao = (_video_regiao*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, videoRegioes, 1);
    const sf::View& vista = *regiao->vista;
    EXPECT_EQ(vista.getViewport(), sf::FloatRect(0, 0, 1, 1));
    sf::Vector2f canto = vista.getCenter() - vista.getSize() / 2.0f;
    return {(x - canto.x) * janela.getSize().x / vista.getSize().x,
            (y - canto.y) * janela.getSize().y / vista.getSize().y};
}

#ifdef MORVALEN_PASTA_DO_JOGO
// The same over the game's own archive, built beside the program.
class JogoDoArquivo : public Jogo {
protected:
    void TearDown() override
    {
        Jogo::TearDown();
        EXPECT_EQ(chdir(anterior.c_str()), 0);
    }
    void abrirArquivo() override
    {
        char* atual = getcwd(nullptr, 0);
        anterior = atual;
        free(atual);
        ASSERT_EQ(chdir(MORVALEN_PASTA_DO_JOGO), 0);
        arquivo_iniciar('N');
        ASSERT_EQ(plataforma_iniciar('N'), nullptr);
    }
    std::string anterior;
};
#endif

}  // namespace conteudo_apoio

#endif
