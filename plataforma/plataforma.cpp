// Platform module: start-up opens the resource archive through the encrypted
// layer, the container and the file table, and keeps the table; each
// resource stream then opens a private copy of that chain for its entry.
#include "plataforma/plataforma.h"

#include <SFML/Window/Clipboard.hpp>
#include <X11/Xlib.h>
#include <cstdlib>
#include <cstring>
#include <string>

#include "arquivo/arquivo.h"
#include "arquivo/arquivo_interno.h"
#include "plataforma/plataforma_interno.h"

uint32_t plataformaRecursos = 0;

static const char ERRO_RECURSOS[] = "Erro ao abrir arquivo de recursos";

const char* plataforma_iniciar(char log)
{
    plataformaLog = log;
    PLATAFORMA_logar("Iniciando m\xF3" "dulo de plataforma", -1);
    _arquivo* arquivo = plataforma_lerArquivo(PLATAFORMA_ARQUIVO_RECURSOS);
    if (!arquivo) {
        PLATAFORMA_logar(ERRO_RECURSOS, -1);
        return ERRO_RECURSOS;
    }
    // A layer that refuses leaves what lies below it to be closed here; the
    // layers log which one refused.
    const unsigned char* chave = (const unsigned char*)PLATAFORMA_CHAVE;
    _arquivo* aes = arquivo_lerAES(arquivo, chave);
    if (!aes) arquivo->fechar(arquivo);
    _arquivo* xz = arquivo_lerXZ(aes);
    if (!xz && aes) aes->fechar(aes);
    plataformaRecursos = arquivo_lerArquivos(xz);
    if (!plataformaRecursos && xz) xz->fechar(xz);
    PLATAFORMA_logar("M\xF3" "dulo de plataforma iniciado com sucesso", -1);
    return nullptr;
}

char plataforma_recursosLidos()
{
    return plataformaRecursos ? 'S' : 'N';
}

void plataforma_atualizar()
{
}

void plataforma_finalizar()
{
}

void PLATAFORMA_liberarRecursos()
{
    ARQUIVO_liberarArquivos(plataformaRecursos);
    plataformaRecursos = 0;
}

Recurso::Recurso(const char* nome) : origem(nullptr), noFim(false)
{
    origem = arquivo_lerArquivo(plataformaRecursos, nome);
}

Recurso::~Recurso()
{
    if (origem) origem->fechar(origem);
}

sf::Int64 Recurso::read(void* data, sf::Int64 size)
{
    if (!origem || noFim || !data || size <= 0) return 0;
    uint32_t n = size > (sf::Int64)UINT32_MAX ? UINT32_MAX : (uint32_t)size;
    uint32_t lidos = origem->ler(origem, (unsigned char*)data, n);
    // A read that stops short of the end met a part of the archive that
    // cannot be read: the stream ends there. A decoder that looks for the end
    // by the position would otherwise read nothing, for ever.
    if (lidos < n && origem->posicao(origem) < origem->tamanho(origem)) noFim = true;
    return lidos;
}

sf::Int64 Recurso::seek(sf::Int64 position)
{
    if (!origem) return 0;
    sf::Int64 tamanho = origem->tamanho(origem);
    if (position < 0 || position > tamanho) return -1;
    // The sound decoder finds a file's length by seeking to its end and
    // asking the position, which the entry handle alone would not allow.
    if (position == tamanho) {
        noFim = true;
        return position;
    }
    origem->irPara(origem, (uint32_t)position);
    if (origem->posicao(origem) != (uint32_t)position) return -1;
    noFim = false;
    return position;
}

sf::Int64 Recurso::tell()
{
    if (!origem) return 0;
    return noFim ? (sf::Int64)origem->tamanho(origem) : (sf::Int64)origem->posicao(origem);
}

sf::Int64 Recurso::getSize()
{
    return origem ? (sf::Int64)origem->tamanho(origem) : 0;
}

Recurso* plataforma_pegarRecurso(const char* nome)
{
    return new Recurso(nome);
}

// Whether the clipboard can be used, found out once. SFML's clipboard ends
// the program when it cannot reach a display, so the display is tried here
// first. SFML also asks for and offers UTF-8 only when the UTF8_STRING atom
// already exists on the server (otherwise it converts through the C locale,
// which drops every accented letter), so the atom is made here; this
// connection stays open so that the server keeps it.
static bool PLATAFORMA_haAreaDeTransferencia()
{
    static int disponivel = -1;
    if (disponivel < 0) {
        const char* tela = getenv("DISPLAY");
        Display* conexao = tela && *tela ? XOpenDisplay(nullptr) : nullptr;
        if (conexao) XInternAtom(conexao, "UTF8_STRING", False);
        disponivel = conexao != nullptr;
    }
    return disponivel == 1;
}

char* plataforma_pegarTextoCopiado()
{
    std::string texto;
    if (PLATAFORMA_haAreaDeTransferencia()) {
        std::basic_string<sf::Uint8> utf8 = sf::Clipboard::getString().toUtf8();
        texto.assign(utf8.begin(), utf8.end());
    }
    char* copia = (char*)malloc(texto.size() + 1);
    if (copia) memcpy(copia, texto.c_str(), texto.size() + 1);
    return copia;
}

int plataforma_copiarTexto(const char* texto)
{
    if (!texto || !PLATAFORMA_haAreaDeTransferencia()) return 0;
    sf::Clipboard::setString(sf::String::fromUtf8(texto, texto + strlen(texto)));
    return 0;
}
