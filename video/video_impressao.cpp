// Prints: the record every kind shares, its filing in layers, the common
// properties (body, layer, position, size, rotation, colour, transparency),
// copying and destroying.
#include <cstdlib>
#include <cstring>

#include "engine/dados_texto.h"
#include "video/video_interno.h"

const char VIDEO_ERRO_IMPRESSAO[] = "Impressao invalida";
const char VIDEO_ERRO_CAMADA[] = "Camada invalida";
static const char ERRO_COR[] = "Texto usado como cor com menos de 2 caracteres";
static const char ERRO_USADA[] = "Proibido destruir impressoes usadas em ligacoes ou particulas";

_video_impressao* VIDEO_pegarImpressao(uint32_t handle)
{
    return (_video_impressao*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_VIDEO, videoImpressoes, handle);
}

_video_animacao* VIDEO_pegarAnimacao(uint32_t handle)
{
    _video_impressao* p = VIDEO_pegarImpressao(handle);
    return p && p->tipoImpressao == VIDEO_TIPO_ANIMACAO ? (_video_animacao*)p->registro : nullptr;
}

_video_escritura* VIDEO_pegarEscritura(uint32_t handle)
{
    _video_impressao* p = VIDEO_pegarImpressao(handle);
    return p && p->tipoImpressao == VIDEO_TIPO_ESCRITURA ? (_video_escritura*)p->registro : nullptr;
}

const char* VIDEO_construirImpressao(_video_impressao* impressao, int32_t tipo, uint32_t handle)
{
    _video_camada* camada = VIDEO_pegarCamada(VIDEO_CAMADA_INICIAL);
    if (!camada) return VIDEO_ERRO_CAMADA;
    memset(impressao, 0, sizeof(*impressao));
    impressao->identificador = handle;
    impressao->camada = VIDEO_CAMADA_INICIAL;
    impressao->tipoImpressao = tipo;
    impressao->Vermelho = impressao->Verde = impressao->Azul = 1000;
    if (engine_vetorInteiro_adicionarNumero(ENGINE_MODULO_VIDEO, camada->impressoes, (int32_t)handle) == 0) {
        VIDEO_soltarCamadaSeVazia(camada);
        return VIDEO_ERRO_CAMADA;
    }
    return nullptr;
}

_video_impressao* VIDEO_criarImpressao(int32_t tipo)
{
    if (!videoIniciado) return nullptr;
    _video_impressao* p = (_video_impressao*)calloc(1, sizeof(_video_impressao));
    if (!p) return nullptr;
    uint32_t handle = engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_VIDEO, videoImpressoes, p);
    if (handle == 0) {
        free(p);
        return nullptr;
    }
    if (VIDEO_construirImpressao(p, tipo, handle) != nullptr) {
        engine_vetorPersistente_removerPosicao(ENGINE_MODULO_VIDEO, videoImpressoes, handle);  // frees p
        return nullptr;
    }
    return p;
}

// ------------------------------------------------------- common properties

#define VIDEO_PROPRIEDADE_COMUM(nome, campo)                          \
    _engine_valor VIDEO_impressao_pegar##nome(uint32_t i)             \
    {                                                                 \
        _video_impressao* p = VIDEO_pegarImpressao(i);                \
        return p ? p->campo : 0;                                      \
    }                                                                 \
    const char* VIDEO_impressao_mudar##nome(uint32_t i, _engine_valor v) \
    {                                                                 \
        _video_impressao* p = VIDEO_pegarImpressao(i);                \
        if (!p) return VIDEO_ERRO_IMPRESSAO;                          \
        p->campo = (int32_t)v;                                        \
        return nullptr;                                               \
    }

VIDEO_PROPRIEDADE_COMUM(X, X)
VIDEO_PROPRIEDADE_COMUM(Y, Y)
VIDEO_PROPRIEDADE_COMUM(Largura, Largura)
VIDEO_PROPRIEDADE_COMUM(Altura, Altura)
VIDEO_PROPRIEDADE_COMUM(Rotacao, Rotacao)
VIDEO_PROPRIEDADE_COMUM(Vermelho, Vermelho)
VIDEO_PROPRIEDADE_COMUM(Verde, Verde)
VIDEO_PROPRIEDADE_COMUM(Azul, Azul)
VIDEO_PROPRIEDADE_COMUM(Transparencia, Transparencia)

_engine_valor VIDEO_impressao_pegarEntidade(uint32_t i)
{
    _video_impressao* p = VIDEO_pegarImpressao(i);
    return p ? p->entidade : 0;
}

