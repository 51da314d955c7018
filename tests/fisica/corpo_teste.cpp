// Bodies: creation, the 19 properties, mass and kind, the frame step.
#include "fisica_teste.h"

#include <cstring>

namespace {

using Corpo = Fisica;

TEST_F(Corpo, LeituraTruncaOProdutoDoMundo)
{
    // Created at v, and written as v on a kinematic body: the float 0.1 step
    // and back by truncation.
    const struct { int32_t escrito, lido; } casos[] = {
        {7, 6}, {-7, -6}, {1001, 1000}, {10, 10}, {0, 0}, {300, 300},
        // Past the 32-bit range after the round trip: saturated, not undefined.
        {INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN},
    };
    uint32_t id = 2;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.escrito);
        ASSERT_EQ(fisica_criarCorpo(id, c.escrito, c.escrito), id);
        EXPECT_EQ(ler(id, FISICA_X), c.lido);
        EXPECT_EQ(ler(id, FISICA_Y), c.lido);
        ASSERT_EQ(mudar(2, FISICA_X, c.escrito), nullptr);
        EXPECT_EQ(ler(2, FISICA_X), c.lido);
        id++;
    }
}

TEST_F(Corpo, CorpoNovoESemCorpo)
{
    ASSERT_EQ(fisica_criarCorpo(4, 300, -500), 4u);
    const struct { uint32_t p; _engine_valor novo; } casos[] = {
        {FISICA_X, 300},           {FISICA_Y, -500},          {FISICA_ROTACAO, 0},
        {FISICA_ESCALA_X, 1000},   {FISICA_ESCALA_Y, 1000},   {FISICA_VELOCIDADE_X, 0},
        {FISICA_VELOCIDADE_Y, 0},  {FISICA_VELOCIDADE_ROT, 0}, {FISICA_FORCA_X, 0},
        {FISICA_FORCA_Y, 0},       {FISICA_TORCAO, 0},        {FISICA_IMPULSO_X, 0},
        {FISICA_IMPULSO_Y, 0},     {FISICA_IMPULSO_ROT, 0},   {FISICA_DIFICULDADE_MOV, 1000},
        {FISICA_DIFICULDADE_ROT, 1000}, {FISICA_MASSA, 0},    {FISICA_DINAMICO, 78},
        {FISICA_PODE_RODAR, 'S'},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.p);
        EXPECT_EQ(ler(4, c.p), c.novo);
        // Without a body every getter reads 0, PodeRodar 'N', and every
        // setter refuses.
        EXPECT_EQ(ler(3, c.p), c.p == FISICA_PODE_RODAR ? 'N' : 0);
        EXPECT_EQ(texto(mudar(3, c.p, 1)), "Corpo invalido");
        EXPECT_EQ(texto(mudar(900, c.p, 1)), "Corpo invalido");
    }
}

