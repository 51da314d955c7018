// Links without a window: where the pieces of each fill form go, how the
// chain follows its bodies, the link's own operations, and bases that are
// pieces or particles themselves.
#include <algorithm>

#include "fisica/fisica.h"
#include "video_apoio.h"

namespace {

using apoio::impressoesDaCamada;
using apoio::ler;
using apoio::mudar;

const char USADA[] = "Proibido destruir impressoes usadas em ligacoes ou particulas";

class Ligacoes : public apoio::Video {
protected:
    void SetUp() override
    {
        apoio::Video::SetUp();
        ASSERT_EQ(fisica_iniciar('N', 1000), 1);
        recursos = new apoio::Recursos({{"elo.png", apoio::png(2, 10)}});
        imagem = video_abrirImagem("elo.png", 1, 1);
        ASSERT_NE(imagem, 0u);
        base = video_criarAnimacao(imagem);
        ASSERT_NE(fisica_criarCorpo(A, 1000, 500), 0u);
        ASSERT_NE(fisica_criarCorpo(B, 1250, 500), 0u);
    }
    void TearDown() override
    {
        apoio::Video::TearDown();
        fisica_finalizar();
        delete recursos;
    }
    static void mover(uint32_t corpo, int32_t x, int32_t y)
    {
        ASSERT_EQ(engine_propriedade_mudarValor(ENGINE_MODULO_FISICA, 1, 1, corpo, x), nullptr);
        ASSERT_EQ(engine_propriedade_mudarValor(ENGINE_MODULO_FISICA, 1, 2, corpo, y), nullptr);
    }
    static std::vector<uint32_t> pecas(uint32_t ligacao)
    {
        std::vector<uint32_t> lista;
        _video_ligacao* l = VIDEO_pegarLigacao(ligacao);
        for (uint32_t i = 1; l && i <= engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, l->copias); i++)
            lista.push_back((uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, l->copias, i));
        return lista;
    }
    static std::vector<uint32_t> ligacoesDaCamada(int32_t numero)
    {
        std::vector<uint32_t> lista;
        _video_camada* c = VIDEO_acharCamada(numero);
        for (uint32_t i = 1; c && i <= engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, c->ligacoes); i++)
            lista.push_back((uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, c->ligacoes, i));
        return lista;
    }
    static const uint32_t A = 2, B = 3;
    apoio::Recursos* recursos = nullptr;
    uint32_t imagem = 0, base = 0;
};

// One piece as the chain places it.
struct Peca {
    int32_t x, y, rotacao, corte;
    bool operator==(const Peca& o) const { return x == o.x && y == o.y && rotacao == o.rotacao && corte == o.corte; }
};

std::ostream& operator<<(std::ostream& s, const Peca& p)
{
    return s << "(" << p.x << ", " << p.y << ", rot " << p.rotacao << ", cut " << p.corte << ")";
}

