// Engine vectors: pointer, integer and persistent arrays with 1-based
// positions, the name index built on a pointer vector, and the public
// operations that reach them through a module's pools.
//
// Every insertion or removal of a slot resizes the array to exactly its new
// size; filling or emptying a slot does not.
#include "engine/engine_interno.h"
#include "engine/dados_texto.h"

#include <cstdlib>
#include <cstring>

const char ENGINE_ERRO_POSICAO[] = "Posicao invalida";
const char ENGINE_ERRO_MODULO[] = "Modulo invalido";
const char ENGINE_ERRO_MODELO[] = "Modelo invalido";
const char ENGINE_ERRO_PROPRIEDADE[] = "Propriedade invalida";
const char ENGINE_ERRO_MEMORIA[] = "Memoria insuficiente";

static const char ERRO_VETOR_PONTEIRO[] = "Vetor de ponteiros invalido";
static const char ERRO_VETOR_INTEIRO[] = "Vetor de numeros inteiros invalido";
static const char ERRO_VETOR_PERSISTENTE[] = "Vetor persistente invalido";
static const char ERRO_INDICE[] = "Indice nao encontrado";
static const char ERRO_INDICE_VAZIO[] = "Indice vazio";
static const char ERRO_NOME[] = "Nome nao encontrado";

// Resizes an array to exactly n elements (null for 0). Returns false and
// leaves the array untouched when memory runs out.
static bool ENGINE_redimensionar(void** itens, uint32_t n, size_t tamanhoElemento)
{
    if (n == 0) {
        free(*itens);
        *itens = nullptr;
        return true;
    }
    void* novo = realloc(*itens, (size_t)n * tamanhoElemento);
    if (!novo) return false;
    *itens = novo;
    return true;
}

// ---------------------------------------------------------------- pointers

void ENGINE_construirVetorPonteiro(_engine_vetorPonteiro* v)
{
    v->itens = nullptr;
    v->tamanho = 0;
}

void ENGINE_esvaziarVetorPonteiro(_engine_vetorPonteiro* v)
{
    free(v->itens);
    ENGINE_construirVetorPonteiro(v);
}

uint32_t ENGINE_inserirPonteiro(_engine_vetorPonteiro* v, void* p)
{
    if (v->tamanho == UINT32_MAX) return 0;
    if (!ENGINE_redimensionar((void**)&v->itens, v->tamanho + 1, sizeof(void*))) return 0;
    v->itens[v->tamanho++] = p;
    return v->tamanho;
}

const char* ENGINE_inserirPonteiroEm(_engine_vetorPonteiro* v, void* p, uint32_t posicao)
{
    if (posicao == 0) return ENGINE_ERRO_POSICAO;
    if (posicao > v->tamanho) {
        uint32_t antigo = v->tamanho;
        if (!ENGINE_redimensionar((void**)&v->itens, posicao, sizeof(void*))) return ENGINE_ERRO_MEMORIA;
        for (uint32_t i = antigo; i < posicao; i++) v->itens[i] = nullptr;
        v->tamanho = posicao;
        v->itens[posicao - 1] = p;
        return nullptr;
    }
    if (!v->itens[posicao - 1]) {
        v->itens[posicao - 1] = p;
        return nullptr;
    }
    if (v->tamanho == UINT32_MAX) return ENGINE_ERRO_MEMORIA;
    if (!ENGINE_redimensionar((void**)&v->itens, v->tamanho + 1, sizeof(void*))) return ENGINE_ERRO_MEMORIA;
    memmove(&v->itens[posicao], &v->itens[posicao - 1], (size_t)(v->tamanho - (posicao - 1)) * sizeof(void*));
    v->itens[posicao - 1] = p;
    v->tamanho++;
    return nullptr;
}

const char* ENGINE_apagarPonteiro(_engine_vetorPonteiro* v, uint32_t posicao, char liberar)
{
    if (posicao == 0 || posicao > v->tamanho) return ENGINE_ERRO_POSICAO;
    if (liberar == 'S') free(v->itens[posicao - 1]);
    memmove(&v->itens[posicao - 1], &v->itens[posicao], (size_t)(v->tamanho - posicao) * sizeof(void*));
    v->tamanho--;
    // Shrinking cannot fail in practice; if it does the larger array still works.
    ENGINE_redimensionar((void**)&v->itens, v->tamanho, sizeof(void*));
    return nullptr;
}

const char* ENGINE_limparPonteiro(_engine_vetorPonteiro* v, uint32_t posicao)
{
    if (posicao == 0 || posicao > v->tamanho) return ENGINE_ERRO_POSICAO;
    free(v->itens[posicao - 1]);
    v->itens[posicao - 1] = nullptr;
    return nullptr;
}


