// The playlist stream behind every sound list: a sound stream that plays its
// items one after another, each an archive entry with an optional time
// window and a jump rule that says which item follows it.
//
// Threads: the main thread builds the list, adds items, plays, pauses, stops
// and destroys it; the sound stream's own thread asks it for chunks; loader
// threads move an item's decoder to the item's start, so that the streaming
// thread does not wait on a seek. Every read and seek of a decoder happens
// under the list's mutex, and a chunk is read from a decoder only after the
// loader started for it has finished.
#ifndef MORVALEN_AUDIO_LISTA_H
#define MORVALEN_AUDIO_LISTA_H

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/SoundStream.hpp>
#include <SFML/System/InputStream.hpp>
#include <SFML/System/Mutex.hpp>
#include <SFML/System/Thread.hpp>
#include <cstdint>
#include <vector>

// One item of a list. The list owns it once added, with its own copy of the
// name.
struct _audio_item {
    char* nome;          // archive entry, owned copy
    int32_t inicio;      // start in the file, milliseconds
    int32_t duracao;     // length of the window in milliseconds; 0 to the end of the file
    uint32_t pularPara;  // 0-based item that the jump rule leads to
    int32_t pulos;       // -1 always jump; -2 next item, jump from the last one; n >= 0 jump n times, then next
    int32_t contador;    // jumps taken so far under a rule n >= 0
};

// Frees an item and its name.
void AUDIO_liberarItem(_audio_item* item);

// What the audio module keeps of a list for its properties: their values
// and the count of items. A list with sound is a playlist stream built on
// this record; without a sound device (nothing could play) a list is this
// record alone, and its items are only counted.
struct _audio_lista {
    int32_t velocidade = 1000, volume = 1000;
    int32_t local = 0, X = 0, Y = 0, profundidade = 0, distancia = 0;
    uint32_t configuracoes = 0;  // integer vector of module 4: timelines running on the list
    unsigned quantidade = 0;     // number of items
};

namespace sf {

// Opens an archive entry by name; the caller owns the stream.
typedef InputStream* (*_audio_carregador)(const char* nome);

class Lista : public SoundStream, public _audio_lista {
public:
    explicit Lista(_audio_carregador carregador);
    ~Lista() override;

    // Appends the item (the list owns it on success) and loads it; the list
    // stops and stands at the start of its first item. False when the
    // item's file cannot be opened or differs in channel count or sample
    // rate from the first item's: the list is then as it was and the caller
    // keeps the item.
    bool adicionarItem(_audio_item* item);
    // Opens item i (already in itens) and rewinds the list; false when its
    // file cannot be opened or does not match the first item's format.
    bool carregarItem(unsigned i);
    // Stops the stream and rewinds the list to the start of item 0, with
    // every jump counter back at 0.
    void stop();
    // Sizes the chunk buffer to one second of the current item and sets the
    // stream's format from it. Main thread only, while stopped.
    void initialize();
    // The sum of the full lengths of every item's file.
    Time getDuration() const;
    // Sets the jump rule of the item added last (there must be one); safe
    // while the list plays.
    void mudarRegra(unsigned pularPara, int32_t pulos);

    _audio_carregador carregador;
    InputSoundFile** arquivos;  // one decoder per item
    InputStream** fluxos;       // the stream each decoder reads
    _audio_item** itens;        // in play order, quantidade of them
    unsigned atual;
    int32_t posicao;         // how far the current item has been read, milliseconds of file time
    Thread** threads;        // latest loader of each item, or null
    InputSoundFile* arquivoAtual;
    Time duracao;
    std::vector<Int16> amostras;
    Mutex mutex;

protected:
    bool onGetData(Chunk& data) override;
    // The list is positioned only by its own rewind and jump rules.
    void onSeek(Time timeOffset) override;

private:
    void iniciarCarregador(unsigned k);
    void esperarCarregadores();
    void rebobinar();
    void pular();
    std::size_t lerItem(bool& terminou);
};

// Body of every loader thread: moves item k's decoder to the item's start.
// The argument (list and index) is allocated by the starter and freed here.
void carregarArquivo(void* argumento);

}  // namespace sf

#endif
