// Program entry: the three command-line options.
#ifndef MORVALEN_PRINCIPAL_H
#define MORVALEN_PRINCIPAL_H

struct _principal_opcoes {
    char log;        // 'S' with "-log"
    char telaCheia;  // 'S' with "-telacheia"
    char vsync;      // 'N' with "-vsyncOff"
};

// Reads every argument after the program name; each must match an option
// exactly, anything else is ignored.
_principal_opcoes principal_lerOpcoes(int argc, const char* const* argv);

#endif