// ---------------------------------------------------------------- integers

void ENGINE_construirVetorInteiro(_engine_vetorInteiro* v)
{
    v->itens = nullptr;
    v->tamanho = 0;
}

void ENGINE_esvaziarVetorInteiro(_engine_vetorInteiro* v)
{
    free(v->itens);
    ENGINE_construirVetorInteiro(v);
}

uint32_t ENGINE_inserirNumero(_engine_vetorInteiro* v, int32_t n)
{
    if (v->tamanho == UINT32_MAX) return 0;
    if (!ENGINE_redimensionar((void**)&v->itens, v->tamanho + 1, sizeof(int32_t))) return 0;
    v->itens[v->tamanho++] = n;
    return v->tamanho;
}

const char* ENGINE_apagarNumero(_engine_vetorInteiro* v, uint32_t posicao)
{
    if (posicao == 0 || posicao > v->tamanho) return ENGINE_ERRO_POSICAO;
    memmove(&v->itens[posicao - 1], &v->itens[posicao], (size_t)(v->tamanho - posicao) * sizeof(int32_t));
    v->tamanho--;
    ENGINE_redimensionar((void**)&v->itens, v->tamanho, sizeof(int32_t));
    return nullptr;
}

// -------------------------------------------------------------- persistent

void ENGINE_construirVetorPersistente(_engine_vetorPersistente* v)
{
    v->itens = nullptr;
    v->tamanho = 0;
    v->livres = nullptr;
    v->nLivres = 0;
}

void ENGINE_esvaziarVetorPersistente(_engine_vetorPersistente* v)
{
    free(v->itens);
    free(v->livres);
    ENGINE_construirVetorPersistente(v);
}

uint32_t ENGINE_inserirPersistente(_engine_vetorPersistente* v, void* elemento)
{
    if (v->nLivres > 0) {
        uint32_t indice = v->livres[0];
        memmove(&v->livres[0], &v->livres[1], (size_t)(v->nLivres - 1) * sizeof(uint32_t));
        v->nLivres--;
        ENGINE_redimensionar((void**)&v->livres, v->nLivres, sizeof(uint32_t));
        v->itens[indice] = elemento;
        return indice + 1;
    }
    if (v->tamanho == UINT32_MAX) return 0;
    if (!ENGINE_redimensionar((void**)&v->itens, v->tamanho + 1, sizeof(void*))) return 0;
    v->itens[v->tamanho++] = elemento;
    return v->tamanho;
}

const char* ENGINE_apagarPersistente(_engine_vetorPersistente* v, uint32_t id)
{
    if (id == 0 || id > v->tamanho || !v->itens[id - 1]) return ENGINE_ERRO_POSICAO;
    if (id < v->tamanho) {
        // Room in the free list first, so that a failure changes nothing.
        if (!ENGINE_redimensionar((void**)&v->livres, v->nLivres + 1, sizeof(uint32_t)))
            return ENGINE_ERRO_MEMORIA;
        free(v->itens[id - 1]);
        v->itens[id - 1] = nullptr;
        v->livres[v->nLivres++] = id - 1;
        return nullptr;
    }
    free(v->itens[id - 1]);
    v->itens[id - 1] = nullptr;
    // The top slot: drop it and every empty slot directly below it.
    uint32_t novoTamanho = id - 1;
    while (novoTamanho > 0 && !v->itens[novoTamanho - 1]) novoTamanho--;
    ENGINE_redimensionar((void**)&v->itens, novoTamanho, sizeof(void*));
    v->tamanho = novoTamanho;
    uint32_t mantidos = 0;
    for (uint32_t i = 0; i < v->nLivres; i++)
        if (v->livres[i] < novoTamanho) v->livres[mantidos++] = v->livres[i];
    v->nLivres = mantidos;
    ENGINE_redimensionar((void**)&v->livres, mantidos, sizeof(uint32_t));
    return nullptr;
}


// -------------------------------------------------------------- name index

// 0-based position of the first entry whose key is not less than chave.
static uint32_t ENGINE_buscarIndice(const _engine_vetorPonteiro* v, const char* chave)
{
    uint32_t inicio = 0, fim = v->tamanho;
    while (inicio < fim) {
        uint32_t meio = inicio + (fim - inicio) / 2;
        const _engine_parIndice* par = (const _engine_parIndice*)v->itens[meio];
        if (strcmp(par->chave, chave) < 0)
            inicio = meio + 1;
        else
            fim = meio;
    }
    return inicio;
}

