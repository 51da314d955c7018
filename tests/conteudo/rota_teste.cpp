// The size constraints of level 0 with a sheet of 205 x 120 frames: the
// jump heights, and the passages that only the small size goes through,
// driven through the character's functions on the real physics.
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
