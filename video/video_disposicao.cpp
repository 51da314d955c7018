// The camera layout: once per frame every camera becomes a world area (from
// its references or its position); cameras of equal zoom whose areas touch
// merge; the others share the internal picture by rows and columns, their
// viewports narrowed to their place; each area grows to its share, and
// neighbours of equal zoom grow towards each other to meet halfway; areas
// that then touch merge again, and every result becomes one screen region.
//
// Quantities are world units (tenths of a pixel). Sums and products are
// formed in 64 bits and stored saturated in the cameras' 32-bit fields.
#include <SFML/Graphics/View.hpp>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "fisica/fisica.h"
#include "video/video_interno.h"

typedef std::vector<_video_camera*> VIDEO_listaCameras;

static int32_t VIDEO_saturar(int64_t v)
{
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return (int32_t)v;
}

// A zoom of 0 or below would divide the view and the shares by nothing or
// turn them over: the layout takes it as the smallest zoom, 1 thousandth.
static int32_t VIDEO_zoom(const _video_camera* c)
{
    return c->Zoom > 0 ? c->Zoom : 1;
}

static int64_t VIDEO_metade(int64_t v)
{
    return v / 2;
}

// ----------------------------------------------------------------- regions

void VIDEO_limparRegioes()
{
    while (engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, videoRegioes) > 0) {
        _video_regiao* r = (_video_regiao*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, videoRegioes, 1);
        if (r) delete r->vista;
        engine_vetorPonteiro_removerPonteiro(ENGINE_MODULO_VIDEO, videoRegioes, 1);  // frees the record
    }
}

static void VIDEO_criarRegiao(const _video_camera* c)
{
    _video_regiao* r = (_video_regiao*)malloc(sizeof(_video_regiao));
    if (!r) return;
    const float z = (float)VIDEO_zoom(c) * 0.01f;
    r->vista = new sf::View();
    r->vista->setCenter((float)((int64_t)c->esquerda + c->direita) * 0.05f,
                        (float)((int64_t)c->cima + c->baixo) * 0.05f);
    r->vista->setSize((float)((int64_t)c->direita - c->esquerda) / z, (float)((int64_t)c->baixo - c->cima) / z);
    r->vista->setViewport(sf::FloatRect(c->telaEsquerda, c->telaCima, c->telaDireita - c->telaEsquerda,
                                        c->telaBaixo - c->telaCima));
    r->esquerda = (float)c->esquerda * 0.1f;
    r->direita = (float)c->direita * 0.1f;
    r->cima = (float)c->cima * 0.1f;
    r->baixo = (float)c->baixo * 0.1f;
    if (engine_vetorPonteiro_adicionarPonteiro(ENGINE_MODULO_VIDEO, videoRegioes, r) == 0) {
        delete r->vista;
        free(r);
    }
}

// -------------------------------------------------------------------- areas

// A body's coordinate read through the engine, negative positions as 0.
static int32_t VIDEO_posicaoDoCorpo(uint32_t corpo, uint32_t propriedade)
{
    int32_t v = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, propriedade, corpo, nullptr);
    return v < 0 ? 0 : v;
}

// The area that holds every followed body with its margins, edges clamped at
// 0. References that are gone or whose body no longer exists are skipped;
// false when none could be read.
static bool VIDEO_camera_areaSeguida(_video_camera* c, int64_t* esq, int64_t* dir, int64_t* cim, int64_t* bai)
{
    bool primeira = true;
    uint32_t n = engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, c->referencias);
    for (uint32_t i = 1; i <= n; i++) {
        _video_referencia* r =
            VIDEO_pegarReferencia((uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, c->referencias, i));
        if (!r || fisica_existeCorpo(r->entidade) != 'S') continue;
        int32_t x = VIDEO_posicaoDoCorpo(r->entidade, 1), y = VIDEO_posicaoDoCorpo(r->entidade, 2);
        // Margins are whole pixels; ten times one wraps in 32 bits.
        int32_t me = (int32_t)((uint32_t)r->MargemEsq * 10u), md = (int32_t)((uint32_t)r->MargemDir * 10u);
        int32_t mc = (int32_t)((uint32_t)r->MargemCim * 10u), mb = (int32_t)((uint32_t)r->MargemBai * 10u);
        // The first reference compares signed, every further one unsigned.
        bool cabeEsq = primeira ? me < x : (uint32_t)me < (uint32_t)x;
        bool cabeCim = primeira ? mc < y : (uint32_t)mc < (uint32_t)y;
        int64_t e = cabeEsq ? (int64_t)x - me : 0, d = (int64_t)x + md;
        int64_t t = cabeCim ? (int64_t)y - mc : 0, b = (int64_t)y + mb;
        if (primeira) {
            *esq = e, *dir = d, *cim = t, *bai = b;
            primeira = false;
        } else {
            *esq = std::min(*esq, e), *dir = std::max(*dir, d);
            *cim = std::min(*cim, t), *bai = std::max(*bai, b);
        }
    }
    return !primeira;
}

