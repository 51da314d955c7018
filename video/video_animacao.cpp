// Images opened from the archive, cut into a grid of equal frames, and the
// animation prints that show one frame of them.
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <cstdlib>
#include <cstring>

#include "engine/dados_texto.h"
#include "plataforma/plataforma.h"
#include "video/video_interno.h"

const char VIDEO_ERRO_ANIMACAO[] = "Animacao invalida";
const char VIDEO_ERRO_TEXTURA[] = "Textura invalida";

// Log texts are Latin-1.
static const char LOG_GRADE[] = "Grade de quadros inv\xE1lida.";
static const char LOG_CAMINHO[] = "Caminho para imagem inv\xE1lido.";
static const char LOG_VETOR[] = "Erro ao inserir imagem no vetor de imagens.";
static const char LOG_DECODIFICAR[] = "Erro ao decodificar imagem.";

_video_textura* VIDEO_pegarTextura(uint32_t handle)
{
    return (_video_textura*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_VIDEO, videoTexturas, handle);
}

// Releases what an image record owns (not the record itself).
static void VIDEO_textura_liberar(_video_textura* t)
{
    delete t->textura;
    delete t->imagem;
    free(t->nome);
    t->textura = nullptr;
    t->imagem = nullptr;
    t->nome = nullptr;
}

uint32_t video_abrirImagem(const char* nome, uint32_t colunas, uint32_t linhas)
{
    if (!videoIniciado || !nome) return 0;
    uint32_t maior = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoTexturas);
    for (uint32_t h = 1; h <= maior; h++) {
        _video_textura* t = VIDEO_pegarTextura(h);
        if (t && strcmp(t->nome, nome) == 0) {
            t->reaberturas++;  // the grid stays that of the first open
            return h;
        }
    }
    // Without columns or rows there is no frame size.
    if (colunas == 0 || linhas == 0) {
        VIDEO_logar(LOG_GRADE, -1);
        return 0;
    }
    Recurso* fluxo = plataforma_pegarRecurso(nome);
    if (!fluxo || fluxo->getSize() <= 0) {
        VIDEO_logar(LOG_CAMINHO, -1);
        delete fluxo;
        return 0;
    }
    _video_textura* t = (_video_textura*)calloc(1, sizeof(_video_textura));
    uint32_t handle = t ? engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_VIDEO, videoTexturas, t) : 0;
    if (handle == 0) {
        VIDEO_logar(LOG_VETOR, -1);
        delete fluxo;
        free(t);
        return 0;
    }
    t->imagem = new sf::Image();
    bool carregada = t->imagem->loadFromStream(*fluxo);
    delete fluxo;
    t->nome = dados_texto_concatenar(nome, "");
    if (!carregada || !t->nome) {
        VIDEO_logar(LOG_DECODIFICAR, -1);
        VIDEO_textura_liberar(t);
        engine_vetorPersistente_removerPosicao(ENGINE_MODULO_VIDEO, videoTexturas, handle);
        return 0;
    }
    t->colunas = colunas;
    t->linhas = linhas;
    t->reaberturas = 0;
    return handle;
}

// The last close removes the image. The prints that show it forget it
// (property 1.1 reads 0) and draw nothing, so an image opened later under
// the same handle does not appear in their place.
const char* video_destruirTextura(uint32_t textura)
{
    _video_textura* t = VIDEO_pegarTextura(textura);
    if (!t) return videoIniciado ? VIDEO_ERRO_TEXTURA : VIDEO_ERRO_INICIO;
    if (t->reaberturas > 0) {
        t->reaberturas--;
        return nullptr;
    }
    uint32_t maior = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoImpressoes);
    for (uint32_t h = 1; h <= maior; h++) {
        _video_animacao* a = VIDEO_pegarAnimacao(h);
        if (a && a->textura == textura) a->textura = 0;
    }
    VIDEO_textura_liberar(t);
    return engine_vetorPersistente_removerPosicao(ENGINE_MODULO_VIDEO, videoTexturas, textura);
}

// One texture per image, whatever the number of prints showing it: the
// picture never changes once decoded, so it is uploaded once. The colour,
// position and frame of a print are applied when it is drawn.
sf::Texture* VIDEO_textura_pegarTexturaCarregada(uint32_t handle)
{
    _video_textura* t = VIDEO_pegarTextura(handle);
    if (!t) return nullptr;
    if (!t->textura) {
        sf::Texture* textura = new sf::Texture();
        if (!textura->loadFromImage(*t->imagem)) {
            delete textura;
            return nullptr;
        }
        t->textura = textura;
    }
    return t->textura;
}

// ------------------------------------------------------- animation prints

uint32_t video_criarAnimacao(uint32_t textura)
{
    _video_textura* t = VIDEO_pegarTextura(textura);
    if (!t) return 0;
    _video_animacao* a = (_video_animacao*)calloc(1, sizeof(_video_animacao));
    if (!a) return 0;
    _video_impressao* p = VIDEO_criarImpressao(VIDEO_TIPO_ANIMACAO);
    if (!p) {
        free(a);
        return 0;
    }
    sf::Vector2u tamanho = t->imagem->getSize();
    // One frame at its natural size, in world units; the product wraps in
    // 32 bits rather than overflow for an absurdly wide picture.
    p->Largura = (int32_t)((tamanho.x / t->colunas) * 10u);
    p->Altura = (int32_t)((tamanho.y / t->linhas) * 10u);
    a->textura = textura;
    a->QuadroX = 0;
    a->QuadroY = 0;
    p->registro = a;
    return p->identificador;
}

_engine_valor VIDEO_animacao_pegarTextura(uint32_t i)
{
    _video_animacao* a = VIDEO_pegarAnimacao(i);
    return a ? a->textura : 0;
}

_engine_valor VIDEO_animacao_pegarQuadroX(uint32_t i)
{
    _video_animacao* a = VIDEO_pegarAnimacao(i);
    return a ? a->QuadroX : 0;
}

_engine_valor VIDEO_animacao_pegarQuadroY(uint32_t i)
{
    _video_animacao* a = VIDEO_pegarAnimacao(i);
    return a ? a->QuadroY : 0;
}

// The size is kept: an image with another frame size is drawn stretched or
// squeezed to it.
const char* VIDEO_animacao_mudarTextura(uint32_t i, _engine_valor v)
{
    if (!VIDEO_pegarTextura((uint32_t)v)) return VIDEO_ERRO_TEXTURA;
    _video_animacao* a = VIDEO_pegarAnimacao(i);
    if (!a) return VIDEO_ERRO_ANIMACAO;
    a->textura = (uint32_t)v;
    return nullptr;
}

const char* VIDEO_animacao_mudarQuadroX(uint32_t i, _engine_valor v)
{
    _video_animacao* a = VIDEO_pegarAnimacao(i);
    if (!a) return VIDEO_ERRO_ANIMACAO;
    a->QuadroX = (int32_t)v;
    return nullptr;
}

const char* VIDEO_animacao_mudarQuadroY(uint32_t i, _engine_valor v)
{
    _video_animacao* a = VIDEO_pegarAnimacao(i);
    if (!a) return VIDEO_ERRO_ANIMACAO;
    a->QuadroY = (int32_t)v;
    return nullptr;
}
