// Particle systems: prints of kind 2 that, each time they are drawn, emit
// copies of their base print over an ellipse or a rectangle around their
// body, move every live copy under a constant acceleration and draw it;
// their properties 1.10 to 1.25; and what systems and links share as users
// and owners of other prints.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/engine_aleatorio.h"
#include "video/video_interno.h"

const char VIDEO_ERRO_PARTICULAS[] = "Sistema de particulas invalido";
static const char ERRO_CONFIGURACAO[] = "Configuracao nao encontrada no sistema de particulas";
static const char ERRO_BASE[] = "Impresao do sistema invalida";

static const float VIDEO_PI = 3.14159265358979f;

uint32_t videoParticulasVivas = 0;

_video_particulas* VIDEO_pegarParticulas(uint32_t handle)
{
    _video_impressao* p = VIDEO_pegarImpressao(handle);
    return p && p->tipoImpressao == VIDEO_TIPO_PARTICULAS ? (_video_particulas*)p->registro : nullptr;
}

// ------------------------------------------------------- uses and owners

void VIDEO_impressao_ganharUso(_video_impressao* base)
{
    if (base->usos == 0) VIDEO_camada_retirarImpressao(VIDEO_acharCamada(base->camada), base->identificador);
    base->usos++;
}

void VIDEO_impressao_perderUso(uint32_t base)
{
    _video_impressao* b = VIDEO_pegarImpressao(base);
    if (b && b->usos > 0) b->usos--;
}

bool VIDEO_impressao_arquivar(_video_impressao* p)
{
    _video_camada* c = VIDEO_pegarCamada(p->camada);
    if (!c) return false;
    if (engine_vetorInteiro_adicionarNumero(ENGINE_MODULO_VIDEO, c->impressoes, (int32_t)p->identificador) == 0) {
        VIDEO_soltarCamadaSeVazia(c);
        return false;
    }
    return true;
}

// Removes (and frees) the particle whose print is `impressao`, searching
// from the newest; false when the system has none.
static bool VIDEO_particulas_retirarParticula(_video_particulas* s, uint32_t impressao)
{
    for (uint32_t j = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, s->particulas); j >= 1; j--) {
        _video_particula* q =
            (_video_particula*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, s->particulas, j);
        if (q && q->impressao == impressao) {
            engine_vetorPonteiro_removerPonteiro(ENGINE_MODULO_VIDEO, s->particulas, j);
            if (videoParticulasVivas > 0) videoParticulasVivas--;
            return true;
        }
    }
    return false;
}

// Removes the piece's handle from the link's list, searching from the end.
static void VIDEO_ligacao_retirarPeca(_video_ligacao* l, uint32_t impressao)
{
    for (uint32_t i = engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, l->copias); i >= 1; i--) {
        if ((uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, l->copias, i) == impressao) {
            engine_vetorInteiro_removerNumero(ENGINE_MODULO_VIDEO, l->copias, i);
            return;
        }
    }
}

void VIDEO_impressao_soltarDoDono(_video_impressao* p)
{
    if (p->ligacao != 0) {
        _video_ligacao* l = VIDEO_pegarLigacao(p->ligacao);
        if (l) {
            p->camada = l->camada;
            VIDEO_ligacao_retirarPeca(l, p->identificador);
        }
        p->ligacao = 0;
    }
    if (p->sistema != 0) {
        _video_impressao* dono = VIDEO_pegarImpressao(p->sistema);
        _video_particulas* s = VIDEO_pegarParticulas(p->sistema);
        if (dono && s) {
            p->camada = dono->camada;
            VIDEO_particulas_retirarParticula(s, p->identificador);
        }
        p->sistema = 0;
    }
}

void VIDEO_destruirDeVez(uint32_t handle)
{
    if (video_destruirImpressao(handle) == nullptr && VIDEO_pegarImpressao(handle))
        video_destruirImpressao(handle);
}

// ---------------------------------------------------- creation and release

// A new record for the base: defaults and its two empty lists. False when
// the lists cannot be had (nothing is left behind).
static bool VIDEO_particulas_construir(_video_particulas* s, uint32_t base)
{
    memset(s, 0, sizeof(*s));
    s->base = base;
    s->Constancia = 1000;
    s->destruindo = 'N';
    s->configuracoes = engine_criarVetorInteiro(ENGINE_MODULO_VIDEO);
    s->particulas = engine_criarVetorPonteiro(ENGINE_MODULO_VIDEO);
    if (s->configuracoes && s->particulas) return true;
    if (s->configuracoes) engine_destruirVetorInteiro(ENGINE_MODULO_VIDEO, s->configuracoes);
    if (s->particulas) engine_destruirVetorPonteiro(ENGINE_MODULO_VIDEO, s->particulas);
    return false;
}