// The camera's world area before sharing. A camera that has followed bodies
// and can read none of them now (their bodies or references are gone) keeps
// the area they last gave it rather than jump to its X, Y.
static void VIDEO_camera_calcularArea(_video_camera* c)
{
    const int64_t largura = (int64_t)videoLarguraInterna * 10, altura = (int64_t)videoAlturaInterna * 10;
    int64_t esq = 0, dir = 0, cim = 0, bai = 0;
    if (VIDEO_camera_areaSeguida(c, &esq, &dir, &cim, &bai)) {
        c->temSeguida = 'S';
        c->seguidaEsquerda = VIDEO_saturar(esq), c->seguidaDireita = VIDEO_saturar(dir);
        c->seguidaCima = VIDEO_saturar(cim), c->seguidaBaixo = VIDEO_saturar(bai);
    } else if (c->temSeguida == 'S') {
        esq = c->seguidaEsquerda, dir = c->seguidaDireita, cim = c->seguidaCima, bai = c->seguidaBaixo;
    } else {
        c->esquerda = c->X;
        c->direita = VIDEO_saturar((int64_t)c->X + largura);
        c->cima = c->Y;
        c->baixo = VIDEO_saturar((int64_t)c->Y + altura);
        return;
    }
    // X and Y widen the followed area to one side, never below 0.
    if (c->X >= 0)
        dir += c->X;
    else
        esq = esq < -(int64_t)c->X ? 0 : esq + c->X;
    if (c->Y >= 0)
        bai += c->Y;
    else
        cim = cim < -(int64_t)c->Y ? 0 : cim + c->Y;
    c->esquerda = VIDEO_saturar(esq), c->direita = VIDEO_saturar(dir);
    c->cima = VIDEO_saturar(cim), c->baixo = VIDEO_saturar(bai);
}

static void VIDEO_camera_medirArea(_video_camera* c)
{
    c->larguraArea = VIDEO_saturar((int64_t)c->direita - c->esquerda);
    c->alturaArea = VIDEO_saturar((int64_t)c->baixo - c->cima);
}

// ----------------------------------------------------------------- shares
//
// Cameras share the window by rows (side by side, for the widths) and by
// columns (stacked, for the heights). A row is built around a candidate
// camera, one that overlaps the camera at hand across the row: starting from
// the candidate, a chain walks back along the row and a chain walks forward,
// each taking every camera that lies wholly beyond the last one taken and
// overlaps it across. The chains walk the cameras in their order along the
// row, whatever their zooms, so a row is the same from each of its members.

struct VIDEO_direcao {
    bool largura;  // rows, over the top-ordered list; else columns, over the left-ordered one
};

static int64_t VIDEO_tamanho(const VIDEO_direcao& d, const _video_camera* c)
{
    return d.largura ? c->larguraArea : c->alturaArea;
}

static int32_t* VIDEO_parteGuardada(const VIDEO_direcao& d, _video_camera* c)
{
    return d.largura ? &c->larguraMax : &c->alturaMax;
}

static int64_t VIDEO_interna(const VIDEO_direcao& d)
{
    return d.largura ? videoLarguraInterna : videoAlturaInterna;
}

static int32_t VIDEO_inicio(const VIDEO_direcao& d, const _video_camera* c)
{
    return d.largura ? c->esquerda : c->cima;
}

// a and b overlap across the row (edges that touch count).
static bool VIDEO_cruzam(const VIDEO_direcao& d, const _video_camera* a, const _video_camera* b)
{
    if (d.largura) return a->cima <= b->baixo && b->cima <= a->baixo;
    return a->esquerda <= b->direita && b->esquerda <= a->direita;
}

