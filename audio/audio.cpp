// Audio module: start and property registration, the sound lists and their
// items, the frame update that places every list relative to the cameras,
// and shutdown.
#include "audio/audio_interno.h"

#include <fcntl.h>
#include <unistd.h>

#include <SFML/Audio/Listener.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Err.hpp>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sstream>

#include "engine/engine_log.h"
#include "plataforma/plataforma.h"
#include "video/video.h"

uint32_t audioTempo = 0;
char audioLog = 'N';
uint32_t audioListas = 0;
char audioSom = '?';

static const char ERRO_LISTA[] = "Lista invalida";
static const char ERRO_LISTA_VOLUME[] = "Lista invalida ao mudar volume";
static const char ERRO_LISTA_VELOCIDADE[] = "Lista invalida ao mudar velocidade";
static const char ERRO_LISTA_LOCAL[] = "Lista invalida ao mudar local";
static const char ERRO_SEM_ITEM[] = "Adicione um item antes de pular";
static const char ERRO_PULOS[] = "Numero de pulos invalido";

// Log texts are Latin-1.
static const char LOG_INICIANDO[] = "Iniciando m\xF3" "dulo de audio";
static const char LOG_FALHA[] = "Falha ao iniciar m\xF3" "dulo de audio";
static const char LOG_INICIADO[] = "M\xF3" "dulo de audio iniciado com sucesso";
static const char LOG_FINALIZANDO[] = "Finalizando m\xF3" "dulo de audio";
static const char LOG_ATUALIZANDO[] = "Atualizando m\xF3" "dulo de audio com tempo atual";
static const char LOG_ATUALIZADO[] = "Modulo de audio atualizado com sucesso";
static const char LOG_CRIANDO_LISTA[] = "Criando lista";
static const char LOG_LISTA_CRIADA[] = "Lista criada com sucesso com c\xF3" "digo";
static const char LOG_ADICIONANDO[] = "Adicionando som na lista";
static const char LOG_ATE[] = "...at\xE9";
static const char LOG_LISTA_INVALIDA[] = "Erro: Lista inv\xE1" "lida";
static const char LOG_SOM_INEXISTENTE[] = "Erro: Som inexistente";
static const char LOG_SOM_ADICIONADO[] = "Som adicionado com sucesso como item numero";
static const char LOG_ERRO_SOM[] = "Erro ao adicionar som";
static const char LOG_SEM_SOM[] = "Sem dispositivo de som: as listas seguem em sil\xEAncio";

int AUDIO_logar(const char* texto, int32_t valor)
{
    if (audioLog == 'S') engine_escreverLog("AUDIO - %s", texto, valor);
    return 1;
}

// ------------------------------------------------------------------ module

struct AUDIO_registroPropriedade {
    uint32_t modelo, propriedade;
    _engine_funcaoPegar pegar;
    _engine_funcaoMudar mudar;
    char imediata;
};

static const AUDIO_registroPropriedade audioPropriedades[] = {
    {AUDIO_MODELO_OUVINTE, 1, AUDIO_pegarVolumeGlobal, AUDIO_mudarVolumeGlobal, 'S'},
    {AUDIO_MODELO_LISTA, 1, AUDIO_lista_pegarVolume, AUDIO_lista_mudarVolume, 'S'},
    {AUDIO_MODELO_LISTA, 2, AUDIO_lista_pegarVelocidade, AUDIO_lista_mudarVelocidade, 'S'},
    {AUDIO_MODELO_LISTA, 3, AUDIO_lista_pegarLocal, AUDIO_lista_mudarLocal, 'S'},
    {AUDIO_MODELO_LISTA, 4, AUDIO_lista_pegarX, AUDIO_lista_mudarX, 'N'},
    {AUDIO_MODELO_LISTA, 5, AUDIO_lista_pegarY, AUDIO_lista_mudarY, 'N'},
    {AUDIO_MODELO_LISTA, 6, AUDIO_lista_pegarProfundidade, AUDIO_lista_mudarProfundidade, 'N'},
    {AUDIO_MODELO_LISTA, 7, AUDIO_lista_pegarDistancia, AUDIO_lista_mudarDistancia, 'N'},
    {AUDIO_MODELO_LISTA, 8, AUDIO_lista_pegarAcao, AUDIO_lista_mudarAcao, 'S'},
};

