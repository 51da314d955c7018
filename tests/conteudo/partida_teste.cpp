// Level 0 played to the end by a script, on the game's own archive in a
// 640 x 360 window on the virtual display, with frames of a fixed length
// through the time module's clock and keys through the input module's
// seams. Each step presses or releases keys, then waits, with a time-out,
// for what it reads through the engine (the character's position, size and
// ground counters, the pieces' variables). Pictures of the intro, a
// tutorial text, the pad and the ending are left beside the test.
#include <unistd.h>

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>

#include "audio/audio_interno.h"
#include "conteudo_apoio.h"

using namespace conteudo_apoio;

namespace {

enum : int32_t {
    ESQUERDA = sf::Keyboard::Left,
    DIREITA = sf::Keyboard::Right,
    ESPACO = sf::Keyboard::Space,
    CIMA = sf::Keyboard::W,
    BAIXO = sf::Keyboard::Down,
    ENTER = sf::Keyboard::Enter,
};

// One step of the route: what it does when it begins, what it waits for,
// and how long it may take, in game milliseconds.
struct Etapa {
    const char* nome;
    std::function<void()> inicio;
    std::function<bool()> feito;
    int32_t prazo;
    bool esperaControles = true;  // begins once the controls are on
};

class Partida : public JogoDoArquivo, public ::testing::WithParamInterface<int32_t> {
protected:
    void SetUp() override
    {
        apoio::manterContextoGrafico();
        janela = &janelaDoTeste;
        JogoDoArquivo::SetUp();
        ASSERT_EQ(video_mudarLargura(640), 0);
        ASSERT_EQ(video_mudarAltura(360), 0);
        rastro = getenv("MORVALEN_RASTRO") != nullptr;
    }
    void TearDown() override
    {
        JogoDoArquivo::TearDown();
        janelaDoTeste.close();
    }

    int32_t d() { return GetParam(); }
    void foto(const char* nome)
    {
        sf::Texture t;
        t.create(640, 360);
        t.update(janelaDoTeste);
        std::string caminho = std::string(MORVALEN_PASTA_DO_TESTE) + "/partida_" + nome + ".png";
        EXPECT_TRUE(t.copyToImage().saveToFile(caminho));
    }

    // ----------------------------------------------------------- reading
    int32_t escala() { return corpo(CONTEUDO_CORPO_ESCALA_X); }
    bool noChao() { return chao((uint32_t)var("tamanho")) > 0 && coluna() >= 0 && coluna() <= 13; }
    bool parado() { return CONTEUDO_ler(JOGADOR, "parado") == 'S'; }
    int32_t zoom()
    {
        return (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_VIDEO, 3, CONTEUDO_CAMERA_ZOOM,
                                                      (uint32_t)CONTEUDO_ler(0, "camera"), nullptr);
    }
    double vy() { return corpo(CONTEUDO_CORPO_VELOCIDADE_Y) / 10.0; }
    // Where the centre of the ending's earth shows on the 640 x 360 picture.
    sf::Vector2f terraNaTela()
    {
        uint32_t centro = (uint32_t)CONTEUDO_ler(FIM, "centro terra");
        return naJanela(janelaDoTeste, CONTEUDO_corpo(centro, CONTEUDO_CORPO_X) / 10.f,
                        CONTEUDO_corpo(centro, CONTEUDO_CORPO_Y) / 10.f);
    }

    // --------------------------------------------------------- the script
    void apertar(int32_t t) { tecla(t, true); }
    void largar(int32_t t) { tecla(t, false); }
    void tocar(int32_t t)
    {
        tecla(t, true);
        tecla(t, false);
    }

