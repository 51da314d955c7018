// Input module (engine module 9): once per frame it moves the mouse-pointer
// body (entity 1) to the pointer, drains the window's event queue and turns
// every event into calls of the entity functions registered for its kind,
// after setting the current device, element, text and focus that the called
// functions then ask for. It also answers questions about keys, buttons and
// joysticks held now, and closes the window on a close request that nobody
// registered for.
//
// Devices: 0 the keyboard, 1 the mouse, 2 + j joystick j (0..7). Elements:
// key codes of sf::Keyboard::Key (A 0, Space 57, Left 71 ...; -1 unknown);
// mouse buttons of sf::Mouse::Button (0..4), 5 a wheel notch forward, 6 one
// backward, and for motion 0 the X axis and 1 the Y axis; joystick buttons
// (0..31) and axes of sf::Joystick::Axis (0..7).
#ifndef MORVALEN_ENTRADA_H
#define MORVALEN_ENTRADA_H

#include <cstdint>

namespace sf {
class Event;
class RenderWindow;
}

// One registration: the entity to call and the function's name (the
// registration's own copy, kept behind the record).
struct _entrada_evento {
    uint32_t entidade;
    const char* nome;
};

// Registers module 9, creates the pointer body at (0, 0) (the window is not
// open yet at start) and the seven handler lists. Only the window's address
// is kept: it is polled and closed, never owned, and not touched here (main
// constructs it later). 1, or 0 when module 9 cannot be registered.
int entrada_iniciar(char log, sf::RenderWindow* janela);
// Moves the pointer body, then polls and dispatches every pending event.
// Returns 1.
int entrada_atualizar();

// Handler registrations, one list per kind of event: close, focus, text,
// press (keys, mouse buttons, wheel, joystick buttons), release, axis (mouse
// motion, joystick axes) and joystick connection. The name is copied. The id
// in that kind's list, 0 on failure. The lists run from the highest id down.
uint32_t entrada_criarEventoFechar(uint32_t entidade, const char* nome);
uint32_t entrada_criarEventoFoco(uint32_t entidade, const char* nome);
uint32_t entrada_criarEventoTexto(uint32_t entidade, const char* nome);
uint32_t entrada_criarEventoPressionar(uint32_t entidade, const char* nome);
uint32_t entrada_criarEventoSoltar(uint32_t entidade, const char* nome);
uint32_t entrada_criarEventoEixo(uint32_t entidade, const char* nome);
uint32_t entrada_criarEventoDispositivos(uint32_t entidade, const char* nome);
// Removes and frees a registration (also from inside a handler: a removed
// registration that has not run yet in the current run is skipped). Null, or
// the engine's error text for an id that is not registered.
const char* entrada_destruirEventoFechar(uint32_t evento);
const char* entrada_destruirEventoFoco(uint32_t evento);
const char* entrada_destruirEventoTexto(uint32_t evento);
const char* entrada_destruirEventoPressionar(uint32_t evento);
const char* entrada_destruirEventoSoltar(uint32_t evento);
const char* entrada_destruirEventoEixo(uint32_t evento);
const char* entrada_destruirEventoDispositivos(uint32_t evento);

// The current event, as the last event that set it left it.
uint32_t entrada_pegarDispositivo();
int32_t entrada_pegarElemento();
// The UTF-8 text of the last text event (the clipboard's text for Ctrl+V);
// the module keeps it until the next text event. "" before any.
const char* entrada_pegarTexto();
// 'S' while the window has the focus, 'N' after it lost it; 'S' at start.
char entrada_pegarFoco();

// An axis from -1000 to 1000: the pointer across the window for device 1
// (element 0 X, 1 Y; 0 before the window has a size), a joystick's axis
// position for devices 2 and up; 0 for the keyboard and anything else.
int32_t entrada_pegarValor(uint32_t dispositivo, int32_t elemento);
// 'S' when the key or button is held down now, else 'N' (also for the wheel's
// elements and for numbers beyond what the devices have).
char entrada_pegarBotaoPressionado(uint32_t dispositivo, int32_t elemento);
// 'S' for the keyboard and the mouse; for a joystick, whether it is connected.
char entrada_pegarDispositivoConectado(uint32_t dispositivo);

// Closes the window, so the frame loop ends at its next test. Returns 0.
int entrada_fechar();

// Writes "ENTRADA - texto" (UTF-8) when the log flag is 'S'; returns 1.
int ENTRADA_logar(const char* texto, int32_t valor);

// ------------------------------------------------------------------ seams
// The game always uses the defaults. Tests and scripted runs replace them to
// feed events and device states without a person at the keyboard.

// The source of events: fills *evento and returns true while there is one,
// false once the queue is empty. entrada_atualizar calls it until it returns
// false. Default: the window's pollEvent (false while there is no window).
typedef bool (*_entrada_funcaoEventos)(sf::Event* evento);
// Installs a source of events; null restores the window's queue.
void entrada_mudarFonteEventos(_entrada_funcaoEventos fonte);

// Questions about the live state of the devices. The module checks every
// number before asking, so a replacement only ever sees keys 0..100, mouse
// buttons 0..4, joysticks 0..7, joystick buttons 0..31 and axes 0..7.
enum _entrada_consulta {
    ENTRADA_TECLA_PRESSIONADA,           // elemento: key code; 1 held, 0 not
    ENTRADA_BOTAO_MOUSE_PRESSIONADO,     // elemento: mouse button; 1 held, 0 not
    ENTRADA_MOUSE_X,                     // pointer relative to the window, in window pixels
    ENTRADA_MOUSE_Y,
    ENTRADA_JOYSTICK_CONECTADO,          // joystick; 1 connected, 0 not
    ENTRADA_JOYSTICK_BOTAO_PRESSIONADO,  // joystick, elemento: button; 1 held, 0 not
    ENTRADA_JOYSTICK_EIXO,               // joystick, elemento: axis; position -100..100
};
// Answers one question; joystick is 0 for the questions that take none.
// Default: sf::Keyboard, sf::Mouse (relative to the window; (0, 0) while
// there is none) and sf::Joystick.
typedef float (*_entrada_funcaoEstado)(_entrada_consulta consulta, uint32_t joystick, int32_t elemento);
// Installs a device state; null restores the media library's.
void entrada_mudarEstado(_entrada_funcaoEstado estado);

#endif
