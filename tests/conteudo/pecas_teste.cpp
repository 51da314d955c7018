#include "conteudo_apoio.h"
