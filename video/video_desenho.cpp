// Drawing of one frame's layers: each layer's links, then its prints in
// order; an animation as one frame of its image on a textured quad
// (mirrored by negative sizes, optionally cut), a text as its text object
// scaled to the print's size. A print on a body takes the body's position,
// rotation and scale and is drawn once through each screen region; a print
// without a body, or on the mouse-pointer body 1, once over the internal
// picture.
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <SFML/Graphics/View.hpp>
#include <algorithm>
#include <cmath>
#include <vector>

#include "video/video_interno.h"

static const float VIDEO_PI = 3.14159265358979f;

// Log texts are Latin-1.
static const char ERRO_SEM_TEXTURA[] = "Textura n\xE3o encontrada";

static bool VIDEO_haJanela()
{
    return videoJanela && videoJanela->isOpen();
}

// A float as an integer toward zero, saturated (not-a-number reads 0).
static int32_t VIDEO_truncar(float v)
{
    if (!(v == v)) return 0;
    if (v >= 2147483647.0f) return INT32_MAX;
    if (v <= -2147483648.0f) return INT32_MIN;
    return (int32_t)v;
}

// A channel in thousandths as a colour byte: value·255/1000, its low byte.
static sf::Uint8 VIDEO_byteDoCanal(int32_t canal)
{
    return (sf::Uint8)(uint32_t)((int64_t)canal * 255 / 1000);
}

static sf::Color VIDEO_corDaImpressao(const _video_impressao* p)
{
    return sf::Color(VIDEO_byteDoCanal(p->Vermelho), VIDEO_byteDoCanal(p->Verde), VIDEO_byteDoCanal(p->Azul),
                     (sf::Uint8)~VIDEO_byteDoCanal(p->Transparencia));
}

void VIDEO_rodar(float* x, float* y, uint32_t n, int32_t angulo)
{
    const float a = (float)angulo * VIDEO_PI / 1800.0f, c = std::cos(a), s = std::sin(a);
    for (uint32_t i = n; i-- > 0;) {
        float nx = x[i] * c - y[i] * s, ny = x[i] * s + y[i] * c;
        x[i] = nx;
        y[i] = ny;
    }
}

void VIDEO_ordenar4Y(float* x, float* y)
{
    for (int i = 0; i < 3; i++)
        for (int j = i + 1; j < 4; j++)
            if (y[j] < y[i]) {
                std::swap(x[i], x[j]);
                std::swap(y[i], y[j]);
            }
}

// The point on the segment from a to b at height `corte`.
static void VIDEO_pontoNoCorte(const float* x, const float* y, int a, int b, float corte, float* qx, float* qy)
{
    float t = y[b] != y[a] ? (corte - y[a]) / (y[b] - y[a]) : 0.0f;
    *qx = x[a] + (x[b] - x[a]) * t;
    *qy = y[a] + (y[b] - y[a]) * t;
}

uint32_t VIDEO_cortarQuad(float ox, float oy, float hw, float hh, int32_t rotacao, float corte, float* x, float* y)
{
    float px[4] = {ox - hw, ox - hw, ox + hw, ox + hw};
    float py[4] = {oy - hh, oy + hh, oy - hh, oy + hh};
    // The quad's centre, turned with it: the line lies corte/10 pixels below
    // the piece's top (measured from the centre, so an offset print is cut
    // as one without offset).
    float cx = ox, cy = oy;
    VIDEO_rodar(&cx, &cy, 1, rotacao);
    VIDEO_rodar(px, py, 4, rotacao);
    VIDEO_ordenar4Y(px, py);
    // Turned by the print's rotation, the part above the line is kept.
    const float linha = cy + corte * 0.1f - hh;
    uint32_t n = 0;
    auto ponto = [&](float a, float b) {
        x[n] = a;
        y[n] = b;
        n++;
    };
    auto corteEntre = [&](int a, int b) {
        float qx, qy;
        VIDEO_pontoNoCorte(px, py, a, b, linha, &qx, &qy);
        ponto(qx, qy);
    };
    if (linha <= py[1]) {
        ponto(px[0], py[0]);
        corteEntre(0, 1);
        corteEntre(0, 2);
    } else if (linha <= py[2]) {
        ponto(px[0], py[0]);
        ponto(px[1], py[1]);
        corteEntre(1, 3);
        corteEntre(0, 2);
    } else if (linha <= py[3]) {
        ponto(px[0], py[0]);
        ponto(px[1], py[1]);
        corteEntre(1, 3);
        corteEntre(2, 3);
        ponto(px[2], py[2]);
    } else {
        ponto(px[0], py[0]);
        ponto(px[1], py[1]);
        ponto(px[3], py[3]);
        ponto(px[2], py[2]);
    }
    VIDEO_rodar(x, y, n, -rotacao);
    return n;
}

