// File module and the archive's file table: files back to back, then a
// directory of records (end offset, name length, name) and the directory's
// offset in the last 4 bytes. The reader keeps the directory in an engine
// name index; each file opens as a handle that sees only its own bytes, over
// a private copy of the whole chain below.
//
// Tables and writers' lists are both pointer vectors of module 10; the ids of
// the lists are kept apart so that neither is ever taken for the other.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "arquivo/arquivo_interno.h"
#include "engine/engine.h"
#include "engine/engine_log.h"

char arquivoLog = 'N';
static uint32_t arquivoListas = 0;  // integer vector of module 10: ids of the writers' lists

const char ARQUIVO_ERRO_ESCRITA[] = "Erro ao escrever arquivo";
static const char ERRO_LISTA[] = "Arquivos invalidos";
static const char ERRO_VAZIA[] = "Nenhum arquivo adicionado";
static const char ERRO_MEMORIA[] = "Memoria insuficiente";

int ARQUIVO_logar(const char* texto, int32_t valor)
{
    if (arquivoLog == 'S') engine_escreverLog("ARQUIVO - %s", texto, valor);
    return 1;
}

void arquivo_iniciar(char log)
{
    arquivoLog = log;
    ARQUIVO_logar("Iniciando m\xF3" "dulo de arquivo", -1);
    arquivoListas = 0;
    const char* erro = engine_registrarModulo(ENGINE_MODULO_ARQUIVO);
    if (erro) {
        ARQUIVO_logar("Falha ao iniciar m\xF3" "dulo de arquivo", -1);
        ARQUIVO_logar(erro, -1);
        free((void*)erro);
        return;
    }
    arquivoListas = engine_criarVetorInteiro(ENGINE_MODULO_ARQUIVO);
    ARQUIVO_logar("M\xF3" "dulo de arquivo iniciado com sucesso", -1);
}

void arquivo_atualizar()
{
}

void arquivo_finalizar()
{
    ARQUIVO_logar("Finalizando m\xF3" "dulo de arquivo", -1);
}

_arquivo* ARQUIVO_novo(uint32_t (*ler)(_arquivo*, unsigned char*, uint32_t),
                       uint32_t (*escrever)(_arquivo*, const unsigned char*, uint32_t),
                       uint32_t (*posicao)(_arquivo*), void (*irPara)(_arquivo*, uint32_t),
                       uint32_t (*tamanho)(_arquivo*), const char* (*fechar)(_arquivo*),
                       _arquivo* (*criar)(_arquivo*), void* contexto)
{
    _arquivo* a = (_arquivo*)malloc(sizeof(_arquivo));
    if (!a) return nullptr;
    a->ler = ler;
    a->escrever = escrever;
    a->posicao = posicao;
    a->irPara = irPara;
    a->tamanho = tamanho;
    a->fechar = fechar;
    a->criar = criar;
    a->contexto = contexto;
    return a;
}

// 1-based place of a list id among the writers' lists, 0 when it is none.
static uint32_t ARQUIVO_lugarDaLista(uint32_t lista)
{
    if (lista == 0) return 0;
    uint32_t n = engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_ARQUIVO, arquivoListas);
    for (uint32_t i = 1; i <= n; i++)
        if ((uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_ARQUIVO, arquivoListas, i) == lista) return i;
    return 0;
}

// ------------------------------------------------------------ entry handles

static uint32_t ARQUIVO_ler(_arquivo* a, unsigned char* buffer, uint32_t n)
{
    _arquivo_item* item = a ? (_arquivo_item*)a->contexto : nullptr;
    if (!item || item->modo != 'S') return 0;
    uint32_t p = item->base->posicao(item->base);
    if (p < item->inicio || p >= item->fim) return 0;
    uint32_t quer = item->fim - p < n ? item->fim - p : n;
    return item->base->ler(item->base, buffer, quer);
}

static uint32_t ARQUIVO_escrever(_arquivo* a, const unsigned char* dados, uint32_t n)
{
    _arquivo_item* item = a ? (_arquivo_item*)a->contexto : nullptr;
    if (!item || item->modo != 'N') return 0;
    // Only the file added last can grow: the directory stores ends only, so a
    // file's bytes must follow its start without another file in between.
    if (item->base->posicao(item->base) != item->fim) return 0;
    uint32_t k = item->base->escrever(item->base, dados, n);
    item->fim += k;
    return k;
}

