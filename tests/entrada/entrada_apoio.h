// What the input tests share: a fresh registry with physics, video (no
// window), entities and input started; a test model whose functions write
// what they see of the current event into a diary; and an event queue and a
// device state that the tests fill and install through the module's seams.
#ifndef MORVALEN_TESTE_ENTRADA_APOIO_H
#define MORVALEN_TESTE_ENTRADA_APOIO_H

#include <gtest/gtest.h>

#include <SFML/Window/Event.hpp>

#include <cstdio>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/entidades.h"
#include "entrada/entrada.h"
#include "fisica/fisica.h"
#include "video/video.h"

namespace apoio {

inline std::vector<std::string> diario;
inline std::deque<sf::Event> fila;
// Answers of the device state by question; an unlisted question answers 0.
inline std::map<_entrada_consulta, float> estado;
// Every question the module asked, as "consulta joystick elemento".
inline std::vector<std::string> perguntas;

inline bool fonte(sf::Event* evento)
{
    if (fila.empty()) return false;
    *evento = fila.front();
    fila.pop_front();
    return true;
}

inline float responder(_entrada_consulta consulta, uint32_t joystick, int32_t elemento)
{
    perguntas.push_back(std::to_string(consulta) + " " + std::to_string(joystick) + " " + std::to_string(elemento));
    auto r = estado.find(consulta);
    return r == estado.end() ? 0.0f : r->second;
}

inline std::string hex(const char* t)
{
    std::string s;
    char b[3];
    for (; *t; t++) {
        snprintf(b, sizeof b, "%02X", (unsigned char)*t);
        s += b;
    }
    return s;
}

// "entity:name device/element" for device events, the focus or the text's
// bytes in hexadecimal for the others.
inline void anotar(uint32_t e, const char* nome)
{
    std::string s = std::to_string(e) + ":" + nome;
    std::string n = nome;
    if (n == "foco")
        s += std::string(" ") + entrada_pegarFoco();
    else if (n == "texto")
        s += " " + hex(entrada_pegarTexto());
    else if (n != "fechar")
        s += " " + std::to_string(entrada_pegarDispositivo()) + "/" + std::to_string(entrada_pegarElemento());
    diario.push_back(s);
}

inline void* fFechar(uint32_t e) { anotar(e, "fechar"); return nullptr; }
inline void* fFoco(uint32_t e) { anotar(e, "foco"); return nullptr; }
inline void* fTexto(uint32_t e) { anotar(e, "texto"); return nullptr; }
inline void* fPressionar(uint32_t e) { anotar(e, "pressionar"); return nullptr; }
inline void* fSoltar(uint32_t e) { anotar(e, "soltar"); return nullptr; }
inline void* fEixo(uint32_t e) { anotar(e, "eixo"); return nullptr; }
inline void* fDispositivos(uint32_t e) { anotar(e, "dispositivos"); return nullptr; }

// A model with the seven recording functions.
inline uint32_t criarModelo()
{
    uint32_t m = entidades_criarModelo(nullptr);
    entidades_modelo_criarFuncao(m, "fechar", fFechar);
    entidades_modelo_criarFuncao(m, "foco", fFoco);
    entidades_modelo_criarFuncao(m, "texto", fTexto);
    entidades_modelo_criarFuncao(m, "pressionar", fPressionar);
    entidades_modelo_criarFuncao(m, "soltar", fSoltar);
    entidades_modelo_criarFuncao(m, "eixo", fEixo);
    entidades_modelo_criarFuncao(m, "dispositivos", fDispositivos);
    return m;
}

inline sf::Event evento(sf::Event::EventType tipo)
{
    sf::Event e;
    e.type = tipo;
    return e;
}

class Entrada : public ::testing::Test {
protected:
    void SetUp() override
    {
        diario.clear();
        fila.clear();
        estado.clear();
        perguntas.clear();
        engine_iniciar(true);
        ASSERT_EQ(fisica_iniciar('N', 1000), 1);
        ASSERT_EQ(video_iniciar('N', 'N', 'S', nullptr), nullptr);
        ASSERT_EQ(entidades_iniciar('N'), nullptr);
        ASSERT_EQ(entrada_iniciar('N', janela()), 1);
        entrada_mudarFonteEventos(fonte);
        entrada_mudarEstado(responder);
        modelo = criarModelo();
    }
    void TearDown() override
    {
        entrada_mudarFonteEventos(nullptr);
        entrada_mudarEstado(nullptr);
        fisica_finalizar();
    }
    virtual sf::RenderWindow* janela() { return nullptr; }

    // An entity of the test model registered once for every kind of event.
    uint32_t registrarTudo()
    {
        uint32_t e = entidades_criarEntidade(modelo, 0, 0);
        entrada_criarEventoFechar(e, "fechar");
        entrada_criarEventoFoco(e, "foco");
        entrada_criarEventoTexto(e, "texto");
        entrada_criarEventoPressionar(e, "pressionar");
        entrada_criarEventoSoltar(e, "soltar");
        entrada_criarEventoEixo(e, "eixo");
        entrada_criarEventoDispositivos(e, "dispositivos");
        return e;
    }

    uint32_t modelo = 0;
};

}  // namespace apoio

#endif