// Position (0-based) of the entry whose key equals chave, or tamanho.
static uint32_t ENGINE_acharChave(const _engine_vetorPonteiro* v, const char* chave)
{
    uint32_t i = ENGINE_buscarIndice(v, chave);
    if (i < v->tamanho && strcmp(((const _engine_parIndice*)v->itens[i])->chave, chave) == 0) return i;
    return v->tamanho;
}

uint32_t ENGINE_pegarIndice(const _engine_vetorPonteiro* v, const char* nome)
{
    if (v->tamanho == 0 || !nome) return 0;
    return ENGINE_buscarIndice(v, nome);
}

void ENGINE_inserirIndice(_engine_vetorPonteiro* v, const char* nome, void* valor)
{
    if (!nome) return;
    char* chave = dados_texto_paraMinusculo(nome);
    if (!chave) return;
    uint32_t i = ENGINE_buscarIndice(v, chave);
    if (i < v->tamanho) {
        _engine_parIndice* par = (_engine_parIndice*)v->itens[i];
        if (strcmp(par->chave, chave) == 0) {
            par->valor = valor;
            free(chave);
            return;
        }
    }
    _engine_parIndice* par = (_engine_parIndice*)malloc(sizeof(_engine_parIndice));
    if (!par) {
        free(chave);
        return;
    }
    par->valor = valor;
    par->chave = chave;
    if (ENGINE_inserirPonteiroEm(v, par, i + 1) != nullptr) {
        free(chave);
        free(par);
    }
}

void* ENGINE_pegarValorEmIndice(const _engine_vetorPonteiro* v, const char* nome)
{
    if (v->tamanho == 0 || !nome) return nullptr;
    char* chave = dados_texto_paraMinusculo(nome);
    if (!chave) return nullptr;
    uint32_t i = ENGINE_acharChave(v, chave);
    free(chave);
    if (i == v->tamanho) return nullptr;
    return ((_engine_parIndice*)v->itens[i])->valor;
}

// The entry record belongs to the index and is always freed with its key;
// the mapped value is never freed, whatever liberar says.
const char* ENGINE_apagarIndice(_engine_vetorPonteiro* v, const char* nome, char liberar)
{
    (void)liberar;
    if (v->tamanho == 0) return ERRO_INDICE_VAZIO;
    if (!nome) return ERRO_NOME;
    char* chave = dados_texto_paraMinusculo(nome);
    if (!chave) return ENGINE_ERRO_MEMORIA;
    uint32_t i = ENGINE_acharChave(v, chave);
    free(chave);
    if (i == v->tamanho) return ERRO_NOME;
    _engine_parIndice* par = (_engine_parIndice*)v->itens[i];
    free(par->chave);
    return ENGINE_apagarPonteiro(v, i + 1, 'S');
}

// ---------------------------------------------------- vectors in the pools

static _engine_vetorPonteiro* ENGINE_vetorPonteiroDe(uint32_t modulo, uint32_t vetor)
{
    _engine_modulo* m = ENGINE_pegarModulo(modulo);
    return m ? (_engine_vetorPonteiro*)ENGINE_pegarPersistente(&m->vetoresPonteiro, vetor) : nullptr;
}

static _engine_vetorInteiro* ENGINE_vetorInteiroDe(uint32_t modulo, uint32_t vetor)
{
    _engine_modulo* m = ENGINE_pegarModulo(modulo);
    return m ? (_engine_vetorInteiro*)ENGINE_pegarPersistente(&m->vetoresInteiro, vetor) : nullptr;
}

static _engine_vetorPersistente* ENGINE_vetorPersistenteDe(uint32_t modulo, uint32_t vetor)
{
    _engine_modulo* m = ENGINE_pegarModulo(modulo);
    return m ? (_engine_vetorPersistente*)ENGINE_pegarPersistente(&m->vetoresPersistente, vetor) : nullptr;
}

// Stores a new zeroed vector record of the given size in one of the pools.
static uint32_t ENGINE_criarVetor(_engine_vetorPersistente* pool, size_t tamanhoRegistro)
{
    void* vetor = calloc(1, tamanhoRegistro);
    if (!vetor) return 0;
    uint32_t id = ENGINE_inserirPersistente(pool, vetor);
    if (id == 0) free(vetor);
    return id;
}

uint32_t engine_criarVetorPonteiro(uint32_t modulo)
{
    _engine_modulo* m = ENGINE_pegarModulo(modulo);
    return m ? ENGINE_criarVetor(&m->vetoresPonteiro, sizeof(_engine_vetorPonteiro)) : 0;
}

