// Video module: the window, layers of prints, cameras, images and fonts.
#ifndef MORVALEN_VIDEO_H
#define MORVALEN_VIDEO_H

#include <cstdint>

namespace sf {
class RenderWindow;
}

const char* video_iniciar(char log, char telaCheia, char vsync, sf::RenderWindow* janela);
int video_criarJanela();
int video_atualizar(int32_t d);
int video_finalizar();

#endif