static uint32_t ARQUIVO_posicao(_arquivo* a)
{
    _arquivo_item* item = a ? (_arquivo_item*)a->contexto : nullptr;
    if (!item) return 0;
    uint32_t p = item->base->posicao(item->base);
    return p < item->inicio ? 0 : p - item->inicio;
}

static void ARQUIVO_irPara(_arquivo* a, uint32_t posicao)
{
    _arquivo_item* item = a ? (_arquivo_item*)a->contexto : nullptr;
    // Compared with the file's size, so that no position wraps round to the
    // bytes of the file before.
    if (!item || posicao >= item->fim - item->inicio) return;
    item->base->irPara(item->base, item->inicio + posicao);
}

static uint32_t ARQUIVO_tamanho(_arquivo* a)
{
    _arquivo_item* item = a ? (_arquivo_item*)a->contexto : nullptr;
    return item ? item->fim - item->inicio : 0;
}

static const char* ARQUIVO_fechar(_arquivo* a)
{
    _arquivo_item* item = a ? (_arquivo_item*)a->contexto : nullptr;
    if (!item) return nullptr;
    const char* erro = item->base->fechar(item->base);
    free(item);
    free(a);
    return erro;
}

// A write handle shares its record with the writer's list and its stream
// with the other files: closing it frees the handle alone.
static const char* ARQUIVO_fecharEscrita(_arquivo* a)
{
    free(a);
    return nullptr;
}

static _arquivo* ARQUIVO_abrirItem(const char* nome, uint32_t inicio, uint32_t fim, _arquivo* base);

static _arquivo* ARQUIVO_criar(_arquivo* a)
{
    _arquivo_item* item = a ? (_arquivo_item*)a->contexto : nullptr;
    if (!item || item->modo != 'S') return nullptr;
    _arquivo* base = item->base->criar(item->base);
    if (!base) return nullptr;
    return ARQUIVO_abrirItem(item->nome, item->inicio, item->fim, base);
}

static _arquivo* ARQUIVO_criarEscrita(_arquivo*)
{
    return nullptr;
}

// A read handle over base (a private chain, owned) placed at the file's
// start; when base cannot get there, base is closed and null returned.
static _arquivo* ARQUIVO_abrirItem(const char* nome, uint32_t inicio, uint32_t fim, _arquivo* base)
{
    base->irPara(base, inicio);
    _arquivo_item* item = nullptr;
    _arquivo* a = nullptr;
    if (base->posicao(base) == inicio && (item = (_arquivo_item*)calloc(1, sizeof(_arquivo_item)))) {
        strncpy(item->nome, nome, ARQUIVO_NOME_MAXIMO);
        item->inicio = inicio;
        item->fim = fim;
        item->base = base;
        item->modo = 'S';
        a = ARQUIVO_novo(ARQUIVO_ler, ARQUIVO_escrever, ARQUIVO_posicao, ARQUIVO_irPara, ARQUIVO_tamanho,
                         ARQUIVO_fechar, ARQUIVO_criar, item);
    }
    if (!a) {
        free(item);
        base->fechar(base);
    }
    return a;
}

// ------------------------------------------------------------------ reading

// Frees the records read so far.
static void ARQUIVO_liberarItens(_arquivo_item** itens, uint32_t n)
{
    for (uint32_t i = 0; i < n; i++) free(itens[i]);
    free(itens);
}

// Reads every record of the directory [d, u - 4). Null when a record runs
// past the directory, an end decreases or passes d, or a read comes up short.
static _arquivo_item** ARQUIVO_lerDiretorio(_arquivo* fluxo, uint32_t d, uint32_t u, uint32_t* quantos)
{
    const uint32_t fimDiretorio = u - 4;
    _arquivo_item** itens = nullptr;
    uint32_t n = 0, capacidade = 0;
    uint32_t offset = d, anterior = 0;
    fluxo->irPara(fluxo, d);
    bool ok = fluxo->posicao(fluxo) == d;
    // Every record advances by at least 5 bytes, so the loop ends.
    while (ok && offset < fimDiretorio) {
        unsigned char cabecalho[5];
        ok = fimDiretorio - offset >= 5 && fluxo->ler(fluxo, cabecalho, 5) == 5;
        if (!ok) break;
        uint32_t fim = ARQUIVO_lerU32(cabecalho);
        uint32_t l = cabecalho[4];
        ok = fimDiretorio - offset - 5 >= l && fim >= anterior && fim <= d;
        if (!ok) break;
        if (n == capacidade) {
            capacidade = capacidade ? capacidade * 2 : 16;
            _arquivo_item** novos = (_arquivo_item**)realloc(itens, (size_t)capacidade * sizeof(*itens));
            if (!(ok = novos != nullptr)) break;
            itens = novos;
        }
        _arquivo_item* item = (_arquivo_item*)calloc(1, sizeof(_arquivo_item));
        if (!(ok = item != nullptr)) break;
        itens[n++] = item;
        ok = fluxo->ler(fluxo, (unsigned char*)item->nome, l) == l;
        item->nome[l] = '\0';
        item->inicio = anterior;
        item->fim = fim;
        item->base = fluxo;
        anterior = fim;
        offset += 5 + l;
    }
    if (!ok) {
        ARQUIVO_liberarItens(itens, n);
        return nullptr;
    }
    *quantos = n;
    return itens;
}

