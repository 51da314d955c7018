// The playlist's order of chunks, pulled from the list as the stream's
// thread would pull them: items, time windows, jump rules, the end of the
// list and its rewind.
#include "audio_apoio.h"

namespace {

sf::InputStream* abrir(const char* nome)
{
    return plataforma_pegarRecurso(nome);
}

class ListaPuxada : public sf::Lista {
public:
    ListaPuxada() : sf::Lista(abrir) {}
    bool puxar(Chunk& pedaco) { return onGetData(pedaco); }
};

struct Pedaco {
    int tom, segundo;
    std::size_t amostras;
};

// Pulls up to maximo chunks, stopping at the first false; fim tells whether
// one came. A chunk handed over with true is never empty.
std::vector<Pedaco> puxar(ListaPuxada& lista, int maximo, bool* fim = nullptr)
{
    std::vector<Pedaco> pedacos;
    if (fim) *fim = false;
    for (int i = 0; i < maximo; i++) {
        sf::SoundStream::Chunk c = {nullptr, 12345};
        if (!lista.puxar(c)) {
            EXPECT_EQ(c.sampleCount, 0u);
            if (fim) *fim = true;
            break;
        }
        EXPECT_GT(c.sampleCount, 0u) << "chunk " << i;
        if (c.sampleCount == 0) break;
        std::pair<int, int> id = apoio::identificar(c.samples, c.sampleCount);
        pedacos.push_back({id.first, id.second, c.sampleCount});
    }
    return pedacos;
}

std::vector<std::pair<int, int>> tons(const std::vector<Pedaco>& pedacos)
{
    std::vector<std::pair<int, int>> t;
    for (const Pedaco& p : pedacos) t.push_back({p.tom, p.segundo});
    return t;
}

std::size_t amostras(const std::vector<Pedaco>& pedacos)
{
    std::size_t n = 0;
    for (const Pedaco& p : pedacos) n += p.amostras;
    return n;
}

uint32_t adicionar(ListaPuxada& lista, const char* nome, int32_t inicio = 0, int32_t fim = 0)
{
    return AUDIO_lista_adicionarItem(&lista, 1, nome, inicio, fim);
}

using AudioLista = apoio::Audio;

TEST_F(AudioLista, UmItemInteiroTocaUmaVezEFicaNoInicio)
{
    ListaPuxada lista;
    EXPECT_EQ(adicionar(lista, "tom1.ogg"), 0u);
    EXPECT_FLOAT_EQ(lista.getDuration().asSeconds(), 3.f);
    bool fim;
    std::vector<Pedaco> p = puxar(lista, 10, &fim);
    EXPECT_TRUE(fim);
    EXPECT_EQ(tons(p), (std::vector<std::pair<int, int>>{{1, 0}, {1, 1}, {1, 2}}));
    EXPECT_EQ(amostras(p), 3 * apoio::TAXA);
    EXPECT_EQ(lista.atual, 0u);
    EXPECT_EQ(lista.posicao, 0);
    // Played again from its start.
    EXPECT_EQ(tons(puxar(lista, 10)), tons(p));
}

TEST_F(AudioLista, JanelaTocaExatamenteDoInicioAoFim)
{
    struct {
        int32_t inicio, fim;
        int primeiro, ultimo;  // seconds of the file heard
        std::size_t amostras;
    } const casos[] = {
        {2000, 12000, 2, 11, 10 * apoio::TAXA},
        {2000, 4500, 2, 4, 2500 * apoio::TAXA / 1000},  // the last chunk is cut to the window
        {13000, 0, 13, 14, 2 * apoio::TAXA},             // no end: to the end of the file
        {13000, 13000, 13, 14, 2 * apoio::TAXA},
        {-4000, 1000, 0, 0, apoio::TAXA},                // a time before the start is the start
    };
    for (const auto& c : casos) {
        ListaPuxada lista;
        ASSERT_EQ(adicionar(lista, "longo.ogg", c.inicio, c.fim), 0u) << c.inicio;
        bool fim;
        std::vector<Pedaco> p = puxar(lista, 20, &fim);
        EXPECT_TRUE(fim) << c.inicio;
        std::vector<std::pair<int, int>> esperados;
        for (int s = c.primeiro; s <= c.ultimo; s++) esperados.push_back({3, s});
        EXPECT_EQ(tons(p), esperados) << c.inicio << ".." << c.fim;
        EXPECT_EQ(amostras(p), c.amostras) << c.inicio << ".." << c.fim;
    }
}

TEST_F(AudioLista, RegrasDePuloDecidemAOrdem)
{
    // Two jumps back to itself: the item plays three times, and the counter
    // is back at 0 when the list ends.
    {
        ListaPuxada lista;
        adicionar(lista, "tom1.ogg");
        lista.mudarRegra(0, 2);
        bool fim;
        std::vector<Pedaco> p = puxar(lista, 20, &fim);
        EXPECT_TRUE(fim);
        ASSERT_EQ(p.size(), 9u);
        for (std::size_t i = 0; i < p.size(); i++) EXPECT_EQ(p[i].segundo, (int)i % 3);
        EXPECT_EQ(lista.itens[0]->contador, 0);
    }
    // Three items, each going on to the next and from the last back to
    // item 1: 0, 1, 2, 1, 2, 1, 2 ...
    {
        ListaPuxada lista;
        for (const char* nome : {"tom0.ogg", "tom1.ogg", "tom2.ogg"}) {
            adicionar(lista, nome);
            lista.mudarRegra(1, -2);
        }
        std::vector<Pedaco> p = puxar(lista, 24);
        ASSERT_EQ(p.size(), 24u);
        const int ordem[] = {0, 1, 2, 1, 2, 1, 2, 1};
        for (std::size_t i = 0; i < p.size(); i++) {
            EXPECT_EQ(p[i].tom, ordem[i / 3]) << "chunk " << i;
            EXPECT_EQ(p[i].segundo, (int)i % 3) << "chunk " << i;
        }
    }
    // Always jumping to itself loops one item for ever; a jump beyond the
    // last item ends the list there.
    {
        ListaPuxada lista;
        adicionar(lista, "tom2.ogg");
        lista.mudarRegra(0, -1);
        EXPECT_EQ(puxar(lista, 12).size(), 12u);
        ListaPuxada curta;
        adicionar(curta, "tom0.ogg");
        curta.mudarRegra(7, -1);
        adicionar(curta, "tom1.ogg");
        bool fim;
        EXPECT_EQ(puxar(curta, 20, &fim).size(), 3u);
        EXPECT_TRUE(fim);
    }
}

TEST_F(AudioLista, PararNoMeioDoSegundoItemVoltaAoPrimeiro)
{
    ListaPuxada lista;
    adicionar(lista, "tom0.ogg");
    EXPECT_EQ(adicionar(lista, "tom1.ogg"), 1u);
    EXPECT_EQ(tons(puxar(lista, 4)), (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {0, 2}, {1, 0}}));
    EXPECT_EQ(lista.atual, 1u);
    lista.stop();
    EXPECT_EQ(lista.atual, 0u);
    EXPECT_EQ(tons(puxar(lista, 1)), (std::vector<std::pair<int, int>>{{0, 0}}));
}