// Whether the body exists is asked when the print is drawn.
const char* VIDEO_impressao_mudarEntidade(uint32_t i, _engine_valor v)
{
    _video_impressao* p = VIDEO_pegarImpressao(i);
    if (!p) return VIDEO_ERRO_IMPRESSAO;
    p->entidade = (int32_t)v;
    // A particle system spreads its next particles from where the body is now.
    _video_particulas* s = VIDEO_pegarParticulas(i);
    if (s) VIDEO_particulas_guardarCorpo(s, (int32_t)v);
    return nullptr;
}

_engine_valor VIDEO_impressao_pegarCamada(uint32_t i)
{
    _video_impressao* p = VIDEO_pegarImpressao(i);
    return p ? p->camada : 0;
}

// A filed print moves to the end of the new layer's list (the same layer
// again brings it to the front); a base or a copy is filed nowhere and only
// takes the number.
const char* VIDEO_impressao_mudarCamada(uint32_t i, _engine_valor v)
{
    _video_impressao* p = VIDEO_pegarImpressao(i);
    if (!p) return VIDEO_ERRO_IMPRESSAO;
    int32_t numero = (int32_t)v;
    _video_camada* antiga = VIDEO_acharCamada(p->camada);
    if (!VIDEO_camada_retirarImpressao(antiga, i)) {
        p->camada = numero;
        return nullptr;
    }
    _video_camada* nova = VIDEO_pegarCamada(numero);
    if (!nova || engine_vetorInteiro_adicionarNumero(ENGINE_MODULO_VIDEO, nova->impressoes, (int32_t)i) == 0) {
        // No room for the move: the print goes back to the end of its layer.
        engine_vetorInteiro_adicionarNumero(ENGINE_MODULO_VIDEO, antiga->impressoes, (int32_t)i);
        if (nova) VIDEO_soltarCamadaSeVazia(nova);
        return VIDEO_ERRO_CAMADA;
    }
    p->camada = numero;
    if (antiga != nova) VIDEO_soltarCamadaSeVazia(antiga);
    return nullptr;
}

// ---------------------------------------------------------------- colours

int32_t VIDEO_valorHex(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

char VIDEO_charHex(int32_t valor)
{
    if (valor < 0 || valor > 15) return '0';
    return valor < 10 ? (char)('0' + valor) : (char)('A' + valor - 10);
}

char* VIDEO_codigoHex(int32_t valor)
{
    if (valor < 0) valor = 0;
    if (valor > 255) valor = 255;
    char* texto = (char*)malloc(3);
    if (!texto) return nullptr;
    texto[0] = valor <= 15 ? '0' : VIDEO_charHex(valor / 16);
    texto[1] = VIDEO_charHex(valor % 16);
    texto[2] = '\0';
    return texto;
}

char* VIDEO_codigoCor(int32_t vermelho, int32_t verde, int32_t azul)
{
    char* r = VIDEO_codigoHex(vermelho);
    char* g = VIDEO_codigoHex(verde);
    char* b = VIDEO_codigoHex(azul);
    char* rg = r && g ? dados_texto_concatenar((const char*)r, g) : nullptr;
    char* cor = rg && b ? dados_texto_concatenar((const char*)rg, b) : nullptr;
    free(r);
    free(g);
    free(b);
    free(rg);
    return cor;
}

// A channel in thousandths as 0 to 255; values outside 0 to 1000 are clamped.
static int32_t VIDEO_canalParaByte(int32_t canal)
{
    if (canal < 0) canal = 0;
    if (canal > 1000) canal = 1000;
    return canal * 255 / 1000;
}

_engine_valor VIDEO_impressao_pegarCor(uint32_t i)
{
    _video_impressao* p = VIDEO_pegarImpressao(i);
    if (!p) return 0;
    return (_engine_valor)VIDEO_codigoCor(VIDEO_canalParaByte(p->Vermelho), VIDEO_canalParaByte(p->Verde),
                                          VIDEO_canalParaByte(p->Azul));
}

// Six hexadecimal digits, red, green, blue; upper-case only, anything else
// reads 0. A text of 2 to 5 characters reads 0 for the missing digits: the
// text is never read past its end.
const char* VIDEO_impressao_mudarCor(uint32_t i, _engine_valor v)
{
    _video_impressao* p = VIDEO_pegarImpressao(i);
    if (!p) return VIDEO_ERRO_IMPRESSAO;
    const char* texto = (const char*)v;
    if (!texto || texto[0] == '\0' || texto[1] == '\0') return ERRO_COR;
    int32_t digitos[6] = {0, 0, 0, 0, 0, 0};
    for (int k = 0; k < 6 && texto[k] != '\0'; k++) digitos[k] = VIDEO_valorHex(texto[k]);
    p->Vermelho = (digitos[0] * 16 + digitos[1]) * 1000 / 255;
    p->Verde = (digitos[2] * 16 + digitos[3]) * 1000 / 255;
    p->Azul = (digitos[4] * 16 + digitos[5]) * 1000 / 255;
    return nullptr;
}

// ------------------------------------------------------- copy and destroy

// Frees the kind record and what it owns.
static void VIDEO_liberarRegistro(_video_impressao* p)
{
    if (!p->registro) return;
    // An animation owns nothing: its texture belongs to the image.
    if (p->tipoImpressao == VIDEO_TIPO_ESCRITURA) VIDEO_escritura_liberar((_video_escritura*)p->registro);
    if (p->tipoImpressao == VIDEO_TIPO_PARTICULAS) VIDEO_particulas_liberar(p);
    free(p->registro);
    p->registro = nullptr;
}

uint32_t video_copiarImpressao(uint32_t impressao)
{
    _video_impressao* origem = VIDEO_pegarImpressao(impressao);
    if (!origem || !videoIniciado) return 0;
    size_t tamanhoRegistro;
    switch (origem->tipoImpressao) {
    case VIDEO_TIPO_ANIMACAO:
        tamanhoRegistro = sizeof(_video_animacao);
        break;
    case VIDEO_TIPO_ESCRITURA:
        tamanhoRegistro = sizeof(_video_escritura);
        break;
    case VIDEO_TIPO_PARTICULAS:
        tamanhoRegistro = sizeof(_video_particulas);
        break;
    default:
        return 0;
    }
    _video_impressao* copia = (_video_impressao*)calloc(1, sizeof(_video_impressao));
    void* registro = calloc(1, tamanhoRegistro);
    uint32_t handle = copia && registro
                          ? engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_VIDEO, videoImpressoes, copia)
                          : 0;
    if (handle == 0) {
        free(copia);
        free(registro);
        return 0;
    }
    *copia = *origem;
    copia->identificador = handle;
    copia->sistema = copia->ligacao = 0;
    copia->usos = 0;
    copia->registro = registro;
    bool copiado = true;
    if (origem->tipoImpressao == VIDEO_TIPO_ANIMACAO)
        *(_video_animacao*)registro = *(const _video_animacao*)origem->registro;
    else if (origem->tipoImpressao == VIDEO_TIPO_ESCRITURA)
        copiado = VIDEO_escritura_copiar((const _video_escritura*)origem->registro, (_video_escritura*)registro);
    else
        copiado = VIDEO_particulas_copiar((const _video_particulas*)origem->registro, (_video_particulas*)registro,
                                          copia->entidade);
    if (!copiado) {
        free(registro);
        copia->registro = nullptr;
        engine_vetorPersistente_removerPosicao(ENGINE_MODULO_VIDEO, videoImpressoes, handle);
        return 0;
    }
    return handle;
}

