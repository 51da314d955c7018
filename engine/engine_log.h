// The one log line format every module shares: the module's prefix format
// ("FISICA - %s" and the like) with the message, "; Valor: %d" when a value
// other than -1 goes with it, a newline, and an immediate flush of stderr.
#ifndef MORVALEN_ENGINE_LOG_H
#define MORVALEN_ENGINE_LOG_H

#include <cstdint>

void engine_escreverLog(const char* formato, const char* texto, int32_t valor);

#endif
