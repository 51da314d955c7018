// Ten minutes of play with random keys on the game's archive, frames of
// 16 ms through the time module's clock: every now and then the character is
// also put where the bridge, the pad or the shaft is, so the pieces keep
// working all along. The end zone is left out (the ending switches the
// character off for good). The character must stay inside the level, and
// resident memory must not grow between minute 1 and minute 10; the
// sanitizer build runs the same.
#include <cstdio>
#include <random>

#include "conteudo_apoio.h"

#if defined(__SANITIZE_ADDRESS__)
// Freed memory waits in a small quarantine, so that resident memory
// measures what the program keeps.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=1:thread_local_quarantine_size_kb=64";
}
#endif

using namespace conteudo_apoio;

namespace {

class Longo : public JogoDoArquivo {};

TEST_F(Longo, DezMinutosDeTeclasAoAcaso)
{
    const int32_t teclas[] = {sf::Keyboard::Left,  sf::Keyboard::Right, sf::Keyboard::A,     sf::Keyboard::D,
                              sf::Keyboard::Space, sf::Keyboard::Up,    sf::Keyboard::W,     sf::Keyboard::Down,
                              sf::Keyboard::S,     sf::Keyboard::Enter, sf::Keyboard::Space, sf::Keyboard::Right};
    // Where the character is put now and then: on the start block, over the
    // bridge, beside and on the pad, in the shaft.
    const double lugares[][2] = {{800, 790}, {1000, 760}, {1150, 790}, {1275, 750}, {1275, 600}};
    fisica_pararDeTratarColisoes(FIM, FIM);
    std::mt19937 sorte(20260);
    uint64_t minuto1 = 0;
    int32_t proximaTecla = 0, proximoLugar = 20000;
    const int32_t total = 10 * 60 * 1000;
    for (int32_t t = 0; t < total; t += 16) {
        if (t >= proximaTecla) {
            int32_t k = teclas[sorte() % (sizeof teclas / sizeof teclas[0])];
            if (sorte() % 8 == 0)
                botaoDoMouse(sf::Mouse::Left, !dispositivos().botoes.count(sf::Mouse::Left));
            else
                tecla(k, !dispositivos().teclas.count(k));
            proximaTecla = t + 50 + (int32_t)(sorte() % 600);
        }
        if (t >= proximoLugar) {
            const double* l = lugares[sorte() % (sizeof lugares / sizeof lugares[0])];
            colocar(l[0], l[1]);
            proximoLugar = t + 15000 + (int32_t)(sorte() % 10000);
        }
        quadro();
        // Every second the character is inside the level: between its
        // walls, above its lowest figure and below the highest throw.
        if (t % 1000 < 16) {
            EXPECT_TRUE(xPx() >= 473 && xPx() <= 1960 && yPx() >= 400 && yPx() <= 1300)
                << "at " << t << " ms: (" << xPx() << ", " << yPx() << "), scale "
                << CONTEUDO_corpo(PERSONAGEM, CONTEUDO_CORPO_ESCALA_X);
            if (HasFailure()) break;
        }
        if (t < 60000 && t + 16 >= 60000) minuto1 = residente();
        if (getenv("MORVALEN_RASTRO") && t % 60000 < 16) printf("minute %d: %llu kB, avisar %u, x %.0f y %.0f\n", t / 60000, (unsigned long long)residente() / 1024, CONTEUDO_tamanho(PERSONAGEM, "avisar tamanho"), xPx(), yPx());
    }
    uint64_t minuto10 = residente();
    printf("resident after minute 1: %llu kB, after minute 10: %llu kB\n", (unsigned long long)minuto1 / 1024,
           (unsigned long long)minuto10 / 1024);
    EXPECT_LT(minuto10 > minuto1 ? minuto10 - minuto1 : 0, 1u << 20);
}

}  // namespace
