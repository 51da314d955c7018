// Fonts opened from the archive and the text prints drawn with them.
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Text.hpp>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/dados_texto.h"
#include "plataforma/plataforma.h"
#include "video/video_interno.h"

const char VIDEO_ERRO_ESCRITURA[] = "Escritura invalida";
const char VIDEO_ERRO_FONTE[] = "Fonte invalida";
static const char ERRO_MEMORIA[] = "Memoria insuficiente";
static const char ERRO_TAMANHO[] = "Tamanho invalido";

// The largest character size in pixels. Far beyond any text on the internal
// picture; much larger glyphs overflow the media library's glyph buffers
// (a crash) and take gigabytes of texture.
static const uint32_t VIDEO_TAMANHO_MAXIMO = 2048;

// Log texts are Latin-1.
static const char LOG_CAMINHO[] = "Caminho para fonte inv\xE1lido.";
static const char LOG_VETOR[] = "Erro ao inserir fonte no vetor de fontes.";
static const char LOG_CARREGAR[] = "Erro ao carregar fonte.";

_video_fonte* VIDEO_pegarFonte(uint32_t handle)
{
    return (_video_fonte*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_VIDEO, videoFontes, handle);
}

// Releases what a font record owns (not the record itself). The font goes
// before its stream: it reads from it until it is destroyed.
static void VIDEO_fonte_liberar(_video_fonte* f)
{
    delete f->objetoFonte;
    delete f->fluxo;
    free(f->nome);
    f->objetoFonte = nullptr;
    f->fluxo = nullptr;
    f->nome = nullptr;
}

// A bounds length in pixels as world units (tenths), truncated toward zero
// and saturated.
static int32_t VIDEO_paraUnidades(float pixels)
{
    double v = (double)pixels * 10.0;
    if (!(v > -2147483648.0)) return v != v ? 0 : INT32_MIN;  // NaN reads 0
    if (v >= 2147483647.0) return INT32_MAX;
    return (int32_t)v;
}

// A new text object from the record: the UTF-8 text decoded, the record's
// font when it is open (otherwise none: the text draws nothing), size and style.
static sf::Text* VIDEO_escritura_construirObjeto(const _video_escritura* e)
{
    sf::Text* t = new sf::Text();
    const char* texto = e->texto ? e->texto : "";
    t->setString(sf::String::fromUtf8(texto, texto + strlen(texto)));
    _video_fonte* f = VIDEO_pegarFonte(e->fonte);
    if (f) t->setFont(*f->objetoFonte);
    t->setCharacterSize(e->tamanho);
    sf::Uint32 estilo = sf::Text::Regular;
    if (e->negrito == 'S') estilo |= sf::Text::Bold;
    if (e->italico == 'S') estilo |= sf::Text::Italic;
    if (e->sublinhado == 'S') estilo |= sf::Text::Underlined;
    t->setStyle(estilo);
    return t;
}

// Replaces the print's text object by one built from its record and sets the
// print's size to the text's measured bounds.
static void VIDEO_escritura_reconstruir(_video_impressao* p, _video_escritura* e)
{
    sf::Text* novo = VIDEO_escritura_construirObjeto(e);
    delete e->objetoTexto;
    e->objetoTexto = novo;
    sf::FloatRect limites = novo->getLocalBounds();
    p->Largura = VIDEO_paraUnidades(limites.width);
    p->Altura = VIDEO_paraUnidades(limites.height);
}

static char* VIDEO_copiarTexto(const char* texto)
{
    return dados_texto_concatenar(texto ? texto : "", "");
}

// ------------------------------------------------------------------ fonts