TEST_F(Corpo, CriacaoRecusadaEVagasVazias)
{
    fisicaLog = 'S';
    ASSERT_EQ(fisica_criarCorpo(3, 0, 0), 3u);
    ASSERT_EQ(mudar(3, FISICA_X, 50), nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(fisica_criarCorpo(3, 900, 900), 0u);
    EXPECT_EQ(fisica_criarCorpo(0, 1, 1), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "F\xCD" "SICA - Corpo j\xE1 existe para entidade; Valor: 3\n"
              "F\xCD" "SICA - Falha ao criar corpo para entidade; Valor: 0\n"
              "F\xCD" "SICA - Posicao invalida\n");
    fisicaLog = 'N';
    EXPECT_EQ(ler(3, FISICA_X), 50);  // the existing body is untouched

    ASSERT_EQ(fisica_criarCorpo(9, 0, 0), 9u);
    for (uint32_t i = 4; i <= 8; i++) EXPECT_EQ(fisica_existeCorpo(i), 'N') << i;
    EXPECT_EQ(fisica_existeCorpo(9), 'S');
    EXPECT_EQ(fisica_existeCorpo(10), 'N');
    EXPECT_EQ(fisica_existeCorpo(0), 'N');
}

TEST_F(Corpo, PosicaoCinematicaImediataDinamicaPorVelocidade)
{
    ASSERT_EQ(fisica_criarCorpo(2, 100, 0), 2u);
    ASSERT_EQ(mudar(2, FISICA_X, 550), nullptr);
    EXPECT_EQ(ler(2, FISICA_X), 550);
    EXPECT_EQ(ler(2, FISICA_VELOCIDADE_X), 0);

    ASSERT_EQ(fisica_criarCorpo(3, 100, 0), 3u);
    ASSERT_EQ(mudar(3, FISICA_MASSA, 1000), nullptr);
    ASSERT_EQ(mudar(3, FISICA_DINAMICO, 'S'), nullptr);
    ASSERT_EQ(mudar(3, FISICA_VELOCIDADE_Y, 70), nullptr);
    // Origin x 10.0, target 30.0: the velocity covers it in one second; the
    // position waits for the step, y is kept.
    ASSERT_EQ(mudar(3, FISICA_X, 300), nullptr);
    EXPECT_EQ(ler(3, FISICA_VELOCIDADE_X), 200);
    EXPECT_EQ(ler(3, FISICA_VELOCIDADE_Y), 70);
    EXPECT_EQ(ler(3, FISICA_X), 100);
}

TEST_F(Corpo, CinematicoRecusaVelocidadeEImpulso)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    for (uint32_t p : {FISICA_VELOCIDADE_X, FISICA_VELOCIDADE_Y, FISICA_VELOCIDADE_ROT})
        EXPECT_EQ(texto(mudar(2, p, 100)), "Proibido mudar velocidade de corpo nao-dinamico") << p;
    for (uint32_t p : {FISICA_IMPULSO_X, FISICA_IMPULSO_Y, FISICA_IMPULSO_ROT})
        EXPECT_EQ(texto(mudar(2, p, 100)), "Proibido aplicar impulso a corpo nao-dinamico") << p;
    btRigidBody* c = fisica_corpo(2)->corpo;
    EXPECT_EQ(c->getLinearVelocity(), btVector3(0, 0, 0));
    EXPECT_EQ(c->getAngularVelocity(), btVector3(0, 0, 0));
}

TEST_F(Corpo, ImpulsoDinamico)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(mudar(2, FISICA_MASSA, 2000), nullptr);
    ASSERT_EQ(mudar(2, FISICA_DINAMICO, 'S'), nullptr);
    // Velocity += inverse mass x 10 x value: 0.5 x 10 x 30 = 150 units, 1500 tenths.
    ASSERT_EQ(mudar(2, FISICA_IMPULSO_X, 30), nullptr);
    EXPECT_EQ(ler(2, FISICA_VELOCIDADE_X), 1500);
    EXPECT_EQ(ler(2, FISICA_IMPULSO_X), 0);
    // A torque impulse of value x 0.1 about z, through the inverse inertia
    // (a figure gives the body some).
    ASSERT_EQ(fisica_anexarFigura(2, fisica_criarCirculo(100), -100, -100), nullptr);
    ASSERT_EQ(mudar(2, FISICA_IMPULSO_ROT, 1000), nullptr);
    btScalar inversa = fisica_corpo(2)->corpo->getInvInertiaTensorWorld()[2][2];
    ASSERT_GT(inversa, 0.0f);
    EXPECT_EQ(ler(2, FISICA_VELOCIDADE_ROT), FISICA_paraMotor(inversa * 100.0f, 1000.0));
    ASSERT_EQ(mudar(2, FISICA_VELOCIDADE_ROT, 0), nullptr);
    ASSERT_EQ(mudar(2, FISICA_PODE_RODAR, 'N'), nullptr);
    EXPECT_EQ(ler(2, FISICA_PODE_RODAR), 'N');
    ASSERT_EQ(mudar(2, FISICA_IMPULSO_ROT, 1000), nullptr);
    EXPECT_EQ(ler(2, FISICA_VELOCIDADE_ROT), 0);  // no angular factor
}

