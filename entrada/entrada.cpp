// Input module: the per-frame poll of the window's events, their dispatch to
// the entity functions registered per kind of event, text entry with
// clipboard paste, the mouse-pointer body and questions on device state.
//
// Events come through entradaFonte and device state through entradaEstado,
// so tests and scripted runs can stand in for the window and the devices.
#include "entrada/entrada.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Utf.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Joystick.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/engine.h"
#include "engine/engine_log.h"
#include "engine/entidades.h"
#include "fisica/fisica.h"
#include "plataforma/plataforma.h"
#include "video/video.h"

// Element numbers are the key codes of the media library's first stable
// version; the installed one keeps them for every key, as these show.
static_assert(sf::Keyboard::Unknown == -1 && sf::Keyboard::A == 0 && sf::Keyboard::Z == 25, "key codes");
static_assert(sf::Keyboard::Num0 == 26 && sf::Keyboard::Num9 == 35 && sf::Keyboard::Escape == 36, "key codes");
static_assert(sf::Keyboard::Space == 57 && sf::Keyboard::Enter == 58 && sf::Keyboard::Backspace == 59,
              "key codes");
static_assert(sf::Keyboard::Left == 71 && sf::Keyboard::Right == 72 && sf::Keyboard::Up == 73 &&
                  sf::Keyboard::Down == 74,
              "key codes");
static_assert(sf::Keyboard::Pause == 100 && sf::Keyboard::KeyCount == 101, "key codes");
static_assert(sf::Mouse::Left == 0 && sf::Mouse::XButton2 == 4, "mouse buttons");
static_assert(sf::Joystick::X == 0 && sf::Joystick::PovY == 7 && sf::Joystick::AxisCount == 8, "joystick axes");

#define ENTRADA_DISPOSITIVO_TECLADO 0u
#define ENTRADA_DISPOSITIVO_MOUSE 1u
#define ENTRADA_DISPOSITIVO_JOYSTICK 2u
#define ENTRADA_RODA_FRENTE 5
#define ENTRADA_RODA_TRAS 6

static bool ENTRADA_eventoDaJanela(sf::Event* evento);
static float ENTRADA_estadoDosDispositivos(_entrada_consulta consulta, uint32_t joystick, int32_t elemento);

static char entradaLog = 'N';
static sf::RenderWindow* entradaJanela = nullptr;
static _entrada_funcaoEventos entradaFonte = ENTRADA_eventoDaJanela;
static _entrada_funcaoEstado entradaEstado = ENTRADA_estadoDosDispositivos;
// Handler lists: persistent vectors of module 9 owning _entrada_evento records.
static uint32_t entradaEventosFechar = 0;
static uint32_t entradaEventosFoco = 0;
static uint32_t entradaEventosTexto = 0;
static uint32_t entradaEventosPressionar = 0;
static uint32_t entradaEventosSoltar = 0;
static uint32_t entradaEventosEixo = 0;
static uint32_t entradaEventosDispositivos = 0;
static char entradaFoco = 'S';
static char entradaTextoVazio[] = "";
static char* entradaTexto = entradaTextoVazio;  // owned unless it is entradaTextoVazio
static uint32_t entradaDispositivo = 0;
static int32_t entradaElemento = 0;

int ENTRADA_logar(const char* texto, int32_t valor)
{
    if (entradaLog == 'S') engine_escreverLog("ENTRADA - %s", texto, valor);
    return 1;
}

// ------------------------------------------------------------------ seams

static bool ENTRADA_eventoDaJanela(sf::Event* evento)
{
    return entradaJanela && entradaJanela->pollEvent(*evento);
}

static float ENTRADA_estadoDosDispositivos(_entrada_consulta consulta, uint32_t joystick, int32_t elemento)
{
    switch (consulta) {
    case ENTRADA_TECLA_PRESSIONADA:
        return sf::Keyboard::isKeyPressed((sf::Keyboard::Key)elemento) ? 1.0f : 0.0f;
    case ENTRADA_BOTAO_MOUSE_PRESSIONADO:
        return sf::Mouse::isButtonPressed((sf::Mouse::Button)elemento) ? 1.0f : 0.0f;
    case ENTRADA_MOUSE_X:
    case ENTRADA_MOUSE_Y: {
        if (!entradaJanela) return 0.0f;
        sf::Vector2i posicao = sf::Mouse::getPosition(*entradaJanela);
        return (float)(consulta == ENTRADA_MOUSE_X ? posicao.x : posicao.y);
    }
    case ENTRADA_JOYSTICK_CONECTADO:
        return sf::Joystick::isConnected(joystick) ? 1.0f : 0.0f;
    case ENTRADA_JOYSTICK_BOTAO_PRESSIONADO:
        return sf::Joystick::isButtonPressed(joystick, (unsigned int)elemento) ? 1.0f : 0.0f;
    case ENTRADA_JOYSTICK_EIXO:
        return sf::Joystick::getAxisPosition(joystick, (sf::Joystick::Axis)elemento);
    }
    return 0.0f;
}

