// The archive the build packs for the game, read back through the game's
// own reader chain.
#include <gtest/gtest.h>

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "arquivo/arquivo.h"
#include "arquivo/arquivo_interno.h"
#include "engine/engine.h"
#include "ferramentas/midia_nivel.h"
#include "plataforma/plataforma_arquivo.h"

namespace {

std::map<std::string, std::vector<unsigned char>> entradas;
std::string erroLeitura;

// Reads every entry of the archive once for all the tests.
class Midia : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!entradas.empty() || !erroLeitura.empty()) return;
        engine_iniciar(false);
        arquivo_iniciar('N');
        _arquivo* f = plataforma_lerArquivo(MORVALEN_RECURSOS);
        _arquivo* aes = f ? arquivo_lerAES(f, (const unsigned char*)PLATAFORMA_CHAVE) : nullptr;
        _arquivo* xz = aes ? arquivo_lerXZ(aes) : nullptr;
        uint32_t tabela = xz ? arquivo_lerArquivos(xz) : 0;
        if (!tabela) {
            erroLeitura = "the archive does not open: " MORVALEN_RECURSOS;
            return;
        }
        // The table is a name index: pairs of the lower-cased name and the
        // entry, which keeps the name as stored.
        uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_ARQUIVO, tabela);
        for (uint32_t i = 1; i <= n; i++) {
            _engine_parIndice* par =
                (_engine_parIndice*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_ARQUIVO, tabela, i);
            _arquivo_item* item = par ? (_arquivo_item*)par->valor : nullptr;
            if (!item) continue;
            _arquivo* h = arquivo_lerArquivo(tabela, item->nome);
            if (!h) {
                erroLeitura = std::string("an entry does not open: ") + item->nome;
                return;
            }
            std::vector<unsigned char> bytes(h->tamanho(h));
            uint32_t lidos = 0, k;
            while (lidos < bytes.size() && (k = h->ler(h, bytes.data() + lidos, (uint32_t)(bytes.size() - lidos))) > 0)
                lidos += k;
            h->fechar(h);
            if (lidos != bytes.size()) {
                erroLeitura = std::string("an entry reads short: ") + item->nome;
                return;
            }
            entradas[item->nome] = std::move(bytes);
        }
        ARQUIVO_liberarArquivos(tabela);
    }
    void SetUp() override { ASSERT_EQ(erroLeitura, ""); }

    static sf::Image imagem(const std::string& nome)
    {
        sf::Image img;
        auto it = entradas.find(nome);
        if (it != entradas.end()) img.loadFromMemory(it->second.data(), it->second.size());
        return img;
    }
};

const char* const NOMES[] = {
    "fundo.png", "SFMM.png", "SFSL.png", "SMM.png", "STM.png", "STL.png", "STR.png", "SBHL.png", "SSL1.png",
    "SSL2.png", "SSBL1.png", "SSBL2.png", "SHTR.png", "SHTM.png", "SHTH.png", "SSHL.png", "SHBL.png", "SHBR.png",
    "SHBM.png", "SSBH.png", "GTM.png", "GSL1.png", "GSL2.png", "GSH.png", "STH.png", "GHH.png", "EXIT.png",
    "SHL.png", "personagem.png", "ponte.png", "trampolim.png", "meia mola.png", "mola.png", "caixa de texto.png",
    "botao pressionado.png", "botao solto.png", "Pumpkin.otf", "branco.png", "logo.png", "fim.png",
    "kawaii-earth-vector-clipart.png", "japanese_jingle.ogg", "Ufo Speeding.ogg", "shoulder_angelv2_novocals.ogg"};

TEST_F(Midia, ArchiveHoldsExactlyTheGamesEntries)
{
    std::set<std::string> esperadas(std::begin(NOMES), std::end(NOMES));
    EXPECT_EQ(esperadas.size(), 44u);
    std::set<std::string> achadas;
    for (const auto& e : entradas) achadas.insert(e.first);
    EXPECT_EQ(achadas, esperadas);
}