TEST_F(Ligacoes, PecasDeCadaFormaOndeOsCasosDizem)
{
    // A stands at (1000, 500); B at A + (dx, dy). World units.
    struct {
        const char* nome;
        int32_t forma;
        uint32_t valor;
        int32_t dx, dy;
        int32_t alturaFixa;
        std::vector<Peca> pecas;
    } const casos[] = {
        {"10-pixel pieces over 250: two whole, the third cut to 5 pixels", 0, 10, 250, 0, 0,
         {{1000, 500, 2700, 0}, {1100, 500, 2700, 0}, {1200, 500, 2700, 50}}},
        {"over exactly 300: the third keeps a tenth of a pixel", 0, 10, 300, 0, 0,
         {{1000, 500, 2700, 0}, {1100, 500, 2700, 0}, {1200, 500, 2700, 1}}},
        {"B to the left: turned by 180 degrees, stepping left", 0, 10, -250, 0, 0,
         {{1000, 500, 4500, 0}, {900, 500, 4500, 0}, {800, 500, 900, 50}}},
        {"four pieces over (400, 300): steps of (100, 75), each 125 high", 1, 4, 400, 300, 125,
         {{1000, 500, 3068, 0}, {1100, 575, 3068, 0}, {1200, 650, 3068, 0}, {1300, 725, 3068, 0}}},
        {"straight down: the last piece unturned", 0, 10, 0, 250, 0,
         {{1000, 500, 3600, 0}, {1000, 600, 3600, 0}, {1000, 700, 0, 50}}},
        {"straight up", 0, 10, 0, -250, 0, {{1000, 500, 5400, 0}, {1000, 400, 5400, 0}, {1000, 300, 1800, 50}}},
        {"bodies at one point, fixed length: nothing", 0, 10, 0, 0, 0, {}},
        {"bodies at one point, two pieces: at A, unturned", 1, 2, 0, 0, 0, {{1000, 500, 0, 0}, {1000, 500, 0, 0}}},
        {"length 0: nothing", 0, 0, 250, 0, 0, {}},
        {"no pieces: nothing", 1, 0, 250, 0, 0, {}},
    };
    for (const auto& c : casos) {
        _video_ligacao l = {};
        l.FormaPreenchimento = c.forma;
        l.ValorPreenchimento = c.valor;
        _video_ligacaoMedida m;
        VIDEO_ligacao_medir(&l, 1000, 500, 1000 + c.dx, 500 + c.dy, &m);
        EXPECT_EQ(m.alturaFixa, c.alturaFixa) << c.nome;
        std::vector<Peca> obtidas;
        for (uint32_t i = 1; i <= m.n; i++) {
            Peca p;
            VIDEO_ligacao_posicionarPeca(&m, 1000, 500, i, &p.x, &p.y, &p.rotacao, &p.corte);
            obtidas.push_back(p);
        }
        EXPECT_EQ(obtidas, c.pecas) << c.nome;
    }
    // A count beyond reason is bounded.
    _video_ligacao l = {};
    l.FormaPreenchimento = 1;
    l.ValorPreenchimento = UINT32_MAX;
    _video_ligacaoMedida m;
    VIDEO_ligacao_medir(&l, 0, 0, 250, 0, &m);
    EXPECT_EQ(m.n, VIDEO_LIGACAO_PECAS);
    l.FormaPreenchimento = 0;
    l.ValorPreenchimento = 1;
    VIDEO_ligacao_medir(&l, INT32_MIN, 0, INT32_MAX, 0, &m);
    EXPECT_EQ(m.n, VIDEO_LIGACAO_PECAS);
}

TEST_F(Ligacoes, ACorrenteSegueOsCorposPecaAPeca)
{
    uint32_t l = video_criarLigacao(A, B, base);
    ASSERT_NE(l, 0u);
    ASSERT_EQ(video_ligacao_mudarPreenchimento(l, 0, 10), nullptr);
    video_atualizar(16);
    std::vector<uint32_t> tres = pecas(l);
    ASSERT_EQ(tres.size(), 3u);
    for (uint32_t p : tres) {
        _video_impressao* peca = VIDEO_pegarImpressao(p);
        ASSERT_NE(peca, nullptr);
        EXPECT_EQ(peca->ligacao, l);
        EXPECT_EQ(peca->entidade, (int32_t)A);  // drawn through the cameras, as a print on A
        EXPECT_EQ(ler(1, p), imagem);
    }
    EXPECT_EQ(impressoesDaCamada(10000), std::vector<uint32_t>{});  // pieces are filed nowhere
    // Shorter: the last piece goes. Longer: new pieces at the end.
    mover(B, 1150, 500);
    video_atualizar(16);
    EXPECT_EQ(pecas(l), (std::vector<uint32_t>{tres[0], tres[1]}));
    EXPECT_EQ(VIDEO_pegarImpressao(tres[2]), nullptr);
    mover(B, 1450, 500);
    video_atualizar(16);
    std::vector<uint32_t> cinco = pecas(l);
    ASSERT_EQ(cinco.size(), 5u);
    EXPECT_EQ(cinco[0], tres[0]);
    EXPECT_EQ(cinco[1], tres[1]);
    // A fixed number, then none.
    video_ligacao_mudarPreenchimento(l, 1, 4);
    video_atualizar(16);
    EXPECT_EQ(pecas(l).size(), 4u);
    video_ligacao_mudarPreenchimento(l, 0, 0);
    video_atualizar(16);
    EXPECT_EQ(pecas(l).size(), 0u);

    // A missing body or base: told, and the pieces stay as they are.
    video_ligacao_mudarPreenchimento(l, 1, 2);
    video_atualizar(16);
    ASSERT_EQ(pecas(l).size(), 2u);
    ASSERT_EQ(fisica_destruirCorpo(B), nullptr);
    EXPECT_STREQ(VIDEO_desenharLigacao(VIDEO_pegarLigacao(l), 16), "Entidades da ligacao invalidas");
    video_atualizar(16);
    EXPECT_EQ(pecas(l).size(), 2u);
    ASSERT_NE(fisica_criarCorpo(B, 2000, 500), 0u);
    VIDEO_pegarLigacao(l)->base = 999;
    EXPECT_STREQ(VIDEO_desenharLigacao(VIDEO_pegarLigacao(l), 16), "Impressao base de ligacao invalida");
    VIDEO_pegarLigacao(l)->base = base;
    EXPECT_STREQ(VIDEO_desenharLigacao(nullptr, 16), "Ligacao invalida");
    EXPECT_EQ(VIDEO_desenharLigacao(VIDEO_pegarLigacao(l), 16), nullptr);
}

