#include "video/video.h"

const char* video_iniciar(char log, char telaCheia, char vsync, sf::RenderWindow* janela)
{
    (void)log;
    (void)telaCheia;
    (void)vsync;
    (void)janela;
    return nullptr;
}

int video_criarJanela()
{
    return 0;
}

int video_atualizar(int32_t d)
{
    (void)d;
    return 0;
}

int video_finalizar()
{
    return 0;
}