static const char* AUDIO_registrar()
{
    audioListas = engine_criarVetorPersistente(ENGINE_MODULO_AUDIO);
    if (audioListas == 0) return "Memoria insuficiente";
    for (uint32_t modelo = AUDIO_MODELO_OUVINTE; modelo <= AUDIO_MODELO_LISTA; modelo++) {
        const char* erro = engine_registrarModelo(ENGINE_MODULO_AUDIO, modelo);
        if (erro) return erro;
        for (const AUDIO_registroPropriedade& p : audioPropriedades) {
            if (p.modelo != modelo) continue;
            erro = engine_registrarPropriedade(ENGINE_MODULO_AUDIO, modelo, p.propriedade, p.pegar, p.mudar,
                                               p.imediata);
            if (erro) return erro;
        }
    }
    return nullptr;
}

// dup2, tried again when a signal interrupts it.
static int AUDIO_mover(int de, int para)
{
    int r;
    while ((r = dup2(de, para)) < 0 && errno == EINTR) {
    }
    return r;
}

// Points file descriptor 2 at /dev/null. Returns a copy of what it pointed
// at before, for AUDIO_devolverErro, or -1 when it could not be moved (it
// then stays as it was).
static int AUDIO_calarErro()
{
    fflush(stderr);
    int nulo = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nulo < 0) return -1;
    int salvo = fcntl(2, F_DUPFD_CLOEXEC, 3);
    if (salvo >= 0 && AUDIO_mover(nulo, 2) < 0) {
        close(salvo);
        salvo = -1;
    }
    close(nulo);
    return salvo;
}

static void AUDIO_devolverErro(int salvo)
{
    fflush(stderr);
    if (salvo < 0) return;
    AUDIO_mover(salvo, 2);
    close(salvo);
}

// Whether sound can play. The media library opens the sound device when it
// first needs it and reports on its error stream when it cannot open or use
// one; a sound buffer is the cheapest thing that needs it. The report is
// kept from the error stream: the module says it once in its own words.
// The sound system's own libraries (ALSA, OpenAL) write their complaints
// straight to file descriptor 2, which is kept quiet meanwhile.
static char AUDIO_haDispositivo()
{
    std::stringbuf relato;
    std::streambuf* antes = sf::err().rdbuf(&relato);
    int salvo = AUDIO_calarErro();
    {
        sf::SoundBuffer sonda;
    }
    AUDIO_devolverErro(salvo);
    sf::err().rdbuf(antes);
    return relato.str().empty() ? 'S' : 'N';
}

// Whether sound can play, found out the first time it is asked after the
// module starts: a start-up that fails never touches the sound device.
// Without a device every call into the sound library fails and reports it,
// and a playing stream's thread does so without pause: the lists then keep
// their properties and items but make no sound at all.
static char AUDIO_som()
{
    if (audioSom == '?') {
        audioSom = AUDIO_haDispositivo();
        if (audioSom != 'S') AUDIO_logar(LOG_SEM_SOM, -1);
    }
    return audioSom;
}

int audio_iniciar(char log)
{
    audioLog = log;
    AUDIO_logar(LOG_INICIANDO, -1);
    audioSom = '?';
    const char* erro = engine_registrarModulo(ENGINE_MODULO_AUDIO);
    if (erro) {
        AUDIO_logar(LOG_FALHA, -1);
        AUDIO_logar(erro, -1);
        free((void*)erro);  // the registry's texts are composed
        return 0;
    }
    audioTempo = 0;
    erro = AUDIO_registrar();
    if (erro) {
        AUDIO_logar(LOG_FALHA, -1);
        AUDIO_logar(erro, -1);
        return 0;
    }
    AUDIO_logar(LOG_INICIADO, -1);
    return 1;
}