// Draws once through the window's current view for a print without a body
// (or on the mouse pointer, body 1) or a frame without regions; otherwise
// once through each region's view, the internal picture's view restored.
static void VIDEO_desenharNasRegioes(int32_t entidade, const sf::Drawable& desenho, const sf::RenderStates& estados)
{
    uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, videoRegioes);
    if (entidade == 0 || entidade == 1 || n == 0) {
        videoJanela->draw(desenho, estados);
        return;
    }
    for (uint32_t i = 1; i <= n; i++) {
        _video_regiao* r = (_video_regiao*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, videoRegioes, i);
        if (!r || !r->vista) continue;
        videoJanela->setView(*r->vista);
        videoJanela->draw(desenho, estados);
    }
    videoJanela->setView(sf::View(sf::FloatRect(0.f, 0.f, (float)videoLarguraInterna, (float)videoAlturaInterna)));
}

// ------------------------------------------------------------- animations

// A textured convex polygon of up to five points, drawn without copying.
struct VIDEO_poligono : sf::Drawable {
    VIDEO_poligono(const sf::Vertex* v, uint32_t n) : vertices(v), quantos(n) {}
    void draw(sf::RenderTarget& alvo, sf::RenderStates estados) const override
    {
        alvo.draw(vertices, quantos, sf::TriangleFan, estados);
    }
    const sf::Vertex* vertices;
    uint32_t quantos;
};

const char* VIDEO_desenharAnimacao(_video_impressao* impressao, _video_animacao* animacao, int32_t X, int32_t Y,
                                   int32_t rot, int32_t escX, int32_t escY, int32_t alturaFixa, float corte)
{
    const uint32_t handle = impressao->identificador;
    _video_textura* t = animacao ? VIDEO_pegarTextura(animacao->textura) : nullptr;
    if (!t) return ERRO_SEM_TEXTURA;
    if (!VIDEO_haJanela()) return nullptr;
    sf::Vector2u tamanho = t->imagem->getSize();
    const float fw = (float)(tamanho.x / t->colunas), fh = (float)(tamanho.y / t->linhas);
    // The frame, read through the engine (which may run expressions), then
    // the print afresh.
    int32_t quadroX = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_VIDEO, 1, 2, handle, nullptr);
    int32_t quadroY = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_VIDEO, 1, 3, handle, nullptr);
    _video_impressao* p = VIDEO_pegarImpressao(handle);
    _video_animacao* a = VIDEO_pegarAnimacao(handle);
    if (!p || !a || !(t = VIDEO_pegarTextura(a->textura))) return ERRO_SEM_TEXTURA;
    sf::Texture* textura = VIDEO_textura_pegarTexturaCarregada(a->textura);
    if (!textura) return nullptr;

    // Half sizes in pixels; a negative one mirrors the picture. The half
    // width is a whole number of pixels, Largura·escX/20000 truncated, formed
    // in integers: in floats 40·0.00005·1000 comes out just under 2.
    int64_t meiaLargura = (int64_t)p->Largura * escX / 20000;
    float hw = (float)std::max<int64_t>(INT32_MIN, std::min<int64_t>(INT32_MAX, meiaLargura));
    float hh = (float)(alturaFixa == 0 ? p->Altura : alturaFixa) * 0.00005f * (float)escY;
    const bool espelhoX = hw < 0, espelhoY = hh < 0;
    if (espelhoX) hw = -hw;
    if (espelhoY) hh = -hh;
    if (hw == 0 || hh == 0) return nullptr;
    const float ox = (float)p->X * 0.0001f * (float)escX, oy = (float)p->Y * 0.0001f * (float)escY;

    float x[5], y[5];
    uint32_t n = 4;
    if (corte == 0) {
        const float qx[4] = {ox - hw, ox - hw, ox + hw, ox + hw}, qy[4] = {oy - hh, oy + hh, oy + hh, oy - hh};
        for (int i = 0; i < 4; i++) x[i] = qx[i], y[i] = qy[i];
    } else {
        n = VIDEO_cortarQuad(ox, oy, hw, hh, p->Rotacao, corte, x, y);
    }

    // Frame rectangle in the texture, turned over for a mirrored picture.
    const float fx = (float)quadroX * fw, fy = (float)quadroY * fh;
    const float esq = (float)VIDEO_truncar(espelhoX ? fx + fw : fx), larg = (float)VIDEO_truncar(espelhoX ? -fw : fw);
    const float topo = (float)VIDEO_truncar(espelhoY ? fy + fh : fy), alt = (float)VIDEO_truncar(espelhoY ? -fh : fh);
    // Each point takes the texture at its place in the whole quad, so a cut
    // quad shows the cut part of the frame.
    sf::Vertex quad[5];
    const sf::Color cor = VIDEO_corDaImpressao(p);
    for (uint32_t i = 0; i < n; i++) {
        uint32_t k = n - 1 - i;  // given from the last point to the first
        float u = (x[k] - (ox - hw)) / (2 * hw), v = (y[k] - (oy - hh)) / (2 * hh);
        quad[i] = sf::Vertex(sf::Vector2f(x[k], y[k]), cor, sf::Vector2f(esq + larg * u, topo + alt * v));
    }

    // The quad's origin goes where the body's rotation puts the picture's
    // centre, so that the picture turns with the body about its position.
    const float r = std::sqrt(hw * hw + hh * hh), b = std::atan2(hh, hw) + (float)rot * VIDEO_PI / 1800.0f;
    sf::RenderStates estados(textura);
    estados.transform.translate((float)X * 0.1f + r * std::cos(b), (float)Y * 0.1f + r * std::sin(b));
    estados.transform.rotate((float)((int64_t)p->Rotacao + rot) * 0.1f);
    VIDEO_desenharNasRegioes(p->entidade, VIDEO_poligono(quad, n), estados);
    return nullptr;
}

