#include "principal.h"

#include <cstring>

_principal_opcoes principal_lerOpcoes(int argc, const char* const* argv)
{
    _principal_opcoes opcoes = {'N', 'N', 'S'};
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "-log") == 0)
            opcoes.log = 'S';
        else if (strcmp(argv[i], "-telacheia") == 0)
            opcoes.telaCheia = 'S';
        else if (strcmp(argv[i], "-vsyncOff") == 0)
            opcoes.vsync = 'N';
    }
    return opcoes;
}
