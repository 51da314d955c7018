// Body and figure timelines.
#include "fisica/fisica_interno.h"

void FISICA_avancarConfiguracoes(int32_t d)
{
    (void)d;
}
