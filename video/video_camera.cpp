// Cameras (model 3) and the references through which they follow bodies
// (model 2): creation, linking, destruction and their properties. What a
// camera shows each frame is worked out by the camera layout.
#include <cstdlib>

#include "video/video_interno.h"

const char VIDEO_ERRO_CAMERA[] = "Camera invalida";
const char VIDEO_ERRO_REFERENCIA[] = "Referencia invalida";

_video_camera* VIDEO_pegarCamera(uint32_t handle)
{
    return (_video_camera*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_VIDEO, videoCameras, handle);
}

_video_referencia* VIDEO_pegarReferencia(uint32_t handle)
{
    return (_video_referencia*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_VIDEO, videoReferencias, handle);
}

uint32_t video_criarCamera()
{
    if (!videoIniciado) return 0;
    _video_camera* c = (_video_camera*)calloc(1, sizeof(_video_camera));
    if (!c) return 0;
    c->Zoom = 1000;
    c->referencias = engine_criarVetorInteiro(ENGINE_MODULO_VIDEO);
    uint32_t handle =
        c->referencias ? engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_VIDEO, videoCameras, c) : 0;
    if (handle == 0) {
        if (c->referencias) engine_destruirVetorInteiro(ENGINE_MODULO_VIDEO, c->referencias);
        free(c);
    }
    return handle;
}

uint32_t video_criarReferencia(uint32_t corpo)
{
    if (!videoIniciado) return 0;
    _video_referencia* r = (_video_referencia*)calloc(1, sizeof(_video_referencia));
    if (!r) return 0;
    r->entidade = corpo;
    uint32_t handle = engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_VIDEO, videoReferencias, r);
    if (handle == 0) free(r);
    return handle;
}

uint32_t video_camera_adicionarReferencia(uint32_t camera, uint32_t referencia)
{
    _video_camera* c = VIDEO_pegarCamera(camera);
    if (!c || !VIDEO_pegarReferencia(referencia)) return 0;
    return engine_vetorInteiro_adicionarNumero(ENGINE_MODULO_VIDEO, c->referencias, (int32_t)referencia);
}

// The references it listed stay. Timelines that drive the camera are
// cancelled and its expression bindings removed, so a camera created later
// under the same handle starts clean.
const char* video_destruirCamera(uint32_t camera)
{
    if (!videoIniciado) return VIDEO_ERRO_INICIO;
    _video_camera* c = VIDEO_pegarCamera(camera);
    if (!c) return engine_vetorPersistente_removerPosicao(ENGINE_MODULO_VIDEO, videoCameras, camera);
    engine_destruirVetorInteiro(ENGINE_MODULO_VIDEO, c->referencias);
    const char* erro = engine_vetorPersistente_removerPosicao(ENGINE_MODULO_VIDEO, videoCameras, camera);
    engine_esquecerInstancia(ENGINE_MODULO_VIDEO, VIDEO_MODELO_CAMERA, camera);
    return erro;
}

// The reference also leaves the list of every camera that follows it, so a
// reference created later under the same handle is followed by no camera
// that did not add it.
const char* video_destruirReferencia(uint32_t referencia)
{
    if (!videoIniciado) return VIDEO_ERRO_INICIO;
    if (!VIDEO_pegarReferencia(referencia))
        return engine_vetorPersistente_removerPosicao(ENGINE_MODULO_VIDEO, videoReferencias, referencia);
    uint32_t cameras = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_VIDEO, videoCameras);
    for (uint32_t h = 1; h <= cameras; h++) {
        _video_camera* c = VIDEO_pegarCamera(h);
        if (!c) continue;
        for (uint32_t i = engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, c->referencias); i >= 1; i--)
            if ((uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, c->referencias, i) == referencia)
                engine_vetorInteiro_removerNumero(ENGINE_MODULO_VIDEO, c->referencias, i);
    }
    const char* erro = engine_vetorPersistente_removerPosicao(ENGINE_MODULO_VIDEO, videoReferencias, referencia);
    engine_esquecerInstancia(ENGINE_MODULO_VIDEO, VIDEO_MODELO_REFERENCIA, referencia);
    return erro;
}

// ------------------------------------------------------------- properties
//
// Values are stored as given (no range check); they take effect at the next
// frame's layout.

#define VIDEO_PROPRIEDADE_REGISTRO(registro, pegarRegistro, nome, erro)   \
    _engine_valor VIDEO_##registro##_pegar##nome(uint32_t i)                \
    {                                                                       \
        auto* r = pegarRegistro(i);                                         \
        return r ? r->nome : 0;                                             \
    }                                                                       \
    const char* VIDEO_##registro##_mudar##nome(uint32_t i, _engine_valor v) \
    {                                                                       \
        auto* r = pegarRegistro(i);                                         \
        if (!r) return erro;                                                \
        r->nome = (int32_t)v;                                               \
        return nullptr;                                                     \
    }

VIDEO_PROPRIEDADE_REGISTRO(referencia, VIDEO_pegarReferencia, MargemEsq, VIDEO_ERRO_REFERENCIA)
VIDEO_PROPRIEDADE_REGISTRO(referencia, VIDEO_pegarReferencia, MargemDir, VIDEO_ERRO_REFERENCIA)
VIDEO_PROPRIEDADE_REGISTRO(referencia, VIDEO_pegarReferencia, MargemCim, VIDEO_ERRO_REFERENCIA)
VIDEO_PROPRIEDADE_REGISTRO(referencia, VIDEO_pegarReferencia, MargemBai, VIDEO_ERRO_REFERENCIA)
VIDEO_PROPRIEDADE_REGISTRO(camera, VIDEO_pegarCamera, X, VIDEO_ERRO_CAMERA)
VIDEO_PROPRIEDADE_REGISTRO(camera, VIDEO_pegarCamera, Y, VIDEO_ERRO_CAMERA)
VIDEO_PROPRIEDADE_REGISTRO(camera, VIDEO_pegarCamera, Zoom, VIDEO_ERRO_CAMERA)

// Public setters for callers outside the engine: the value's bits are
// stored unchanged in the signed field.
const char* video_camera_mudarX(uint32_t camera, uint32_t valor)
{
    return VIDEO_camera_mudarX(camera, (int32_t)valor);
}

const char* video_camera_mudarY(uint32_t camera, uint32_t valor)
{
    return VIDEO_camera_mudarY(camera, (int32_t)valor);
}

const char* video_camera_mudarZoom(uint32_t camera, uint32_t valor)
{
    return VIDEO_camera_mudarZoom(camera, (int32_t)valor);
}

const char* video_referencia_mudarMargemEsq(uint32_t referencia, uint32_t valor)
{
    return VIDEO_referencia_mudarMargemEsq(referencia, (int32_t)valor);
}

const char* video_referencia_mudarMargemDir(uint32_t referencia, uint32_t valor)
{
    return VIDEO_referencia_mudarMargemDir(referencia, (int32_t)valor);
}

const char* video_referencia_mudarMargemCim(uint32_t referencia, uint32_t valor)
{
    return VIDEO_referencia_mudarMargemCim(referencia, (int32_t)valor);
}

const char* video_referencia_mudarMargemBai(uint32_t referencia, uint32_t valor)
{
    return VIDEO_referencia_mudarMargemBai(referencia, (int32_t)valor);
}