    // One frame, then what the script does between frames whatever the step:
    // a tutorial text that accepts a key is dismissed 300 ms later, and the
    // pieces' states are noted.
    void passo()
    {
        quadro(d());
        agora += d();
        for (uint32_t e = PRIMEIRO_TEXTO; e < PRIMEIRO_TEXTO + 7; e++) {
            uint32_t i = e - PRIMEIRO_TEXTO;
            if (CONTEUDO_ler(e, "anm caixa") != 0 && !mostrado[i]) {
                mostrado[i] = true;
                mostradoEm[i] = agora;
                if (rastro) printf("  text %u shows at %d ms\n", i + 1, agora);
            }
            if (CONTEUDO_ler(e, "pressionou") != 0) {
                if (aceitaDesde[i] < 0) aceitaDesde[i] = agora;
                if (agora - aceitaDesde[i] >= 300 && !dispensado[i]) {
                    tocar(ENTER);
                    dispensado[i] = true;
                }
            }
            if (mostrado[i] && i == 0 && !fotoDoTexto && agora - mostradoEm[i] >= 1200) {
                foto("texto");
                fotoDoTexto = true;
            }
        }
        if (CONTEUDO_ler(PONTE, "pronto") == 'N') ponteAbriu = true;
        if (ponteAbriu && CONTEUDO_ler(PONTE, "pronto") == 'S') ponteVoltou = true;
        // A throw: the squeezed pad lets go while the character shoots up.
        bool apertado = CONTEUDO_ler(TRAMPOLIM, "pressionado") == 'S';
        if (apertadoAntes && !apertado && vy() < -500) arremessos++;
        apertadoAntes = apertado;
        if (rastro && agora % 480 < (int32_t)d())
            printf("    %6d ms (%.1f, %.1f) vy %.0f scale %d ground %d/%d col %d parado %c andando %c forca %d/%d vir %d dir %d\n", agora, xPx(), yPx(), vy(),
                   escala(), chao(1), chao(2), coluna(), parado() ? 'S' : 'N', var("andando"), (int)forcaBase(), corpo(CONTEUDO_CORPO_FORCA_X), var("virando"), var("direcao"));
    }

    // Runs the steps in order; a step that times out fails the test with its
    // name and where the character was.
    bool percorrer(const std::vector<Etapa>& etapas)
    {
        for (const Etapa& e : etapas) {
            int32_t inicio = agora;
            bool comecou = false;
            while (!comecou || !e.feito()) {
                if (!comecou && (!e.esperaControles || !parado())) {
                    comecou = true;
                    if (e.inicio) e.inicio();
                    continue;
                }
                if (agora - inicio > e.prazo) {
                    ADD_FAILURE() << "step \"" << e.nome << "\" timed out after " << e.prazo << " ms (frames of "
                                  << d() << " ms): character at (" << xPx() << ", " << yPx() << "), scale "
                                  << escala() << ", ground " << chao(1) << "/" << chao(2) << ", column "
                                  << coluna() << ", controls " << (parado() ? "off" : "on");
                    return false;
                }
                passo();
            }
            tempos.push_back({e.nome, agora - inicio});
            if (rastro) printf("step %-28s %6d ms at (%.1f, %.1f)\n", e.nome, agora - inicio, xPx(), yPx());
        }
        return true;
    }
    // Jumps (the direction keys as they are) whenever the character stands
    // with the controls on and "chegou" does not hold yet, at most every
    // 500 ms; true once it stands where "chegou" holds.
    bool pularAte(const std::function<bool()>& chegou)
    {
        if (!noChao() || parado()) return false;
        if (chegou()) return true;
        if (agora - ultimoPulo > 500) {
            tocar(ESPACO);
            ultimoPulo = agora;
        }
        return false;
    }
    // Walks the character on the pad until it stands under the shaft (x 1260
    // to 1291); true once it stands there.
    bool ateOPoco()
    {
        double x = xPx();
        bool esquerda = x > 1283, direita = x < 1268;
        if (esquerda != (dispositivos().teclas.count(ESQUERDA) > 0)) tecla(ESQUERDA, esquerda);
        if (direita != (dispositivos().teclas.count(DIREITA) > 0)) tecla(DIREITA, direita);
        return !esquerda && !direita && noChao() && std::abs(corpo(CONTEUDO_CORPO_VELOCIDADE_X)) < 50;
    }
    // Holds the left (-1) or the right (1) direction key, or neither (0).
    void segurar(int32_t direcao)
    {
        if ((direcao < 0) != (dispositivos().teclas.count(ESQUERDA) > 0)) tecla(ESQUERDA, direcao < 0);
        if ((direcao > 0) != (dispositivos().teclas.count(DIREITA) > 0)) tecla(DIREITA, direcao > 0);
    }
    // Frames for ms of game time.
    void esperar(int32_t ms)
    {
        for (int32_t t = 0; t < ms; t += d()) passo();
    }
    // A step that waits for ms.
    Etapa pausa(const char* nome, int32_t ms, std::function<void()> inicio = nullptr)
    {
        auto fim = std::make_shared<int32_t>(0);
        return {nome,
                [this, fim, ms, inicio] {
                    *fim = agora + ms;
                    if (inicio) inicio();
                },
                [this, fim] { return agora >= *fim; }, ms + 100, false};
    }

