// Input module: window events dispatched to entity functions.
#ifndef MORVALEN_ENTRADA_H
#define MORVALEN_ENTRADA_H

namespace sf {
class RenderWindow;
}

int entrada_iniciar(char log, sf::RenderWindow* janela);
int entrada_atualizar();

#endif