void VIDEO_particulas_guardarCorpo(_video_particulas* s, int32_t entidade)
{
    s->xAnterior = s->yAnterior = s->rotacaoAnterior = 0;
    if (entidade <= 0) return;
    const uint32_t corpo = (uint32_t)entidade;
    s->xAnterior = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, 1, corpo, nullptr);
    s->yAnterior = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, 2, corpo, nullptr);
    s->rotacaoAnterior = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, 3, corpo, nullptr);
}

uint32_t video_criarParticulas(uint32_t base)
{
    if (!videoIniciado || !VIDEO_pegarImpressao(base)) return 0;
    _video_particulas* s = (_video_particulas*)malloc(sizeof(_video_particulas));
    if (!s || !VIDEO_particulas_construir(s, base)) {
        free(s);
        return 0;
    }
    _video_impressao* p = VIDEO_criarImpressao(VIDEO_TIPO_PARTICULAS);
    if (!p) {
        engine_destruirVetorInteiro(ENGINE_MODULO_VIDEO, s->configuracoes);
        engine_destruirVetorPonteiro(ENGINE_MODULO_VIDEO, s->particulas);
        free(s);
        return 0;
    }
    p->registro = s;
    VIDEO_impressao_ganharUso(VIDEO_pegarImpressao(base));
    return p->identificador;
}

bool VIDEO_particulas_copiar(const _video_particulas* o, _video_particulas* c, int32_t entidade)
{
    if (!VIDEO_particulas_construir(c, o->base)) return false;
    c->Tipo = o->Tipo;
    c->Centralidade = o->Centralidade;
    c->VelocidadeX = o->VelocidadeX;
    c->VelocidadeY = o->VelocidadeY;
    c->MargemVelocidadeX = o->MargemVelocidadeX;
    c->MargemVelocidadeY = o->MargemVelocidadeY;
    c->Estagnacao = o->Estagnacao;
    c->AceleracaoX = o->AceleracaoX;
    c->AceleracaoY = o->AceleracaoY;
    c->Frequencia = o->Frequencia;
    c->Constancia = o->Constancia;
    const uint32_t n = engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, o->configuracoes);
    for (uint32_t i = 1; i <= n; i++) {
        int32_t id = engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, o->configuracoes, i);
        if (engine_vetorInteiro_adicionarNumero(ENGINE_MODULO_VIDEO, c->configuracoes, id) == 0) {
            engine_destruirVetorInteiro(ENGINE_MODULO_VIDEO, c->configuracoes);
            engine_destruirVetorPonteiro(ENGINE_MODULO_VIDEO, c->particulas);
            return false;
        }
    }
    VIDEO_particulas_guardarCorpo(c, entidade);
    _video_impressao* base = VIDEO_pegarImpressao(c->base);
    if (base) VIDEO_impressao_ganharUso(base);
    return true;
}

void VIDEO_particulas_liberar(_video_impressao* sistema)
{
    _video_particulas* s = (_video_particulas*)sistema->registro;
    const uint32_t handle = sistema->identificador;
    engine_destruirVetorInteiro(ENGINE_MODULO_VIDEO, s->configuracoes);
    s->configuracoes = 0;
    // The particles' prints, newest first; each destruction takes its
    // particle out of the list. A print that is itself in use as a base
    // cannot be destroyed: it stays as a print of its own in the system's
    // layer.
    for (uint32_t j = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, s->particulas); j >= 1; j--) {
        j = std::min(j, engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, s->particulas));
        if (j == 0) break;
        _video_particula* q =
            (_video_particula*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, s->particulas, j);
        _video_impressao* impressao = q ? VIDEO_pegarImpressao(q->impressao) : nullptr;
        if (impressao && impressao->sistema == handle && video_destruirImpressao(q->impressao) != nullptr) {
            VIDEO_impressao_soltarDoDono(impressao);
            VIDEO_impressao_arquivar(impressao);
        }
        // Whatever happened to the print, the particle goes.
        if (engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, s->particulas, j) == q &&
            j <= engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, s->particulas)) {
            engine_vetorPonteiro_removerPonteiro(ENGINE_MODULO_VIDEO, s->particulas, j);
            if (q && videoParticulasVivas > 0) videoParticulasVivas--;
        }
    }
    engine_destruirVetorPonteiro(ENGINE_MODULO_VIDEO, s->particulas);
    s->particulas = 0;
    VIDEO_impressao_perderUso(s->base);
}

// ------------------------------------------------------------- properties