// l lies wholly before h along the row and overlaps it across.
static bool VIDEO_antes(const VIDEO_direcao& d, const _video_camera* l, const _video_camera* h)
{
    bool antes = d.largura ? l->direita < h->esquerda : l->baixo < h->cima;
    return antes && VIDEO_cruzam(d, l, h);
}

// The cameras in their order along the row (stable, so equal starts keep
// the list's order).
static VIDEO_listaCameras VIDEO_aoLongo(const VIDEO_direcao& d, const VIDEO_listaCameras& lista)
{
    VIDEO_listaCameras ordem(lista);
    std::stable_sort(ordem.begin(), ordem.end(), [&](const _video_camera* a, const _video_camera* b) {
        return VIDEO_inicio(d, a) < VIDEO_inicio(d, b);
    });
    return ordem;
}

// The row through candidate p, its members in order along it (p among
// them). The cameras the chains take are marked when `marcar`.
static void VIDEO_fileira(const VIDEO_direcao& d, const VIDEO_listaCameras& ordem, _video_camera* p, bool marcar,
                          VIDEO_listaCameras* membros)
{
    size_t pos = (size_t)(std::find(ordem.begin(), ordem.end(), p) - ordem.begin());
    membros->clear();
    _video_camera* h = p;
    for (size_t g = pos; g-- > 0;) {
        _video_camera* l = ordem[g];
        if (!VIDEO_antes(d, l, h)) continue;
        if (marcar) l->marca = 1;
        membros->push_back(l);
        h = l;
    }
    std::reverse(membros->begin(), membros->end());
    membros->push_back(p);
    h = p;
    for (size_t j = pos + 1; j < ordem.size(); j++) {
        _video_camera* t = ordem[j];
        if (!VIDEO_antes(d, h, t)) continue;
        if (marcar) t->marca = 1;
        membros->push_back(t);
        h = t;
    }
}

// Camera c's place in the row through p: its own when a chain took it;
// otherwise c overlaps p along as well and stands in p's place. Gives the
// size of the members before that place and the row's size with c in it,
// every member counted once.
static void VIDEO_lugar(const VIDEO_direcao& d, const VIDEO_listaCameras& membros, const _video_camera* c,
                        const _video_camera* p, int64_t* antes, int64_t* soma)
{
    const _video_camera* lugar = std::find(membros.begin(), membros.end(), c) != membros.end() ? c : p;
    int64_t total = 0;
    *antes = 0;
    for (const _video_camera* q : membros) {
        if (q == lugar) *antes = total;
        total += VIDEO_tamanho(d, q);
    }
    *soma = total - VIDEO_tamanho(d, lugar) + VIDEO_tamanho(d, c);
}

// Walks the candidates of camera i, every other camera that overlaps it
// across the row: backwards through the list, then forwards.
template <typename F>
static void VIDEO_candidatos(const VIDEO_direcao& d, VIDEO_listaCameras& lista, uint32_t i, F tratar)
{
    _video_camera* c = lista[i];
    for (uint32_t e = i; e >= 1; e--)
        if (VIDEO_cruzam(d, c, lista[e - 1])) tratar(lista[e - 1]);
    for (uint32_t k = i + 1; k < lista.size(); k++)
        if (VIDEO_cruzam(d, c, lista[k])) tratar(lista[k]);
}

// A camera's fair share of the internal picture in a row of total size
// `soma`: its part of the row's length. The area is what the camera shows
// at zoom 1000 (the view divides it by the zoom), so the share does not
// depend on the zoom. A row of no size (or turned over) gives the whole
// picture.
static int32_t VIDEO_parteJusta(const VIDEO_direcao& d, int64_t tamanho, int64_t soma)
{
    if (soma <= 0) return VIDEO_saturar(VIDEO_interna(d) * 10);
    return VIDEO_saturar(VIDEO_interna(d) * 10 * tamanho / soma);
}