uint32_t engine_criarVetorInteiro(uint32_t modulo)
{
    _engine_modulo* m = ENGINE_pegarModulo(modulo);
    return m ? ENGINE_criarVetor(&m->vetoresInteiro, sizeof(_engine_vetorInteiro)) : 0;
}

uint32_t engine_criarVetorPersistente(uint32_t modulo)
{
    _engine_modulo* m = ENGINE_pegarModulo(modulo);
    return m ? ENGINE_criarVetor(&m->vetoresPersistente, sizeof(_engine_vetorPersistente)) : 0;
}

const char* engine_destruirVetorPonteiro(uint32_t modulo, uint32_t vetor)
{
    _engine_modulo* m = ENGINE_pegarModulo(modulo);
    if (!m) return ENGINE_ERRO_MODULO;
    _engine_vetorPonteiro* v = (_engine_vetorPonteiro*)ENGINE_pegarPersistente(&m->vetoresPonteiro, vetor);
    if (!v) return ERRO_VETOR_PONTEIRO;
    ENGINE_esvaziarVetorPonteiro(v);
    return ENGINE_apagarPersistente(&m->vetoresPonteiro, vetor);
}

const char* engine_destruirVetorInteiro(uint32_t modulo, uint32_t vetor)
{
    _engine_modulo* m = ENGINE_pegarModulo(modulo);
    if (!m) return ENGINE_ERRO_MODULO;
    _engine_vetorInteiro* v = (_engine_vetorInteiro*)ENGINE_pegarPersistente(&m->vetoresInteiro, vetor);
    if (!v) return ERRO_VETOR_INTEIRO;
    ENGINE_esvaziarVetorInteiro(v);
    return ENGINE_apagarPersistente(&m->vetoresInteiro, vetor);
}

const char* engine_destruirVetorPersistente(uint32_t modulo, uint32_t vetor)
{
    _engine_modulo* m = ENGINE_pegarModulo(modulo);
    if (!m) return ENGINE_ERRO_MODULO;
    _engine_vetorPersistente* v =
        (_engine_vetorPersistente*)ENGINE_pegarPersistente(&m->vetoresPersistente, vetor);
    if (!v) return ERRO_VETOR_PERSISTENTE;
    ENGINE_esvaziarVetorPersistente(v);
    return ENGINE_apagarPersistente(&m->vetoresPersistente, vetor);
}

uint32_t engine_vetorPonteiro_adicionarPonteiro(uint32_t modulo, uint32_t vetor, void* ponteiro)
{
    _engine_vetorPonteiro* v = ENGINE_vetorPonteiroDe(modulo, vetor);
    if (!v || !ponteiro) return 0;
    return ENGINE_inserirPonteiro(v, ponteiro);
}

const char* engine_vetorPonteiro_adicionarPonteiroEm(uint32_t modulo, uint32_t vetor, void* ponteiro,
                                                     uint32_t posicao)
{
    if (!ENGINE_pegarModulo(modulo)) return ENGINE_ERRO_MODULO;
    _engine_vetorPonteiro* v = ENGINE_vetorPonteiroDe(modulo, vetor);
    if (!v) return ERRO_VETOR_PONTEIRO;
    return ENGINE_inserirPonteiroEm(v, ponteiro, posicao);
}

void* engine_vetorPonteiro_pegarPonteiro(uint32_t modulo, uint32_t vetor, uint32_t posicao)
{
    _engine_vetorPonteiro* v = ENGINE_vetorPonteiroDe(modulo, vetor);
    return v ? ENGINE_pegarPonteiro(v, posicao) : nullptr;
}

uint32_t engine_vetorPonteiro_pegarTamanho(uint32_t modulo, uint32_t vetor)
{
    _engine_vetorPonteiro* v = ENGINE_vetorPonteiroDe(modulo, vetor);
    return v ? v->tamanho : 0;
}

const char* engine_vetorPonteiro_limparPonteiro(uint32_t modulo, uint32_t vetor, uint32_t posicao)
{
    if (!ENGINE_pegarModulo(modulo)) return ENGINE_ERRO_MODULO;
    _engine_vetorPonteiro* v = ENGINE_vetorPonteiroDe(modulo, vetor);
    if (!v) return ERRO_VETOR_PONTEIRO;
    return ENGINE_limparPonteiro(v, posicao);
}

const char* engine_vetorPonteiro_removerPonteiro(uint32_t modulo, uint32_t vetor, uint32_t posicao)
{
    if (!ENGINE_pegarModulo(modulo)) return ENGINE_ERRO_MODULO;
    _engine_vetorPonteiro* v = ENGINE_vetorPonteiroDe(modulo, vetor);
    if (!v) return ERRO_VETOR_PONTEIRO;
    return ENGINE_apagarPonteiro(v, posicao, 'S');
}

