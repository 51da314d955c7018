// The playlist stream: items decoded one second at a time, jump rules, and
// loader threads that move an item's decoder to its start.
//
// SFML 2.5's sound stream constrains how the list changes items: setting the
// format from the streaming thread stops the stream, and a chunk returned
// with no samples ends it. So every item of a list shares the first item's
// format (checked when it is loaded), a change of item only switches the
// decoder, and an item that ends without a sample hands over to the next one
// within the same call.
#include "audio/audio_lista.h"

#include <SFML/System/Lock.hpp>
#include <cstdlib>
#include <new>

namespace {

// What a loader thread needs, copied when it starts, so that it never reads
// the list's arrays.
struct _audio_carga {
    sf::Lista* lista;
    sf::InputSoundFile* arquivo;
    int32_t inicio;
};

// Moves a decoder to a time of its file, in whole frames. Negative times
// are the file's start.
void AUDIO_irPara(sf::InputSoundFile* arquivo, int32_t milissegundos)
{
    uint64_t quadros = milissegundos > 0 ? (uint64_t)milissegundos * arquivo->getSampleRate() / 1000 : 0;
    arquivo->seek(quadros * arquivo->getChannelCount());
}

int32_t AUDIO_somarSaturado(int32_t a, int64_t b)
{
    int64_t s = (int64_t)a + b;
    if (s > INT32_MAX) return INT32_MAX;
    if (s < INT32_MIN) return INT32_MIN;
    return (int32_t)s;
}

}  // namespace

void AUDIO_liberarItem(_audio_item* item)
{
    if (!item) return;
    free(item->nome);
    free(item);
}