TEST_F(AudioLista, ListaSemItensTerminaComPedacoVazio)
{
    ListaPuxada lista;
    sf::SoundStream::Chunk c = {nullptr, 99};
    EXPECT_FALSE(lista.puxar(c));
    EXPECT_EQ(c.sampleCount, 0u);
    EXPECT_EQ(lista.atual, 0u);
}

TEST_F(AudioLista, ItensSemAmostrasPassamAdianteSemPedacoVazio)
{
    // The second item starts past the end of its file: nothing to read.
    ListaPuxada lista;
    adicionar(lista, "tom0.ogg");
    adicionar(lista, "tom1.ogg", 5000, 0);
    adicionar(lista, "tom2.ogg");
    bool fim;
    std::vector<Pedaco> p = puxar(lista, 20, &fim);
    EXPECT_TRUE(fim);
    EXPECT_EQ(tons(p), (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {0, 2}, {2, 0}, {2, 1}, {2, 2}}));
    // A list whose only item is empty and loops ends at once instead of
    // spinning.
    ListaPuxada vazia;
    adicionar(vazia, "tom1.ogg", 5000, 0);
    vazia.mudarRegra(0, -1);
    EXPECT_TRUE(puxar(vazia, 5).empty());
}

TEST_F(AudioLista, ItemDeOutroFormatoOuQueNaoESomERecusado)
{
    ListaPuxada lista;
    adicionar(lista, "tom0.ogg");
    for (const char* nome : {"estereo.ogg", "rapido.ogg", "leia-me.txt", "nao existe.ogg"}) {
        EXPECT_EQ(adicionar(lista, nome), 0u) << nome;
        EXPECT_EQ(lista.quantidade, 1u) << nome;
    }
    EXPECT_FLOAT_EQ(lista.getDuration().asSeconds(), 3.f);
    EXPECT_EQ(tons(puxar(lista, 10)), (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {0, 2}}));
    // A list may be of any one format.
    ListaPuxada estereo;
    EXPECT_EQ(adicionar(estereo, "estereo.ogg"), 0u);
    EXPECT_EQ(estereo.quantidade, 1u);
    EXPECT_EQ(estereo.getChannelCount(), 2u);
    EXPECT_EQ(puxar(estereo, 5).size(), 1u);
}

}  // namespace
