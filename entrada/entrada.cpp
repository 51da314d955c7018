#include "entrada/entrada.h"

int entrada_iniciar(char log, sf::RenderWindow* janela)
{
    (void)log;
    (void)janela;
    return 1;
}

int entrada_atualizar()
{
    return 1;
}