#define VIDEO_PARTICULAS_CAMPO(nome)                                       \
    _engine_valor VIDEO_particulas_pegar##nome(uint32_t i)                 \
    {                                                                      \
        _video_particulas* s = VIDEO_pegarParticulas(i);                   \
        return s ? s->nome : 0;                                            \
    }                                                                      \
    const char* VIDEO_particulas_mudar##nome(uint32_t i, _engine_valor v)  \
    {                                                                      \
        _video_particulas* s = VIDEO_pegarParticulas(i);                   \
        if (!s) return VIDEO_ERRO_PARTICULAS;                              \
        s->nome = (int32_t)v;                                              \
        return nullptr;                                                    \
    }

VIDEO_PARTICULAS_CAMPO(Tipo)
VIDEO_PARTICULAS_CAMPO(Centralidade)
VIDEO_PARTICULAS_CAMPO(VelocidadeX)
VIDEO_PARTICULAS_CAMPO(VelocidadeY)
VIDEO_PARTICULAS_CAMPO(MargemVelocidadeX)
VIDEO_PARTICULAS_CAMPO(MargemVelocidadeY)
VIDEO_PARTICULAS_CAMPO(Estagnacao)
VIDEO_PARTICULAS_CAMPO(AceleracaoX)
VIDEO_PARTICULAS_CAMPO(AceleracaoY)
VIDEO_PARTICULAS_CAMPO(Constancia)

_engine_valor VIDEO_particulas_pegarFrequencia(uint32_t i)
{
    _video_particulas* s = VIDEO_pegarParticulas(i);
    return s ? s->Frequencia : 0;
}

// A system being destroyed emits nothing more.
const char* VIDEO_particulas_mudarFrequencia(uint32_t i, _engine_valor v)
{
    _video_particulas* s = VIDEO_pegarParticulas(i);
    if (!s || s->destruindo == 'S') return VIDEO_ERRO_PARTICULAS;
    s->Frequencia = (int32_t)v;
    return nullptr;
}

_engine_valor VIDEO_particulas_pegarImpressao(uint32_t i)
{
    _video_particulas* s = VIDEO_pegarParticulas(i);
    return s ? s->base : 0;
}

// Particles already emitted keep their prints.
const char* VIDEO_particulas_mudarImpressao(uint32_t i, _engine_valor v)
{
    _video_particulas* s = VIDEO_pegarParticulas(i);
    if (!s) return VIDEO_ERRO_PARTICULAS;
    _video_impressao* nova = VIDEO_pegarImpressao((uint32_t)v);
    if (!nova) return VIDEO_ERRO_IMPRESSAO;
    VIDEO_impressao_ganharUso(nova);
    VIDEO_impressao_perderUso(s->base);
    s->base = (uint32_t)v;
    return nullptr;
}

_engine_valor VIDEO_particulas_pegarNumeroParticulas(uint32_t i)
{
    _video_particulas* s = VIDEO_pegarParticulas(i);
    return s ? engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, s->particulas) : 0;
}

const char* VIDEO_particulas_adicionarConfiguracao(uint32_t i, _engine_valor v)
{
    _video_particulas* s = VIDEO_pegarParticulas(i);
    if (!s) return VIDEO_ERRO_PARTICULAS;
    engine_vetorInteiro_adicionarNumero(ENGINE_MODULO_VIDEO, s->configuracoes, (int32_t)v);
    return nullptr;
}

// The last occurrence of the id goes.
const char* VIDEO_particulas_removerConfiguracao(uint32_t i, _engine_valor v)
{
    _video_particulas* s = VIDEO_pegarParticulas(i);
    if (!s) return VIDEO_ERRO_PARTICULAS;
    for (uint32_t j = engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, s->configuracoes); j >= 1; j--) {
        if (engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, s->configuracoes, j) == (int32_t)v) {
            engine_vetorInteiro_removerNumero(ENGINE_MODULO_VIDEO, s->configuracoes, j);
            return nullptr;
        }
    }
    return ERRO_CONFIGURACAO;
}

const char* VIDEO_particulas_limparConfiguracoes(uint32_t i, _engine_valor v)
{
    (void)v;
    _video_particulas* s = VIDEO_pegarParticulas(i);
    if (!s) return VIDEO_ERRO_PARTICULAS;
    while (engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, s->configuracoes) > 0)
        engine_vetorInteiro_removerNumero(ENGINE_MODULO_VIDEO, s->configuracoes, 1);
    return nullptr;
}

// ---------------------------------------------------------- random shapes
//
// Every draw is one value of the runtime's generator, 0 to 32767. U maps a
// draw into 0..1 and S into -1..1 (both kept inside their range against
// rounding).

static int32_t VIDEO_sortear()
{
    return engine_sortearAleatorio();
}

