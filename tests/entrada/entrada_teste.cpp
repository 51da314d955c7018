// The input module through its seams: events fed from a queue, device state
// answered by the test; no window, no person.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "conteudo/conteudo.h"
#include "entrada_apoio.h"
#include "plataforma/plataforma.h"

const char* conteudo_registrar_entidades() { return nullptr; }

namespace {

using namespace apoio;
using V = std::vector<std::string>;

sf::Event tecla(sf::Event::EventType tipo, sf::Keyboard::Key codigo)
{
    sf::Event e = evento(tipo);
    e.key = {codigo, false, false, false, false};
    return e;
}
sf::Event roda(int delta)
{
    sf::Event e = evento(sf::Event::MouseWheelMoved);
    e.mouseWheel = {delta, 10, 10};
    return e;
}
sf::Event rolagem(float delta)
{
    sf::Event e = evento(sf::Event::MouseWheelScrolled);
    e.mouseWheelScroll = {sf::Mouse::VerticalWheel, delta, 10, 10};
    return e;
}
sf::Event botao(sf::Event::EventType tipo, sf::Mouse::Button b)
{
    sf::Event e = evento(tipo);
    e.mouseButton = {b, 3, 4};
    return e;
}
sf::Event movimento(int x, int y)
{
    sf::Event e = evento(sf::Event::MouseMoved);
    e.mouseMove = {x, y};
    return e;
}
sf::Event joyBotao(sf::Event::EventType tipo, unsigned j, unsigned b)
{
    sf::Event e = evento(tipo);
    e.joystickButton = {j, b};
    return e;
}
sf::Event joyEixo(unsigned j, sf::Joystick::Axis eixo)
{
    sf::Event e = evento(sf::Event::JoystickMoved);
    e.joystickMove = {j, eixo, 50.0f};
    return e;
}
sf::Event joyConexao(sf::Event::EventType tipo, unsigned j)
{
    sf::Event e = evento(tipo);
    e.joystickConnect = {j};
    return e;
}
sf::Event caractere(sf::Uint32 c)
{
    sf::Event e = evento(sf::Event::TextEntered);
    e.text = {c};
    return e;
}

struct Caso {
    const char* nome;
    std::vector<sf::Event> eventos;  // all handed out in one update
    V esperado;
};

// Every kind of event reaches the handlers of its kind with the current
// device, element, focus or text set first.
TEST_F(Entrada, CadaEventoChegaAosTratadoresDoSeuTipo)
{
    uint32_t e = registrarTudo();
    ASSERT_EQ(e, 2u);
    using E = sf::Event;
    const std::vector<Caso> casos = {
        {"space", {tecla(E::KeyPressed, sf::Keyboard::Space), tecla(E::KeyReleased, sf::Keyboard::Space)},
         {"2:pressionar 0/57", "2:soltar 0/57"}},
        {"arrows and an unknown key",
         {tecla(E::KeyPressed, sf::Keyboard::Left), tecla(E::KeyPressed, sf::Keyboard::Unknown)},
         {"2:pressionar 0/71", "2:pressionar 0/-1"}},
        {"wheel forward 3",
         {roda(3)},
         {"2:pressionar 1/5", "2:soltar 1/5", "2:pressionar 1/5", "2:soltar 1/5", "2:pressionar 1/5",
          "2:soltar 1/5"}},
        {"wheel backward 2", {roda(-2)}, {"2:pressionar 1/6", "2:soltar 1/6", "2:pressionar 1/6", "2:soltar 1/6"}},
        {"wheel 0 and the scroll twin of every notch", {roda(0), rolagem(1.0f), rolagem(-1.0f)}, {}},
        {"mouse buttons",
         {botao(E::MouseButtonPressed, sf::Mouse::Right), botao(E::MouseButtonReleased, sf::Mouse::XButton2)},
         {"2:pressionar 1/1", "2:soltar 1/4"}},
        {"two motions in one update", {movimento(1, 2), movimento(3, 4)}, {"2:eixo 1/0", "2:eixo 1/1"}},
        {"joystick 0 is device 2",
         {joyBotao(E::JoystickButtonPressed, 0, 7), joyBotao(E::JoystickButtonReleased, 0, 7),
          joyEixo(0, sf::Joystick::PovY), joyConexao(E::JoystickConnected, 0)},
         {"2:pressionar 2/7", "2:soltar 2/7", "2:eixo 2/7", "2:dispositivos 2/7"}},
        {"joystick 7 is device 9",
         {joyConexao(E::JoystickDisconnected, 7), joyEixo(7, sf::Joystick::X)},
         {"2:dispositivos 9/7", "2:eixo 9/0"}},
        {"focus", {evento(E::LostFocus), evento(E::GainedFocus)}, {"2:foco N", "2:foco S"}},
        {"texts",
         {caractere(0xE9), caractere(8), caractere(0xD800), caractere('a'), caractere(0x1F600),
          caractere(0x110000)},
         {"2:texto C3A9", "2:texto 08", "2:texto ", "2:texto 61", "2:texto F09F9880", "2:texto "}},
        {"a close request with a close handler", {evento(E::Closed)}, {"2:fechar"}},
        {"ignored kinds",
         {evento(E::Resized), evento(E::MouseEntered), evento(E::MouseLeft), evento(E::TouchBegan),
          evento(E::SensorChanged)},
         {}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        diario.clear();
        fila.assign(c.eventos.begin(), c.eventos.end());
        EXPECT_EQ(entrada_atualizar(), 1);
        EXPECT_EQ(diario, c.esperado);
    }
    // Motion is once per update, not once per module life.
    diario.clear();
    fila = {movimento(5, 5)};
    entrada_atualizar();
    EXPECT_EQ(diario, (V{"2:eixo 1/0", "2:eixo 1/1"}));
}

TEST_F(Entrada, EstadoInicialEEstadoQueFicaDepoisDoEvento)
{
    EXPECT_EQ(entrada_pegarDispositivo(), 0u);
    EXPECT_EQ(entrada_pegarElemento(), 0);
    EXPECT_STREQ(entrada_pegarTexto(), "");
    EXPECT_EQ(entrada_pegarFoco(), 'S');
    EXPECT_EQ(fisica_existeCorpo(1), 'S');  // the pointer's body exists from the start
    // Nobody registered: the events still set the state.
    fila = {joyBotao(sf::Event::JoystickButtonPressed, 3, 12), caractere(0xE9), evento(sf::Event::LostFocus)};
    entrada_atualizar();
    EXPECT_EQ(entrada_pegarDispositivo(), 5u);
    EXPECT_EQ(entrada_pegarElemento(), 12);
    EXPECT_EQ(entrada_pegarFoco(), 'N');
    // The text stays readable after the run, until the next text event.
    EXPECT_STREQ(entrada_pegarTexto(), "\xC3\xA9");
    fila = {caractere(0xD800)};
    entrada_atualizar();
    EXPECT_STREQ(entrada_pegarTexto(), "");
}

// Ctrl+V hands the clipboard's text, as it is, and keeps its own copy.
TEST_F(Entrada, ControlVColaAAreaDeTransferencia)
{
    const char* tela = getenv("DISPLAY");
    if (!tela || !*tela) GTEST_SKIP() << "needs a display (run under xvfb-run)";
    registrarTudo();
    plataforma_copiarTexto("colado \xC3\xA9");
    fila = {caractere(0x16)};
    entrada_atualizar();
    EXPECT_EQ(diario, (V{"2:texto " + hex("colado \xC3\xA9")}));
    plataforma_copiarTexto("outro");
    EXPECT_STREQ(entrada_pegarTexto(), "colado \xC3\xA9");
}

// Handler that changes the registrations while its list runs.
uint32_t registroRemovido = 0;
uint32_t entidadeNova = 0;
uint32_t registroNovo = 0;
void* removerOutro(uint32_t e)
{
    anotar(e, "remove");
    entrada_destruirEventoPressionar(registroRemovido);
    return nullptr;
}
void* removerESubstituir(uint32_t e)
{
    anotar(e, "substitui");
    entrada_destruirEventoPressionar(registroRemovido);
    registroNovo = entrada_criarEventoPressionar(entidadeNova, "pressionar");
    return nullptr;
}
void* destruirTudo(uint32_t e)
{
    anotar(e, "destroi");
    // Its own registration, then its own entity: the later registrations of
    // the same entity find no entity and run nothing.
    entrada_destruirEventoSoltar(4);
    entidades_destruirEntidade(e);
    return nullptr;
}

TEST_F(Entrada, ListasRodamDoMaiorIdParaBaixoESaltamOsRemovidos)
{
    entidades_modelo_criarFuncao(modelo, "remove", removerOutro);
    entidades_modelo_criarFuncao(modelo, "substitui", removerESubstituir);
    entidades_modelo_criarFuncao(modelo, "destroi", destruirTudo);
    uint32_t a = entidades_criarEntidade(modelo, 0, 0);
    uint32_t b = entidades_criarEntidade(modelo, 0, 0);
    uint32_t c = entidades_criarEntidade(modelo, 0, 0);
    uint32_t d = entidades_criarEntidade(modelo, 0, 0);
    ASSERT_EQ(entrada_criarEventoPressionar(a, "pressionar"), 1u);
    ASSERT_EQ(entrada_criarEventoPressionar(b, "pressionar"), 2u);
    ASSERT_EQ(entrada_criarEventoPressionar(c, "pressionar"), 3u);
    auto premir = [] {
        diario.clear();
        fila = {tecla(sf::Event::KeyPressed, sf::Keyboard::A)};
        entrada_atualizar();
        return diario;
    };
    EXPECT_EQ(premir(), (V{"4:pressionar 0/0", "3:pressionar 0/0", "2:pressionar 0/0"}));

    // Id 4 removes id 2 before it runs: skipped.
    registroRemovido = 2;
    ASSERT_EQ(entrada_criarEventoPressionar(d, "remove"), 4u);
    EXPECT_EQ(premir(), (V{"5:remove 0/0", "4:pressionar 0/0", "2:pressionar 0/0"}));
    // The freed id 2 is taken again by a registration made during the next
    // run, at or below the walk: it runs in that same run. Id 1 is removed
    // first, so the new registration takes id 1 (oldest free first).
    ASSERT_EQ(entrada_destruirEventoPressionar(4), nullptr);
    ASSERT_EQ(entrada_criarEventoPressionar(d, "substitui"), 2u);  // the freed id
    registroRemovido = 1;
    entidadeNova = d;
    EXPECT_EQ(premir(), (V{"4:pressionar 0/0", "5:substitui 0/0", "5:pressionar 0/0"}));
    EXPECT_EQ(registroNovo, 1u);
    // A registration added above the walk waits for the next run.
    registroRemovido = 0;
    entidadeNova = a;
    EXPECT_EQ(premir(), (V{"4:pressionar 0/0", "5:substitui 0/0", "5:pressionar 0/0"}));
    EXPECT_EQ(registroNovo, 4u);
    EXPECT_EQ(premir(), (V{"2:pressionar 0/0", "4:pressionar 0/0", "5:substitui 0/0", "5:pressionar 0/0"}));
    EXPECT_EQ(registroNovo, 5u);

    // A handler that removes its own registration and destroys its entity.
    diario.clear();
    ASSERT_EQ(entrada_criarEventoSoltar(c, "soltar"), 1u);
    ASSERT_EQ(entrada_criarEventoSoltar(d, "soltar"), 2u);
    ASSERT_EQ(entrada_criarEventoSoltar(d, "soltar"), 3u);
    ASSERT_EQ(entrada_criarEventoSoltar(d, "destroi"), 4u);
    fila = {tecla(sf::Event::KeyReleased, sf::Keyboard::B), tecla(sf::Event::KeyReleased, sf::Keyboard::C)};
    entrada_atualizar();
    EXPECT_EQ(diario, (V{"5:destroi 0/1", "4:soltar 0/1", "4:soltar 0/2"}));
    EXPECT_NE(entrada_destruirEventoSoltar(4), nullptr);  // already gone
}

// The name is the registration's own: the caller's buffer may go.
TEST_F(Entrada, RegistroGuardaOProprioNome)
{
    uint32_t e = entidades_criarEntidade(modelo, 0, 0);
    char* nome = strdup("Pressionar");
    ASSERT_EQ(entrada_criarEventoPressionar(e, nome), 1u);
    memset(nome, 'x', strlen(nome));
    free(nome);
    EXPECT_EQ(entrada_criarEventoPressionar(e, nullptr), 0u);
    EXPECT_EQ(entrada_criarEventoPressionar(99, "pressionar"), 2u);  // an unknown entity is not checked
    fila = {tecla(sf::Event::KeyPressed, sf::Keyboard::Q)};
    entrada_atualizar();
    EXPECT_EQ(diario, (V{"2:pressionar 0/16"}));
    // Each kind's destruction works on its own list only.
    EXPECT_NE(entrada_destruirEventoSoltar(1), nullptr);
    EXPECT_NE(entrada_destruirEventoPressionar(0), nullptr);
    EXPECT_NE(entrada_destruirEventoPressionar(3), nullptr);
    EXPECT_EQ(entrada_destruirEventoPressionar(1), nullptr);
    EXPECT_EQ(entrada_destruirEventoPressionar(2), nullptr);
}

// The pointer body follows the pointer every update, and the mouse axes
// measure it against the window's size.
TEST_F(Entrada, EixosDoMouseSeguemOCorpoDoPonteiro)
{
    auto mover = [](float x, float y) {
        estado[ENTRADA_MOUSE_X] = x;
        estado[ENTRADA_MOUSE_Y] = y;
        entrada_atualizar();
    };
    // No window size yet: no division, 0.
    mover(400, 300);
    EXPECT_EQ(engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, FISICA_X, 1, nullptr), 4000);
    EXPECT_EQ(engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, FISICA_Y, 1, nullptr), 3000);
    EXPECT_EQ(entrada_pegarValor(1, 0), 0);
    EXPECT_EQ(entrada_pegarValor(1, 1), 0);