uint32_t video_abrirFonte(const char* nome)
{
    if (!videoIniciado || !nome) return 0;
    uint32_t maior = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoFontes);
    for (uint32_t h = 1; h <= maior; h++) {
        _video_fonte* f = VIDEO_pegarFonte(h);
        if (f && strcmp(f->nome, nome) == 0) {
            f->reaberturas++;
            return h;
        }
    }
    Recurso* fluxo = plataforma_pegarRecurso(nome);
    if (!fluxo || fluxo->getSize() <= 0) {
        VIDEO_logar(LOG_CAMINHO, -1);
        delete fluxo;
        return 0;
    }
    _video_fonte* f = (_video_fonte*)calloc(1, sizeof(_video_fonte));
    uint32_t handle = f ? engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_VIDEO, videoFontes, f) : 0;
    if (handle == 0) {
        VIDEO_logar(LOG_VETOR, -1);
        delete fluxo;
        free(f);
        return 0;
    }
    f->fluxo = fluxo;
    f->objetoFonte = new sf::Font();
    f->nome = VIDEO_copiarTexto(nome);
    if (!f->objetoFonte->loadFromStream(*fluxo) || !f->nome) {
        VIDEO_logar(LOG_CARREGAR, -1);
        VIDEO_fonte_liberar(f);
        engine_vetorPersistente_removerPosicao(ENGINE_MODULO_VIDEO, videoFontes, handle);
        return 0;
    }
    f->reaberturas = 0;
    return handle;
}

// The last close releases the font and its stream. Texts that use it are
// rebuilt without a font first, keep their size, draw nothing and answer
// "Fonte invalida" until they are given an open font.
const char* video_fecharFonte(uint32_t fonte)
{
    _video_fonte* f = VIDEO_pegarFonte(fonte);
    if (!f) return videoIniciado ? VIDEO_ERRO_FONTE : VIDEO_ERRO_INICIO;
    if (f->reaberturas > 0) {
        f->reaberturas--;
        return nullptr;
    }
    uint32_t maior = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoImpressoes);
    for (uint32_t h = 1; h <= maior; h++) {
        _video_escritura* e = VIDEO_pegarEscritura(h);
        if (!e || e->fonte != fonte) continue;
        e->fonte = 0;
        sf::Text* semFonte = VIDEO_escritura_construirObjeto(e);
        delete e->objetoTexto;
        e->objetoTexto = semFonte;
    }
    VIDEO_fonte_liberar(f);
    return engine_vetorPersistente_removerPosicao(ENGINE_MODULO_VIDEO, videoFontes, fonte);
}

// ------------------------------------------------------------ text prints

uint32_t video_criarEscritura(uint32_t fonte, const char* texto, uint32_t tamanho)
{
    if (!VIDEO_pegarFonte(fonte) || tamanho > VIDEO_TAMANHO_MAXIMO) return 0;
    _video_escritura* e = (_video_escritura*)calloc(1, sizeof(_video_escritura));
    char* copia = VIDEO_copiarTexto(texto);
    _video_impressao* p = e && copia ? VIDEO_criarImpressao(VIDEO_TIPO_ESCRITURA) : nullptr;
    if (!p) {
        free(e);
        free(copia);
        return 0;
    }
    e->texto = copia;
    e->fonte = fonte;
    e->tamanho = tamanho;
    e->negrito = e->italico = e->sublinhado = 'N';
    p->registro = e;
    VIDEO_escritura_reconstruir(p, e);
    return p->identificador;
}

bool VIDEO_escritura_copiar(const _video_escritura* origem, _video_escritura* copia)
{
    *copia = *origem;
    copia->texto = VIDEO_copiarTexto(origem->texto);
    if (!copia->texto) {
        memset(copia, 0, sizeof(*copia));
        return false;
    }
    copia->objetoTexto = VIDEO_escritura_construirObjeto(copia);
    return true;
}

void VIDEO_escritura_liberar(_video_escritura* e)
{
    delete e->objetoTexto;
    free(e->texto);
    e->objetoTexto = nullptr;
    e->texto = nullptr;
}

// ------------------------------------------------------------- properties

_engine_valor VIDEO_escritura_pegarFonte(uint32_t i)
{
    _video_escritura* e = VIDEO_pegarEscritura(i);
    return e ? e->fonte : 0;
}

_engine_valor VIDEO_escritura_pegarTamanho(uint32_t i)
{
    _video_escritura* e = VIDEO_pegarEscritura(i);
    return e ? e->tamanho : 0;
}

_engine_valor VIDEO_escritura_pegarNegrito(uint32_t i)
{
    _video_escritura* e = VIDEO_pegarEscritura(i);
    return e ? e->negrito : 0;
}