// ------------------------------------------------------------------ texts

int VIDEO_desenharEscritura(_video_impressao* p, _video_escritura* e, int32_t X, int32_t Y, int32_t rot, int32_t escX,
                            int32_t escY, int32_t alturaFixa, uint32_t corte)
{
    // A text whose font was closed draws nothing.
    if (!VIDEO_haJanela() || !e || !e->objetoTexto || !e->objetoTexto->getFont()) return 0;
    sf::Text& texto = *e->objetoTexto;
    const sf::FloatRect limites = texto.getLocalBounds();
    if (!(limites.width > 0 && limites.height > 0)) return 0;
    const float sx = (float)p->Largura * (float)escX * 0.0001f;
    const float sy = alturaFixa == 0 ? (float)p->Altura * 0.0001f * (float)escY
                                     : (float)alturaFixa * (float)escY * 0.0001f;
    sf::Transform T;
    T.scale(sx / limites.width, sy / limites.height);
    T.rotate((float)p->Rotacao * 0.1f);
    T.translate((float)p->X * (float)escX * 0.0001f, (float)p->Y * (float)escY * 0.0001f);
    texto.setFillColor(VIDEO_corDaImpressao(p));
    sf::Transform B;
    B.translate((float)X * 0.1f, (float)Y * 0.1f);
    B.rotate((float)rot * 0.1f);
    if (corte == 0) {
        VIDEO_desenharNasRegioes(p->entidade, texto, sf::RenderStates(B * T));
        return 0;
    }
    // Cut: the piece, in its own direction (after T, before B), keeps the
    // part from its top down to corte/10 pixels. It is drawn into a picture
    // of that part, shown by a sprite.
    const sf::FloatRect caixa = T.transformRect(limites);
    const float altura = std::min(caixa.height, (float)corte * 0.1f);
    const unsigned w = (unsigned)std::ceil(caixa.width), h = (unsigned)std::ceil(altura);
    const unsigned maximo = sf::Texture::getMaximumSize();
    if (w == 0 || h == 0 || w > maximo || h > maximo) return 0;
    sf::RenderTexture pedaco;
    if (!pedaco.create(w, h)) return 0;
    pedaco.setView(sf::View(sf::FloatRect(caixa.left, caixa.top, (float)w, (float)h)));
    pedaco.clear(sf::Color::Transparent);
    pedaco.draw(texto, sf::RenderStates(T));
    pedaco.display();
    sf::Sprite sprite(pedaco.getTexture());
    sf::Transform posicao = B;
    posicao.translate(caixa.left, caixa.top);
    VIDEO_desenharNasRegioes(p->entidade, sprite, sf::RenderStates(posicao));
    return 0;
}

// ------------------------------------------------------------------ prints