    // Walking right, it jumps a little before the pad; when it ends up
    // under the pad's overhang instead, it backs off and tries again.
    Etapa subirNoTrampolim()
    {
        return {"jump onto the pad", [this] { pulou = false; },
                [this] {
                    bool noPiso = noChao() && yPx() > 820;
                    bool emCima = chao(2) > 0 && xPx() > 1245 && yPx() < 800;
                    if (emCima) largar(DIREITA);
                    if (noPiso && !parado() && xPx() > 1225) {
                        largar(DIREITA);
                        apertar(ESQUERDA);
                        pulou = false;
                    }
                    if (noPiso && !parado() && xPx() < 1140 && dispositivos().teclas.count(ESQUERDA)) {
                        largar(ESQUERDA);
                        apertar(DIREITA);
                    }
                    if (noPiso && !pulou && xPx() > 1175 && dispositivos().teclas.count(DIREITA)) {
                        tocar(ESPACO);
                        pulou = true;
                    }
                    return emCima && noChao() && !parado();
                },
                12000};
    }

    // The detours of a player who takes the tutorial's texts in their own
    // order and lets the pad throw it with a direction held.
    std::vector<Etapa> desvios()
    {
        auto desde = std::make_shared<int32_t>(0);
        std::vector<Etapa> etapas = {
            // Text 5 said to cross the bridge small; walking on right, it
            // stops under the pad's left end, and text 6 says to stand on
            // the pad big. There is no room to grow there: it stays small,
            // on block 21.
            {"on to the pad, W under its end", [desde] { *desde = -1; },
             [this, desde] {
                 if (*desde < 0 && noChao() && !parado() && xPx() > 1230 &&
                     std::abs(corpo(CONTEUDO_CORPO_VELOCIDADE_X)) < 50) {
                     tocar(CIMA);
                     *desde = agora;
                 }
                 if (*desde < 0 || agora - *desde < 1500) return false;
                 EXPECT_EQ(escala(), 200);
                 EXPECT_LE(yPx(), 840 - 9 + 0.5);
                 EXPECT_NE(var("crescer depois"), 0);
                 return true;
             },
             6000},
            // Walking back out from under the pad, it grows once it has room.
            {"walk back, grow", [this] { segurar(-1); },
             [this] {
                 if (escala() > 200) segurar(0);
                 return escala() == 1000 && noChao() && yPx() < 840 && xPx() < 1240;
             },
             6000},
            {"shrink again", [this] { tocar(BAIXO); },
             [this] {
                 if (escala() == 200 && noChao()) segurar(1);
                 return escala() == 200 && noChao();
             },
             4000},
            subirNoTrampolim(),
        };
        // Thrown with Right held: from x 1268 down the slide (the character
        // is put back on the pad, and Right walks it off the pad's right
        // end), from x 1284 into the gap beside the pad. The keys bring it
        // back onto ground the route goes on from.
        for (double x0 : {1268.0, 1284.0}) {
            bool pelaRampa = x0 < 1280;
            auto maisLonge = std::make_shared<double>(0);
            std::vector<Etapa> arremesso = {
                {pelaRampa ? "stand on the pad at x 1268" : "stand on the pad at x 1284", nullptr,
                 [this, x0] { return ateX(x0); }, 6000},
                {"squeeze the pad", [this] { tocar(CIMA); },
                 [this] { return CONTEUDO_ler(TRAMPOLIM, "pressionado") == 'S'; }, 4000},
                {pelaRampa ? "thrown, Right held: the slide" : "thrown, Right held: the gap",
                 [this, desde, maisLonge] {
                     arremessosAntes = arremessos;
                     tocar(BAIXO);
                     *desde = -1;
                     *maisLonge = 0;
                 },
                 [this, desde, maisLonge, pelaRampa] {
                     if (*desde < 0 && arremessos == arremessosAntes + 1) {
                         apertar(DIREITA);
                         *desde = agora;
                     }
                     *maisLonge = std::max(*maisLonge, xPx());
                     if (*desde < 0 || agora - *desde <= 500 || !noChao()) return false;
                     // Down the slide past wall 24, and put back; or into
                     // the gap between the pad and the wall.
                     if (pelaRampa)
                         EXPECT_GT(*maisLonge, 1347);
                     else
                         EXPECT_GT(xPx(), 1310);
                     return true;
                 },
                 8000},
                voltarAoJogo(),
            };
            etapas.insert(etapas.end(), arremesso.begin(), arremesso.end());
        }
        return etapas;
    }
    // The detours onto block 28's top, which the rock the tiles draw there
    // hides, taken on the pad once the text there has shown: a throw that
    // ends there, and the character put there at rest, big and small. From
    // each it is put back on the pad.
    std::vector<Etapa> desviosSobreOBloco28()
    {
        auto desde = std::make_shared<int32_t>(0);
        std::vector<Etapa> etapas;
        // Thrown from the pad's right half with a jump that takes off with
        // the throw (Space 590 ms after S), Left held from the throw and
        // grown in the air 1.1 s later: it flies out of the shaft and comes
        // down over block 28, into the rock the tiles draw there, and is put
        // back on the pad.
        auto naRocha = std::make_shared<bool>(false);
        auto apertouS = std::make_shared<int32_t>(0);
        std::vector<Etapa> sobreOBloco28 = {
            {"stand on the pad at x 1296", nullptr, [this] { return ateX(1296); }, 6000},
            {"squeeze the pad", [this] { tocar(CIMA); },
             [this] { return CONTEUDO_ler(TRAMPOLIM, "pressionado") == 'S'; }, 4000},
            {"thrown, Left held: over block 28",
             [this, desde, naRocha, apertouS] {
                 arremessosAntes = arremessos;
                 tocar(BAIXO);
                 *apertouS = agora;
                 *desde = -1;
                 *naRocha = false;
             },
             [this, desde, naRocha, apertouS] {
                 if (agora - *apertouS >= 590 && agora - *apertouS < 590 + d()) tocar(ESPACO);
                 if (*desde < 0 && arremessos == arremessosAntes + 1) {
                     apertar(ESQUERDA);
                     *desde = agora;
                 }
                 if (*desde >= 0 && agora - *desde >= 1100 && agora - *desde < 1100 + d()) tocar(CIMA);
                 if (xPx() < 1190 && yPx() < 620) {
                     *naRocha = true;
                     segurar(0);
                 }
                 return *naRocha && noChao() && estaNoTrampolim();
             },
             8000},
            voltarAoJogo(),
        };
        etapas.insert(etapas.end(), sobreOBloco28.begin(), sobreOBloco28.end());
        // Put at rest on block 28's top, big and small: put back on the pad.
        for (int32_t tamanho : {1, 2})
            for (double x : {760.0, 950.0, 1140.0}) {
                etapas.push_back({tamanho == 1 ? "grow" : "shrink", [this, tamanho] { tocar(tamanho == 1 ? CIMA : BAIXO); },
                                  [this, tamanho] {
                                      return var("tamanho") == tamanho && var("mudou tamanho") == 0 && noChao();
                                  },
                                  4000});
                etapas.push_back({"put on block 28", [this, x] { colocar(x, 560 - (var("tamanho") == 1 ? 45 : 9)); },
                                  [this] { return noChao() && estaNoTrampolim(); }, 3000});
                etapas.push_back(pausa("stay on the pad", 300));
            }
        return etapas;
    }
    // Whether the character stands on the spring pad.
    bool estaNoTrampolim() { return chao(2) > 0 && xPx() > 1245 && xPx() < 1315 && yPx() < 800; }
    // Walks the character to x0 (within 2 px); true once it stands there.
    bool ateX(double x0)
    {
        double x = xPx();
        bool la = std::abs(x - x0) <= 2 && noChao() && std::abs(corpo(CONTEUDO_CORPO_VELOCIDADE_X)) < 50;
        segurar(la ? 0 : x > x0 + 1.5 ? -1 : x < x0 - 1.5 ? 1 : 0);
        return la;
    }
    // From wherever a throw left it beside the pad, back onto the pad or
    // onto block 21 left of it, as a player gets there: from the gap right
    // of the pad, to wall 24, a jump and left over the pad.
    Etapa voltarAoJogo()
    {
        auto salto = std::make_shared<int32_t>(-1);
        return {"back into play",
                [this, salto] {
                    largar(DIREITA);
                    *salto = -1;
                },
                [this, salto] {
                    if (*salto >= 0) {
                        if (agora - *salto >= 320) segurar(-1);
                        if (agora - *salto > 500 && noChao()) {
                            segurar(0);
                            *salto = -1;
                        }
                        return false;
                    }
                    if (!noChao() || parado()) return false;
                    bool noTrampolim = chao(2) > 0 && xPx() > 1245 && yPx() < 800;
                    if (noTrampolim || (yPx() > 820 && xPx() < 1249)) {
                        segurar(noTrampolim ? 0 : 1);
                        return true;
                    }
                    if (xPx() < 1318) {
                        segurar(1);
                        return false;
                    }
                    segurar(0);
                    tocar(ESPACO);
                    *salto = agora;
                    return false;
                },
                12000};
    }