TEST_F(Ligacoes, CriarMudarEDestruir)
{
    EXPECT_EQ(video_criarLigacao(A, B, 999), 0u);
    EXPECT_EQ(video_criarLigacao(A, 77, base), 0u);
    EXPECT_EQ(video_criarLigacao(77, B, base), 0u);
    EXPECT_EQ(impressoesDaCamada(10000), std::vector<uint32_t>{base});
    uint32_t l = video_criarLigacao(A, B, base);
    ASSERT_NE(l, 0u);
    EXPECT_EQ(ligacoesDaCamada(10000), std::vector<uint32_t>{l});
    EXPECT_EQ(impressoesDaCamada(10000), std::vector<uint32_t>{});  // the base left its layer, which stays
    EXPECT_EQ(apoio::numerosDasCamadas(), std::vector<int32_t>{10000});
    EXPECT_EQ(VIDEO_pegarImpressao(base)->usos, 1);
    EXPECT_STREQ(video_destruirImpressao(base), USADA);
    EXPECT_EQ(video_ligacao_pegarFormaPreenchimento(l), 1);
    EXPECT_EQ(video_ligacao_pegarValorPreenchimento(l), 1u);
    EXPECT_EQ(video_ligacao_pegarImpressao(l), base);
    EXPECT_EQ(video_ligacao_pegarImpressao(99), 0u);

    EXPECT_STREQ(video_ligacao_mudarPreenchimento(99, 0, 5), "Ligacao invalida");
    EXPECT_STREQ(video_ligacao_mudarPreenchimento(l, 2, 5), "Forma de preenchimento invalida");
    EXPECT_STREQ(video_ligacao_mudarPreenchimento(l, -1, 5), "Forma de preenchimento invalida");
    EXPECT_EQ(video_ligacao_pegarFormaPreenchimento(l), 1);
    ASSERT_EQ(video_ligacao_mudarPreenchimento(l, 1, 3), nullptr);
    video_atualizar(16);
    std::vector<uint32_t> velhas = pecas(l);
    ASSERT_EQ(velhas.size(), 3u);

    // A new base: the old one is released (and not filed again), the pieces go.
    uint32_t nova = video_criarAnimacao(imagem);
    EXPECT_STREQ(video_ligacao_mudarImpressao(99, nova), "Ligacao invalida");
    EXPECT_STREQ(video_ligacao_mudarImpressao(l, 999), "Impressao invalida");
    EXPECT_EQ(video_ligacao_mudarImpressao(l, base), nullptr);  // the same: nothing changes
    EXPECT_EQ(pecas(l), velhas);
    ASSERT_EQ(video_ligacao_mudarImpressao(l, nova), nullptr);
    EXPECT_EQ(pecas(l), std::vector<uint32_t>{});
    for (uint32_t p : velhas) EXPECT_EQ(VIDEO_pegarImpressao(p), nullptr);
    EXPECT_EQ(VIDEO_pegarImpressao(base)->usos, 0);
    EXPECT_EQ(VIDEO_pegarImpressao(nova)->usos, 1);
    EXPECT_EQ(impressoesDaCamada(10000), std::vector<uint32_t>{});
    video_atualizar(16);
    ASSERT_EQ(pecas(l).size(), 3u);

    // Destroying the link destroys its pieces and releases its base.
    velhas = pecas(l);
    EXPECT_EQ(video_destruirLigacao(l), nullptr);
    EXPECT_EQ(VIDEO_pegarLigacao(l), nullptr);
    for (uint32_t p : velhas) EXPECT_EQ(VIDEO_pegarImpressao(p), nullptr);
    EXPECT_EQ(VIDEO_pegarImpressao(nova)->usos, 0);
    EXPECT_EQ(video_destruirImpressao(nova), nullptr);
    EXPECT_EQ(video_destruirLigacao(l), nullptr);  // one that does not exist
    EXPECT_EQ(video_destruirLigacao(0), nullptr);
}

