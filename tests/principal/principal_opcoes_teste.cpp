#include <gtest/gtest.h>

#include <vector>

#include "principal.h"

namespace {

struct CasoOpcoes {
    std::vector<const char*> argumentos;  // after the program name
    char log, telaCheia, vsync;
};

TEST(PrincipalOpcoes, TabelaDeArgumentos)
{
    const CasoOpcoes casos[] = {
        {{}, 'N', 'N', 'S'},
        {{"-log"}, 'S', 'N', 'S'},
        {{"-telacheia"}, 'N', 'S', 'S'},
        {{"-vsyncOff"}, 'N', 'N', 'N'},
        {{"-vsyncOff", "-log", "-telacheia"}, 'S', 'S', 'N'},
        {{"-telacheia", "-vsyncOff", "-log"}, 'S', 'S', 'N'},
        {{"-log", "-log", "-log"}, 'S', 'N', 'S'},
        {{"-LOG"}, 'N', 'N', 'S'},
        {{"-log2"}, 'N', 'N', 'S'},
        {{"-lo"}, 'N', 'N', 'S'},
        {{"-TelaCheia", "-vsyncoff", "log", ""}, 'N', 'N', 'S'},
        {{"qualquer", "-log", "coisa"}, 'S', 'N', 'S'},
    };
    for (const CasoOpcoes& caso : casos) {
        std::vector<const char*> argv = {"morvalen"};
        argv.insert(argv.end(), caso.argumentos.begin(), caso.argumentos.end());
        _principal_opcoes o = principal_lerOpcoes((int)argv.size(), argv.data());
        std::string descricao;
        for (const char* a : caso.argumentos) descricao += std::string("[") + a + "]";
        EXPECT_EQ(o.log, caso.log) << descricao;
        EXPECT_EQ(o.telaCheia, caso.telaCheia) << descricao;
        EXPECT_EQ(o.vsync, caso.vsync) << descricao;
    }
}

}  // namespace