// Camera i's share in the direction: the smallest over its rows. Candidates
// that an earlier chain of this walk took lie in a row already counted.
static int32_t VIDEO_cameras_parte(const VIDEO_direcao& d, VIDEO_listaCameras& lista, const VIDEO_listaCameras& ordem,
                                   uint32_t i)
{
    _video_camera* c = lista[i];
    for (_video_camera* q : lista) q->marca = 0;
    bool achou = false;
    int32_t melhor = 0;
    VIDEO_listaCameras membros;
    VIDEO_candidatos(d, lista, i, [&](_video_camera* p) {
        if (p->marca) return;
        VIDEO_fileira(d, ordem, p, true, &membros);
        int64_t antes, soma;
        VIDEO_lugar(d, membros, c, p, &antes, &soma);
        int32_t parte = VIDEO_parteJusta(d, VIDEO_tamanho(d, c), soma);
        if (!achou || parte < melhor) melhor = parte < 1 ? 1 : parte;
        achou = true;
    });
    if (d.largura)
        c->telaEsquerda = 0.0f, c->telaDireita = 1.0f;
    else
        c->telaCima = 0.0f, c->telaBaixo = 1.0f;
    // Alone in its direction: the whole internal picture.
    return achou ? melhor : VIDEO_saturar(VIDEO_interna(d) * 10);
}

static int32_t VIDEO_cameras_larguraMax(VIDEO_listaCameras& lista, const VIDEO_listaCameras& ordem, uint32_t i)
{
    return VIDEO_cameras_parte(VIDEO_direcao{true}, lista, ordem, i);
}

static int32_t VIDEO_cameras_alturaMax(VIDEO_listaCameras& lista, const VIDEO_listaCameras& ordem, uint32_t i)
{
    return VIDEO_cameras_parte(VIDEO_direcao{false}, lista, ordem, i);
}

// Narrows camera i's viewport to its place in the row that sets its share
// (the longest of its rows; the first of them on a tie): from the size of
// the members before it to that plus its own, over the row's size, so the
// members of a row lie side by side in order and each part has its share's
// size. Then, for each row not handed over yet (its candidate unmarked),
// hands over the share that members below their fair share leave unused.
static void VIDEO_cameras_arrumar(const VIDEO_direcao& d, VIDEO_listaCameras& lista, const VIDEO_listaCameras& ordem,
                                  uint32_t i)
{
    _video_camera* c = lista[i];
    VIDEO_listaCameras membros;
    membros.reserve(lista.size());
    int64_t lugarAntes = 0, lugarSoma = 0;
    VIDEO_candidatos(d, lista, i, [&](_video_camera* p) {
        const bool entregar = !p->marca;
        VIDEO_fileira(d, ordem, p, entregar, &membros);
        int64_t antes, soma;
        VIDEO_lugar(d, membros, c, p, &antes, &soma);
        if (soma > lugarSoma) lugarAntes = antes, lugarSoma = soma;
        if (!entregar) return;
        int64_t livre = 0;
        for (size_t k = 0; k < membros.size();) {
            _video_camera* q = membros[k];
            int32_t justa = VIDEO_parteJusta(d, VIDEO_tamanho(d, q), soma);
            int32_t guardada = *VIDEO_parteGuardada(d, q);
            if (guardada < justa) {
                livre += (int64_t)justa - guardada;
                membros.erase(membros.begin() + (long)k);
            } else {
                k++;
            }
        }
        for (_video_camera* q : membros)
            *VIDEO_parteGuardada(d, q) = VIDEO_saturar(*VIDEO_parteGuardada(d, q) + livre / (int64_t)membros.size());
    });
    if (lugarSoma <= 0) return;  // alone, or a row of no size: the whole window
    float a = (float)lugarAntes / (float)lugarSoma;
    float b = (float)(lugarAntes + VIDEO_tamanho(d, c)) / (float)lugarSoma;
    if (d.largura)
        c->telaEsquerda = a, c->telaDireita = b;
    else
        c->telaCima = a, c->telaBaixo = b;
}

static void VIDEO_cameras_arrumarLarguraMax(VIDEO_listaCameras& lista, const VIDEO_listaCameras& ordem, uint32_t i)
{
    VIDEO_cameras_arrumar(VIDEO_direcao{true}, lista, ordem, i);
}

static void VIDEO_cameras_arrumarAlturaMax(VIDEO_listaCameras& lista, const VIDEO_listaCameras& ordem, uint32_t i)
{
    VIDEO_cameras_arrumar(VIDEO_direcao{false}, lista, ordem, i);
}