static float VIDEO_U(int32_t r)
{
    return std::min(1.0f, (float)(r % 32767) * (1.0f / 32766.0f));
}

static float VIDEO_S(int32_t r)
{
    return std::max(-1.0f, std::min(1.0f, (float)(r % 32767 - 16383) * (1.0f / 16383.0f)));
}

static float VIDEO_sinal(float v)
{
    return v < 0 ? -1.0f : 1.0f;
}

// A float toward zero as an integer, saturated (not-a-number reads 0).
static int32_t VIDEO_particulas_truncar(float v)
{
    if (!(v == v)) return 0;
    if (v >= 2147483647.0f) return INT32_MAX;
    if (v <= -2147483648.0f) return INT32_MIN;
    return (int32_t)v;
}

static int32_t VIDEO_saturar(int64_t v)
{
    return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : (int32_t)v;
}

// The shaping factor of a property of -1000 to 1000 (centrality,
// stagnation): 0 for 0, +-1 at the ends, otherwise a fresh U raised to
// 10^(-0.0012 value), less 1 for negative values. Its sign is the value's.
static float VIDEO_fator(int32_t valor)
{
    if (valor == 0) return 0.0f;
    if (valor <= -1000) return -1.0f;
    if (valor >= 1000) return 1.0f;
    const double u = VIDEO_U(VIDEO_sortear());
    const float f = (float)std::pow(u, std::pow(10.0, -0.0012 * valor));
    return valor < 0 ? f - 1.0f : f;
}

static void VIDEO_rodarPonto(float* x, float* y, float angulo)
{
    const float a = angulo * VIDEO_PI / 1800.0f, c = std::cos(a), s = std::sin(a);
    const float nx = *x * c - *y * s, ny = *x * s + *y * c;
    *x = nx;
    *y = ny;
}

static void VIDEO_rodarVelocidade(int32_t* vx, int32_t* vy, float angulo)
{
    float x = (float)*vx, y = (float)*vy;
    VIDEO_rodarPonto(&x, &y, angulo);
    *vx = VIDEO_particulas_truncar(x);
    *vy = VIDEO_particulas_truncar(y);
}

// A point of an ellipse of half sizes hw, hh about its centre, from the
// position draw r1 and the centrality factor.
static void VIDEO_particulas_elipse(float gama, int32_t r1, float hw, float hh, float* px, float* py)
{
    float u1 = VIDEO_U(r1), x, y;
    if (gama == 0) {
        const float t = 1.0f - std::sqrt(std::max(0.0f, 1.0f - u1 * u1));
        y = hh * t;
        x = hw * std::sqrt(std::max(0.0f, 1.0f - t * t)) * VIDEO_U(VIDEO_sortear());
    } else if (gama == 1) {
        x = y = 0;
    } else {
        // An inner point (x0, y0) of the unit quarter disc. y0 = u1/sqrt(1-u1^2)
        // passes 1 for u1 above 1/sqrt(2), where x0 would be the root of a
        // negative number: u1 is drawn again then (a few times; after that
        // the point is the top of the disc).
        const float limite = 0.70710678f;
        for (int tentativa = 0; u1 > limite && tentativa < 8; tentativa++) u1 = VIDEO_U(VIDEO_sortear());
        const float y0 = u1 > limite ? 1.0f : std::min(1.0f, u1 / std::sqrt(1.0f - u1 * u1));
        const float x0 = std::sqrt(std::max(0.0f, 1.0f - y0 * y0)) * VIDEO_U(VIDEO_sortear());
        if (gama > 0) {
            y = hh * (1 - gama) * y0;
            x = hw * (1 - gama) * x0;
        } else {
            // The rim point in the direction of (x0, y0); on the horizontal
            // axis when y0 is 0.
            float xr = hw, yr = 0;
            if (y0 != 0) {
                const float z = x0 / y0, raiz = std::sqrt(1 + z * z);
                xr = hw * z / raiz;
                yr = hh / raiz;
            }
            if (gama == -1) {
                x = xr;
                y = yr;
            } else {
                const float g = -gama;
                x = g * xr + (1 - g) * hw * x0;
                y = g * yr + (1 - g) * hh * y0;
            }
        }
    }
    const int32_t q1 = r1 & 3;
    if (q1 == 0 || q1 == 2) y = -y;
    if (q1 == 0 || q1 == 1) x = -x;
    *px = x;
    *py = y;
}