TEST_F(Corpo, MassaEDinamico)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    btRigidBody* c = fisica_corpo(2)->corpo;
    // Kinematic: only stored.
    ASSERT_EQ(mudar(2, FISICA_MASSA, 2000), nullptr);
    EXPECT_EQ(ler(2, FISICA_MASSA), 2000);
    EXPECT_EQ(c->getInvMass(), 0.0f);
    ASSERT_EQ(mudar(2, FISICA_DINAMICO, 'S'), nullptr);
    EXPECT_EQ(ler(2, FISICA_DINAMICO), 'S');
    EXPECT_FLOAT_EQ(c->getInvMass(), 0.5f);
    EXPECT_FALSE(c->isKinematicObject());

    // The same mass or kind again does nothing: the velocity stays.
    ASSERT_EQ(mudar(2, FISICA_VELOCIDADE_X, 500), nullptr);
    ASSERT_EQ(mudar(2, FISICA_MASSA, 2000), nullptr);
    ASSERT_EQ(mudar(2, FISICA_DINAMICO, 'S' + 256), nullptr);  // only the low byte counts
    EXPECT_EQ(ler(2, FISICA_VELOCIDADE_X), 500);
    // A different mass stops the linear motion.
    ASSERT_EQ(mudar(2, FISICA_MASSA, 4000), nullptr);
    EXPECT_EQ(ler(2, FISICA_VELOCIDADE_X), 0);
    EXPECT_FLOAT_EQ(c->getInvMass(), 0.25f);

    // Back to kinematic: mass properties stay, the flag returns.
    ASSERT_EQ(mudar(2, FISICA_DINAMICO, 'N'), nullptr);
    EXPECT_TRUE(c->isKinematicObject());
    EXPECT_FLOAT_EQ(c->getInvMass(), 0.25f);
    EXPECT_EQ(ler(2, FISICA_DINAMICO), 'N');
}

TEST_F(Corpo, RotacaoCinematicaEDinamica)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    for (int32_t r : {900, -900, 450, 1800}) {
        ASSERT_EQ(mudar(2, FISICA_ROTACAO, r), nullptr);
        EXPECT_NEAR((double)ler(2, FISICA_ROTACAO), (double)r, 1.0) << r;
    }
    ASSERT_EQ(fisica_criarCorpo(3, 0, 0), 3u);
    ASSERT_EQ(mudar(3, FISICA_MASSA, 1000), nullptr);
    ASSERT_EQ(mudar(3, FISICA_DINAMICO, 'S'), nullptr);
    // Turned by nothing yet: the angular velocity is the whole target, in
    // thousandths of a radian per second.
    ASSERT_EQ(mudar(3, FISICA_ROTACAO, 900), nullptr);
    EXPECT_NEAR((double)ler(3, FISICA_VELOCIDADE_ROT), 1570.0, 1.0);
}

TEST_F(Corpo, AmortecimentoLimitadoPelaBiblioteca)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(mudar(2, FISICA_DIFICULDADE_MOV, 400), nullptr);
    ASSERT_EQ(mudar(2, FISICA_DIFICULDADE_ROT, 5000), nullptr);
    EXPECT_EQ(ler(2, FISICA_DIFICULDADE_MOV), 400);
    EXPECT_EQ(ler(2, FISICA_DIFICULDADE_ROT), 2000);
}

// ------------------------------------------------------------ frame step

int subpassos = 0;
void contarSubpasso(btDynamicsWorld*, btScalar) { subpassos++; }

TEST_F(Corpo, SubpassosDoQuadro)
{
    fisicaDiscreteDynamicsWorld->setInternalTickCallback(contarSubpasso);
    // A dynamic body with no damping and a force in the first frame only.
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(mudar(2, FISICA_MASSA, 1000), nullptr);
    ASSERT_EQ(mudar(2, FISICA_DINAMICO, 'S'), nullptr);
    ASSERT_EQ(mudar(2, FISICA_DIFICULDADE_MOV, 0), nullptr);
    ASSERT_EQ(mudar(2, FISICA_FORCA_X, 5), nullptr);

    const struct { int32_t d; int esperados; } casos[] = {{16, 0}, {17, 1}, {1000, 10}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.d);
        subpassos = 0;
        fisica_atualizar(c.d);
        EXPECT_EQ(subpassos, c.esperados);
        ASSERT_EQ(mudar(2, FISICA_FORCA_X, 0), nullptr);
    }
    // The force of the 16 ms frame ran no sub-step and was lost: nothing
    // pushed the body along x.
    EXPECT_EQ(ler(2, FISICA_VELOCIDADE_X), 0);
    EXPECT_EQ(fisicaTempo, 1033u);
}

TEST_F(Corpo, ForcaAgeNoQuadroEmQueFoiAplicada)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(fisica_anexarFigura(2, fisica_criarCirculo(100), -100, -100), nullptr);  // some inertia
    ASSERT_EQ(mudar(2, FISICA_MASSA, 1000), nullptr);
    ASSERT_EQ(mudar(2, FISICA_DINAMICO, 'S'), nullptr);
    ASSERT_EQ(mudar(2, FISICA_DIFICULDADE_MOV, 0), nullptr);
    ASSERT_EQ(mudar(2, FISICA_FORCA_X, 5), nullptr);
    ASSERT_EQ(mudar(2, FISICA_TORCAO, 3000), nullptr);
    // 500 world force units on mass 1 during one sixtieth of a second.
    fisica_atualizar(17);
    EXPECT_EQ(ler(2, FISICA_VELOCIDADE_X), 83);
    EXPECT_GT(ler(2, FISICA_VELOCIDADE_ROT), 0);
    // Gravity pulls down the screen: 980 units per second squared for one
    // sixtieth of a second; a kinematic body ignores forces.
    EXPECT_EQ(ler(2, FISICA_VELOCIDADE_Y), 163);
    ASSERT_EQ(fisica_criarCorpo(3, 0, 0), 3u);
    ASSERT_EQ(mudar(3, FISICA_FORCA_X, 5), nullptr);
    fisica_atualizar(17);
    EXPECT_EQ(ler(3, FISICA_X), 0);
}

