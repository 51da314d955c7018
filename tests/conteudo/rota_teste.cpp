// The size constraints of level 0 with a sheet of 205 x 120 frames: the
// jump heights, and the passages that only the small size goes through,
// driven through the character's functions on the real physics.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "conteudo_apoio.h"

using namespace conteudo_apoio;

namespace {

class Rota : public Jogo {
protected:
    void SetUp() override
    {
        Jogo::SetUp();
        desarmarTextos();
        quadros(1000);  // lands on the start block
    }
    // Jumps (walking in dir when not 0) and returns how high the origin rose,
    // in pixels, over ms; stops walking 500 ms before the end.
    double pular(int32_t dir, int32_t ms, int32_t diminuirEm = -1)
    {
        if (dir != 0) andar(dir);
        double y0 = yPx(), ymin = y0;
        chamar("pular");
        for (int32_t t = 0; t < ms; t += 16) {
            quadro();
            if (yPx() < ymin) ymin = yPx();
            if (t == diminuirEm) chamar("diminuir");
            if (t + 500 >= ms && dir != 0) chamar("parar");
        }
        return y0 - ymin;
    }
    void andarPor(int32_t dir, int32_t ms)
    {
        andar(dir);
        quadros(ms);
        chamar("parar");
    }
};

TEST_F(Rota, AlturasDoPuloNumChaoAberto)
{
    // A floor far from the level, with its strips, top at y 3000.
    uint32_t l = entidades_criarEntidade(conteudoVazio, 0, 0);
    fisica_anexarFigura(l, fisica_criarRetangulo(20000, 1000), 30000, 30000);
    uint32_t n = entidades_criarEntidade(conteudoSensor, 0, 0);
    CONTEUDO_escreverEm(n, "plataforma", 1, 'S');
    fisica_anexarFigura(n, fisica_criarRetangulo(20000, 100), 30000, 29900);
    uint32_t q = entidades_criarEntidade(conteudoSensor, 0, 0);
    CONTEUDO_escreverEm(q, "plataforma", 2, 'S');
    fisica_anexarFigura(q, fisica_criarRetangulo(20000, 20), 30000, 29980);

    colocar(4000, 2900);
    quadros(1000);
    EXPECT_NEAR(yPx(), 3000 - 45, 0.5);  // the capsule's feet 0.375 h below the origin
    double grande = pular(0, 1500);
    diminuir();
    EXPECT_NEAR(yPx(), 3000 - 9, 0.5);
    double pequeno = pular(0, 1000);
    printf("jump: big %.1f px, small %.1f px\n", grande, pequeno);
    // The big jump clears the 140 px floors with room; the small one the
    // 39 px step out of the low passage, but not a 140 px floor.
    EXPECT_GT(grande, 200);
    EXPECT_LT(grande, 230);
    EXPECT_GT(pequeno, 50);
    EXPECT_LT(pequeno, 70);
}

TEST_F(Rota, SoOPequenoPassaPelaPassagemBaixaESaltaParaFora)
{
    // The big one, in the pit under the bridge, is stopped by block 32.
    colocar(1000, 1060);
    quadros(500);
    andarPor(-1, 3000);
    EXPECT_GT(xPx(), 930);

    diminuir();
    andarPor(-1, 4500);  // through the 23 px passage, to the 39 px step
    EXPECT_LT(xPx(), 770);
    EXPECT_NEAR(yPx(), 1120 - 9, 0.5);
    pular(-1, 1500);
    EXPECT_LT(xPx(), 722);  // on floor 12
    EXPECT_NEAR(yPx(), 1081 - 9, 0.5);
    EXPECT_GT(chao(2), 0);
}

TEST_F(Rota, OGrandeSobeOsDegrausQueOPequenoNaoAlcanca)
{
    colocar(650, 1030);
    quadros(800);
    diminuir();
    pular(-1, 1200);
    EXPECT_NEAR(yPx(), 1081 - 9, 0.5);  // still on floor 12
    // Against floor 7's wall there is no room for the big size: it grows
    // once it has walked away from it.
    crescer();
    EXPECT_EQ(corpo(CONTEUDO_CORPO_ESCALA_X), 200);
    andar(1);
    for (int32_t t = 0; t < 2000 && corpo(CONTEUDO_CORPO_ESCALA_X) == 200; t += 16) quadro();
    chamar("parar");
    printf("grows at x %.1f\n", xPx());
    EXPECT_GT(xPx(), 630 + 34);
    quadros(960);
    EXPECT_EQ(corpo(CONTEUDO_CORPO_ESCALA_X), 1000);
    pular(-1, 1200);
    // On floor 7, which ends in a round corner at x 630: the capsule may
    // rest partly on it.
    EXPECT_NEAR(yPx(), 941 - 45, 3);
    EXPECT_LT(xPx(), 640);
    EXPECT_EQ(chao(1), 1);
    quadros(500);
    pular(-1, 1200);
    andarPor(-1, 300);
    quadros(500);
    // Floor 2 is 61.5 px wide: the 68 px capsule rests on it and its round end.
    EXPECT_NEAR(yPx(), 801 - 45, 3);
    EXPECT_LT(xPx(), 570);
    EXPECT_EQ(chao(1), 1);
}

TEST_F(Rota, SaltoGrandeQueEncolheNoArAlcancaAPassagemPequena)
{
    // Without shrinking, the big one does not get under block 30.
    colocar(510, 750);
    quadros(800);
    pular(1, 2500);
    EXPECT_LT(xPx(), 650);

    colocar(510, 750);
    quadros(800);
    pular(1, 2000, 448);  // shrinks at the top of the jump
    EXPECT_NEAR(yPx(), 660 - 9, 0.5);  // on the ledge
    EXPECT_GT(xPx(), 630);
    EXPECT_GT(chao(2), 0);
    EXPECT_EQ(var("tamanho"), 2);
    andarPor(1, 1500);  // under block 30, 30 px above the ledge
    EXPECT_GT(xPx(), 706);
}

TEST_F(Rota, SoOPequenoCabeNoPoco)
{
    colocar(1275, 470);
    quadros(2000);
    EXPECT_LT(yPx(), 640);  // held at the shaft's mouth

    diminuir();
    colocar(1275, 520);
    quadros(2000);
    EXPECT_NEAR(yPx(), 797 - 9, 1);  // down the 31 px shaft onto the spring pad
}

}  // namespace