void entrada_mudarFonteEventos(_entrada_funcaoEventos fonte)
{
    entradaFonte = fonte ? fonte : ENTRADA_eventoDaJanela;
}

void entrada_mudarEstado(_entrada_funcaoEstado estado)
{
    entradaEstado = estado ? estado : ENTRADA_estadoDosDispositivos;
}

// ------------------------------------------------------------------ helpers

// A float truncated toward zero into 32 bits, saturated; NaN gives 0.
static int32_t ENTRADA_truncar(double v)
{
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return (int32_t)v;
}

static int32_t ENTRADA_saturar(int64_t v)
{
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return (int32_t)v;
}

static bool ENTRADA_sim(_entrada_consulta consulta, uint32_t joystick, int32_t elemento)
{
    return entradaEstado(consulta, joystick, elemento) != 0.0f;
}

// The joystick behind a device, or false for the keyboard, the mouse and
// devices beyond the joysticks the media library supports.
static bool ENTRADA_joystick(uint32_t dispositivo, uint32_t* joystick)
{
    if (dispositivo < ENTRADA_DISPOSITIVO_JOYSTICK) return false;
    if (dispositivo - ENTRADA_DISPOSITIVO_JOYSTICK >= (uint32_t)sf::Joystick::Count) return false;
    *joystick = dispositivo - ENTRADA_DISPOSITIVO_JOYSTICK;
    return true;
}

// --------------------------------------------------------------- start-up

int entrada_iniciar(char log, sf::RenderWindow* janela)
{
    entradaLog = log;
    ENTRADA_logar("Iniciando m\xC3\xB3" "dulo de entrada", -1);
    const char* erro = engine_registrarModulo(ENGINE_MODULO_ENTRADA);
    if (erro) {
        ENTRADA_logar("Falha ao iniciar m\xC3\xB3" "dulo de entrada", -1);
        ENTRADA_logar(erro, -1);
        free((void*)erro);
        return 0;
    }
    entradaJanela = janela;
    // The window is not open yet (main constructs it later), where the media
    // library reports the pointer at (0, 0).
    fisica_criarCorpo(1, 0, 0);
    entradaEventosFechar = engine_criarVetorPersistente(ENGINE_MODULO_ENTRADA);
    entradaEventosFoco = engine_criarVetorPersistente(ENGINE_MODULO_ENTRADA);
    entradaEventosTexto = engine_criarVetorPersistente(ENGINE_MODULO_ENTRADA);
    entradaEventosPressionar = engine_criarVetorPersistente(ENGINE_MODULO_ENTRADA);
    entradaEventosSoltar = engine_criarVetorPersistente(ENGINE_MODULO_ENTRADA);
    entradaEventosEixo = engine_criarVetorPersistente(ENGINE_MODULO_ENTRADA);
    entradaEventosDispositivos = engine_criarVetorPersistente(ENGINE_MODULO_ENTRADA);
    entradaFoco = 'S';
    entradaDispositivo = 0;
    entradaElemento = 0;
    if (entradaTexto != entradaTextoVazio) free(entradaTexto);
    entradaTexto = entradaTextoVazio;
    ENTRADA_logar("M\xC3\xB3" "dulo de entrada iniciado com sucesso", -1);
    return 1;
}

// --------------------------------------------------------- registrations

static uint32_t ENTRADA_criarEvento(uint32_t lista, uint32_t entidade, const char* nome)
{
    if (!nome) return 0;
    // The name is copied behind the record, so no caller's buffer is kept and
    // the vector's one free releases both.
    size_t tamanho = strlen(nome) + 1;
    _entrada_evento* evento = (_entrada_evento*)malloc(sizeof(_entrada_evento) + tamanho);
    if (!evento) return 0;
    memcpy(evento + 1, nome, tamanho);
    uint32_t id = engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_ENTRADA, lista, evento);
    if (id == 0) {
        free(evento);
        return 0;
    }
    evento->entidade = entidade;
    evento->nome = (const char*)(evento + 1);
    return id;
}