TEST_F(Corpo, ForcaGrandeDaAVoltaEm32Bits)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(mudar(2, FISICA_MASSA, 1000), nullptr);
    ASSERT_EQ(mudar(2, FISICA_DINAMICO, 'S'), nullptr);
    ASSERT_EQ(mudar(2, FISICA_DIFICULDADE_MOV, 0), nullptr);
    // 21474837 x 100 passes 2^31 and wraps to a negative force.
    ASSERT_EQ(mudar(2, FISICA_FORCA_X, 21474837), nullptr);
    fisica_atualizar(17);
    EXPECT_LT(ler(2, FISICA_VELOCIDADE_X), 0);
}

// The motion state reports the body at the world's own time (one sub-step
// of 1/60 s plus the 1/3 ms the world keeps), not a sub-step behind, and
// contacts correct penetration with the older library's strength.
TEST_F(Corpo, PosicaoLidaNoTempoDoMundo)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(mudar(2, FISICA_MASSA, 1000), nullptr);
    ASSERT_EQ(mudar(2, FISICA_DINAMICO, 'S'), nullptr);
    ASSERT_EQ(mudar(2, FISICA_DIFICULDADE_MOV, 0), nullptr);
    ASSERT_EQ(mudar(2, FISICA_VELOCIDADE_X, 600), nullptr);
    fisica_atualizar(17);
    EXPECT_EQ(ler(2, FISICA_X), 10);  // 1.02 units; a sub-step behind it would read 0
    EXPECT_EQ(fisicaDiscreteDynamicsWorld->getSolverInfo().m_erp2, 0.8f);
}

TEST_F(Corpo, LogDoModulo)
{
    fisica_finalizar();
    engine_iniciar(true);
    testing::internal::CaptureStderr();
    ASSERT_EQ(fisica_iniciar('S', 1000), 1);
    fisica_criarCorpo(2, 0, 0);
    fisica_atualizar(5);
    fisica_finalizar();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "F\xCD" "SICA - Iniciando m\xF3" "dulo de f\xEDsica\n"
              "F\xCD" "SICA - M\xF3" "dulo de f\xEDsica iniciado com sucesso\n"
              "F\xCD" "SICA - Atualizando m\xF3" "dulo de f\xEDsica com tempo atual; Valor: 5\n"
              "F\xCD" "SICA - Ajustando corpo; Valor: 2\n"
              "F\xCD" "SICA - Corpo ajustado; Valor: 2\n"
              "F\xCD" "SICA - M\xF3" "dulo de f\xEDsica finalizado\n");
    fisicaLog = 'N';
    engine_iniciar(true);
    ASSERT_EQ(fisica_iniciar('N', 1000), 1);
}

TEST_F(Corpo, DestruirLiberaOCorpoEAsFiguras)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    uint32_t f = fisica_criarRetangulo(100, 100);
    ASSERT_EQ(fisica_anexarFigura(2, f, 0, 0), nullptr);
    ASSERT_EQ(fisica_anexarFigura(2, f, 50, 0), nullptr);
    ASSERT_EQ(fisica_tratarColisoes(2, 2, "colisao"), nullptr);
    EXPECT_EQ(fisica_destruirCorpo(2), nullptr);
    EXPECT_EQ(fisica_existeCorpo(2), 'N');
    EXPECT_EQ(engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, fisica_figura(f)->anexos), 0u);
    EXPECT_EQ(texto(fisica_destruirCorpo(2)), "Corpo invalido");
    // The id can hold a new body, and the world steps without the old one.
    ASSERT_EQ(fisica_criarCorpo(2, 10, 10), 2u);
    quadros(2);
    EXPECT_EQ(fisicaDiscreteDynamicsWorld->getNumCollisionObjects(), 1);
}

}  // namespace