// The share grows to hold the area, keeping its proportions.
static void VIDEO_camera_crescer(_video_camera* c)
{
    if (c->larguraMax <= 0 || c->alturaMax <= 0) {
        // No share to scale from: the whole internal picture.
        c->larguraMax = VIDEO_saturar((int64_t)videoLarguraInterna * 10);
        c->alturaMax = VIDEO_saturar((int64_t)videoAlturaInterna * 10);
    }
    if (c->larguraMax < c->larguraArea) {
        c->alturaMax = VIDEO_saturar((int64_t)c->larguraArea * c->alturaMax / c->larguraMax);
        c->larguraMax = c->larguraArea;
    }
    if (c->alturaMax < c->alturaArea) {
        c->larguraMax = VIDEO_saturar((int64_t)c->alturaArea * c->larguraMax / c->alturaMax);
        c->alturaMax = c->alturaArea;
    }
}

// --------------------------------------------------------------- meeting
//
// Pairs of equal zoom, the first earlier in the list. When the first lies
// before the second with a gap their slack S (share minus size, both) can
// close, each moves towards the other so that they meet in the middle.
// Pairs that overlap in the pass's direction, or lie more than 2S apart in
// either direction, are left alone; between S and 2S apart across the pass
// the adjustment fades out.

// Weight of the adjustment, 0 to 100000, from the distance across the pass.
static int64_t VIDEO_peso(int64_t distancia, int64_t S)
{
    if (distancia <= S) return 100000;
    if (S <= 0) return 0;
    int64_t f = (2 * S - distancia) * 100000 / S;
    return f < 0 ? 0 : f > 100000 ? 100000 : f;
}

static void VIDEO_encontroVertical(_video_camera* a, _video_camera* b)
{
    int64_t e1 = (int64_t)a->alturaMax - a->alturaArea, e2 = (int64_t)b->alturaMax - b->alturaArea, S = e1 + e2;
    if (a->cima >= b->cima && b->baixo >= a->baixo) return;  // a lies within b's height
    int64_t vao = (int64_t)b->cima - a->baixo;
    if (vao < 0 || vao > 2 * S) return;
    int64_t atravessado = std::max((int64_t)b->esquerda - a->direita, (int64_t)a->esquerda - b->direita);
    if (atravessado > 2 * S) return;
    int64_t d = vao * VIDEO_peso(atravessado, S) / 200000;
    int64_t dy1 = a->deslocamentoY, dy2 = b->deslocamentoY;
    if (a->baixo + d < a->alturaMax) {
        int64_t m = VIDEO_metade((int64_t)a->baixo + b->cima) - a->alturaMax;
        dy2 += VIDEO_metade(e2) - m;
        dy1 += m - VIDEO_metade(e1);
    } else {
        dy2 += VIDEO_metade(e2) - d;
        dy1 += d - VIDEO_metade(e1);
    }
    a->deslocamentoY = VIDEO_saturar(dy1);
    b->deslocamentoY = VIDEO_saturar(dy2);
}

static void VIDEO_encontroHorizontal(_video_camera* a, _video_camera* b)
{
    int64_t e1 = (int64_t)a->larguraMax - a->larguraArea, e2 = (int64_t)b->larguraMax - b->larguraArea, S = e1 + e2;
    if (a->esquerda >= b->esquerda && b->direita >= a->direita) return;  // a lies within b's width
    int64_t vao = (int64_t)b->esquerda - a->direita;
    if (vao < 0 || vao > 2 * S) return;
    int64_t atravessado = std::max((int64_t)b->cima - a->baixo, (int64_t)a->cima - b->baixo);
    if (atravessado > 2 * S) return;
    int64_t d = vao * VIDEO_peso(atravessado, S) / 200000;
    if (a->direita + d < a->larguraMax) {
        int64_t m = VIDEO_metade((int64_t)a->direita + b->esquerda) - a->larguraMax;
        if (m >= 0) {
            b->deslocamentoX = VIDEO_saturar(b->deslocamentoX + VIDEO_metade(e2) - m);
            a->deslocamentoX = VIDEO_saturar(a->deslocamentoX + m - VIDEO_metade(e1));
        } else {
            // The first area, ending at the meeting point, would cross 0: it
            // starts at 0 and the second takes what it cannot use.
            b->deslocamentoX = VIDEO_saturar(VIDEO_metade((int64_t)a->larguraMax - a->direita) + VIDEO_metade(e2) -
                                             b->esquerda + a->direita);
            b->larguraMax = VIDEO_saturar((int64_t)a->larguraMax + b->larguraMax - a->direita);
            a->deslocamentoX = VIDEO_saturar(-VIDEO_metade(a->esquerda));
            a->larguraMax = a->direita;
        }
    } else {
        b->deslocamentoX = VIDEO_saturar(b->deslocamentoX + VIDEO_metade(e2) - d);
        a->deslocamentoX = VIDEO_saturar(a->deslocamentoX + d - VIDEO_metade(e1));
    }
}