char audio_haSom()
{
    return AUDIO_som();
}

int audio_atualizar(int32_t d)
{
    audioTempo += (uint32_t)d;
    AUDIO_logar(LOG_ATUALIZANDO, (int32_t)audioTempo);
    engine_config_configurar(ENGINE_MODULO_AUDIO, AUDIO_MODELO_OUVINTE, audioTempo, d);
    engine_config_configurar(ENGINE_MODULO_AUDIO, AUDIO_MODELO_LISTA, audioTempo, d);
    for (uint32_t id = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_AUDIO, audioListas); id >= 1; id--) {
        if (!AUDIO_pegarRegistro(id)) continue;
        // Through the engine, so that expressions bound to them apply.
        int32_t x = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_AUDIO, AUDIO_MODELO_LISTA, 4, id, nullptr);
        int32_t y = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_AUDIO, AUDIO_MODELO_LISTA, 5, id, nullptr);
        int32_t profundidade =
            (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_AUDIO, AUDIO_MODELO_LISTA, 6, id, nullptr);
        int32_t distancia =
            (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_AUDIO, AUDIO_MODELO_LISTA, 7, id, nullptr);
        // A getter may have run anything; the list is looked up again.
        _audio_lista* registro = AUDIO_pegarRegistro(id);
        if (!registro) continue;
        char sobreCorpo = 'N';
        if (registro->local != 0) {
            uint32_t corpo = (uint32_t)registro->local;
            int32_t cx = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, 1, corpo, nullptr);
            int32_t cy = (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, 2, corpo, nullptr);
            x = (int32_t)((uint32_t)x + (uint32_t)cx);
            y = (int32_t)((uint32_t)y + (uint32_t)cy);
            sobreCorpo = 'S';
        }
        // A list without sound has nothing to place.
        sf::Lista* lista = AUDIO_pegarLista(id);
        if (!lista) continue;
        _video_audio* lugar = video_calcularAudio(x, y, profundidade, distancia, sobreCorpo);
        if (!lugar) continue;
        lista->setPosition((float)lugar->x, (float)lugar->y, (float)lugar->z);
        lista->setVolume(AUDIO_volumeDaLista(lugar->volume, lista->volume));
        free(lugar);
    }
    AUDIO_logar(LOG_ATUALIZADO, -1);
    return 1;
}

int audio_finalizar()
{
    AUDIO_logar(LOG_FINALIZANDO, -1);
    // No stream may outlive the module: each list's threads are joined here.
    for (uint32_t id = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_AUDIO, audioListas); id >= 1; id--)
        audio_destruirLista(id);
    return 1;
}

float AUDIO_volumeDaLista(int32_t volumeDoLugar, int32_t volumeDaLista)
{
    double percentual = (double)((int64_t)volumeDoLugar * volumeDaLista) * 0.0001;
    if (!(percentual > 0.0)) return 0.f;
    if (percentual > 100.0) return 100.f;
    return (float)percentual;
}

// ------------------------------------------------------------------- lists

// The vector holds playlist streams when there is sound, bare records when
// there is not; the kind never changes while lists exist (it is known once
// the first list is made).
sf::Lista* AUDIO_pegarLista(uint32_t lista)
{
    if (audioSom != 'S') return nullptr;
    return (sf::Lista*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_AUDIO, audioListas, lista);
}

_audio_lista* AUDIO_pegarRegistro(uint32_t lista)
{
    void* elemento = engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_AUDIO, audioListas, lista);
    if (!elemento) return nullptr;
    if (audioSom != 'S') return (_audio_lista*)elemento;
    return static_cast<_audio_lista*>((sf::Lista*)elemento);
}

