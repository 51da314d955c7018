// Where a sound sits relative to the listener and how loud it is, measured
// against the frame's screen regions: a sound on a body is placed by the
// vector from the body towards the views' centres and fades with its
// distance from them in region diagonals; a sound given relative to the
// listener keeps its position and fades with its plain distance. The result
// is kept inside a box of the internal picture's size.
#include <SFML/Graphics/View.hpp>
#include <cmath>
#include <cstdlib>

#include "video/video_interno.h"

// A float truncated toward zero into the 32-bit range (NaN gives 0).
static int64_t VIDEO_audio_truncar(double v)
{
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return (int64_t)v;
}

static int32_t VIDEO_audio_saturar(int64_t v)
{
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return (int32_t)v;
}

// The loudness of a sound dist away, for an audible distance above 0.
static int64_t VIDEO_audio_volume(int64_t distancia, int64_t dist)
{
    return (distancia - dist) * 1000 / distancia;
}

_video_audio* video_calcularAudio(int32_t x, int32_t y, int32_t profundidade, int32_t distancia, char flag)
{
    const int64_t LI = videoLarguraInterna > 0 ? videoLarguraInterna : 640;
    const int64_t AI = videoAlturaInterna > 0 ? videoAlturaInterna : 360;
    // An audible distance of 0 or less hears everything at full volume.
    const bool semLimite = distancia <= 0;
    int64_t vx = 0, vy = 0, volume = 0;

    if (flag == 'S') {
        // Squares and products are taken in 64 bits: world positions pass
        // 32 bits when squared.
        int64_t somaX = 0, somaY = 0, contadas = 0;
        bool haRegioes = false;
        for (uint32_t i = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, videoRegioes); i >= 1; i--) {
            _video_regiao* r = (_video_regiao*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, videoRegioes, i);
            if (!r || !r->vista) continue;
            haRegioes = true;
            sf::Vector2f centro = r->vista->getCenter();
            int64_t wx = VIDEO_audio_truncar((double)centro.x * 10.0 - x);
            int64_t wy = VIDEO_audio_truncar((double)centro.y * 10.0 - y);
            double largura = (double)VIDEO_audio_truncar((double)r->direita - r->esquerda);
            double altura = (double)VIDEO_audio_truncar((double)r->baixo - r->cima);
            double diagonal = std::sqrt(largura * largura + altura * altura);
            if (!(diagonal > 0.0)) continue;  // a region without size measures nothing
            double comprimento = std::sqrt((double)wx * wx + (double)wy * wy);
            int64_t dist = VIDEO_audio_truncar(comprimento * 100.0 / diagonal);
            if (!semLimite && dist >= distancia) continue;
            // Several regions in range: the mean of their vectors points from
            // the sound towards the middle of the views.
            somaX += wx;
            somaY += wy;
            contadas++;
            int64_t v = semLimite ? 1000 : VIDEO_audio_volume(distancia, dist);
            if (v > volume) volume = v;
        }
        if (contadas > 0) {
            vx = somaX / contadas;
            vy = somaY / contadas;
        }
        if (!haRegioes) {
            int64_t wx = LI * 10 / 2 - x;
            int64_t wy = AI * 10 / 2 - y;
            int64_t dist = (int64_t)std::sqrt((double)(wx * wx / (LI * LI) + wy * wy / (AI * AI)));
            if (semLimite || dist < distancia) {
                vx = wx;
                vy = wy;
                volume = semLimite ? 1000 : VIDEO_audio_volume(distancia, dist);
            }
        }
    } else {
        vx = x;
        vy = y;
        double dist = std::sqrt((double)(vx * vx / 100 + vy * vy / 100));
        if (!semLimite && dist < distancia)
            volume = VIDEO_audio_truncar(((double)distancia - dist) * 1000.0 / distancia);
    }

    // Into the box, along the dominant axis: the vector keeps its direction
    // and z shrinks by the same factor.
    int64_t ax = std::llabs(vx * 1000 / LI);
    int64_t ay = std::llabs(vy * 1000 / AI);
    int64_t z0 = (int64_t)profundidade * LI / 1000;
    int64_t rx = vx, ry = vy, rz = z0;
    if (ax > ay) {
        if (vx > LI) {
            rx = LI;
            ry = LI * vy / vx;
            rz = z0 * LI / vx;
        } else if (vx < -LI) {
            rx = -LI;
            ry = vy * (-LI) / vx;
            rz = z0 * (-LI) / vx;
        }
    } else {
        if (vy > AI) {
            rx = AI * vx / vy;
            ry = AI;
            rz = z0 * AI / vy;
        } else if (vy < -AI) {
            rx = vx * (-AI) / vy;
            ry = -AI;
            rz = z0 * (-AI) / vy;
        }
    }

    _video_audio* resultado = (_video_audio*)malloc(sizeof(_video_audio));
    if (!resultado) return nullptr;
    resultado->x = VIDEO_audio_saturar(rx);
    resultado->y = VIDEO_audio_saturar(ry);
    resultado->z = VIDEO_audio_saturar(rz);
    if (semLimite) volume = 1000;
    resultado->volume = (int32_t)(volume < 0 ? 0 : volume > 1000 ? 1000 : volume);
    return resultado;
}