static const char* ENTRADA_destruirEvento(uint32_t lista, uint32_t evento)
{
    return engine_vetorPersistente_removerPosicao(ENGINE_MODULO_ENTRADA, lista, evento);
}

uint32_t entrada_criarEventoFechar(uint32_t e, const char* n) { return ENTRADA_criarEvento(entradaEventosFechar, e, n); }
uint32_t entrada_criarEventoFoco(uint32_t e, const char* n) { return ENTRADA_criarEvento(entradaEventosFoco, e, n); }
uint32_t entrada_criarEventoTexto(uint32_t e, const char* n) { return ENTRADA_criarEvento(entradaEventosTexto, e, n); }
uint32_t entrada_criarEventoPressionar(uint32_t e, const char* n)
{
    return ENTRADA_criarEvento(entradaEventosPressionar, e, n);
}
uint32_t entrada_criarEventoSoltar(uint32_t e, const char* n) { return ENTRADA_criarEvento(entradaEventosSoltar, e, n); }
uint32_t entrada_criarEventoEixo(uint32_t e, const char* n) { return ENTRADA_criarEvento(entradaEventosEixo, e, n); }
uint32_t entrada_criarEventoDispositivos(uint32_t e, const char* n)
{
    return ENTRADA_criarEvento(entradaEventosDispositivos, e, n);
}

const char* entrada_destruirEventoFechar(uint32_t id) { return ENTRADA_destruirEvento(entradaEventosFechar, id); }
const char* entrada_destruirEventoFoco(uint32_t id) { return ENTRADA_destruirEvento(entradaEventosFoco, id); }
const char* entrada_destruirEventoTexto(uint32_t id) { return ENTRADA_destruirEvento(entradaEventosTexto, id); }
const char* entrada_destruirEventoPressionar(uint32_t id)
{
    return ENTRADA_destruirEvento(entradaEventosPressionar, id);
}
const char* entrada_destruirEventoSoltar(uint32_t id) { return ENTRADA_destruirEvento(entradaEventosSoltar, id); }
const char* entrada_destruirEventoEixo(uint32_t id) { return ENTRADA_destruirEvento(entradaEventosEixo, id); }
const char* entrada_destruirEventoDispositivos(uint32_t id)
{
    return ENTRADA_destruirEvento(entradaEventosDispositivos, id);
}

// Calls every live registration of a list, from the highest id down. The
// size is taken once and every record is looked up again just before its
// call: a handler may remove registrations (which are then skipped) or add
// some (which run when they took a free id below the walk).
static void ENTRADA_rodarLista(uint32_t lista)
{
    uint32_t n = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_ENTRADA, lista);
    for (uint32_t id = n; id >= 1; id--) {
        _entrada_evento* evento =
            (_entrada_evento*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_ENTRADA, lista, id);
        if (!evento) continue;
        // The call gets a name of its own: the function may destroy this
        // registration, and the record's name with it, while the call runs.
        uint32_t entidade = evento->entidade;
        size_t tamanho = strlen(evento->nome) + 1;
        char* nome = (char*)malloc(tamanho);
        if (!nome) continue;
        memcpy(nome, evento->nome, tamanho);
        entidades_entidade_chamarFuncao(entidade, nome);
        free(nome);
    }
}

// ----------------------------------------------------------------- events

// The text of one typed character: its UTF-8 bytes, nothing for a code point
// that has none (a high surrogate, beyond U+10FFFF), the clipboard's text for
// Ctrl+V. Replaces the kept text of the previous text event.
static void ENTRADA_mudarTexto(uint32_t caractere)
{
    char* texto;
    if (caractere == 0x16) {
        texto = plataforma_pegarTextoCopiado();
    } else {
        char bytes[5] = {0, 0, 0, 0, 0};
        sf::Utf<8>::encode(caractere, bytes, 0);
        texto = (char*)malloc(sizeof(bytes));
        if (texto) memcpy(texto, bytes, sizeof(bytes));
    }
    if (entradaTexto != entradaTextoVazio) free(entradaTexto);
    entradaTexto = texto ? texto : entradaTextoVazio;
}