// The rim of the unit square for the point (ax, ay) of its upper right
// quarter. Where the mapping leaves the square (it divides by zero at
// ay = 1/2 and passes 1 or 0 nearby), the point goes to the rim along its
// own direction from the centre instead.
static void VIDEO_particulas_borda(float ax, float ay, float* X, float* Y)
{
    if (ay >= 2 * ax - 1) {
        *Y = 1;
        *X = ax / (2 * ay - 1);
    } else {
        *Y = ay / (2 * ax - 1);
        *X = 1;
    }
    if (*X >= 0 && *X <= 1 && *Y >= 0 && *Y <= 1) return;
    if (ay >= ax) {
        *Y = 1;
        *X = ay > 0 ? ax / ay : 0;
    } else {
        *X = 1;
        *Y = ay / ax;
    }
}

// A point of a rectangle of half sizes hw, hh (both 0 or more) about its
// centre, from the position draw r1 and the centrality factor.
static void VIDEO_particulas_retangulo(float gama, int32_t r1, float hw, float hh, float* px, float* py)
{
    const float g = -gama, y0 = VIDEO_S(r1), ay = std::fabs(y0);
    float x, y;
    if (gama == 0) {
        y = hh * y0;
        x = hw * VIDEO_S(VIDEO_sortear());
    } else if (hh == hw) {
        const float x0 = VIDEO_S(VIDEO_sortear()), ax = std::fabs(x0);
        if (gama == 1) {
            x = y = 0;
        } else if (gama > 0) {
            y = hh * (1 - gama) * y0;
            x = hw * (1 - gama) * x0;
        } else {
            float X, Y;
            VIDEO_particulas_borda(ax, ay, &X, &Y);
            if (gama == -1) {
                y = VIDEO_sinal(y0) * Y;
                x = VIDEO_sinal(x0) * X;
            } else {
                y = y0 + VIDEO_sinal(y0) * g * (Y - ay);
                x = x0 + VIDEO_sinal(x0) * g * (X - ax);
            }
            y *= hh;
            x *= hw;
        }
    } else if (hh < hw) {
        // Wide: the rim's ends are half circles of the height.
        const float R = hh / (2 * hw), x0 = VIDEO_S(VIDEO_sortear()), ax = std::fabs(x0);
        if (gama == 1) {
            y = 0;
            x = ax <= 1 - R ? hw * x0 : VIDEO_sinal(x0) * (hw - hh / 2);
        } else if (gama > 0) {
            y = hh * (1 - gama) * y0;
            if (ax <= 1 - R) {
                x = hw * x0;
            } else {
                const float F = -gama * (ax + R - 1);
                x = (1 - F) * hw * x0 + VIDEO_sinal(x0) * F * hw;
            }
        } else if (gama == -1) {
            if (1 - ax >= R) {
                y = VIDEO_sinal(y0) * hh;
                x = hw * x0;
            } else {
                const float F = ax + R - 1;
                float X, Y;
                if (F / R <= ay) {
                    Y = 1;
                    X = F / (ay * R);
                } else {
                    Y = R * ay / F;
                    X = 1;
                }
                y = VIDEO_sinal(y0) * Y * hh;
                x = VIDEO_sinal(x0) * X * hw;
            }
        } else {
            if (1 - ax >= R) {
                y = hh * (y0 + VIDEO_sinal(y0) * g * (1 - ay));
                x = hw * x0;
            } else {
                const float F = ax + R - 1, H = F / R;
                float Gx, Gy;
                if (ay >= H) {
                    Gy = g;
                    Gx = g * H / ay;
                } else {
                    Gy = g * ay * R / F;
                    Gx = g;
                }
                y = hh * (y0 + VIDEO_sinal(y0) * Gy * (1 - ay));
                x = hw * (x0 + VIDEO_sinal(x0) * Gx * (1 - ax));
            }
        }
    } else {
        // Tall.
        const float R = hw / (2 * hh);
        if (gama == 1) {
            x = 0;
            y = ay <= 1 - R ? hh * y0 : VIDEO_sinal(y0) * (hh - hw / 2);
        } else {
            const float x0 = VIDEO_S(VIDEO_sortear()), ax = std::fabs(x0);
            if (gama > 0) {
                if (ay <= 1 - R) {
                    y = hh * y0;
                } else {
                    const float F = -gama * (ay + R - 1);
                    y = (1 - F) * hh * y0 + VIDEO_sinal(y0) * F * hh;
                }
                x = hw * (1 - gama) * x0;
            } else if (gama == -1) {
                if (ay <= 0.5f - R) {
                    y = hh * y0;
                    x = VIDEO_sinal(x0) * hw;
                } else {
                    const float V = ay - 0.5f + R;
                    float W, X;
                    if (V < ax) {
                        W = V / ax;
                        X = 1;
                    } else {
                        W = 1;
                        X = ax / V;
                    }
                    y = VIDEO_sinal(y0) * hh * (1 - R + R * W);
                    x = VIDEO_sinal(x0) * hw * X;
                }
            } else {
                if (1 - ay >= R) {
                    y = hh * y0;
                    x = hw * (x0 + VIDEO_sinal(x0) * g * (1 - ax));
                } else {
                    const float E = ay - 1 + R, H = E / R;
                    float Gx, Gy;
                    if (ax <= H) {
                        Gx = g * ax * R / E;
                        Gy = g;
                    } else {
                        Gx = g;
                        Gy = g * H / ax;
                    }
                    y = hh * (y0 + VIDEO_sinal(y0) * Gy * (1 - ay));
                    x = hw * (x0 + VIDEO_sinal(x0) * Gx * (1 - ax));
                }
            }
        }
    }
    *px = x;
    *py = y;
}