TEST_F(Midia, PicturesDecodeAtTheSizesTheGameUses)
{
    struct Caso {
        const char* nome;
        unsigned w, h;  // 0: any
    };
    const Caso casos[] = {
        {"fundo.png", 640, 360},   {"personagem.png", 6355, 360}, {"ponte.png", 700, 200},
        {"trampolim.png", 700, 424}, {"mola.png", 400, 50},       {"meia mola.png", 225, 50},
        {"logo.png", 640, 360},    {"fim.png", 640, 360},         {"caixa de texto.png", 610, 125},
        {"branco.png", 0, 0},      {"botao solto.png", 48, 30},   {"botao pressionado.png", 48, 30},
        {"kawaii-earth-vector-clipart.png", 0, 0},
    };
    for (const Caso& c : casos) {
        sf::Image img = imagem(c.nome);
        ASSERT_GT(img.getSize().x, 0u) << c.nome << " does not decode";
        if (c.w) {
            EXPECT_EQ(img.getSize(), sf::Vector2u(c.w, c.h)) << c.nome;
        }
    }
    for (const auto& e : entradas) {
        std::string n = e.first;
        if (n.size() < 4 || n.substr(n.size() - 4) != ".png") continue;
        // The tiles are the pictures named in capitals.
        bool tile = true;
        for (size_t i = 0; i + 4 < n.size(); i++) tile = tile && (isupper((unsigned char)n[i]) || isdigit((unsigned char)n[i]));
        if (!tile) continue;
        sf::Image img = imagem(n);
        EXPECT_EQ(img.getSize(), sf::Vector2u(700, 700)) << n;
    }
    sf::Image folha = imagem("personagem.png");
    EXPECT_EQ(folha.getSize().x % 31, 0u);
    EXPECT_EQ(folha.getSize().y % 3, 0u);
    sf::Image terra = imagem("kawaii-earth-vector-clipart.png");
    EXPECT_EQ(terra.getSize().x, terra.getSize().y);
    // The earth turns about its centre: its corners are clear.
    EXPECT_EQ(terra.getPixel(0, 0).a, 0);
    EXPECT_EQ(terra.getPixel(terra.getSize().x - 1, terra.getSize().y - 1).a, 0);
    sf::Image branco = imagem("branco.png");
    EXPECT_EQ(branco.getPixel(0, 0), sf::Color::White);

    sf::Font fonte;
    const auto& otf = entradas["Pumpkin.otf"];
    ASSERT_TRUE(fonte.loadFromMemory(otf.data(), otf.size()));
    // (Drawing a glyph needs a display; the family name does not.)
    EXPECT_EQ(fonte.getInfo().family, "DejaVu Sans");
}

struct Som {
    unsigned taxa = 0, canais = 0;
    std::vector<int16_t> amostras;  // interleaved
    double segundos() const { return taxa && canais ? (double)amostras.size() / canais / taxa : 0; }
};

Som decodificar(const std::string& nome)
{
    Som s;
    sf::InputSoundFile f;
    const auto& b = entradas[nome];
    if (b.empty() || !f.openFromMemory(b.data(), b.size())) return s;
    s.taxa = f.getSampleRate();
    s.canais = f.getChannelCount();
    s.amostras.resize((size_t)f.getSampleCount());
    s.amostras.resize((size_t)f.read(s.amostras.data(), s.amostras.size()));
    return s;
}

// Root mean square of frames [de, ate) over all channels.
double rms(const Som& s, size_t de, size_t ate)
{
    double soma = 0;
    size_t n = 0;
    for (size_t i = de * s.canais; i < ate * s.canais && i < s.amostras.size(); i++, n++)
        soma += (double)s.amostras[i] * s.amostras[i];
    return n ? sqrt(soma / n) : 0;
}