static sf::InputStream* AUDIO_abrirRecurso(const char* nome)
{
    return plataforma_pegarRecurso(nome);
}

uint32_t audio_criarLista()
{
    AUDIO_logar(LOG_CRIANDO_LISTA, -1);
    // The persistent vector frees its elements with free(): the list is
    // built in storage of that kind and destroyed by hand before removal.
    char som = AUDIO_som();
    void* memoria = malloc(som == 'S' ? sizeof(sf::Lista) : sizeof(_audio_lista));
    if (!memoria) return 0;
    sf::Lista* lista = nullptr;
    _audio_lista* registro;
    if (som == 'S') {
        lista = new (memoria) sf::Lista(AUDIO_abrirRecurso);
        registro = lista;
    } else {
        registro = new (memoria) _audio_lista();
    }
    uint32_t id = engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_AUDIO, audioListas, memoria);
    if (id != 0) {
        registro->configuracoes = engine_criarVetorInteiro(ENGINE_MODULO_AUDIO);
        if (registro->configuracoes == 0) {
            if (lista) lista->~Lista();
            engine_vetorPersistente_removerPosicao(ENGINE_MODULO_AUDIO, audioListas, id);
            return 0;
        }
    } else {
        if (lista) lista->~Lista();
        free(memoria);
        return 0;
    }
    AUDIO_logar(LOG_LISTA_CRIADA, (int32_t)id);
    return id;
}

// Adds the item to the list's stream, or only counts it on a list without
// sound (registro alone).
static uint32_t AUDIO_adicionarItem(_audio_lista* registro, sf::Lista* lista, uint32_t id, const char* nome,
                                    int32_t inicio, int32_t fim)
{
    AUDIO_logar(LOG_ADICIONANDO, (int32_t)id);
    AUDIO_logar(nome ? nome : "", inicio);
    AUDIO_logar(LOG_ATE, fim);
    if (!registro) {
        AUDIO_logar(LOG_LISTA_INVALIDA, (int32_t)id);
        return 0;
    }
    int64_t tamanho = 0;
    if (nome) {
        sf::InputStream* fluxo = plataforma_pegarRecurso(nome);
        tamanho = fluxo->getSize();
        delete fluxo;
    }
    if (tamanho <= 0) {
        AUDIO_logar(LOG_SOM_INEXISTENTE, (int32_t)id);
        return 0;
    }
    if (!lista) {
        if (registro->quantidade == UINT32_MAX) {
            AUDIO_logar(LOG_ERRO_SOM, (int32_t)id);
            return 0;
        }
        uint32_t n = registro->quantidade++;
        AUDIO_logar(LOG_SOM_ADICIONADO, (int32_t)n);
        return n;
    }
    _audio_item* item = (_audio_item*)calloc(1, sizeof(_audio_item));
    char* copia = strdup(nome);
    if (!item || !copia) {
        free(item);
        free(copia);
        AUDIO_logar(LOG_ERRO_SOM, (int32_t)id);
        return 0;
    }
    item->nome = copia;
    // A time before the file's start is its start.
    if (inicio < 0) inicio = 0;
    item->inicio = inicio;
    item->duracao = inicio < fim ? fim - inicio : 0;
    if (!lista->adicionarItem(item)) {
        AUDIO_liberarItem(item);
        AUDIO_logar(LOG_ERRO_SOM, (int32_t)id);
        return 0;
    }
    uint32_t n = lista->quantidade - 1;
    AUDIO_logar(LOG_SOM_ADICIONADO, (int32_t)n);
    return n;
}

uint32_t AUDIO_lista_adicionarItem(sf::Lista* lista, uint32_t id, const char* nome, int32_t inicio, int32_t fim)
{
    return AUDIO_adicionarItem(lista, lista, id, nome, inicio, fim);
}