    video_mudarLargura(800);  // there is no window to create: only the size is set
    video_mudarAltura(600);
    struct {
        float x, y;
        int32_t vx, vy;
    } casos[] = {
        {0, 0, -1000, -1000}, {400, 300, 0, 0}, {800, 600, 1000, 1000}, {200, 450, -500, 500},
        {-80, 660, -1200, 1200},  // beyond the window, as the media library reports it
    };
    for (auto c : casos) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        mover(c.x, c.y);
        EXPECT_EQ(entrada_pegarValor(1, 0), c.vx);
        EXPECT_EQ(entrada_pegarValor(1, 1), c.vy);
    }
    EXPECT_EQ(entrada_pegarValor(1, 2), 0);
    EXPECT_EQ(entrada_pegarValor(1, 5), 0);
    for (int32_t el : {-1, 0, 57}) EXPECT_EQ(entrada_pegarValor(0, el), 0);
    // Readings that do not fit are saturated, not wrapped.
    mover(std::numeric_limits<float>::infinity(), std::nanf(""));
    EXPECT_EQ(engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, FISICA_Y, 1, nullptr), 0);
    EXPECT_GT(entrada_pegarValor(1, 0), 1000);
}

TEST_F(Entrada, BotoesEJoysticksSoPerguntamDentroDosLimites)
{
    // Everything is held, connected and fully tilted.
    for (auto c : {ENTRADA_TECLA_PRESSIONADA, ENTRADA_BOTAO_MOUSE_PRESSIONADO, ENTRADA_JOYSTICK_CONECTADO,
                   ENTRADA_JOYSTICK_BOTAO_PRESSIONADO})
        estado[c] = 1.0f;
    estado[ENTRADA_JOYSTICK_EIXO] = -55.55f;
    struct {
        uint32_t dispositivo;
        int32_t elemento;
        char pressionado;
        int32_t valor;
    } casos[] = {
        {0, 57, 'S', 0},    {0, 100, 'S', 0},   {0, 101, 'N', 0},  {0, -1, 'N', 0},
        {1, 0, 'S', 0},     {1, 4, 'S', 0},     {1, 5, 'N', 0},    {1, 6, 'N', 0},  {1, -1, 'N', 0},
        {2, 0, 'S', -555},  {2, 7, 'S', -555},  {2, 8, 'S', 0},    {2, 31, 'S', 0}, {2, 32, 'N', 0},
        {2, -1, 'N', 0},    {9, 3, 'S', -555},  {10, 3, 'N', 0},   {0xFFFFFFFF, 3, 'N', 0},
    };
    for (auto c : casos) {
        SCOPED_TRACE(std::to_string(c.dispositivo) + "/" + std::to_string(c.elemento));
        EXPECT_EQ(entrada_pegarBotaoPressionado(c.dispositivo, c.elemento), c.pressionado);
        EXPECT_EQ(entrada_pegarValor(c.dispositivo, c.elemento), c.valor);
    }
    // Joystick device 2 asks about joystick 0, device 9 about joystick 7.
    perguntas.clear();
    EXPECT_EQ(entrada_pegarDispositivoConectado(2), 'S');
    EXPECT_EQ(entrada_pegarDispositivoConectado(9), 'S');
    EXPECT_EQ(entrada_pegarDispositivoConectado(10), 'N');
    EXPECT_EQ(entrada_pegarDispositivoConectado(0), 'S');
    EXPECT_EQ(entrada_pegarDispositivoConectado(1), 'S');
    EXPECT_EQ(perguntas, (V{std::to_string(ENTRADA_JOYSTICK_CONECTADO) + " 0 0",
                            std::to_string(ENTRADA_JOYSTICK_CONECTADO) + " 7 0"}));
    estado.clear();
    EXPECT_EQ(entrada_pegarDispositivoConectado(2), 'N');
    EXPECT_EQ(entrada_pegarBotaoPressionado(0, 57), 'N');
    // An axis reading is truncated toward zero; one that does not fit saturates.
    for (auto [leitura, valor] : std::vector<std::pair<float, int32_t>>{
             {100.0f, 1000}, {0.09f, 0}, {-0.19f, -1}, {std::nanf(""), 0}, {1e30f, INT32_MAX}}) {
        estado[ENTRADA_JOYSTICK_EIXO] = leitura;
        EXPECT_EQ(entrada_pegarValor(3, 1), valor) << leitura;
    }
}

// Log lines are UTF-8, byte for byte, with two lines for every update.
TEST(EntradaLog, LinhasDoModulo)
{
    engine_iniciar(true);
    ASSERT_EQ(fisica_iniciar('N', 1000), 1);
    entrada_mudarFonteEventos(fonte);
    entrada_mudarEstado(responder);
    fila.clear();
    testing::internal::CaptureStderr();
    EXPECT_EQ(entrada_iniciar('S', nullptr), 1);
    entrada_atualizar();
    EXPECT_EQ(ENTRADA_logar("valor", 7), 1);
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(log,
              "ENTRADA - Iniciando m\xC3\xB3" "dulo de entrada\n"
              "ENTRADA - M\xC3\xB3" "dulo de entrada iniciado com sucesso\n"
              "ENTRADA - Atualizando modulo de entrada\n"
              "ENTRADA - Modulo de entrada atualizaco com sucesso\n"
              "ENTRADA - valor; Valor: 7\n");
    entrada_mudarFonteEventos(nullptr);
    entrada_mudarEstado(nullptr);
    fisica_finalizar();
}

}  // namespace