uint32_t arquivo_lerArquivos(_arquivo* fluxo)
{
    if (!fluxo) return 0;
    uint32_t u = fluxo->tamanho(fluxo);
    uint32_t n = 0;
    _arquivo_item** itens = nullptr;
    unsigned char bytes[4];
    if (u >= 5) {
        fluxo->irPara(fluxo, u - 4);
        if (fluxo->ler(fluxo, bytes, 4) == 4) {
            uint32_t d = ARQUIVO_lerU32(bytes);
            if (d < u - 4) itens = ARQUIVO_lerDiretorio(fluxo, d, u, &n);
        }
    }
    uint32_t tabela = itens ? engine_criarVetorPonteiro(ENGINE_MODULO_ARQUIVO) : 0;
    if (!tabela) {
        ARQUIVO_liberarItens(itens, n);
        ARQUIVO_logar("Erro ao ler diret\xF3rio de arquivos", -1);
        return 0;
    }
    for (uint32_t i = 0; i < n; i++) {
        // A later record of the same name replaces the earlier one, which
        // nothing can reach any more.
        _arquivo_item* anterior =
            (_arquivo_item*)engine_vetorPonteiro_indice_pegarPonteiro(ENGINE_MODULO_ARQUIVO, tabela, itens[i]->nome);
        engine_vetorPonteiro_indice_adicionarPonteiro(ENGINE_MODULO_ARQUIVO, tabela, itens[i]->nome, itens[i]);
        if (engine_vetorPonteiro_indice_pegarPonteiro(ENGINE_MODULO_ARQUIVO, tabela, itens[i]->nome) == itens[i])
            free(anterior);
        else
            free(itens[i]);
    }
    free(itens);
    return tabela;
}

_arquivo* arquivo_lerArquivo(uint32_t tabela, const char* nome)
{
    if (!nome || tabela == 0 || ARQUIVO_lugarDaLista(tabela)) return nullptr;
    _arquivo_item* item =
        (_arquivo_item*)engine_vetorPonteiro_indice_pegarPonteiro(ENGINE_MODULO_ARQUIVO, tabela, nome);
    if (!item) return nullptr;
    _arquivo* base = item->base->criar(item->base);
    if (!base) return nullptr;
    return ARQUIVO_abrirItem(nome, item->inicio, item->fim, base);
}

void ARQUIVO_liberarArquivos(uint32_t tabela)
{
    if (tabela == 0 || ARQUIVO_lugarDaLista(tabela)) return;
    _arquivo* fluxo = nullptr;
    while (engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_ARQUIVO, tabela) > 0) {
        _engine_parIndice* par = (_engine_parIndice*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_ARQUIVO, tabela, 1);
        _arquivo_item* item = (_arquivo_item*)par->valor;
        fluxo = item->base;
        free(item);
        engine_vetorPonteiro_indice_removerPonteiro(ENGINE_MODULO_ARQUIVO, tabela, par->chave, 'N');
    }
    if (engine_destruirVetorPonteiro(ENGINE_MODULO_ARQUIVO, tabela) == nullptr && fluxo) fluxo->fechar(fluxo);
}

// ------------------------------------------------------------------ writing