    // The route from the intro to the ending, with `desvios` taken after
    // crossing the bridge small and `desviosNoTrampolim` after the first
    // throw.
    std::vector<Etapa> rota(const std::vector<Etapa>& desvios = {},
                            const std::vector<Etapa>& desviosNoTrampolim = {})
    {
        std::vector<Etapa> etapas = {
            pausa("intro: the logo shows", 5000),
            {"intro: the controls resume", [this] { foto("intro"); }, [this] { return !parado(); }, 9000, false},
            {"fall through the bridge", [this] { apertar(DIREITA); },
             [this] { return ponteAbriu && yPx() > 1050 && noChao(); }, 8000},
            {"shrink in the pit",
             [this] {
                 largar(DIREITA);
                 tocar(BAIXO);
             },
             [this] { return escala() == 200 && !parado(); }, 4000},
            {"through the low passage", [this] { apertar(ESQUERDA); }, [this] { return xPx() < 745 && noChao(); },
             12000},
            // Each jump up a step is tried again while the character stands
            // short of it: landing on a step's round corner, its walking force
            // cannot climb the slope.
            {"jump out of it", nullptr, [this] { return pularAte([this] { return xPx() < 722 && yPx() < 1080; }); },
             6000},
            // Against floor 7's wall the big size has no room: it steps back
            // until it grows, then walks on to the left.
            {"grow for the high jump", [this] { tocar(CIMA); },
             [this] {
                 segurar(escala() > 200 ? -1 : 1);
                 return escala() == 1000 && noChao();
             },
             4000},
            {"jump onto floor 7", nullptr, [this] { return pularAte([this] { return yPx() < 900; }); }, 6000},
            {"jump onto floor 2", nullptr, [this] { return pularAte([this] { return yPx() < 760; }) && mostrado[3]; },
             8000},
            pausa("settle on floor 2", 600, [this] { largar(ESQUERDA); }),
            // Jumps right and shrinks on the way up, to land under block 30.
            {"jump big, shrink in the air",
             [this] {
                 apertar(DIREITA);
                 tocar(ESPACO);
                 decolou = agiu = false;
             },
             [this] {
                 if (!decolou && vy() < -200) decolou = true;
                 if (decolou && !agiu && vy() > -450) {
                     tocar(BAIXO);
                     agiu = true;
                 }
                 return agiu && escala() == 200 && noChao() && xPx() > 630 && yPx() < 660;
             },
             4000},
            {"through the small passage", nullptr, [this] { return xPx() > 780 && yPx() > 820 && noChao(); }, 10000},
            {"cross the bridge small", nullptr,
             [this] { return xPx() > 1080 && noChao() && CONTEUDO_ler(PONTE, "pronto") == 'S'; }, 6000},
        };
        etapas.insert(etapas.end(), desvios.begin(), desvios.end());
        std::vector<Etapa> resto = {
            subirNoTrampolim(),
            {"walk under the shaft", nullptr, [this] { return ateOPoco(); }, 6000},
            {"squeeze the pad big", [this] { tocar(CIMA); },
             [this] { return CONTEUDO_ler(TRAMPOLIM, "pressionado") == 'S'; }, 4000},
            {"shrink to be thrown",
             [this] {
                 foto("trampolim");
                 tocar(BAIXO);
                 arremessosAntes = arremessos;
             },
             [this] { return arremessos == arremessosAntes + 1 && vy() > 0; }, 4000},
            {"fall back onto the pad", nullptr,
             [this] { return mostrado[6] && dispensado[6] && !parado() && noChao() && yPx() < 800; }, 6000},
        };
        etapas.insert(etapas.end(), resto.begin(), resto.end());
        etapas.insert(etapas.end(), desviosNoTrampolim.begin(), desviosNoTrampolim.end());
        resto = {
            {"walk under the shaft again", nullptr, [this] { return ateOPoco(); }, 6000},
            {"squeeze the pad again", [this] { tocar(CIMA); },
             [this] { return CONTEUDO_ler(TRAMPOLIM, "pressionado") == 'S'; }, 4000},
            // Thrown into the end zone small, it grows near the top: the growth
            // completes inside the zone.
            {"thrown, grow at the top",
             [this] {
                 tocar(BAIXO);
                 agiu = false;
                 arremessosAntes = arremessos;
             },
             [this] {
                 if (arremessos == arremessosAntes + 1 && !agiu && vy() > -250) {
                     tocar(CIMA);
                     agiu = true;
                 }
                 return CONTEUDO_ler(FIM, "personagem backup") != 0;
             },
             5000},
            // Once the ending has begun the size keys do nothing: S and W
            // start no size change, and the body goes on swelling.
            {"the size keys do nothing",
             [this] {
                 inicioDoFim = agora;
                 tocar(BAIXO);
                 agiu = false;
             },
             [this] {
                 if (!agiu && agora - inicioDoFim >= 200) {
                     tocar(CIMA);
                     agiu = true;
                 }
                 if (agora - inicioDoFim < 1200) return false;
                 EXPECT_EQ(var("tamanho"), 1);
                 EXPECT_EQ(var("mudou tamanho"), 0);
                 EXPECT_GT(escala(), 1000);
                 return true;
             },
             3000, false},
            {"the camera zooms out", nullptr, [this] { return zoom() == 604; }, 4500, false},
            {"the earth appears", nullptr, [this] { return CONTEUDO_ler(FIM, "anm terra") != 0; }, 4500, false},
            {"the ending shows", nullptr, [this] { return agora - inicioDoFim >= 6500; }, 7000, false},
        };
        etapas.insert(etapas.end(), resto.begin(), resto.end());
        return etapas;
    }