template <typename F>
static void VIDEO_pares(VIDEO_listaCameras& lista, F encontro)
{
    for (size_t i = 1; i < lista.size(); i++)
        for (size_t j = i; j < lista.size(); j++)
            if (VIDEO_zoom(lista[i - 1]) == VIDEO_zoom(lista[j])) encontro(lista[i - 1], lista[j]);
}

// ---------------------------------------------------------------- fitting

// One direction of the fitting: the area takes its share's size, its centre
// moved by the shift, starting at 0 where it would cross 0.
static void VIDEO_ajustar(int32_t parte, int32_t* tamanho, int32_t deslocamento, int32_t* inicio, int32_t* fim)
{
    int64_t extra = (int64_t)parte - *tamanho;
    int64_t desvio = VIDEO_metade(extra) - deslocamento;
    int64_t i = *inicio, f = *fim;
    if (desvio > i) {
        f += extra - i;
        i = 0;
    } else {
        i -= desvio;
        f += extra - desvio;
    }
    *inicio = VIDEO_saturar(i);
    *fim = VIDEO_saturar(f);
    *tamanho = VIDEO_saturar(f - i);
}

// ----------------------------------------------------------------- merges

static bool VIDEO_tocaPrimeira(const _video_camera* c, const _video_camera* k)
{
    return c->esquerda <= k->direita && c->cima <= k->baixo && c->baixo >= k->cima;
}

static bool VIDEO_tocaFinal(const _video_camera* c, const _video_camera* k)
{
    return c->esquerda <= k->direita && c->direita >= k->esquerda && c->cima <= k->baixo && c->baixo >= k->cima;
}

// The kept camera of equal zoom, searched from the last kept one backwards
// up to the first of another zoom, that c touches; null when none.
template <typename T>
static _video_camera* VIDEO_acharJuncao(const VIDEO_listaCameras& lista, size_t mantidas, const _video_camera* c,
                                        T toca)
{
    for (size_t k = mantidas; k-- > 0;) {
        if (VIDEO_zoom(lista[k]) != VIDEO_zoom(c)) return nullptr;
        if (toca(c, lista[k])) return lista[k];
    }
    return nullptr;
}

// Passes of the first merge; also builds the top-ordered list.
static void VIDEO_primeiraJuncao(VIDEO_listaCameras& esquerda, VIDEO_listaCameras& topo)
{
    VIDEO_camera_medirArea(esquerda[0]);
    bool juntou = true;
    while (juntou && esquerda.size() > 1) {
        juntou = false;
        topo.assign(1, esquerda[0]);
        size_t mantidas = 1;
        for (size_t i = 1; i < esquerda.size(); i++) {
            _video_camera* c = esquerda[i];
            _video_camera* k = VIDEO_acharJuncao(esquerda, mantidas, c, VIDEO_tocaPrimeira);
            if (k) {
                // The merged area holds both, also when c starts further left.
                k->esquerda = std::min(k->esquerda, c->esquerda);
                k->direita = std::max(k->direita, c->direita);
                k->cima = std::min(k->cima, c->cima);
                k->baixo = std::max(k->baixo, c->baixo);
                VIDEO_camera_medirArea(k);
                juntou = true;
                continue;
            }
            VIDEO_camera_medirArea(c);
            esquerda[mantidas++] = c;
            size_t pos = topo.size();
            topo.push_back(c);
            while (pos > 0 && (VIDEO_zoom(topo[pos - 1]) > VIDEO_zoom(c) || topo[pos - 1]->cima > c->cima)) {
                topo[pos] = topo[pos - 1];
                pos--;
            }
            topo[pos] = c;
        }
        esquerda.resize(mantidas);
    }
    if (topo.empty() || esquerda.size() == 1) topo.assign(esquerda.begin(), esquerda.end());
}