static void ENTRADA_mudarAtual(uint32_t dispositivo, int32_t elemento)
{
    entradaDispositivo = dispositivo;
    entradaElemento = elemento;
}

// One event; movido tells whether this poll has already run the motion
// handlers.
static void ENTRADA_tratarEvento(const sf::Event& evento, bool* movido)
{
    switch (evento.type) {
    case sf::Event::Closed:
        if (engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_ENTRADA, entradaEventosFechar) == 0)
            entrada_fechar();
        else
            ENTRADA_rodarLista(entradaEventosFechar);
        break;
    case sf::Event::LostFocus:
        entradaFoco = 'N';
        ENTRADA_rodarLista(entradaEventosFoco);
        break;
    case sf::Event::GainedFocus:
        entradaFoco = 'S';
        ENTRADA_rodarLista(entradaEventosFoco);
        break;
    case sf::Event::TextEntered:
        ENTRADA_mudarTexto(evento.text.unicode);
        ENTRADA_rodarLista(entradaEventosTexto);
        break;
    case sf::Event::KeyPressed:
        ENTRADA_mudarAtual(ENTRADA_DISPOSITIVO_TECLADO, (int32_t)evento.key.code);
        ENTRADA_rodarLista(entradaEventosPressionar);
        break;
    case sf::Event::KeyReleased:
        ENTRADA_mudarAtual(ENTRADA_DISPOSITIVO_TECLADO, (int32_t)evento.key.code);
        ENTRADA_rodarLista(entradaEventosSoltar);
        break;
    // The media library reports each notch twice, also as MouseWheelScrolled,
    // which is left out so that a notch runs the handlers once.
    case sf::Event::MouseWheelMoved: {
        int32_t delta = evento.mouseWheel.delta;
        ENTRADA_mudarAtual(ENTRADA_DISPOSITIVO_MOUSE, delta >= 0 ? ENTRADA_RODA_FRENTE : ENTRADA_RODA_TRAS);
        uint32_t notches = delta >= 0 ? (uint32_t)delta : 0u - (uint32_t)delta;
        for (uint32_t i = 0; i < notches; i++) {
            ENTRADA_rodarLista(entradaEventosPressionar);
            ENTRADA_rodarLista(entradaEventosSoltar);
        }
        break;
    }
    case sf::Event::MouseButtonPressed:
        ENTRADA_mudarAtual(ENTRADA_DISPOSITIVO_MOUSE, (int32_t)evento.mouseButton.button);
        ENTRADA_rodarLista(entradaEventosPressionar);
        break;
    case sf::Event::MouseButtonReleased:
        ENTRADA_mudarAtual(ENTRADA_DISPOSITIVO_MOUSE, (int32_t)evento.mouseButton.button);
        ENTRADA_rodarLista(entradaEventosSoltar);
        break;
    // Handlers read the position from the pointer body, which is moved once
    // per poll, so only the first motion of a poll runs them.
    case sf::Event::MouseMoved:
        if (*movido) break;
        *movido = true;
        ENTRADA_mudarAtual(ENTRADA_DISPOSITIVO_MOUSE, 0);
        ENTRADA_rodarLista(entradaEventosEixo);
        entradaElemento = 1;
        ENTRADA_rodarLista(entradaEventosEixo);
        break;
    case sf::Event::JoystickButtonPressed:
        ENTRADA_mudarAtual(evento.joystickButton.joystickId + ENTRADA_DISPOSITIVO_JOYSTICK,
                           (int32_t)evento.joystickButton.button);
        ENTRADA_rodarLista(entradaEventosPressionar);
        break;
    case sf::Event::JoystickButtonReleased:
        ENTRADA_mudarAtual(evento.joystickButton.joystickId + ENTRADA_DISPOSITIVO_JOYSTICK,
                           (int32_t)evento.joystickButton.button);
        ENTRADA_rodarLista(entradaEventosSoltar);
        break;
    case sf::Event::JoystickMoved:
        ENTRADA_mudarAtual(evento.joystickMove.joystickId + ENTRADA_DISPOSITIVO_JOYSTICK,
                           (int32_t)evento.joystickMove.axis);
        ENTRADA_rodarLista(entradaEventosEixo);
        break;
    case sf::Event::JoystickConnected:
    case sf::Event::JoystickDisconnected:
        entradaDispositivo = evento.joystickConnect.joystickId + ENTRADA_DISPOSITIVO_JOYSTICK;
        ENTRADA_rodarLista(entradaEventosDispositivos);
        break;
    default:
        break;
    }
}