uint32_t audio_lista_adicionarItem(uint32_t lista, const char* nome, int32_t inicio, int32_t fim)
{
    return AUDIO_adicionarItem(AUDIO_pegarRegistro(lista), AUDIO_pegarLista(lista), lista, nome, inicio, fim);
}

const char* audio_lista_pularPara(uint32_t lista, uint32_t pularPara, int32_t pulos)
{
    _audio_lista* registro = AUDIO_pegarRegistro(lista);
    if (!registro) return ERRO_LISTA;
    if (registro->quantidade == 0) return ERRO_SEM_ITEM;
    if (pulos < -2) return ERRO_PULOS;
    if (sf::Lista* l = AUDIO_pegarLista(lista)) l->mudarRegra(pularPara, pulos);
    return nullptr;
}

// The three actions on a list that exists.
static void AUDIO_agir(sf::Lista* lista, int32_t acao)
{
    if (acao == AUDIO_ACAO_REPRODUZIR) {
        // Playing a playing stream would rewind it; a list without items
        // has nothing to play.
        if (lista->quantidade > 0 && lista->getStatus() != sf::SoundSource::Playing) lista->play();
    } else if (acao == AUDIO_ACAO_PAUSAR) {
        lista->pause();
    } else if (acao == AUDIO_ACAO_PARAR) {
        lista->stop();
    }
}

// A list without sound takes every action and does nothing.
static const char* AUDIO_agirSobre(uint32_t lista, int32_t acao)
{
    if (!AUDIO_pegarRegistro(lista)) return ERRO_LISTA;
    if (sf::Lista* l = AUDIO_pegarLista(lista)) AUDIO_agir(l, acao);
    return nullptr;
}

const char* audio_lista_reproduzir(uint32_t lista)
{
    return AUDIO_agirSobre(lista, AUDIO_ACAO_REPRODUZIR);
}

const char* audio_lista_pausar(uint32_t lista)
{
    return AUDIO_agirSobre(lista, AUDIO_ACAO_PAUSAR);
}

const char* audio_lista_parar(uint32_t lista)
{
    return AUDIO_agirSobre(lista, AUDIO_ACAO_PARAR);
}

const char* audio_destruirLista(uint32_t lista)
{
    _audio_lista* registro = AUDIO_pegarRegistro(lista);
    if (!registro) return nullptr;
    // Every timeline still driving the list ends with it, those started
    // here and any started on its id directly.
    engine_destruirVetorInteiro(ENGINE_MODULO_AUDIO, registro->configuracoes);
    engine_esquecerInstancia(ENGINE_MODULO_AUDIO, AUDIO_MODELO_LISTA, lista);
    if (!AUDIO_pegarRegistro(lista)) return nullptr;
    // Stops the stream and waits for its threads; a bare record has neither.
    if (sf::Lista* l = AUDIO_pegarLista(lista)) l->~Lista();
    return engine_vetorPersistente_removerPosicao(ENGINE_MODULO_AUDIO, audioListas, lista);
}

// ---------------------------------------------------------- global volume

int audio_mudarVolumeGlobal(int32_t valor)
{
    if (valor < 0) valor = 0;
    if (valor > 1000) valor = 1000;
    sf::Listener::setGlobalVolume((float)valor * 0.1f);
    return 0;
}

int32_t audio_pegarVolumeGlobal()
{
    return (int32_t)(sf::Listener::getGlobalVolume() * 10.f);
}

_engine_valor AUDIO_pegarVolumeGlobal(uint32_t i)
{
    (void)i;
    return audio_pegarVolumeGlobal();
}

const char* AUDIO_mudarVolumeGlobal(uint32_t i, _engine_valor v)
{
    (void)i;
    audio_mudarVolumeGlobal(v < 0 ? 0 : v > 1000 ? 1000 : (int32_t)v);
    return nullptr;
}

// ------------------------------------------------------- list properties