uint32_t arquivo_criarArquivos(_arquivo* fluxo)
{
    if (!fluxo) return 0;
    uint32_t lista = engine_criarVetorPonteiro(ENGINE_MODULO_ARQUIVO);
    if (!lista) return 0;
    if (!engine_vetorPonteiro_adicionarPonteiro(ENGINE_MODULO_ARQUIVO, lista, fluxo) ||
        !engine_vetorInteiro_adicionarNumero(ENGINE_MODULO_ARQUIVO, arquivoListas, (int32_t)lista)) {
        engine_destruirVetorPonteiro(ENGINE_MODULO_ARQUIVO, lista);
        return 0;
    }
    return lista;
}

_arquivo* arquivo_criarArquivo(uint32_t lista, const char* nome)
{
    if (!nome || strlen(nome) > ARQUIVO_NOME_MAXIMO || !ARQUIVO_lugarDaLista(lista)) return nullptr;
    _arquivo* fluxo = (_arquivo*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_ARQUIVO, lista, 1);
    if (!fluxo) return nullptr;
    _arquivo_item* item = (_arquivo_item*)calloc(1, sizeof(_arquivo_item));
    if (!item) return nullptr;
    strcpy(item->nome, nome);
    item->inicio = item->fim = fluxo->posicao(fluxo);
    item->base = fluxo;
    item->modo = 'N';
    _arquivo* a = ARQUIVO_novo(ARQUIVO_ler, ARQUIVO_escrever, ARQUIVO_posicao, ARQUIVO_irPara, ARQUIVO_tamanho,
                               ARQUIVO_fecharEscrita, ARQUIVO_criarEscrita, item);
    if (!a || !engine_vetorPonteiro_adicionarPonteiro(ENGINE_MODULO_ARQUIVO, lista, item)) {
        free(a);
        free(item);
        return nullptr;
    }
    return a;
}

const char* arquivo_finalizarArquivos(uint32_t lista)
{
    uint32_t lugar = ARQUIVO_lugarDaLista(lista);
    if (!lugar) return ERRO_LISTA;
    _arquivo* fluxo = (_arquivo*)engine_vetorPonteiro_retirarPonteiro(ENGINE_MODULO_ARQUIVO, lista, 1);
    if (!fluxo) return ERRO_LISTA;
    uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_ARQUIVO, lista);
    if (n == 0) {
        // Nothing is written; the list keeps its stream.
        engine_vetorPonteiro_adicionarPonteiro(ENGINE_MODULO_ARQUIVO, lista, fluxo);
        return ERRO_VAZIA;
    }

    uint32_t d = fluxo->posicao(fluxo);
    uint64_t tamanho = 4;
    for (uint32_t i = 1; i <= n; i++) {
        _arquivo_item* item = (_arquivo_item*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_ARQUIVO, lista, i);
        tamanho += 5 + strlen(item->nome);
    }
    const char* erro = nullptr;
    unsigned char* diretorio = tamanho <= UINT32_MAX ? (unsigned char*)malloc((size_t)tamanho) : nullptr;
    if (!diretorio) erro = ERRO_MEMORIA;
    // The directory goes down in one write: the container below runs a trial
    // compression for every write once it holds most of a slot.
    unsigned char* p = diretorio;
    uint32_t anterior = 0;
    for (uint32_t i = 1; i <= n; i++) {
        _arquivo_item* item = (_arquivo_item*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_ARQUIVO, lista, i);
        if (p) {
            size_t l = strlen(item->nome);
            ARQUIVO_gravarU32(p, item->fim);
            p[4] = (unsigned char)l;
            memcpy(p + 5, item->nome, l);
            p += 5 + l;
        }
        printf("%s, %d bytes finalizados\n", item->nome, (int)(item->fim - anterior));
        anterior = item->fim;
    }
    fflush(stdout);
    if (p) {
        ARQUIVO_gravarU32(p, d);
        if (fluxo->escrever(fluxo, diretorio, (uint32_t)tamanho) != (uint32_t)tamanho) erro = ARQUIVO_ERRO_ESCRITA;
    }
    free(diretorio);
    const char* erroFechar = fluxo->fechar(fluxo);
    if (!erro) erro = erroFechar;

    for (uint32_t i = 1; i <= n; i++) free(engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_ARQUIVO, lista, i));
    engine_vetorInteiro_removerNumero(ENGINE_MODULO_ARQUIVO, arquivoListas, lugar);
    const char* erroVetor = engine_destruirVetorPonteiro(ENGINE_MODULO_ARQUIVO, lista);
    return erro ? erro : erroVetor;
}