TEST_F(Midia, MusicDecodesWithSaneLevels)
{
    struct Caso {
        const char* nome;
        double min, max;  // seconds
    };
    const Caso casos[] = {{"japanese_jingle.ogg", 12.5, 30},
                          {"Ufo Speeding.ogg", 30, 90},
                          {"shoulder_angelv2_novocals.ogg", 15, 120}};
    for (const Caso& c : casos) {
        Som s = decodificar(c.nome);
        ASSERT_GT(s.amostras.size(), 0u) << c.nome << " does not decode";
        // The game plays one list's items in a row: every track at one rate.
        EXPECT_EQ(s.taxa, 44100u) << c.nome;
        EXPECT_EQ(s.canais, 2u) << c.nome;
        EXPECT_GE(s.segundos(), c.min) << c.nome;
        EXPECT_LE(s.segundos(), c.max) << c.nome;
        int pico = 0;
        for (int16_t a : s.amostras) pico = std::max(pico, std::abs((int)a));
        EXPECT_LT(pico, 32000) << c.nome << " clips";
        EXPECT_GT(rms(s, 0, s.amostras.size() / 2), 800) << c.nome << " is nearly silent";
    }
}

// The intro plays the jingle's 2 to 12 s window once: the music lies
// inside it, with quiet on both sides.
TEST_F(Midia, JingleFitsItsWindow)
{
    Som s = decodificar("japanese_jingle.ogg");
    ASSERT_EQ(s.taxa, 44100u);
    double dentro = rms(s, 2 * 44100, 12 * 44100);
    EXPECT_GT(dentro, 1500);
    EXPECT_LT(rms(s, 0, 2 * 44100 - 100), dentro * 0.01);
    EXPECT_LT(rms(s, 11.8 * 44100, 12 * 44100), dentro * 0.15);
    EXPECT_GT(rms(s, 2 * 44100, 2.5 * 44100), dentro * 0.3);
}

// A looping track's last 50 ms run into its first 50 ms without a jump: the
// step across the seam is no larger than the steps inside those windows,
// and neither window falls silent.
TEST_F(Midia, LoopsJoinWithoutAClick)
{
    for (const char* nome : {"Ufo Speeding.ogg", "shoulder_angelv2_novocals.ogg"}) {
        Som s = decodificar(nome);
        ASSERT_EQ(s.canais, 2u) << nome;
        size_t quadros = s.amostras.size() / 2, janela = s.taxa / 20;
        ASSERT_GT(quadros, 4 * janela);
        double saltoMaximo = 0, costura = 0;
        for (unsigned c = 0; c < 2; c++) {
            auto a = [&](size_t q) { return (double)s.amostras[(q % quadros) * 2 + c]; };
            for (size_t q = quadros - janela; q + 1 < quadros; q++)
                saltoMaximo = std::max(saltoMaximo, fabs(a(q + 1) - a(q)));
            for (size_t q = 0; q + 1 < janela; q++) saltoMaximo = std::max(saltoMaximo, fabs(a(q + 1) - a(q)));
            costura = std::max(costura, fabs(a(0) - a(quadros - 1)));
        }
        double antes = rms(s, quadros - janela, quadros), depois = rms(s, 0, janela), todo = rms(s, 0, quadros);
        EXPECT_LE(costura, saltoMaximo) << nome;
        // No gap: the sound goes on at the seam.
        EXPECT_GT(antes, todo * 0.1) << nome;
        EXPECT_GT(depois, todo * 0.1) << nome;
        printf("%s: %.1f s, seam step %.0f, largest step near it %.0f, RMS %.0f before and %.0f after\n", nome,
               s.segundos(), costura, saltoMaximo, antes, depois);
    }
}

