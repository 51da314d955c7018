// The player's keys and the tutorial texts, on the game's archive: keys,
// mouse buttons and releases go through the input module's seams, and
// frames of 16 ms through the time module's clock.
#include <functional>
#include <set>

#include "conteudo_apoio.h"
#include "video/video_interno.h"

using namespace conteudo_apoio;

namespace {

enum : int32_t {
    A = sf::Keyboard::A,
    D = sf::Keyboard::D,
    ESQUERDA = sf::Keyboard::Left,
    DIREITA = sf::Keyboard::Right,
    ESPACO = sf::Keyboard::Space,
    ENTER = sf::Keyboard::Enter,
    MOUSE = 1000,  // stands for the left mouse button in the tables
};

class Controles : public JogoDoArquivo {
protected:
    void SetUp() override
    {
        JogoDoArquivo::SetUp();
        if (desarmar) desarmarTextos();
    }
    bool desarmar = true;
    // Every key and button held goes up, and the character stops.
    void largarTudo()
    {
        std::set<int32_t> teclas = dispositivos().teclas;
        for (int32_t t : teclas) tecla(t, false);
        if (dispositivos().botoes.count(sf::Mouse::Left)) botaoDoMouse(sf::Mouse::Left, false);
        quadros(48);
        chamar("parar");
        CONTEUDO_escrever(personagem, "dir", 0);
    }
    // The controls on before the intro's end, as its timed "continuar" does
    // at 12.5 s.
    void ligarControles()
    {
        quadro();
        entidades_entidade_chamarFuncao(JOGADOR, "continuar");
        quadro();
    }
    bool parado() { return CONTEUDO_ler(JOGADOR, "parado") == 'S'; }
    // Down or up, a key or the left mouse button.
    void mudar(int32_t codigo, bool baixo)
    {
        if (codigo == MOUSE)
            botaoDoMouse(sf::Mouse::Left, baixo);
        else
            tecla(codigo, baixo);
    }
    int32_t transparencia(uint32_t evento, const char* impressao)
    {
        return CONTEUDO_impressao((uint32_t)CONTEUDO_ler(evento, impressao), CONTEUDO_IMPRESSAO_TRANSPARENCIA);
    }
};

// One change of a key at a time into the case (ms after it starts).
struct Toque {
    int32_t ms;
    int32_t codigo;
    bool baixo;
};

struct CasoDeTeclas {
    const char* nome;
    std::vector<Toque> toques;
    int32_t duracao;
    char andando;  // what the character is asked to do at the end
    int32_t dir;
};

// Each case after the one before, in one game with the controls on.
TEST_F(Controles, TeclasDoJogador)
{
    const CasoDeTeclas casos[] = {
        {"Right walks right", {{0, DIREITA, true}}, 100, 'S', 1},
        {"D walks right", {{0, D, true}}, 100, 'S', 1},
        {"Left walks left", {{0, ESQUERDA, true}}, 100, 'S', -1},
        {"A walks left", {{0, A, true}}, 100, 'S', -1},
        {"the left mouse button walks left like A", {{0, MOUSE, true}}, 100, 'S', -1},
        {"letting the last direction go stops", {{0, DIREITA, true}, {50, DIREITA, false}}, 100, 'N', 1},
        {"Left while Right is held walks left", {{0, DIREITA, true}, {50, ESQUERDA, true}}, 100, 'S', -1},
        {"letting Left go walks right again", {{0, DIREITA, true}, {50, ESQUERDA, true}, {100, ESQUERDA, false}},
         150, 'S', 1},
        {"letting the jump key go keeps the held direction", {{0, A, true}, {50, ESPACO, true}, {100, ESPACO, false}},
         150, 'S', -1},
    };
    ligarControles();
    for (const CasoDeTeclas& c : casos) {
        largarTudo();
        size_t proximo = 0;
        for (int32_t t = 0; t < c.duracao; t += 16) {
            while (proximo < c.toques.size() && c.toques[proximo].ms <= t) {
                mudar(c.toques[proximo].codigo, c.toques[proximo].baixo);
                proximo++;
            }
            quadro();
        }
        EXPECT_EQ(var("andando"), c.andando) << c.nome;
        EXPECT_EQ(var("dir"), c.dir) << c.nome;
        if (c.andando == 'S') {
            EXPECT_EQ(forcaBase() > 0, c.dir > 0) << c.nome;
        }
    }
}

TEST_F(Controles, NaIntroAsTeclasEsperam)
{
    quadros(1000);
    tecla(DIREITA, true);
    quadros(11000);
    EXPECT_TRUE(parado());
    EXPECT_EQ(var("andando"), 'N');  // a key in the intro does nothing
    quadros(600);
    EXPECT_FALSE(parado());
    EXPECT_EQ(var("andando"), 'S');  // held when the intro ends, it walks
    EXPECT_EQ(var("dir"), 1);
}

// A text shown through its event's own function, as its trigger does.
struct CasoDeTexto {
    const char* nome;
    std::vector<Toque> toques;  // ms after the text began to show
    int32_t dispensadoEm;       // ms at which the press was taken (-1: never)
    char andandoNoFim;          // 2 s after the case began
    int32_t dir;
};

TEST_F(Controles, TextoEsperaUmSegundoPorUmaTecla)
{
    const CasoDeTexto casos[] = {
        {"a key in the first 1000 ms is ignored", {{500, ENTER, true}, {520, ENTER, false}}, -1, 'N', 0},
        {"a key after 1000 ms dismisses it", {{1100, ENTER, true}, {1120, ENTER, false}}, 1104, 'N', 0},
        {"an early key and a later one", {{300, ENTER, true}, {320, ENTER, false}, {1300, ENTER, true}}, 1312,
         'N', 0},
        {"a mouse button dismisses it too", {{1100, MOUSE, true}, {1150, MOUSE, false}}, 1104, 'N', 0},
        {"a direction held takes effect when the controls resume",
         {{200, DIREITA, true}, {1100, ENTER, true}, {1120, ENTER, false}}, 1104, 'S', 1},
        {"a direction pressed while the text shows does nothing until then",
         {{200, DIREITA, true}, {400, DIREITA, false}, {1100, ENTER, true}}, 1104, 'N', 0},
    };
    ligarControles();
    uint32_t evento = PRIMEIRO_TEXTO;
    for (const CasoDeTexto& c : casos) {
        largarTudo();
        entidades_entidade_chamarFuncao(++evento, "mostrar_texto");
        ASSERT_TRUE(parado()) << c.nome;
        size_t proximo = 0;
        int32_t dispensado = -1;
        for (int32_t t = 0; t < 2000; t += 16) {
            while (proximo < c.toques.size() && c.toques[proximo].ms <= t) {
                mudar(c.toques[proximo].codigo, c.toques[proximo].baixo);
                proximo++;
            }
            quadro();
            if (dispensado < 0 && CONTEUDO_ler(evento, "conf solto") == 0) dispensado = t;
            // The character never moves while the text shows.
            if (dispensado < 0) {
                EXPECT_EQ(var("andando"), 'N') << c.nome << " at " << t << " ms";
            }
        }
        EXPECT_NEAR(dispensado, c.dispensadoEm, 16) << c.nome;
        if (c.dispensadoEm >= 0) {
            // Faded out, the handler gone, the controls back 500 ms later.
            EXPECT_EQ(transparencia(evento, "anm caixa"), 1000) << c.nome;
            EXPECT_EQ(transparencia(evento, "escritura"), 1000) << c.nome;
            EXPECT_EQ(CONTEUDO_ler(evento, "pressionou"), 0) << c.nome;
            EXPECT_FALSE(parado()) << c.nome;
        } else {
            EXPECT_EQ(transparencia(evento, "anm caixa"), 0) << c.nome;
            EXPECT_NE(CONTEUDO_ler(evento, "pressionou"), 0) << c.nome;
            EXPECT_TRUE(parado()) << c.nome;
        }
        EXPECT_EQ(var("andando"), c.andandoNoFim) << c.nome;
        if (c.andandoNoFim == 'S') {
            EXPECT_EQ(var("dir"), c.dir) << c.nome;
        }
        // A text still waiting goes before the next case.
        if (parado()) {
            tecla(ENTER, true);
            quadros(600);
        }
    }
}

TEST_F(Controles, PromptPiscaUmSegundoPressionadoDoisSolto)
{
    ligarControles();
    const uint32_t evento = PRIMEIRO_TEXTO + 1;
    entidades_entidade_chamarFuncao(evento, "mostrar_texto");
    for (int32_t t = 16; t <= 6000; t += 16) {
        quadro();
        int32_t fase = t % 3000;
        if (t < 1000 || fase % 1000 < 32 || fase % 1000 > 984) continue;  // around the changes
        bool pressionado = fase >= 1000 && fase < 2000;
        EXPECT_EQ(transparencia(evento, "anm botão pressionado"), pressionado ? 0 : 1000) << t;
        EXPECT_EQ(transparencia(evento, "anm botão solto"), pressionado ? 1000 : 0) << t;
    }
    // The box and the text faded in over the second half of the first second.
    EXPECT_EQ(transparencia(evento, "anm caixa"), 0);
    EXPECT_EQ(transparencia(evento, "escritura"), 0);
}

// With the triggers in place.
class ControlesArmados : public Controles {
protected:
    void SetUp() override
    {
        desarmar = false;
        Controles::SetUp();
    }
};

TEST_F(ControlesArmados, UltimoTextoNaTerceiraPassagemEOTextoEUmaCopia)
{
    // Its trigger lies across the shaft above the pad.
    ligarControles();
    chamar("diminuir");
    quadros(1000);
    const uint32_t evento = PRIMEIRO_TEXTO + 6;
    uint32_t figuras = 0;
    for (uint32_t i = 0; i < 3; i++) {
        // The small character falls through the trigger down the shaft.
        int32_t antes = CONTEUDO_ler(evento, "vezes");
        colocar(1275, 600);
        quadros(800);
        figuras += (uint32_t)(antes - CONTEUDO_ler(evento, "vezes"));
        if (CONTEUDO_ler(evento, "vezes") == 0) break;
        EXPECT_EQ(CONTEUDO_ler(evento, "anm caixa"), 0);
    }
    // Both of the character's figures count: the second pass is the third
    // contact.
    EXPECT_EQ(figuras, 3u);
    EXPECT_NE(CONTEUDO_ler(evento, "anm caixa"), 0);
    EXPECT_TRUE(parado());
    // The trigger is gone: later passes change nothing.
    quadros(100);
    colocar(1275, 600);
    quadros(800);
    EXPECT_EQ(CONTEUDO_ler(evento, "vezes"), 0);

    // The text print keeps a copy of its own of the text it shows.
    _video_escritura* e = VIDEO_pegarEscritura((uint32_t)CONTEUDO_ler(evento, "escritura"));
    ASSERT_NE(e, nullptr);
    EXPECT_NE((const void*)e->texto, (const void*)CONTEUDO_lerTexto(evento, "texto"));
    EXPECT_STREQ(e->texto, CONTEUDO_lerTexto(evento, "texto"));
}

}  // namespace