const char* video_destruirImpressao(uint32_t impressao)
{
    _video_impressao* p = VIDEO_pegarImpressao(impressao);
    if (!p) return videoIniciado ? VIDEO_ERRO_IMPRESSAO : VIDEO_ERRO_INICIO;
    if (p->usos > 0) return ERRO_USADA;
    // A particle or a link piece leaves its owner for the owner's layer; a
    // particle system among them is filed there to drain.
    if (p->sistema != 0 || p->ligacao != 0) {
        VIDEO_impressao_soltarDoDono(p);
        _video_particulas* s = VIDEO_pegarParticulas(impressao);
        if (s && !VIDEO_impressao_arquivar(p)) s->destruindo = 'S';  // with nowhere to drain, it goes at once
    }
    // A particle system is destroyed in two stages: the first request stops
    // its emission and lets its particles live on (its layer's drawing
    // destroys it once they are gone); the second destroys it at once.
    _video_particulas* sistema = VIDEO_pegarParticulas(impressao);
    if (sistema && sistema->destruindo != 'S') {
        sistema->destruindo = 'S';
        sistema->Frequencia = 0;
        return nullptr;
    }
    // A filed print leaves its layer; a copy is filed nowhere.
    _video_camada* camada = VIDEO_acharCamada(p->camada);
    if (VIDEO_camada_retirarImpressao(camada, impressao)) VIDEO_soltarCamadaSeVazia(camada);
    VIDEO_liberarRegistro(p);
    const char* erro = engine_vetorPersistente_removerPosicao(ENGINE_MODULO_VIDEO, videoImpressoes, impressao);
    // The timelines running on the print end and its expression bindings go,
    // so a print that later receives the handle is driven by nothing, and
    // finished applications do not pile up.
    engine_esquecerInstancia(ENGINE_MODULO_VIDEO, VIDEO_MODELO_IMPRESSAO, impressao);
    return erro;
}

const char* VIDEO_impressao_destruirImpressao(uint32_t i, _engine_valor v)
{
    (void)v;
    return video_destruirImpressao(i);
}