namespace sf {

void carregarArquivo(void* argumento)
{
    _audio_carga carga = *(_audio_carga*)argumento;
    delete (_audio_carga*)argumento;
    Lock trava(carga.lista->mutex);
    AUDIO_irPara(carga.arquivo, carga.inicio);
}

Lista::Lista(_audio_carregador carregador)
    : carregador(carregador),
      arquivos(nullptr),
      fluxos(nullptr),
      itens(nullptr),
      atual(0),
      posicao(0),
      threads(nullptr),
      arquivoAtual(nullptr),
      duracao(Time::Zero)
{
    setLoop(false);
    // The audio module computes the whole loudness itself.
    setAttenuation(0.f);
}

Lista::~Lista()
{
    // The base stream's thread calls onGetData until it is stopped, so it
    // must stop while the members still exist.
    SoundStream::stop();
    esperarCarregadores();
    for (unsigned k = 0; k < quantidade; k++) {
        delete arquivos[k];
        delete fluxos[k];
        AUDIO_liberarItem(itens[k]);
    }
    free(arquivos);
    free(fluxos);
    free(itens);
    free(threads);
}

// Waits for every loader and releases its thread object.
void Lista::esperarCarregadores()
{
    for (unsigned k = 0; k < quantidade; k++) {
        delete threads[k];  // waits for the thread
        threads[k] = nullptr;
    }
}

void Lista::iniciarCarregador(unsigned k)
{
    delete threads[k];  // an earlier loader of the item is waited for first
    threads[k] = nullptr;
    if (!arquivos[k]) return;
    _audio_carga* carga = new (std::nothrow) _audio_carga{this, arquivos[k], itens[k]->inicio};
    if (carga) threads[k] = new (std::nothrow) Thread(&carregarArquivo, (void*)carga);
    if (threads[k]) {
        threads[k]->launch();
    } else {
        // No thread to spare: the seek is done here.
        delete carga;
        Lock trava(mutex);
        AUDIO_irPara(arquivos[k], itens[k]->inicio);
    }
}

// Puts the list at the start of its first item (the format is not touched).
void Lista::rebobinar()
{
    atual = 0;
    if (quantidade > 0 && arquivos[0]) {
        arquivoAtual = arquivos[0];
        iniciarCarregador(0);
        posicao = itens[0]->inicio;
    } else {
        arquivoAtual = nullptr;
        posicao = 0;
    }
}

void Lista::initialize()
{
    if (!arquivoAtual) return;
    unsigned canais = arquivoAtual->getChannelCount();
    unsigned taxa = arquivoAtual->getSampleRate();
    amostras.resize((std::size_t)taxa * canais);
    SoundStream::initialize(canais, taxa);
}

Time Lista::getDuration() const
{
    return duracao;
}

void Lista::mudarRegra(unsigned pularPara, int32_t pulos)
{
    if (quantidade == 0) return;
    Lock trava(mutex);
    itens[quantidade - 1]->pularPara = pularPara;
    itens[quantidade - 1]->pulos = pulos;
}

void Lista::stop()
{
    SoundStream::stop();
    for (unsigned k = 0; k < quantidade; k++) itens[k]->contador = 0;
    rebobinar();
    initialize();
}

bool Lista::adicionarItem(_audio_item* item)
{
    if (!item || quantidade == UINT32_MAX) return false;
    stop();
    esperarCarregadores();
    unsigned n = quantidade;
    _audio_item** novosItens = (_audio_item**)malloc((n + 1) * sizeof(_audio_item*));
    InputSoundFile** novosArquivos = (InputSoundFile**)malloc((n + 1) * sizeof(InputSoundFile*));
    InputStream** novosFluxos = (InputStream**)malloc((n + 1) * sizeof(InputStream*));
    Thread** novasThreads = (Thread**)malloc((n + 1) * sizeof(Thread*));
    if (!novosItens || !novosArquivos || !novosFluxos || !novasThreads) {
        free(novosItens);
        free(novosArquivos);
        free(novosFluxos);
        free(novasThreads);
        return false;
    }
    for (unsigned k = 0; k < n; k++) {
        novosItens[k] = itens[k];
        novosArquivos[k] = arquivos[k];
        novosFluxos[k] = fluxos[k];
        novasThreads[k] = nullptr;
    }
    novosItens[n] = item;
    novosArquivos[n] = nullptr;
    novosFluxos[n] = nullptr;
    novasThreads[n] = nullptr;
    _audio_item** velhosItens = itens;
    InputSoundFile** velhosArquivos = arquivos;
    InputStream** velhosFluxos = fluxos;
    Thread** velhasThreads = threads;
    itens = novosItens;
    arquivos = novosArquivos;
    fluxos = novosFluxos;
    threads = novasThreads;
    quantidade = n + 1;
    bool carregado = carregarItem(n);
    // Loaders copy what they need, but the arrays change hands only once
    // none of them runs.
    esperarCarregadores();
    if (carregado) {
        free(velhosItens);
        free(velhosArquivos);
        free(velhosFluxos);
        free(velhasThreads);
    } else {
        itens = velhosItens;
        arquivos = velhosArquivos;
        fluxos = velhosFluxos;
        threads = velhasThreads;
        quantidade = n;
        free(novosItens);
        free(novosArquivos);
        free(novosFluxos);
        free(novasThreads);
    }
    rebobinar();
    initialize();
    return carregado;
}

bool Lista::carregarItem(unsigned i)
{
    if (i >= quantidade) return false;
    SoundStream::stop();
    esperarCarregadores();
    for (unsigned k = 0; k < quantidade; k++) itens[k]->contador = 0;
    atual = 0;

    InputStream* fluxo = carregador ? carregador(itens[i]->nome) : nullptr;
    InputSoundFile* arquivo = fluxo ? new (std::nothrow) InputSoundFile : nullptr;
    bool aberto = arquivo && arquivo->openFromStream(*fluxo) && arquivo->getChannelCount() > 0 &&
                  arquivo->getSampleRate() > 0;
    // The stream cannot change format while it plays: every item has the
    // format of the others.
    for (unsigned k = 0; aberto && k < quantidade; k++) {
        if (k == i || !arquivos[k]) continue;
        aberto = arquivos[k]->getChannelCount() == arquivo->getChannelCount() &&
                 arquivos[k]->getSampleRate() == arquivo->getSampleRate();
        break;
    }
    if (!aberto) {
        delete arquivo;
        delete fluxo;
        rebobinar();
        initialize();
        return false;
    }
    AUDIO_irPara(arquivo, itens[i]->inicio);
    if (arquivos[i]) {
        // Loaded again: the old decoder goes, and its length with it.
        InputSoundFile* velho = arquivos[i];
        duracao -= seconds((float)((double)velho->getSampleCount() / velho->getSampleRate() / velho->getChannelCount()));
        delete velho;
        delete fluxos[i];
    }
    arquivos[i] = arquivo;
    fluxos[i] = fluxo;
    duracao += seconds((float)((double)arquivo->getSampleCount() / arquivo->getSampleRate() / arquivo->getChannelCount()));
    rebobinar();
    initialize();
    return true;
}

void Lista::onSeek(Time)
{
}

// Reads the next chunk of the current item into amostras; sets terminou when
// the item has ended with this read.
std::size_t Lista::lerItem(bool& terminou)
{
    _audio_item* it = itens[atual];
    if (!arquivoAtual || amostras.empty()) {
        terminou = true;
        return 0;
    }
    uint64_t canais = arquivoAtual->getChannelCount();
    uint64_t taxa = arquivoAtual->getSampleRate();
    uint64_t porSegundo = taxa * canais;
    Lock trava(mutex);
    if (it->duracao != 0) {
        int64_t resta = (int64_t)it->duracao + it->inicio - posicao;
        if (resta < 1) {
            terminou = true;
            return 0;
        }
        // Whole frames only, so the window's last chunk never splits one.
        uint64_t queridas = (uint64_t)resta * taxa / 1000 * canais;
        if (queridas > amostras.size()) queridas = amostras.size();
        std::size_t lidas = (std::size_t)arquivoAtual->read(&amostras[0], queridas);
        int64_t ms = (int64_t)((uint64_t)lidas * 1000 / porSegundo);
        terminou = lidas != amostras.size() || ms >= resta;
        if (ms >= resta) ms = resta;
        posicao = AUDIO_somarSaturado(posicao, ms);
        return lidas;
    }
    std::size_t lidas = (std::size_t)arquivoAtual->read(&amostras[0], amostras.size());
    posicao = AUDIO_somarSaturado(posicao, (int64_t)((uint64_t)lidas * 1000 / porSegundo));
    terminou = lidas < amostras.size();
    return lidas;
}

// Applies the current item's jump rule and switches to the item it leads to.
void Lista::pular()
{
    unsigned e = atual;
    _audio_item* it = itens[e];
    {
        // The main thread may change the rule meanwhile.
        Lock trava(mutex);
        if (it->pulos == -1) {
            atual = it->pularPara;
        } else if (it->pulos == -2) {
            atual = e < quantidade - 1 ? e + 1 : it->pularPara;
        } else if (it->pulos >= 0 && it->contador < it->pulos) {
            it->contador++;
            atual = it->pularPara;
        } else {
            it->contador = 0;
            atual = e + 1;
        }
    }
    if (atual >= quantidade) return;  // the next call ends the stream
    arquivoAtual = arquivos[atual];
    iniciarCarregador(atual);
    posicao = itens[atual]->inicio;
}

bool Lista::onGetData(Chunk& data)
{
    data.samples = amostras.empty() ? nullptr : &amostras[0];
    data.sampleCount = 0;
    // An item that ends without a sample hands over to the next one here;
    // a whole round of them ends the stream rather than spinning.
    for (unsigned vazios = 0; atual < quantidade && vazios <= quantidade; vazios++) {
        // The loader started for this item must have finished its seek.
        if (threads[atual]) threads[atual]->wait();
        bool terminou = false;
        std::size_t lidas = lerItem(terminou);
        if (terminou) pular();
        if (lidas > 0) {
            data.sampleCount = lidas;
            return true;
        }
    }
    // Past the end: the stream stops once its queued chunks have played,
    // standing at the start of the first item for the next play.
    atual = 0;
    if (quantidade > 0) rebobinar();
    return false;
}

}  // namespace sf