void* engine_vetorPonteiro_retirarPonteiro(uint32_t modulo, uint32_t vetor, uint32_t posicao)
{
    _engine_vetorPonteiro* v = ENGINE_vetorPonteiroDe(modulo, vetor);
    if (!v) return nullptr;
    void* p = ENGINE_pegarPonteiro(v, posicao);
    if (ENGINE_apagarPonteiro(v, posicao, 'N') != nullptr) return nullptr;
    return p;
}

uint32_t engine_vetorInteiro_adicionarNumero(uint32_t modulo, uint32_t vetor, int32_t valor)
{
    _engine_vetorInteiro* v = ENGINE_vetorInteiroDe(modulo, vetor);
    return v ? ENGINE_inserirNumero(v, valor) : 0;
}

int32_t engine_vetorInteiro_pegarNumero(uint32_t modulo, uint32_t vetor, uint32_t posicao)
{
    _engine_vetorInteiro* v = ENGINE_vetorInteiroDe(modulo, vetor);
    if (!v || posicao == 0 || posicao > v->tamanho) return 0;
    return v->itens[posicao - 1];
}

uint32_t engine_vetorInteiro_pegarTamanho(uint32_t modulo, uint32_t vetor)
{
    _engine_vetorInteiro* v = ENGINE_vetorInteiroDe(modulo, vetor);
    return v ? v->tamanho : 0;
}

const char* engine_vetorInteiro_removerNumero(uint32_t modulo, uint32_t vetor, uint32_t posicao)
{
    if (!ENGINE_pegarModulo(modulo)) return ENGINE_ERRO_MODULO;
    _engine_vetorInteiro* v = ENGINE_vetorInteiroDe(modulo, vetor);
    if (!v) return ERRO_VETOR_INTEIRO;
    return ENGINE_apagarNumero(v, posicao);
}

uint32_t engine_vetorPersistente_adicionarPonteiro(uint32_t modulo, uint32_t vetor, void* elemento)
{
    _engine_vetorPersistente* v = ENGINE_vetorPersistenteDe(modulo, vetor);
    if (!v || !elemento) return 0;
    return ENGINE_inserirPersistente(v, elemento);
}

void* engine_vetorPersistente_pegarPonteiro(uint32_t modulo, uint32_t vetor, uint32_t id)
{
    _engine_vetorPersistente* v = ENGINE_vetorPersistenteDe(modulo, vetor);
    return v ? ENGINE_pegarPersistente(v, id) : nullptr;
}

uint32_t engine_vetorPersistente_pegarTamanho(uint32_t modulo, uint32_t vetor)
{
    _engine_vetorPersistente* v = ENGINE_vetorPersistenteDe(modulo, vetor);
    return v ? v->tamanho : 0;
}

const char* engine_vetorPersistente_removerPosicao(uint32_t modulo, uint32_t vetor, uint32_t id)
{
    if (!ENGINE_pegarModulo(modulo)) return ENGINE_ERRO_MODULO;
    _engine_vetorPersistente* v = ENGINE_vetorPersistenteDe(modulo, vetor);
    if (!v) return ERRO_VETOR_PERSISTENTE;
    return ENGINE_apagarPersistente(v, id);
}

uint32_t engine_vetorPonteiro_indice_adicionarPonteiro(uint32_t modulo, uint32_t vetor, const char* nome,
                                                       void* ponteiro)
{
    _engine_vetorPonteiro* v = ENGINE_vetorPonteiroDe(modulo, vetor);
    if (v) ENGINE_inserirIndice(v, nome, ponteiro);
    return 0;
}

void* engine_vetorPonteiro_indice_pegarPonteiro(uint32_t modulo, uint32_t vetor, const char* nome)
{
    _engine_vetorPonteiro* v = ENGINE_vetorPonteiroDe(modulo, vetor);
    return v ? ENGINE_pegarValorEmIndice(v, nome) : nullptr;
}

const char* engine_vetorPonteiro_indice_removerPonteiro(uint32_t modulo, uint32_t vetor, const char* nome,
                                                        char liberar)
{
    if (!ENGINE_pegarModulo(modulo)) return ENGINE_ERRO_MODULO;
    _engine_vetorPonteiro* v = ENGINE_vetorPonteiroDe(modulo, vetor);
    if (!v) return ERRO_INDICE;
    return ENGINE_apagarIndice(v, nome, liberar);
}