TEST_F(Ligacoes, BasesQueSaoPecasOuParticulasNaoPrendemNada)
{
    uint32_t l1 = video_criarLigacao(A, B, base);
    video_ligacao_mudarPreenchimento(l1, 1, 3);
    video_atualizar(16);
    std::vector<uint32_t> p1 = pecas(l1);
    ASSERT_EQ(p1.size(), 3u);

    // A second link on the first piece of the first link: when the first
    // link no longer needs that piece, it cannot destroy it, and lets it go
    // as a print of its own in its layer.
    uint32_t l2 = video_criarLigacao(B, A, p1[0]);
    ASSERT_NE(l2, 0u);
    video_ligacao_mudarPreenchimento(l1, 1, 0);
    video_atualizar(16);
    EXPECT_EQ(pecas(l1), std::vector<uint32_t>{});
    ASSERT_NE(VIDEO_pegarImpressao(p1[0]), nullptr);
    EXPECT_EQ(VIDEO_pegarImpressao(p1[0])->ligacao, 0u);
    EXPECT_EQ(impressoesDaCamada(10000), std::vector<uint32_t>{p1[0]});
    EXPECT_EQ(pecas(l2).size(), 1u);

    // A link given one of its own pieces as its base.
    video_ligacao_mudarPreenchimento(l1, 1, 3);
    video_atualizar(16);
    std::vector<uint32_t> p2 = pecas(l1);
    ASSERT_EQ(p2.size(), 3u);
    ASSERT_EQ(video_ligacao_mudarImpressao(l1, p2[1]), nullptr);
    EXPECT_EQ(pecas(l1), std::vector<uint32_t>{});
    EXPECT_EQ(VIDEO_pegarImpressao(p2[1])->usos, 1);
    EXPECT_EQ(VIDEO_pegarImpressao(base)->usos, 0);
    video_atualizar(16);
    EXPECT_EQ(pecas(l1).size(), 3u);

    // A particle used as a base outlives its system as a print of its own.
    uint32_t s = video_criarParticulas(base);
    mudar(23, s, 250000);
    video_atualizar(16);
    _video_particula* q = (_video_particula*)engine_vetorPonteiro_pegarPonteiro(
        ENGINE_MODULO_VIDEO, VIDEO_pegarParticulas(s)->particulas, 1);
    ASSERT_NE(q, nullptr);
    const uint32_t particula = q->impressao;
    uint32_t l3 = video_criarLigacao(A, B, particula);
    EXPECT_STREQ(video_destruirImpressao(particula), USADA);
    ASSERT_EQ(video_destruirImpressao(s), nullptr);
    ASSERT_EQ(video_destruirImpressao(s), nullptr);
    EXPECT_EQ(VIDEO_pegarImpressao(s), nullptr);
    ASSERT_NE(VIDEO_pegarImpressao(particula), nullptr);
    EXPECT_EQ(VIDEO_pegarImpressao(particula)->sistema, 0u);
    EXPECT_EQ(videoParticulasVivas, 0u);
    video_atualizar(16);
    EXPECT_EQ(pecas(l3).size(), 1u);

    // A link on a particle system: its pieces are systems, and a piece that
    // goes drains in the link's layer.
    uint32_t t = video_criarParticulas(base);
    mudar(23, t, 250000);
    uint32_t l4 = video_criarLigacao(A, B, t);
    video_ligacao_mudarPreenchimento(l4, 1, 2);
    for (int i = 0; i < 2; i++) video_atualizar(16);
    std::vector<uint32_t> p4 = pecas(l4);
    ASSERT_EQ(p4.size(), 2u);
    EXPECT_EQ(ler(25, p4[0]), 8);
    video_ligacao_mudarPreenchimento(l4, 1, 1);
    video_atualizar(16);
    EXPECT_EQ(pecas(l4), std::vector<uint32_t>{p4[0]});
    ASSERT_NE(VIDEO_pegarParticulas(p4[1]), nullptr);
    EXPECT_EQ(VIDEO_pegarParticulas(p4[1])->destruindo, 'S');
    std::vector<uint32_t> camada = impressoesDaCamada(10000);
    EXPECT_NE(std::find(camada.begin(), camada.end(), p4[1]), camada.end());

    // Everything goes, links before the prints they use and after.
    EXPECT_EQ(video_destruirLigacao(l4), nullptr);
    EXPECT_EQ(video_destruirLigacao(l2), nullptr);
    EXPECT_EQ(video_destruirImpressao(p1[0]), nullptr);
    EXPECT_EQ(video_destruirLigacao(l1), nullptr);
    EXPECT_EQ(video_destruirImpressao(p2[1]), nullptr);
    video_atualizar(16);
}

}  // namespace