// The random part of a start velocity (tenths of a pixel per second) about
// the base velocity (vx0, vy0) with half margins mx, my.
static void VIDEO_particulas_velocidade(int32_t estagnacao, float vx0, float vy0, float mx, float my, float* dvx,
                                        float* dvy)
{
    const int32_t r2 = VIDEO_sortear(), q2 = r2 & 3;
    const float eta = VIDEO_fator(estagnacao);
    const float u2 = VIDEO_U(r2);
    float t = 1 - u2 * std::sqrt(std::max(0.0f, 1 - u2 * u2));
    if (q2 == 0 || q2 == 2) t = -t;
    bool dentro = false;
    if (eta > 0) {
        if (mx > 0 && my > 0)
            dentro = (vx0 / mx) * (vx0 / mx) + (vy0 / my) * (vy0 / my) <= 1;
        else if (my <= 0 && my <= mx)
            dentro = vy0 == 0 && std::fabs(vx0) <= mx;
        else
            dentro = vx0 == 0 && std::fabs(vy0) <= my;
    }
    float w = 0;
    if (!((eta == 1 && dentro) || (eta < 0 && vx0 == 0 && my + std::fabs(vy0) <= mx))) {
        w = std::sqrt(std::max(0.0f, 1 - t * t)) * VIDEO_U(VIDEO_sortear());
        if (q2 == 0 || q2 == 1) w = -w;
    }
    float k = 0, K = 1;
    if (vx0 != 0) {
        k = vy0 / vx0;
        K = std::sqrt(1 + k * k);
    }
    if (eta == 0) {
        *dvx = mx * t;
        *dvy = my * w;
    } else if (eta > 0) {
        if (dentro) {
            *dvx = eta == 1 ? 0 : (1 - eta) * mx * t;
            *dvy = eta == 1 ? 0 : (1 - eta) * my * w;
        } else if (vx0 != 0) {
            *dvx = (1 - eta) * mx * t - eta * mx / K;
            *dvy = (1 - eta) * my * w - eta * my * k / K;
        } else {
            *dvx = 0;
            *dvy = (1 - eta) * my * w + eta * VIDEO_sinal(w) * (std::fabs(vy0) - my);
        }
    } else {
        if (vx0 != 0) {
            *dvx = (1 + eta) * mx * t - eta * mx / K;
            *dvy = (1 + eta) * my * w - eta * my * k / K;
        } else if (my + std::fabs(vy0) <= mx) {
            const float T = (1 + eta) * mx * t;
            *dvx = eta == -1 ? VIDEO_sinal(t) * mx : T + VIDEO_sinal(T) * (-eta) * mx;
            *dvy = 0;
        } else {
            *dvx = 0;
            *dvy = my * ((1 + eta) * w + VIDEO_sinal(w) * (-eta));
        }
    }
}

// ---------------------------------------------------------------- a frame

// How many particles are due this frame: the rate times d carried in the
// accumulator (2^31 = one particle), then spread by the constancy. Bounded
// per frame and by the live particles of all systems.
static uint32_t VIDEO_particulas_contar(_video_particulas* s, uint32_t d)
{
    // Frequencia * 2^31 * d / 1000000 without leaving 64 bits: the whole
    // particles and the remainder apart.
    const int64_t produto = (int64_t)s->Frequencia * (int64_t)d;
    const int64_t soma = (int64_t)s->acumulador + (produto % 1000000) * 2147483648LL / 1000000;
    const int64_t n64 = produto / 1000000 + soma / 2147483648LL;
    s->acumulador = (int32_t)(soma % 2147483648LL);
    const uint32_t n = (uint32_t)std::min<int64_t>(n64, VIDEO_PARTICULAS_POR_QUADRO);
    const uint32_t constancia = (uint32_t)std::max(0, std::min(1000, s->Constancia));
    uint32_t k;
    if (n == 0) {
        k = 0;
    } else if (constancia == 1000) {
        k = n;
    } else if (constancia == 0) {
        k = (uint32_t)VIDEO_sortear() % (2 * n);
    } else {
        // An empty random range adds nothing.
        const uint32_t faixa = (1000 - constancia) * n / 500;
        k = constancia * n / 1000 + (faixa > 0 ? (uint32_t)VIDEO_sortear() % faixa : 0);
    }
    k = std::min(k, VIDEO_PARTICULAS_POR_QUADRO);
    const uint32_t livres =
        videoParticulasVivas < VIDEO_PARTICULAS_VIVAS ? VIDEO_PARTICULAS_VIVAS - videoParticulasVivas : 0;
    return std::min(k, livres);
}

