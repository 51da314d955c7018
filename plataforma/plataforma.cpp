#include "plataforma/plataforma.h"

#include <cstdio>

static char plataformaLog = 'N';

const char* plataforma_iniciar(char log)
{
    plataformaLog = log;
    FILE* arquivo = fopen(PLATAFORMA_ARQUIVO_RECURSOS, "rb");
    if (!arquivo) return "Erro ao abrir arquivo de recursos";
    fclose(arquivo);
    return nullptr;
}

void plataforma_atualizar()
{
}