int entrada_atualizar()
{
    ENTRADA_logar("Atualizando modulo de entrada", -1);
    // The pointer body follows the pointer, in tenths of a window pixel.
    int32_t x = ENTRADA_truncar(entradaEstado(ENTRADA_MOUSE_X, 0, 0));
    int32_t y = ENTRADA_truncar(entradaEstado(ENTRADA_MOUSE_Y, 0, 0));
    engine_propriedade_mudarValor(ENGINE_MODULO_FISICA, 1, 1, 1, ENTRADA_saturar((int64_t)x * 10));
    engine_propriedade_mudarValor(ENGINE_MODULO_FISICA, 1, 2, 1, ENTRADA_saturar((int64_t)y * 10));
    sf::Event evento;
    bool movido = false;
    while (entradaFonte(&evento)) ENTRADA_tratarEvento(evento, &movido);
    ENTRADA_logar("Modulo de entrada atualizaco com sucesso", -1);
    return 1;
}

// ---------------------------------------------------------------- queries

uint32_t entrada_pegarDispositivo() { return entradaDispositivo; }
int32_t entrada_pegarElemento() { return entradaElemento; }
const char* entrada_pegarTexto() { return entradaTexto; }
char entrada_pegarFoco() { return entradaFoco; }

// The pointer's place along one window axis, from -1000 at one edge to 1000
// at the other; 0 while the window has no size.
static int32_t ENTRADA_eixoDoMouse(uint32_t propriedade, int32_t tamanho)
{
    if (tamanho <= 0) return 0;
    int32_t posicao = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, propriedade, 1, nullptr);
    return ENTRADA_saturar((int64_t)posicao * 200 / tamanho - 1000);
}

int32_t entrada_pegarValor(uint32_t dispositivo, int32_t elemento)
{
    if (dispositivo == ENTRADA_DISPOSITIVO_TECLADO) return 0;
    if (dispositivo == ENTRADA_DISPOSITIVO_MOUSE) {
        if (elemento == 0) return ENTRADA_eixoDoMouse(1, video_pegarLargura());
        if (elemento == 1) return ENTRADA_eixoDoMouse(2, video_pegarAltura());
        return 0;
    }
    uint32_t joystick;
    if (!ENTRADA_joystick(dispositivo, &joystick)) return 0;
    if (elemento < 0 || elemento >= (int32_t)sf::Joystick::AxisCount) return 0;
    return ENTRADA_truncar((double)entradaEstado(ENTRADA_JOYSTICK_EIXO, joystick, elemento) * 10.0);
}

char entrada_pegarBotaoPressionado(uint32_t dispositivo, int32_t elemento)
{
    bool sim = false;
    uint32_t joystick;
    if (dispositivo == ENTRADA_DISPOSITIVO_TECLADO) {
        sim = elemento >= 0 && elemento < (int32_t)sf::Keyboard::KeyCount &&
              ENTRADA_sim(ENTRADA_TECLA_PRESSIONADA, 0, elemento);
    } else if (dispositivo == ENTRADA_DISPOSITIVO_MOUSE) {
        // Only the real buttons: the wheel's elements are never held.
        sim = elemento >= 0 && elemento < (int32_t)sf::Mouse::ButtonCount &&
              ENTRADA_sim(ENTRADA_BOTAO_MOUSE_PRESSIONADO, 0, elemento);
    } else if (ENTRADA_joystick(dispositivo, &joystick)) {
        sim = elemento >= 0 && elemento < (int32_t)sf::Joystick::ButtonCount &&
              ENTRADA_sim(ENTRADA_JOYSTICK_BOTAO_PRESSIONADO, joystick, elemento);
    }
    return sim ? 'S' : 'N';
}

char entrada_pegarDispositivoConectado(uint32_t dispositivo)
{
    if (dispositivo == ENTRADA_DISPOSITIVO_TECLADO || dispositivo == ENTRADA_DISPOSITIVO_MOUSE) return 'S';
    uint32_t joystick;
    if (!ENTRADA_joystick(dispositivo, &joystick)) return 'N';
    return ENTRADA_sim(ENTRADA_JOYSTICK_CONECTADO, joystick, 0) ? 'S' : 'N';
}

int entrada_fechar()
{
    if (entradaJanela) entradaJanela->close();
    return 0;
}