namespace {

// Growing where the big size has no room. The body stays small there, never
// pressed into the level, and grows once it has room: walking away, or
// jumping out of the gap beside the pad.
class Crescer : public Rota {
protected:
    // Whether the character overlaps the level's rock, the pad or the
    // bridge deeper than 4 px: more than a body at rest or walking into a
    // wall ever does.
    bool dentroDaRocha()
    {
        uint32_t corpos[8];
        uint32_t n = fisica_sobreposicoes(personagem, corpo(CONTEUDO_CORPO_ESCALA_X), 0, 0, 40, corpos, 8);
        for (uint32_t i = 0; i < n && i < 8; i++) {
            uint32_t m = entidades_entidade_pegarModelo(corpos[i]);
            if (m == conteudoLevel_0 || m == conteudoTrampolim || m == conteudoVazio) return true;
        }
        return false;
    }
    // Frames while the body stays above `piso` and (when `rocha`) out of
    // the rock; false (with a failure) otherwise. A body landing from a
    // fall sinks into the floor for a frame, whatever its size.
    bool vigiar(int32_t ms, double piso, const std::string& onde, bool rocha = true)
    {
        for (int32_t t = 0; t < ms; t += 16) {
            quadro();
            if ((rocha && dentroDaRocha()) || yPx() > piso || xPx() < 473 || xPx() > 1347) {
                ADD_FAILURE() << onde << ": at (" << xPx() << ", " << yPx() << "), scale "
                              << corpo(CONTEUDO_CORPO_ESCALA_X) << ", " << t << " ms after W";
                return false;
            }
        }
        return true;
    }
    // Small, at rest at (x, y), or on the spring pad where the pad's base
    // fills that place.
    void pequenoEm(double x, double y, bool assentar = true)
    {
        colocar(1000, 800);
        quadros(300);
        if (var("tamanho") == 1) diminuir();
        colocar(x, y);
        if (dentroDaRocha()) colocar(x, 797.6 - 9);
        if (assentar) quadros(600);
    }
    // The ways out to room, as a player would take them.
    enum Saida { ESQUERDA, DIREITA, PULAR_PARA_A_DIREITA, SAIR_DA_FENDA };
    // Walks (after a jump, or from the gap beside the pad: to wall 24, a
    // jump and left over the pad) while the character stays small, until it
    // is big; true when it is, the body inside the level all the way.
    bool sairAteCrescer(Saida saida, const std::string& onde)
    {
        const double fundo = 1300;  // the level's lowest figure
        int32_t direcao = saida == ESQUERDA || saida == SAIR_DA_FENDA ? -1 : 1;
        if (saida == SAIR_DA_FENDA) {
            andar(1);
            if (!vigiar(700, fundo, onde + ", to the wall", false)) return false;
            chamar("parar");
            quadros(200);
        }
        if (saida == SAIR_DA_FENDA || saida == PULAR_PARA_A_DIREITA) {
            chamar("pular");
            quadros(320);
        }
        for (int32_t t = 0; t < 12000 && corpo(CONTEUDO_CORPO_ESCALA_X) != 1000; t += 16) {
            bool andando = var("andando") == 'S';
            if (var("tamanho") == 2 && !andando) andar(direcao);
            if (var("tamanho") == 1 && andando) chamar("parar");
            if (!vigiar(16, fundo, onde + ", on the way out", false)) return false;
        }
        chamar("parar");
        return vigiar(200, fundo, onde + ", grown", false);
    }
};

TEST_F(Crescer, SoOndeOGrandeCabeEQuandoHouverLugar)
{
    struct Faixa {
        const char* onde;
        double de, ate, y;  // every 5 px from de to ate, the origin at y
        double piso;        // the floor's top: the feet stay above it
        Saida saida;        // the way out to room
        bool noAr;          // W while it falls from there
    };
    const Faixa faixas[] = {
        {"floor 17", 725, 960, 1111, 1120, DIREITA, false},
        // Over the pad's base the character stands on the pad; wall 24's face
        // at x 1330 leaves the small one room up to x 1323.
        {"block 21 and the pad", 1225, 1295, 831, 840, ESQUERDA, false},
        {"block 21, right of the pad", 1300, 1320, 831, 840, SAIR_DA_FENDA, false},
        // From rest on the seam of the ledge's round end the small one does
        // not start walking: it jumps first.
        {"the ledge", 636, 676, 651, 660, PULAR_PARA_A_DIREITA, false},
        {"in the air beside the pad", 1319, 1320, 760, 840, SAIR_DA_FENDA, true},
    };
    int32_t cresceu = 0, esperou = 0;
    for (const Faixa& f : faixas) {
        for (double x = f.de; x <= f.ate; x += 5) {
            std::string onde = std::string(f.onde) + " x " + std::to_string((int)x);
            pequenoEm(x, f.y, !f.noAr);
            double x0 = xPx();
            chamar("crescer");
            if (!vigiar(1500, f.piso, onde)) continue;
            if (corpo(CONTEUDO_CORPO_ESCALA_X) == 1000) {
                cresceu++;
                continue;
            }
            // It waits, small, where it was.
            esperou++;
            EXPECT_EQ(corpo(CONTEUDO_CORPO_ESCALA_X), 200) << onde;
            EXPECT_NEAR(xPx(), x0, 1) << onde;
            EXPECT_NE(var("crescer depois"), 0) << onde;
            if (!sairAteCrescer(f.saida, onde)) continue;
            EXPECT_EQ(corpo(CONTEUDO_CORPO_ESCALA_X), 1000) << onde << ", out at (" << xPx() << ", " << yPx() << ")";
            EXPECT_EQ(var("crescer depois"), 0) << onde;
        }
    }
    printf("grew at once at %d places, waited for room at %d\n", cresceu, esperou);
    EXPECT_GT(cresceu, 0);
    EXPECT_GT(esperou, 0);
}

}  // namespace