static void VIDEO_juncaoFinal(VIDEO_listaCameras& lista)
{
    bool juntou = true;
    while (juntou && lista.size() > 1) {
        juntou = false;
        size_t mantidas = 1;
        for (size_t i = 1; i < lista.size(); i++) {
            _video_camera* c = lista[i];
            _video_camera* k = VIDEO_acharJuncao(lista, mantidas, c, VIDEO_tocaFinal);
            if (!k) {
                lista[mantidas++] = c;
                continue;
            }
            k->esquerda = std::min(k->esquerda, c->esquerda);
            k->cima = std::min(k->cima, c->cima);
            k->direita = std::max(k->direita, c->direita);
            k->baixo = std::max(k->baixo, c->baixo);
            k->telaEsquerda = std::min(k->telaEsquerda, c->telaEsquerda);
            k->telaCima = std::min(k->telaCima, c->telaCima);
            k->telaDireita = std::max(k->telaDireita, c->telaDireita);
            k->telaBaixo = std::max(k->telaBaixo, c->telaBaixo);
            juntou = true;
        }
        lista.resize(mantidas);
    }
}

// ----------------------------------------------------------------- layout

int VIDEO_configurarCameras()
{
    VIDEO_limparRegioes();
    VIDEO_listaCameras esquerda, topo;
    uint32_t total = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoCameras);
    for (uint32_t h = 1; h <= total; h++) {
        _video_camera* c = VIDEO_pegarCamera(h);
        if (!c) continue;
        VIDEO_camera_calcularArea(c);
        // Ordered by left edge, a larger zoom passed too.
        size_t pos = esquerda.size();
        esquerda.push_back(c);
        while (pos > 0 &&
               (VIDEO_zoom(esquerda[pos - 1]) > VIDEO_zoom(c) || esquerda[pos - 1]->esquerda > c->esquerda)) {
            esquerda[pos] = esquerda[pos - 1];
            pos--;
        }
        esquerda[pos] = c;
    }
    if (esquerda.empty()) return 1;

    // Runs of equal zoom whose areas overlap left to right, each ordered by top.
    size_t inicio = 0;
    int32_t R = esquerda[0]->direita;
    for (size_t i = 1; i < esquerda.size(); i++) {
        _video_camera* c = esquerda[i];
        if (VIDEO_zoom(c) != VIDEO_zoom(esquerda[inicio]) || c->esquerda > R) {
            inicio = i;
            R = c->direita;
            continue;
        }
        R = std::max(R, c->direita);
        for (size_t j = i; j > inicio && esquerda[j]->cima < esquerda[j - 1]->cima; j--)
            std::swap(esquerda[j], esquerda[j - 1]);
    }

    VIDEO_primeiraJuncao(esquerda, topo);
    const size_t n = esquerda.size();
    const VIDEO_listaCameras linhas = VIDEO_aoLongo(VIDEO_direcao{true}, topo);
    const VIDEO_listaCameras colunas = VIDEO_aoLongo(VIDEO_direcao{false}, esquerda);

    // Shares.
    for (size_t i = 0; i < n; i++) {
        esquerda[i]->alturaMax = VIDEO_cameras_alturaMax(esquerda, colunas, (uint32_t)i);
        topo[i]->larguraMax = VIDEO_cameras_larguraMax(topo, linhas, (uint32_t)i);
    }

    // Arrangement and growth. The marks last through each pass, so that a
    // row's shares are handed over once.
    for (_video_camera* c : topo) c->marca = 0;
    for (size_t i = 0; i < n; i++) VIDEO_cameras_arrumarLarguraMax(topo, linhas, (uint32_t)i);
    for (_video_camera* c : esquerda) c->marca = 0;
    for (size_t i = 0; i < n; i++) {
        VIDEO_cameras_arrumarAlturaMax(esquerda, colunas, (uint32_t)i);
        _video_camera* c = esquerda[i];
        c->deslocamentoX = 0;
        c->deslocamentoY = 0;
        VIDEO_camera_crescer(c);
    }

    VIDEO_pares(topo, VIDEO_encontroVertical);
    VIDEO_pares(esquerda, VIDEO_encontroHorizontal);

    for (_video_camera* c : esquerda) {
        VIDEO_ajustar(c->larguraMax, &c->larguraArea, c->deslocamentoX, &c->esquerda, &c->direita);
        VIDEO_ajustar(c->alturaMax, &c->alturaArea, c->deslocamentoY, &c->cima, &c->baixo);
        c->alturaArea = c->alturaMax;
    }

    VIDEO_juncaoFinal(esquerda);
    for (_video_camera* c : esquerda) VIDEO_criarRegiao(c);
    return 1;
}