_engine_valor AUDIO_lista_pegarVolume(uint32_t i)
{
    _audio_lista* l = AUDIO_pegarRegistro(i);
    return l ? l->volume : 0;
}

_engine_valor AUDIO_lista_pegarVelocidade(uint32_t i)
{
    _audio_lista* l = AUDIO_pegarRegistro(i);
    return l ? l->velocidade : 0;
}

_engine_valor AUDIO_lista_pegarLocal(uint32_t i)
{
    _audio_lista* l = AUDIO_pegarRegistro(i);
    return l ? l->local : 0;
}

_engine_valor AUDIO_lista_pegarX(uint32_t i)
{
    _audio_lista* l = AUDIO_pegarRegistro(i);
    return l ? l->X : 0;
}

_engine_valor AUDIO_lista_pegarY(uint32_t i)
{
    _audio_lista* l = AUDIO_pegarRegistro(i);
    return l ? l->Y : 0;
}

_engine_valor AUDIO_lista_pegarProfundidade(uint32_t i)
{
    _audio_lista* l = AUDIO_pegarRegistro(i);
    return l ? l->profundidade : 0;
}

_engine_valor AUDIO_lista_pegarDistancia(uint32_t i)
{
    _audio_lista* l = AUDIO_pegarRegistro(i);
    return l ? l->distancia : 0;
}

_engine_valor AUDIO_lista_pegarAcao(uint32_t i)
{
    (void)i;
    return 0;
}

const char* AUDIO_lista_mudarVolume(uint32_t i, _engine_valor v)
{
    _audio_lista* l = AUDIO_pegarRegistro(i);
    if (!l) return ERRO_LISTA_VOLUME;
    l->volume = (int32_t)v;
    // Heard at once; the frame update then places it.
    if (sf::Lista* lista = AUDIO_pegarLista(i)) lista->setVolume(AUDIO_volumeDaLista(1000, l->volume));
    return nullptr;
}

const char* AUDIO_lista_mudarVelocidade(uint32_t i, _engine_valor v)
{
    _audio_lista* l = AUDIO_pegarRegistro(i);
    if (!l) return ERRO_LISTA_VELOCIDADE;
    l->velocidade = (int32_t)v;
    return nullptr;
}

const char* AUDIO_lista_mudarLocal(uint32_t i, _engine_valor v)
{
    _audio_lista* l = AUDIO_pegarRegistro(i);
    if (!l) return ERRO_LISTA_LOCAL;
    l->local = (int32_t)v;
    return nullptr;
}

const char* AUDIO_lista_mudarX(uint32_t i, _engine_valor v)
{
    _audio_lista* l = AUDIO_pegarRegistro(i);
    if (!l) return ERRO_LISTA_LOCAL;
    l->X = (int32_t)v;
    return nullptr;
}

const char* AUDIO_lista_mudarY(uint32_t i, _engine_valor v)
{
    _audio_lista* l = AUDIO_pegarRegistro(i);
    if (!l) return ERRO_LISTA_LOCAL;
    l->Y = (int32_t)v;
    return nullptr;
}

const char* AUDIO_lista_mudarProfundidade(uint32_t i, _engine_valor v)
{
    _audio_lista* l = AUDIO_pegarRegistro(i);
    if (!l) return ERRO_LISTA_VOLUME;
    l->profundidade = (int32_t)v;
    return nullptr;
}

const char* AUDIO_lista_mudarDistancia(uint32_t i, _engine_valor v)
{
    _audio_lista* l = AUDIO_pegarRegistro(i);
    if (!l) return ERRO_LISTA_VOLUME;
    l->distancia = (int32_t)v;
    return nullptr;
}

const char* AUDIO_lista_mudarAcao(uint32_t i, _engine_valor v)
{
    if (v < AUDIO_ACAO_REPRODUZIR || v > AUDIO_ACAO_PARAR) return nullptr;
    return AUDIO_agirSobre(i, (int32_t)v);
}
