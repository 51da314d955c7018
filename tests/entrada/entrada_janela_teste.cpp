// The input module with a real window on the (virtual) display: close
// requests close it unless someone registered for them, and a key pressed and
// a close asked for through the X server itself come through the window's own
// event queue.
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Sleep.hpp>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "conteudo/conteudo.h"
#include "entrada_apoio.h"
#include "entrada_x11.h"

const char* conteudo_registrar_entidades() { return nullptr; }

namespace {

using namespace apoio;
using V = std::vector<std::string>;

class EntradaJanela : public Entrada {
protected:
    void SetUp() override
    {
        const char* tela = getenv("DISPLAY");
        if (!tela || !*tela) GTEST_SKIP() << "needs a display (run under xvfb-run)";
        janelaReal = std::make_unique<sf::RenderWindow>(sf::VideoMode(200, 150), "Entrada");
        Entrada::SetUp();
    }
    sf::RenderWindow* janela() override { return janelaReal.get(); }

    // Updates until pronto() holds or a few seconds have passed.
    template <typename F>
    bool atualizarAte(F pronto)
    {
        auto fim = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < fim) {
            entrada_atualizar();
            if (pronto()) return true;
            sf::sleep(sf::milliseconds(10));
        }
        return false;
    }

    std::unique_ptr<sf::RenderWindow> janelaReal;
};

void* fecharJanela(uint32_t e)
{
    anotar(e, "fechar");
    entrada_fechar();
    return nullptr;
}

TEST_F(EntradaJanela, PedidoDeFechamentoFechaSoSemTratador)
{
    // Nobody registered: the window closes.
    fila = {evento(sf::Event::Closed)};
    entrada_atualizar();
    EXPECT_FALSE(janelaReal->isOpen());

    // A close handler runs instead, and the window stays open unless it
    // closes it itself.
    janelaReal->create(sf::VideoMode(200, 150), "Entrada");
    uint32_t e = entidades_criarEntidade(modelo, 0, 0);
    uint32_t registro = entrada_criarEventoFechar(e, "fechar");
    fila = {evento(sf::Event::Closed)};
    entrada_atualizar();
    EXPECT_EQ(diario, (V{"2:fechar"}));
    EXPECT_TRUE(janelaReal->isOpen());

    entidades_modelo_criarFuncao(modelo, "fechar", fecharJanela);
    fila = {evento(sf::Event::Closed), evento(sf::Event::Closed)};
    entrada_atualizar();
    EXPECT_FALSE(janelaReal->isOpen());
    EXPECT_EQ(entrada_destruirEventoFechar(registro), nullptr);
    // With the window closed, closing again and polling do nothing.
    EXPECT_EQ(entrada_fechar(), 0);
    entrada_mudarFonteEventos(nullptr);
    EXPECT_EQ(entrada_atualizar(), 1);
}

// No seam at all: the window's queue, the X server's pointer and keyboard.
TEST_F(EntradaJanela, TeclaEFechamentoPeloServidorX)
{
    entrada_mudarFonteEventos(nullptr);
    entrada_mudarEstado(nullptr);
    uint32_t e = registrarTudo();
    unsigned long id = (unsigned long)janelaReal->getSystemHandle();

    // The pointer body follows the pointer, in tenths of a window pixel.
    auto ponteiro = [] {
        return std::to_string(engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, FISICA_X, 1, nullptr)) + "," +
               std::to_string(engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, FISICA_Y, 1, nullptr));
    };
    EXPECT_TRUE(atualizarAte([&] {
        x11_moverPonteiro(id, 50, 30);
        return ponteiro() == "500,300";
    })) << ponteiro();

    // The space bar, pressed through XTest into the focused window, reaches
    // the press and release handlers as the keyboard's element 57. Other
    // windows on the display may take the focus meanwhile: press again until
    // it arrives.
    auto teclou = [&] {
        for (const std::string& linha : diario)
            if (linha == std::to_string(e) + ":soltar 0/57") return true;
        return false;
    };
    EXPECT_TRUE(atualizarAte([&] {
        if (!teclou()) x11_teclar(id, "space");
        return teclou();
    }));
    V teclas;
    for (const std::string& linha : diario)
        if (linha.find("pressionar") != std::string::npos || linha.find("soltar") != std::string::npos)
            teclas.push_back(linha);
    ASSERT_GE(teclas.size(), 2u);
    EXPECT_EQ(teclas[0], "2:pressionar 0/57");
    EXPECT_EQ(teclas[1], "2:soltar 0/57");

    // A window manager's close request, with a close handler registered:
    // the handler runs and the window stays.
    diario.clear();
    ASSERT_TRUE(x11_pedirFechamento(id));
    EXPECT_TRUE(atualizarAte([] { return !diario.empty() && diario.back() == "2:fechar"; }));
    EXPECT_TRUE(janelaReal->isOpen());

    // Without one, the frame loop ends.
    ASSERT_EQ(entrada_destruirEventoFechar(1), nullptr);
    ASSERT_TRUE(x11_pedirFechamento(id));
    auto fim = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (janelaReal->isOpen() && std::chrono::steady_clock::now() < fim) {
        entrada_atualizar();
        sf::sleep(sf::milliseconds(10));
    }
    EXPECT_FALSE(janelaReal->isOpen());
}

}  // namespace