_engine_valor VIDEO_escritura_pegarItalico(uint32_t i)
{
    _video_escritura* e = VIDEO_pegarEscritura(i);
    return e ? e->italico : 0;
}

_engine_valor VIDEO_escritura_pegarSublinhado(uint32_t i)
{
    _video_escritura* e = VIDEO_pegarEscritura(i);
    return e ? e->sublinhado : 0;
}

// The print's own copy; it lives until the text is replaced or the print is
// destroyed.
_engine_valor VIDEO_escritura_pegarTexto(uint32_t i)
{
    _video_escritura* e = VIDEO_pegarEscritura(i);
    return e ? (_engine_valor)e->texto : 0;
}

const char* VIDEO_escritura_mudarFonte(uint32_t i, _engine_valor v)
{
    if (!VIDEO_pegarFonte((uint32_t)v)) return VIDEO_ERRO_FONTE;
    _video_escritura* e = VIDEO_pegarEscritura(i);
    if (!e) return VIDEO_ERRO_ESCRITURA;
    e->fonte = (uint32_t)v;
    VIDEO_escritura_reconstruir(VIDEO_pegarImpressao(i), e);
    return nullptr;
}

// The checks of every text setter but the font's: a text print whose font
// is open. Null with *saida set, or the error text.
static const char* VIDEO_escritura_validar(uint32_t i, _video_escritura** saida)
{
    *saida = VIDEO_pegarEscritura(i);
    if (!*saida) return VIDEO_ERRO_ESCRITURA;
    if (!VIDEO_pegarFonte((*saida)->fonte)) return VIDEO_ERRO_FONTE;
    return nullptr;
}

const char* VIDEO_escritura_mudarTamanho(uint32_t i, _engine_valor v)
{
    _video_escritura* e;
    const char* erro = VIDEO_escritura_validar(i, &e);
    if (erro) return erro;
    if ((uint32_t)v > VIDEO_TAMANHO_MAXIMO) return ERRO_TAMANHO;
    e->tamanho = (uint32_t)v;
    VIDEO_escritura_reconstruir(VIDEO_pegarImpressao(i), e);
    return nullptr;
}

// The three style flags, each stored as the character given.
static const char* VIDEO_escritura_mudarEstilo(uint32_t i, char _video_escritura::*estilo, _engine_valor v)
{
    _video_escritura* e;
    const char* erro = VIDEO_escritura_validar(i, &e);
    if (erro) return erro;
    e->*estilo = (char)v;
    VIDEO_escritura_reconstruir(VIDEO_pegarImpressao(i), e);
    return nullptr;
}

const char* VIDEO_escritura_mudarNegrito(uint32_t i, _engine_valor v)
{
    return VIDEO_escritura_mudarEstilo(i, &_video_escritura::negrito, v);
}

const char* VIDEO_escritura_mudarItalico(uint32_t i, _engine_valor v)
{
    return VIDEO_escritura_mudarEstilo(i, &_video_escritura::italico, v);
}

const char* VIDEO_escritura_mudarSublinhado(uint32_t i, _engine_valor v)
{
    return VIDEO_escritura_mudarEstilo(i, &_video_escritura::sublinhado, v);
}

// The text is copied; the caller keeps its own. A null text is empty.
const char* VIDEO_escritura_mudarTexto(uint32_t i, _engine_valor v)
{
    _video_escritura* e;
    const char* erro = VIDEO_escritura_validar(i, &e);
    if (erro) return erro;
    char* copia = VIDEO_copiarTexto((const char*)v);
    if (!copia) return ERRO_MEMORIA;
    free(e->texto);
    e->texto = copia;
    VIDEO_escritura_reconstruir(VIDEO_pegarImpressao(i), e);
    // The expression graph, when it holds this instance, takes the print's
    // own copy as its value in place of the caller's text, which the caller
    // may free. (Outside the graph there is nothing to update.)
    engine_propriedade_invalidar(ENGINE_MODULO_VIDEO, VIDEO_MODELO_IMPRESSAO, 9, i);
    return nullptr;
}