    sf::RenderWindow janelaDoTeste;
    bool rastro = false;
    int32_t agora = 0;
    bool mostrado[7] = {}, dispensado[7] = {};
    int32_t mostradoEm[7] = {}, aceitaDesde[7] = {-1, -1, -1, -1, -1, -1, -1};
    bool fotoDoTexto = false, ponteAbriu = false, ponteVoltou = false, apertadoAntes = false;
    int32_t arremessos = 0, arremessosAntes = 0, inicioDoFim = 0, ultimoPulo = -1000000;
    bool decolou = false, agiu = false, pulou = false;
    std::vector<std::pair<std::string, int32_t>> tempos;
};

TEST_P(Partida, NivelZeroDoInicioAoFim)
{
    const uint32_t musica = (uint32_t)CONTEUDO_ler(0, "musica"), somFim = (uint32_t)CONTEUDO_ler(0, "som fim");
    ASSERT_TRUE(percorrer(rota()));
    foto("fim");

    // The ending ran once.
    EXPECT_EQ(CONTEUDO_ler(FIM, "personagem backup"), (int32_t)PERSONAGEM);
    EXPECT_EQ(apoio::impressoesDaCamada(30500).size(), 1u);  // one end picture
    EXPECT_EQ(apoio::impressoesDaCamada(31000).size(), 1u);  // one earth
    EXPECT_EQ(apoio::impressoesDaCamada(32000).size(), 2u);  // the logo and one walking character

    // The last picture stays: the size keys move neither the camera nor the
    // earth on the screen.
    const sf::Vector2f terra = terraNaTela();
    EXPECT_TRUE(terra.x > 0 && terra.x < 640 && terra.y > 0 && terra.y < 360) << terra.x << ", " << terra.y;
    for (int32_t t : {BAIXO, CIMA, BAIXO}) {
        tocar(t);
        esperar(1200);
        EXPECT_EQ(zoom(), 604) << "after key " << t;
        EXPECT_NEAR(terraNaTela().x, terra.x, 0.5) << "after key " << t;
        EXPECT_NEAR(terraNaTela().y, terra.y, 0.5) << "after key " << t;
        EXPECT_EQ(var("tamanho"), 1) << "after key " << t;
    }

    // Every text showed, was dismissed and is gone.
    for (uint32_t i = 0; i < 7; i++) {
        EXPECT_TRUE(mostrado[i] && dispensado[i]) << "text " << i + 1;
        EXPECT_EQ(CONTEUDO_ler(PRIMEIRO_TEXTO + i, "pressionou"), 0) << "text " << i + 1;
        EXPECT_EQ(CONTEUDO_impressao((uint32_t)CONTEUDO_ler(PRIMEIRO_TEXTO + i, "anm caixa"),
                                     CONTEUDO_IMPRESSAO_TRANSPARENCIA),
                  1000)
            << "text " << i + 1;
    }
    // The bridge collapsed under the big character and closed again.
    EXPECT_TRUE(ponteAbriu && ponteVoltou);
    EXPECT_EQ(CONTEUDO_corpo((uint32_t)CONTEUDO_ler(PONTE, "lado esquerdo"), CONTEUDO_CORPO_ROTACAO), 0);
    EXPECT_EQ(CONTEUDO_corpo((uint32_t)CONTEUDO_ler(PONTE, "lado direito"), CONTEUDO_CORPO_ROTACAO), 0);
    // The pad threw the character twice.
    EXPECT_EQ(arremessos, 2);
    // The ending: the view zoomed out, the earth turns, the music changed.
    EXPECT_EQ(zoom(), 604);
    uint32_t centro = (uint32_t)CONTEUDO_ler(FIM, "centro terra");
    int32_t angulo = CONTEUDO_corpo(centro, CONTEUDO_CORPO_ROTACAO);
    esperar(200);
    EXPECT_NE(CONTEUDO_corpo(centro, CONTEUDO_CORPO_ROTACAO), angulo);
    EXPECT_EQ(CONTEUDO_impressao((uint32_t)CONTEUDO_ler(FIM, "anm terra"), CONTEUDO_IMPRESSAO_TRANSPARENCIA), 0);
    EXPECT_EQ(AUDIO_pegarLista(somFim)->getStatus(), sf::SoundSource::Playing);
    EXPECT_EQ(AUDIO_lista_pegarVolume(musica), 0);

    // Nothing follows the ending; closing the window ends the game.
    EXPECT_TRUE(janelaDoTeste.isOpen());
    sf::Event fechar;
    fechar.type = sf::Event::Closed;
    dispositivos().fila.push_back(fechar);
    quadro(d());
    EXPECT_FALSE(janelaDoTeste.isOpen());

    printf("route with %d ms frames:\n", d());
    for (const auto& t : tempos) printf("  %-30s %6d ms\n", t.first.c_str(), t.second);
    printf("  %-30s %6d ms\n", "whole game", agora);
}

// The same route with the detours of a player who takes the texts in their
// own order, lets the pad throw it with Right held, and ends up over block
// 28: from each, the keys bring it back (or it is put back), and the route
// goes on to the ending.
class PartidaComDesvios : public Partida {};

TEST_P(PartidaComDesvios, NivelZeroAteOFim)
{
    ASSERT_TRUE(percorrer(rota(desvios(), desviosSobreOBloco28())));
    EXPECT_EQ(CONTEUDO_ler(FIM, "personagem backup"), (int32_t)PERSONAGEM);
    EXPECT_EQ(zoom(), 604);
    // Two with Right held, one over block 28, one as it shrinks on the
    // squeezed pad before it is put on block 28 small, and the route's two.
    EXPECT_EQ(arremessos, 6);
    printf("route with detours, %d ms frames:\n", d());
    for (const auto& t : tempos) printf("  %-30s %6d ms\n", t.first.c_str(), t.second);
}

std::string nomeDoQuadro(const ::testing::TestParamInfo<int32_t>& i)
{
    return "De" + std::to_string(i.param) + "ms";
}

INSTANTIATE_TEST_SUITE_P(Quadros, Partida, ::testing::Values(16, 7), nomeDoQuadro);

INSTANTIATE_TEST_SUITE_P(Quadros, PartidaComDesvios, ::testing::Values(16), nomeDoQuadro);

}  // namespace