// Every frame of the sheet stays inside the collision capsule the game
// builds from a 205 x 120 frame (68.3 px wide, from 45 px above the centre
// down to a round bottom 45 px below it), and the standing figure fills it
// from top to bottom.
TEST_F(Midia, CharacterStaysInsideItsCapsule)
{
    sf::Image folha = imagem("personagem.png");
    ASSERT_EQ(folha.getSize(), sf::Vector2u(6355, 360));
    const double w = 205, h = 120, cx = w / 2, cy = h / 2, r = w / 6;
    const double topo = cy - 0.375 * h, centroCirculo = cy + 0.375 * h - r, folga = 1.5;
    for (int linha = 0; linha < 3; linha++)
        for (int coluna = 0; coluna < 31; coluna++) {
            int fora = 0, cima = 1000, baixo = -1;
            for (unsigned y = 0; y < h; y++)
                for (unsigned x = 0; x < w; x++) {
                    if (folha.getPixel(coluna * 205 + x, linha * 120 + y).a < 64) continue;
                    double px = x + 0.5, py = y + 0.5;
                    bool dentro = py >= topo - folga && fabs(px - cx) <= r + folga &&
                                  (py <= centroCirculo || hypot(px - cx, py - centroCirculo) <= r + folga);
                    if (!dentro && getenv("MIDIA_DEPURAR")) printf("%d %d: %u %u\n", linha, coluna, x, y);
                    if (!dentro) fora++;
                    cima = std::min(cima, (int)y);
                    baixo = std::max(baixo, (int)y);
                }
            EXPECT_EQ(fora, 0) << "row " << linha << " column " << coluna;
            if (coluna <= 9) {
                EXPECT_LE(cima, topo + 8) << "row " << linha << " column " << coluna;
                EXPECT_GE(baixo, cy + 0.375 * h - 6) << "row " << linha << " column " << coluna;
            }
        }
}

// Where the level is solid, the main layer's tile is rock; where the
// character can move, it is clear. Checked on a grid of world pixels away
// from the figures' edges, the open space found by flooding from the start.
TEST_F(Midia, TilesAgreeWithTheCollisionFigures)
{
    const int W = 1960, H = 1680;
    std::vector<NivelFigura> figuras = nivel_figuras();
    auto solido = [&](double x, double y) {
        for (const NivelFigura& f : figuras) {
            const std::vector<double>& v = f.v;
            if (f.tipo == 'R' && x >= v[0] && x <= v[0] + v[2] && y >= v[1] && y <= v[1] + v[3]) return true;
            if (f.tipo == 'C' && hypot(x - v[0], y - v[1]) <= v[2]) return true;
            if (f.tipo == 'P') {
                bool d = false;
                size_t n = v.size() / 2;
                for (size_t i = 0, j = n - 1; i < n; j = i++) {
                    double xi = v[2 * i], yi = v[2 * i + 1], xj = v[2 * j], yj = v[2 * j + 1];
                    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) d = !d;
                }
                if (d) return true;
            }
        }
        return false;
    };
    std::vector<char> mapa((size_t)W * H);  // 1 solid, 0 free, 2 reached
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) mapa[(size_t)y * W + x] = solido(x + 0.5, y + 0.5);
    // Gaps narrower than a few pixels (figures meeting at a corner) let no
    // body through: the flood keeps a pixel away from every figure.
    auto livre = [&](int x, int y) {
        for (int dy = -1; dy <= 1; dy++)
            for (int dx = -1; dx <= 1; dx++) {
                int a = x + dx, b = y + dy;
                if (a >= 0 && b >= 0 && a < W && b < H && mapa[(size_t)b * W + a] == 1) return false;
            }
        return true;
    };
    // Flood the space the character moves in from where it starts. Above
    // the cave's ceiling and left of the hill top the level has no figures
    // but shows rock: the flood stays below it.
    std::vector<int> pilha = {700 * W + 800};
    while (!pilha.empty()) {
        int p = pilha.back();
        pilha.pop_back();
        int x = p % W, y = p / W;
        if (mapa[p] != 0 || (y < 490 && x < 1190) || y > 1300 || !livre(x, y)) continue;
        mapa[p] = 2;
        if (x > 0) pilha.push_back(p - 1);
        if (x + 1 < W) pilha.push_back(p + 1);
        if (y > 0) pilha.push_back(p - W);
        if (y + 1 < H) pilha.push_back(p + W);
    }
    auto todos = [&](int x, int y, char k) {
        for (int dy = -2; dy <= 2; dy++)
            for (int dx = -2; dx <= 2; dx++) {
                int a = x + dx, b = y + dy;
                if (a < 0 || b < 0 || a >= W || b >= H || mapa[(size_t)b * W + a] != k) return false;
            }
        return true;
    };
    // One picture draws two ceilings 7 px apart; it follows the higher one,
    // so the low passage's roof shows 7 px above where it stops the body.
    // And the slide's far end reaches into the cell below its last diagonal
    // one, where no character goes, and is drawn clear there.
    auto tolerado = [](int x, int y) {
        return (x >= 840 && x < 910 && y >= 1088 && y < 1098) || (x >= 1940 && y >= 1260 && y < 1280);
    };

    std::map<std::string, sf::Image> tiles;
    std::map<std::string, int> erros;
    for (const NivelCelula& c : nivel_celulas()) {
        if (c.camada != 10000 || c.tile == "EXIT" || c.tile == "GTM") continue;
        if (!tiles.count(c.tile)) tiles[c.tile] = imagem(c.tile + ".png");
        const sf::Image& img = tiles[c.tile];
        ASSERT_EQ(img.getSize(), sf::Vector2u(700, 700)) << c.tile;
        for (int y = c.y; y < c.y + 70 && y < H; y++)
            for (int x = c.x; x < c.x + 70 && x < W; x++) {
                int a = img.getPixel((x - c.x) * 10 + 5, (y - c.y) * 10 + 5).a;
                bool erro = (todos(x, y, 1) && a < 200) || (todos(x, y, 2) && a > 55);
                if (erro && !tolerado(x, y)) erros[c.tile + " at (" + std::to_string(c.x) + ", " + std::to_string(c.y) + ")"]++;
            }
    }
    for (const auto& e : erros) ADD_FAILURE() << e.second << " pixels disagree in " << e.first;
    // The flood reached the places the route passes.
    EXPECT_EQ(mapa[1110 * W + 840], 2);  // low passage
    EXPECT_EQ(mapa[645 * W + 680], 2);   // small passage
    EXPECT_EQ(mapa[600 * W + 1275], 2);  // shaft
    EXPECT_EQ(mapa[520 * W + 1300], 2);  // end zone
}