// What every particle of one frame's emission shares.
struct _video_emissao {
    float hw, hh, ox, oy;     // emission area, pixels
    float vx0, vy0, mx, my;   // base velocity and half margins, tenths of a pixel per second
    int32_t bx, by, rotacao;  // the body now
    int32_t escX, escY;
    int32_t corte;
};

// Emits one particle; false when it is cut away or cannot be made (its
// draws are spent either way).
static bool VIDEO_particulas_emitir(uint32_t handle, const _video_emissao* e, uint32_t i, uint32_t m, uint32_t N)
{
    _video_impressao* P = VIDEO_pegarImpressao(handle);
    _video_particulas* s = VIDEO_pegarParticulas(handle);
    if (!P || !s) return false;
    s->indiceEmissao = (int32_t)i;
    const int32_t r1 = VIDEO_sortear();
    const float gama = VIDEO_fator(s->Centralidade);
    float x, y;
    if (s->Tipo == 0)
        VIDEO_particulas_elipse(gama, r1, e->hw, e->hh, &x, &y);
    else
        VIDEO_particulas_retangulo(gama, r1, e->hw, e->hh, &x, &y);
    if (!std::isfinite(x) || !std::isfinite(y)) x = y = 0;
    x = std::max(-e->hw, std::min(e->hw, x));
    y = std::max(-e->hh, std::min(e->hh, y));
    if (P->Rotacao != 0) VIDEO_rodarPonto(&x, &y, (float)P->Rotacao);
    x += e->ox;
    y += e->oy;
    if (e->corte != 0 && y > (float)e->corte * 0.1f) return false;

    // Spread along the body's path since the previous frame.
    const float f = (float)(i - m + 1) / (float)(N - m + 1);
    _video_particula particula;
    particula.rotacao = (float)e->rotacao * f + (float)s->rotacaoAnterior * (1 - f);
    float dvx, dvy;
    VIDEO_particulas_velocidade(s->Estagnacao, e->vx0, e->vy0, e->mx, e->my, &dvx, &dvy);
    particula.velocidadeX = VIDEO_saturar((int64_t)VIDEO_particulas_truncar(dvx + e->vx0) * 10);
    particula.velocidadeY = VIDEO_saturar((int64_t)VIDEO_particulas_truncar(dvy + e->vy0) * 10);
    if (P->Rotacao != 0) VIDEO_rodarVelocidade(&particula.velocidadeX, &particula.velocidadeY, (float)P->Rotacao);
    if (particula.rotacao != 0) {
        VIDEO_rodarPonto(&x, &y, particula.rotacao);
        VIDEO_rodarVelocidade(&particula.velocidadeX, &particula.velocidadeY, particula.rotacao);
    }
    particula.escalaX = e->escX;
    particula.escalaY = e->escY;
    particula.x = x + 0.1f * ((float)e->bx * f + (float)s->xAnterior * (1 - f));
    particula.y = y + 0.1f * ((float)e->by * f + (float)s->yAnterior * (1 - f));

    // Its print: a copy of the base, tinted by the system (channels and
    // opacities multiply).
    const uint32_t copia = video_copiarImpressao(s->base);
    if (copia == 0) return false;
    _video_impressao* c = VIDEO_pegarImpressao(copia);
    const int64_t canais[4] = {
        (int64_t)c->Vermelho * P->Vermelho / 1000,
        (int64_t)c->Verde * P->Verde / 1000,
        (int64_t)c->Azul * P->Azul / 1000,
        1000 - (int64_t)(1000 - (int64_t)c->Transparencia) * (1000 - (int64_t)P->Transparencia) / 1000,
    };
    for (uint32_t k = 0; k < 4; k++)
        engine_propriedade_mudarValor(ENGINE_MODULO_VIDEO, VIDEO_MODELO_IMPRESSAO, 34 + k, copia,
                                      VIDEO_saturar(canais[k]));
    _video_particula* nova = (_video_particula*)malloc(sizeof(_video_particula));
    if ((P = VIDEO_pegarImpressao(handle)) == nullptr || (s = VIDEO_pegarParticulas(handle)) == nullptr || !nova ||
        (c = VIDEO_pegarImpressao(copia)) == nullptr ||
        engine_vetorPonteiro_adicionarPonteiro(ENGINE_MODULO_VIDEO, s->particulas, nova) == 0) {
        free(nova);
        VIDEO_destruirDeVez(copia);
        return false;
    }
    particula.impressao = copia;
    *nova = particula;
    videoParticulasVivas++;
    // The copy is drawn by its system, through the cameras when the system
    // follows a body.
    c->sistema = handle;
    c->entidade = P->entidade;
    // Every timeline of the list starts on the new particle, at the video clock.
    for (uint32_t j = 1; j <= engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, s->configuracoes); j++) {
        const uint32_t id = (uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, s->configuracoes, j);
        engine_config_aplicar(ENGINE_MODULO_VIDEO, VIDEO_MODELO_IMPRESSAO, id, copia, videoTempo);
        if ((s = VIDEO_pegarParticulas(handle)) == nullptr) break;
    }
    return true;
}

