// Input module. Each frame drains the window's event queue; a close request
// closes the window, so the frame loop ends after this frame.
#include "entrada/entrada.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>

static char entradaLog = 'N';
static sf::RenderWindow* entradaJanela = nullptr;

int entrada_iniciar(char log, sf::RenderWindow* janela)
{
    entradaLog = log;
    // Only the address is kept here: main constructs the window later.
    entradaJanela = janela;
    return 1;
}

int entrada_atualizar()
{
    if (!entradaJanela || !entradaJanela->isOpen()) return 1;
    sf::Event evento;
    while (entradaJanela->pollEvent(evento)) {
        if (evento.type == sf::Event::Closed) entradaJanela->close();
    }
    return 1;
}
