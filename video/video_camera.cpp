// Properties of camera references (model 2) and cameras (model 3). Nothing
// creates a camera or a reference yet, so every handle is unknown: getters
// read 0 and setters answer with the record's error text.
#include "video/video_interno.h"

const char VIDEO_ERRO_CAMERA[] = "Camera invalida";
const char VIDEO_ERRO_REFERENCIA[] = "Referencia invalida";

#define VIDEO_PROPRIEDADE_SEM_REGISTRO(registro, nome, erro)           \
    _engine_valor VIDEO_##registro##_pegar##nome(uint32_t i)            \
    {                                                                   \
        (void)i;                                                        \
        return 0;                                                       \
    }                                                                   \
    const char* VIDEO_##registro##_mudar##nome(uint32_t i, _engine_valor v) \
    {                                                                   \
        (void)i;                                                        \
        (void)v;                                                        \
        return erro;                                                    \
    }

VIDEO_PROPRIEDADE_SEM_REGISTRO(referencia, MargemEsq, VIDEO_ERRO_REFERENCIA)
VIDEO_PROPRIEDADE_SEM_REGISTRO(referencia, MargemDir, VIDEO_ERRO_REFERENCIA)
VIDEO_PROPRIEDADE_SEM_REGISTRO(referencia, MargemCim, VIDEO_ERRO_REFERENCIA)
VIDEO_PROPRIEDADE_SEM_REGISTRO(referencia, MargemBai, VIDEO_ERRO_REFERENCIA)
VIDEO_PROPRIEDADE_SEM_REGISTRO(camera, X, VIDEO_ERRO_CAMERA)
VIDEO_PROPRIEDADE_SEM_REGISTRO(camera, Y, VIDEO_ERRO_CAMERA)
VIDEO_PROPRIEDADE_SEM_REGISTRO(camera, Zoom, VIDEO_ERRO_CAMERA)