int VIDEO_desenharImpressao(_video_impressao* p, int32_t X, int32_t Y, int32_t rot, int32_t escX, int32_t escY,
                            int32_t alturaFixa, int32_t corte, uint32_t d)
{
    const uint32_t handle = p->identificador;
    switch (p->tipoImpressao) {
    case VIDEO_TIPO_ANIMACAO:
        // Read through the engine, so that a lazy binding of the image
        // reaches the print before it is drawn.
        engine_propriedade_pegarValor(ENGINE_MODULO_VIDEO, 1, 1, handle, nullptr);
        if ((p = VIDEO_pegarImpressao(handle)) == nullptr) return 0;
        VIDEO_desenharAnimacao(p, VIDEO_pegarAnimacao(handle), X, Y, rot, escX, escY, alturaFixa, (float)corte);
        break;
    case VIDEO_TIPO_ESCRITURA:
        VIDEO_desenharEscritura(p, VIDEO_pegarEscritura(handle), X, Y, rot, escX, escY, alturaFixa, (uint32_t)corte);
        break;
    case VIDEO_TIPO_PARTICULAS:
        VIDEO_desenharParticulas(p, VIDEO_pegarParticulas(handle), X, Y, rot, escX, escY, alturaFixa, corte, d);
        break;
    default:
        break;
    }
    return 0;
}

// ------------------------------------------------------------------ layers

int VIDEO_desenharCamada(_video_camada* camada, uint32_t d)
{
    const int32_t numero = camada->numero;
    VIDEO_logar("Imprimindo camada", numero);
    // The links first, as they stand now.
    std::vector<uint32_t> ligacoes(engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, camada->ligacoes));
    for (uint32_t i = 0; i < ligacoes.size(); i++)
        ligacoes[i] = (uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, camada->ligacoes, i + 1);
    for (uint32_t handle : ligacoes) {
        _video_ligacao* l = VIDEO_pegarLigacao(handle);
        if (l) VIDEO_desenharLigacao(l, d);
    }
    // Pieces that leave a link are filed in its layer: it is looked up again.
    if ((camada = VIDEO_acharCamada(numero)) == nullptr) {
        VIDEO_logar("Camada impressa", numero);
        return 0;
    }

    // The prints as they stand now: drawing may destroy prints (a drained
    // particle system goes) and so empty or drop this layer.
    std::vector<uint32_t> impressoes(engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, camada->impressoes));
    for (uint32_t i = 0; i < impressoes.size(); i++)
        impressoes[i] = (uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, camada->impressoes, i + 1);
    for (uint32_t handle : impressoes) {
        _video_impressao* p = VIDEO_pegarImpressao(handle);
        if (!p) continue;
        // A particle system whose destruction was asked for and that has no
        // live particle left is destroyed here instead of drawn.
        _video_particulas* s = VIDEO_pegarParticulas(handle);
        if (s && s->destruindo == 'S' &&
            engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, s->particulas) == 0) {
            video_destruirImpressao(handle);
            continue;
        }
        if (p->entidade == 0) {
            VIDEO_desenharImpressao(p, 0, 0, 0, 1000, 1000, 0, 0, d);
            continue;
        }
        // The body's values through the engine, which may run code that
        // destroys prints: the print is looked up again afterwards.
        const uint32_t corpo = (uint32_t)p->entidade;
        int32_t escY = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, 5, corpo, nullptr);
        int32_t escX = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, 4, corpo, nullptr);
        int32_t rot = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, 3, corpo, nullptr);
        int32_t y = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, 2, corpo, nullptr);
        int32_t x = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, 1, corpo, nullptr);
        if ((p = VIDEO_pegarImpressao(handle)) == nullptr) continue;
        VIDEO_desenharImpressao(p, x, y, rot, escX, escY, 0, 0, d);
    }
    VIDEO_logar("Camada impressa", numero);
    return 0;
}

// The frame's drawing: the layers in ascending number. Returns the number
// of layers drawn. A layer emptied or dropped while an earlier one is drawn
// is skipped.
int32_t VIDEO_desenharCamadas(uint32_t d)
{
    uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, videoCamadas);
    std::vector<int32_t> numeros;
    numeros.reserve(n);
    for (uint32_t i = 1; i <= n; i++) {
        _video_camada* c = (_video_camada*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, videoCamadas, i);
        if (c) numeros.push_back(c->numero);
    }
    int32_t desenhadas = 0;
    for (int32_t numero : numeros) {
        _video_camada* c = VIDEO_acharCamada(numero);
        if (!c) continue;
        VIDEO_desenharCamada(c, d);
        desenhadas++;
    }
    return desenhadas;
}