// Systems drawn inside other systems' particles, counted so that a base
// that contains its own system (directly or through others) ends.
static uint32_t videoParticulasProfundidade = 0;

const char* VIDEO_desenharParticulas(_video_impressao* sistema, _video_particulas* s, int32_t bx, int32_t by,
                                     int32_t rotacao, int32_t escX, int32_t escY, int32_t alturaFixa, int32_t corte,
                                     uint32_t d)
{
    const uint32_t handle = sistema->identificador;
    _video_impressao* P = VIDEO_pegarImpressao(handle);
    s = VIDEO_pegarParticulas(handle);
    if (!P || !s || !VIDEO_pegarImpressao(s->base)) return ERRO_BASE;
    if (videoParticulasProfundidade >= VIDEO_PARTICULAS_PROFUNDIDADE) return nullptr;
    videoParticulasProfundidade++;

    _video_emissao e;
    // Half sizes as lengths: a negative width or height mirrors an area that
    // is symmetric anyway.
    e.hh = std::fabs((float)(alturaFixa != 0 ? alturaFixa : P->Altura) * (float)escY * 0.00005f);
    e.hw = std::fabs((float)P->Largura * (float)escX * 0.00005f);
    e.ox = (float)P->X * 0.0001f * (float)escX;
    e.oy = (float)P->Y * 0.0001f * (float)escY;
    e.vx0 = (float)s->VelocidadeX * 0.1f;
    e.vy0 = (float)s->VelocidadeY * 0.1f;
    e.mx = (float)s->MargemVelocidadeX * 0.05f;
    e.my = (float)s->MargemVelocidadeY * 0.05f;
    e.bx = bx;
    e.by = by;
    e.rotacao = rotacao;
    e.escX = escX;
    e.escY = escY;
    e.corte = corte;

    uint32_t N = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, s->particulas);
    if (s->Frequencia >= 1) {
        const uint32_t m = N;
        N = m + VIDEO_particulas_contar(s, d);
        for (uint32_t i = m; i < N;) {
            if (VIDEO_particulas_emitir(handle, &e, i, m, N))
                i++;
            else
                N--;  // the same index again
        }
        if ((s = VIDEO_pegarParticulas(handle)) != nullptr) {
            s->rotacaoAnterior = rotacao;
            s->xAnterior = bx;
            s->yAnterior = by;
        }
    }

    // Every particle moves, the ones born now too, and is drawn where it is.
    for (uint32_t j = 1; j <= N; j++) {
        if ((s = VIDEO_pegarParticulas(handle)) == nullptr) break;
        _video_particula* q =
            (_video_particula*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, s->particulas, j);
        if (!q) continue;
        const float passo = (float)d * 0.00001f;
        q->velocidadeX = VIDEO_saturar(q->velocidadeX + (int64_t)d * s->AceleracaoX / 100000);
        q->x += (float)q->velocidadeX * passo;
        q->velocidadeY = VIDEO_saturar(q->velocidadeY + (int64_t)d * s->AceleracaoY / 100000);
        q->y += (float)q->velocidadeY * passo;
        _video_impressao* impressao = VIDEO_pegarImpressao(q->impressao);
        if (!impressao) continue;
        VIDEO_desenharImpressao(impressao, VIDEO_particulas_truncar(q->x * 10), VIDEO_particulas_truncar(q->y * 10),
                                VIDEO_particulas_truncar(q->rotacao), q->escalaX, q->escalaY, 0, 0, d);
    }
    videoParticulasProfundidade--;
    return nullptr;
}