namespace {

// Places from where no key brings the character back: it is put back at
// rest, feet on the ground where it last came onto ground, inside nothing.
class Volta : public Rota {
protected:
    // Whether the character overlaps the level's rock, the pad or the
    // bridge deeper than `folga` tenths of a px.
    bool dentroDeFigura(int32_t folga)
    {
        uint32_t corpos[8];
        uint32_t n = fisica_sobreposicoes(personagem, corpo(CONTEUDO_CORPO_ESCALA_X), 0, 0, folga, corpos, 8);
        for (uint32_t i = 0; i < n && i < 8; i++) {
            uint32_t m = entidades_entidade_pegarModelo(corpos[i]);
            if (m == conteudoLevel_0 || m == conteudoTrampolim || m == conteudoVazio) return true;
        }
        return false;
    }
    // The origin's height over feet at y, at the present size.
    double origemSobre(double pes) { return pes - (var("tamanho") == 1 ? 45 : 9); }
    // The top of the spring pad, which the big character squeezes down.
    double alturaDoTrampolim() { return CONTEUDO_corpo(TRAMPOLIM, CONTEUDO_CORPO_Y) / 10.0; }
    // Stands the character, of the size asked, on the spring pad's middle:
    // the last ground it comes onto.
    void noTrampolim(int32_t tamanho)
    {
        if (var("tamanho") != tamanho) tamanho == 1 ? crescer() : diminuir();
        colocar(1275, origemSobre(797.6) - 2);
        quadros(1500);
        ASSERT_GT(chao((uint32_t)tamanho), 0);
    }
    // Frames until the character has been put back (it stands within 5 px
    // of the place it last came onto ground); then, within a few frames, it
    // rests there on ground of its size, inside no figure by more than 1 px.
    void esperarVolta(const std::string& onde, int32_t ms = 3000)
    {
        double x0 = var("chao x") / 10.0;
        int32_t t = 0;
        for (; t < ms && std::abs(xPx() - x0) > 5; t += 16) quadro();
        ASSERT_LT(t, ms) << onde << ": not put back; at (" << xPx() << ", " << yPx() << ")";
        quadros(16 * 4);
        EXPECT_GT(chao((uint32_t)var("tamanho")), 0) << onde;
        EXPECT_LT(std::abs(velocidadeY()), 2.0) << onde;
        EXPECT_FALSE(dentroDeFigura(10)) << onde << ": at (" << xPx() << ", " << yPx() << ")";
        EXPECT_NEAR(xPx(), x0, 1) << onde;
    }
};

TEST_F(Volta, DaRochaSobreOBloco28EDoTetoVoltaAoTrampolim)
{
    // The tops that rock drawn by the tiles hides, with no ground strip:
    // block 28's (the trench left of triangle 27), the slot beside block 30
    // (triangle 29's top, room for the small size only), block 30's,
    // figure 31's and wall 1's.
    const struct {
        const char* onde;
        double x, pes;
        int32_t tamanho;
    } lugares[] = {
        {"block 28 x 760", 760, 560, 1},   {"block 28 x 950", 950, 560, 1},  {"block 28 x 1140", 1140, 560, 1},
        {"block 28 x 760", 760, 560, 2},   {"block 28 x 950", 950, 560, 2},  {"block 28 x 1140", 1140, 560, 2},
        {"block 28 x 1183", 1183, 560, 2}, {"the slot", 716, 630, 2},        {"block 30", 678, 490, 1},
        {"block 30", 678, 490, 2},         {"figure 31", 570, 473, 1},       {"figure 31", 570, 473, 2},
        {"wall 1", 481, 490, 2},
    };
    for (const auto& l : lugares) {
        std::string onde = std::string(l.onde) + (l.tamanho == 1 ? ", big" : ", small");
        noTrampolim(l.tamanho);
        colocar(l.x, origemSobre(l.pes) - 0.5);
        esperarVolta(onde);
        EXPECT_NEAR(yPx(), origemSobre(alturaDoTrampolim()), 1) << onde;
    }
}

TEST_F(Volta, DepoisDeUmaQuedaEDeUmArremessoPelaRampa)
{
    // A fall of some 3 s outside wall 1, into the region below the floors.
    colocar(1100, origemSobre(840) - 2);
    quadros(500);
    colocar(420, 100);
    esperarVolta("after a fall", 6000);
    EXPECT_NEAR(yPx(), origemSobre(840), 1);

    // Thrown with the right held, down the slide past wall 24, while the pad
    // springs back up under the place it was squeezed at.
    noTrampolim(1);
    colocar(1268, origemSobre(797.6) - 2);
    quadros(1500);
    ASSERT_EQ(CONTEUDO_ler(TRAMPOLIM, "pressionado"), 'S');
    chamar("diminuir");
    for (int32_t t = 0; t < 3000 && xPx() < 1350; t += 16) {
        if (var("andando") != 'S' && velocidadeY() < -500) andar(1);
        quadro();
    }
    chamar("parar");
    EXPECT_GE(xPx(), 1350);
    esperarVolta("after a throw down the slide");
    EXPECT_NEAR(yPx(), origemSobre(797.6), 1);
}

}  // namespace
