// The whole life of the process: options, seeding, start-up in a fixed
// order, the frame loop while the window is open, and shutdown.
#include "principal.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <X11/Xlib.h>
#include <cstdio>
#include <ctime>
#include <new>

#include "arquivo/arquivo.h"
#include "audio/audio.h"
#include "engine/dados.h"
#include "engine/engine.h"
#include "engine/engine_aleatorio.h"
#include "engine/entidades.h"
#include "engine/tempo.h"
#include "entrada/entrada.h"
#include "fisica/fisica.h"
#include "plataforma/plataforma.h"
#include "video/video.h"

// The window object connects to the display as soon as it is constructed,
// which must not happen when start-up fails (there may be no display at all).
// Its storage exists from the start, so the video and input modules receive
// its address in their start functions as usual; the object itself is
// constructed once the resource archive has opened.
union PRINCIPAL_janela {
    PRINCIPAL_janela() {}
    ~PRINCIPAL_janela() {}
    sf::RenderWindow janela;
};

int main(int argc, char** argv)
{
    _principal_opcoes opcoes = principal_lerOpcoes(argc, argv);

    engine_semearAleatorio((uint32_t)time(nullptr));
    engine_sortearAleatorio();

    PRINCIPAL_janela armazenamento;
    sf::RenderWindow& janela = armazenamento.janela;

    engine_iniciar(true);
    tempo_iniciar(opcoes.log, 1000);
    fisica_iniciar(opcoes.log, 1000);
    video_iniciar(opcoes.log, opcoes.telaCheia, opcoes.vsync, &janela);
    audio_iniciar(opcoes.log);
    dados_iniciar(opcoes.log);
    entrada_iniciar(opcoes.log, &janela);
    arquivo_iniciar(opcoes.log);
    const char* erro = plataforma_iniciar(opcoes.log);
    // A damaged archive leaves the file table empty: the game would run with
    // no picture, font or sound, so it does not start.
    if (!erro && plataforma_recursosLidos() != 'S')
        erro = "Erro ao ler arquivo de recursos: " PLATAFORMA_ARQUIVO_RECURSOS " danificado ou ilegivel";
    // The media library aborts the process when it finds no display, so the
    // program looks first. That connection stays open until the window is
    // gone: an X server resets when its last client leaves, and a connection
    // made during the reset (the media library's own, made right after) fails.
    Display* tela = erro ? nullptr : XOpenDisplay(nullptr);
    if (!erro && !tela) erro = "Erro ao abrir janela: nenhuma tela disponivel (DISPLAY)";

    if (erro) {
        fprintf(stderr, "%s\n", erro);
    } else {
        // Without sound the game still plays; it says so once.
        if (audio_haSom() != 'S') fprintf(stderr, "Sem som: nenhum dispositivo de som disponivel\n");
        new (&janela) sf::RenderWindow();
        entidades_iniciar(opcoes.log);
        video_criarJanela();
        while (janela.isOpen()) {
            int32_t d = tempo_aguardar();
            plataforma_atualizar();
            entrada_atualizar();
            dados_atualizar(d);
            fisica_atualizar(d);
            video_atualizar(d);
            audio_atualizar(d);
        }
        entidades_finalizar();
    }

    arquivo_finalizar();
    dados_finalizar();
    audio_finalizar();
    video_finalizar();
    fisica_finalizar();
    if (!erro) janela.~RenderWindow();
    if (tela) XCloseDisplay(tela);
    // A missing or damaged archive or a missing display is a failed start,
    // reported by the exit status too.
    return erro ? 1 : 0;
}