// Where the light rim of the rock (a floor's lip, the grass, the shadow under
// a ceiling or beside a wall) crosses the border between two tiles, it goes
// on in the neighbour: on the last column or row of one tile and the first of
// the other, a rim pixel meets a rim pixel of the neighbour within a pixel.
// The rim is what a tile adds to the plain rock texture (SMM, the same
// texture in every rock tile). A rim crosses a border where open space lies
// near it on both sides, or where the other side has open space on neither
// but a rim of its own close by (a slope's lip running into a floor's at a
// corner). A rim that ends where the rock's surface turns along a border
// into rock without a rim (a floor meeting a wall) is left alone.
TEST_F(Midia, RimsMeetAcrossTileBorders)
{
    std::map<std::string, sf::Image> tiles;
    std::map<std::pair<int, int>, std::string> nomes;  // main layer, by cell (world pixels)
    for (const NivelCelula& c : nivel_celulas()) {
        // The exit sign is a board, not rock: it counts as open space.
        if (c.camada != 10000 || c.tile == "EXIT") continue;
        if (!tiles.count(c.tile)) tiles[c.tile] = imagem(c.tile + ".png");
        ASSERT_EQ(tiles[c.tile].getSize(), sf::Vector2u(700, 700)) << c.tile;
        nomes[{c.x, c.y}] = c.tile;
    }
    const sf::Image& liso = tiles["SMM"];
    auto tileEm = [&](int x, int y) -> const sf::Image* {
        auto it = nomes.find({x, y});
        return it == nomes.end() ? nullptr : &tiles[it->second];
    };
    // How far a pixel's colour is from the plain rock's at the same place.
    auto realce = [&](const sf::Image& img, int x, int y) {
        sf::Color a = img.getPixel(x, y), b = liso.getPixel(x, y);
        return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
    };
    auto opaco = [](const sf::Image& img, int x, int y) { return img.getPixel(x, y).a >= 128; };
    // A pixel of the level at ten times the world's scale is open when no
    // tile covers it or its tile is clear there.
    auto aberto = [&](int X, int Y) {
        if (X < 0 || Y < 0) return true;
        const sf::Image* img = tileEm(X / 700 * 70, Y / 700 * 70);
        return !img || img->getPixel(X % 700, Y % 700).a < 128;
    };
    const int FORTE = 20, FRACO = 8;  // a clear rim pixel; any trace of one
    auto orla = [&](int X, int Y) {
        if (X < 0 || Y < 0) return false;
        const sf::Image* img = tileEm(X / 700 * 70, Y / 700 * 70);
        return img && opaco(*img, X % 700, Y % 700) && realce(*img, X % 700, Y % 700) > FORTE;
    };
    // Whether a pixel within 12 world pixels of (X, Y) on one side of a
    // border passes the check: dx, dy step away from the border.
    auto perto = [&](int X, int Y, int dx, int dy, auto&& teste) {
        const int R = 120;
        int ax = dy != 0, ay = dx != 0;
        for (int afastar = 0; afastar < R; afastar += 4)
            for (int ao = -R; ao <= R; ao += 4)
                if (teste(X + dx * afastar + ax * ao, Y + dy * afastar + ay * ao)) return true;
        return false;
    };
    int bordas = 0, cruzadas = 0;
    std::map<std::string, int> erros;
    for (const auto& c : nomes) {
        int x = c.first.first, y = c.first.second;
        const sf::Image& a = tiles[c.second];
        for (int vertical = 0; vertical < 2; vertical++) {
            int nx = vertical ? x + 70 : x, ny = vertical ? y : y + 70;
            const sf::Image* b = tileEm(nx, ny);
            if (!b) continue;
            bordas++;
            // Pixel i along the border: in a (last column or row) and in b
            // (first), as picture coordinates.
            auto emA = [&](int i) { return vertical ? sf::Vector2i(699, i) : sf::Vector2i(i, 699); };
            auto emB = [&](int i) { return vertical ? sf::Vector2i(0, i) : sf::Vector2i(i, 0); };
            int falhas = 0;
            bool cruza = false;
            for (int lado = 0; lado < 2; lado++) {
                const sf::Image& de = lado ? *b : a;
                const sf::Image& para = lado ? a : *b;
                auto pDe = [&](int i) { return lado ? emB(i) : emA(i); };
                auto pPara = [&](int i) { return lado ? emA(i) : emB(i); };
                for (int i = 0; i < 700; i++) {
                    sf::Vector2i p = pDe(i), q = pPara(i);
                    if (!opaco(de, p.x, p.y) || realce(de, p.x, p.y) <= FORTE || !opaco(para, q.x, q.y)) continue;
                    bool encontra = false;
                    for (int j = std::max(0, i - 1); j <= std::min(699, i + 1) && !encontra; j++) {
                        sf::Vector2i r = pPara(j);
                        encontra = opaco(para, r.x, r.y) && realce(para, r.x, r.y) > FRACO;
                    }
                    // The border's pixel in world picture coordinates, on
                    // each side.
                    int X = nx * 10 * vertical + (1 - vertical) * (x * 10 + i), Y = vertical ? y * 10 + i : ny * 10;
                    int dx = vertical, dy = 1 - vertical;
                    int sinal = lado ? -1 : 1;  // from the rim's side to the other
                    int Xde = lado ? X : X - dx, Yde = lado ? Y : Y - dy, Xpara = lado ? X - dx : X,
                        Ypara = lado ? Y - dy : Y;
                    bool atravessa = perto(Xde, Yde, -sinal * dx, -sinal * dy, aberto) &&
                                     (perto(Xpara, Ypara, sinal * dx, sinal * dy, aberto) ||
                                      perto(Xpara, Ypara, sinal * dx, sinal * dy, orla));
                    if (atravessa) cruza = true;
                    if (!encontra && atravessa) falhas++;
                }
            }
            if (cruza) cruzadas++;
            if (falhas)
                erros[c.second + " at (" + std::to_string(x) + ", " + std::to_string(y) + ") and " + nomes[{nx, ny}] +
                      " at (" + std::to_string(nx) + ", " + std::to_string(ny) + ")"] = falhas;
        }
    }
    for (const auto& e : erros) ADD_FAILURE() << e.second << " rim pixels meet no rim across the border of " << e.first;
    printf("%d borders between tiles, %d crossed by a rim\n", bordas, cruzadas);
    EXPECT_GT(cruzadas, 30);
}

}  // namespace
