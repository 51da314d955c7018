// Collision records: the contact hook that makes and refreshes them and
// reports starts and turns, the end-of-collision pass, the handler
// registrations and the queries handlers use.
#include "fisica/fisica_interno.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "engine/entidades.h"

uint32_t fisicaColisaoDoEvento = 0;
char fisicaIniciandoColisao = 'N';
char fisicaTerminandoColisao = 'N';

static uint64_t fisicaNumeroTratador = 0;

// The collision id of each pair of sides that has a record, beside the name
// index (which keeps the order of the end-of-collision pass): the contact
// hook runs for every contact point of every sub-step and finds its record
// here without composing the index's text key.
struct _fisica_par {
    uint32_t entidade1, figura1, entidade2, figura2;
    bool operator==(const _fisica_par& o) const
    {
        return entidade1 == o.entidade1 && figura1 == o.figura1 && entidade2 == o.entidade2 && figura2 == o.figura2;
    }
};
struct _fisica_hashPar {
    size_t operator()(const _fisica_par& p) const
    {
        uint64_t a = (uint64_t)p.entidade1 << 32 | p.figura1, b = (uint64_t)p.entidade2 << 32 | p.figura2;
        return (size_t)(a * 0x9E3779B97F4A7C15ull ^ (b + 0x632BE59BD9B4E019ull + (a << 6) + (a >> 2)));
    }
};
static std::unordered_map<_fisica_par, uint32_t, _fisica_hashPar> fisicaColisoesPorPar;

// How many records were last refreshed at each clock value, oldest first. A
// record is only ever refreshed to the current clock, so new values go at the
// back, and the front tells whether any record is more than 40 ms old without
// visiting them.
static std::vector<std::pair<uint32_t, uint32_t>> fisicaRefrescos;

static void FISICA_contarRefresco(uint32_t tempo)
{
    if (fisicaRefrescos.empty() || fisicaRefrescos.back().first != tempo)
        fisicaRefrescos.push_back({tempo, 0});
    fisicaRefrescos.back().second++;
}

static void FISICA_descontarRefresco(uint32_t tempo)
{
    for (size_t i = fisicaRefrescos.size(); i > 0; i--) {
        if (fisicaRefrescos[i - 1].first != tempo) continue;
        if (--fisicaRefrescos[i - 1].second == 0) fisicaRefrescos.erase(fisicaRefrescos.begin() + (std::ptrdiff_t)(i - 1));
        return;
    }
}

static _fisica_colisao* FISICA_colisao(uint32_t colisao)
{
    return (_fisica_colisao*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_FISICA, fisicaColisoes, colisao);
}

// ------------------------------------------------------------ handlers

const char* fisica_tratarColisoes(uint32_t entidade, uint32_t corpo, const char* nome)
{
    if (!FISICA_corpoExistira(corpo)) return "Corpo invalido ao tratar colisoes";
    if (!nome) return "Erro ao tratar colisoes";
    if (FISICA_temPendencias(corpo)) {
        // The queue keeps its own copy of the name until the registration is replayed.
        char* copia = strdup(nome);
        if (!copia) return "Erro ao tratar colisoes";
        FISICA_adiar(FISICA_PENDENTE_TRATAR, corpo, 0, 0, 0, (_engine_valor)copia, entidade);
        return nullptr;
    }
    _fisica_corpo* c = fisica_corpo(corpo);
    // The name is copied behind the record, so no caller's buffer is kept and
    // one free releases both.
    size_t tamanho = strlen(nome) + 1;
    _fisica_tratador* t = (_fisica_tratador*)malloc(sizeof(_fisica_tratador) + tamanho);
    if (!t) return "Erro ao tratar colisoes";
    t->entidade = entidade;
    memcpy(t + 1, nome, tamanho);
    t->nome = (const char*)(t + 1);
    t->numero = ++fisicaNumeroTratador;
    if (engine_vetorPonteiro_adicionarPonteiro(ENGINE_MODULO_FISICA, c->tratadores, t) == 0) {
        free(t);
        return "Erro ao tratar colisoes";
    }
    return nullptr;
}

const char* fisica_pararDeTratarColisoes(uint32_t entidade, uint32_t corpo)
{
    if (!FISICA_corpoExistira(corpo)) return "Corpo invalido ao cancelar evento";
    if (FISICA_temPendencias(corpo)) {
        FISICA_adiar(FISICA_PENDENTE_PARAR_DE_TRATAR, corpo, 0, 0, 0, 0, entidade);
        return nullptr;
    }
    _fisica_corpo* c = fisica_corpo(corpo);
    for (uint32_t i = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, c->tratadores); i >= 1; i--) {
        _fisica_tratador* t =
            (_fisica_tratador*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_FISICA, c->tratadores, i);
        if (t && t->entidade == entidade)
            return engine_vetorPonteiro_removerPonteiro(ENGINE_MODULO_FISICA, c->tratadores, i);
    }
    return "Evento invalido a ser cancelado";
}

// Calls the registrations of a body, the newest first. A handler may add or
// remove registrations or (after the step) destroy the body, so the walk
// takes the list as it was and looks each one up again before calling it.
static void FISICA_notificarCorpo(uint32_t entidade)
{
    _fisica_corpo* c = fisica_corpo(entidade);
    if (!c) return;
    std::vector<uint64_t> numeros;
    for (uint32_t i = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, c->tratadores); i >= 1; i--) {
        _fisica_tratador* t =
            (_fisica_tratador*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_FISICA, c->tratadores, i);
        if (t) numeros.push_back(t->numero);
    }
    for (uint64_t numero : numeros) {
        c = fisica_corpo(entidade);
        if (!c) return;
        uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, c->tratadores);
        for (uint32_t i = n; i >= 1; i--) {
            _fisica_tratador* t =
                (_fisica_tratador*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_FISICA, c->tratadores, i);
            if (t && t->numero == numero) {
                entidades_entidade_chamarFuncao(t->entidade, t->nome);
                break;
            }
        }
    }
}

// Side 1's body first, then side 2's, checked again after side 1's handlers.
static void FISICA_notificar(uint32_t entidade1, uint32_t entidade2)
{
    FISICA_notificarCorpo(entidade1);
    FISICA_notificarCorpo(entidade2);
}

// ------------------------------------------------------------ contact hook

// The attachment behind one side of a contact: the compound's child at the
// side's index, or the shape itself for a body that is not a compound.
static _fisica_figuraAnexada* FISICA_anexoDoContato(const btCollisionObjectWrapper* w, int indice)
{
    // Inside a compound the wrapper already holds the child.
    const btCollisionShape* forma = w->getCollisionShape();
    if (forma->getShapeType() != COMPOUND_SHAPE_PROXYTYPE) return (_fisica_figuraAnexada*)forma->getUserPointer();
    forma = w->getCollisionObject()->getCollisionShape();
    if (forma->getShapeType() == COMPOUND_SHAPE_PROXYTYPE) {
        const btCompoundShape* composta = (const btCompoundShape*)forma;
        if (indice < 0 || indice >= composta->getNumChildShapes()) return nullptr;
        return (_fisica_figuraAnexada*)composta->getChildShape(indice)->getUserPointer();
    }
    return (_fisica_figuraAnexada*)forma->getUserPointer();
}

static bool FISICA_antes(const _fisica_figuraAnexada* a, const _fisica_figuraAnexada* b)
{
    if (a->entidade != b->entidade) return a->entidade < b->entidade;
    return a->figura < b->figura;
}

// The record of a pair of sides, made when the pair has none; null when it
// cannot be stored.
static bool FISICA_ehDoPar(const _fisica_colisao* r, const _fisica_par& par)
{
    return r && r->entidade1 == par.entidade1 && r->figura1 == par.figura1 && r->entidade2 == par.entidade2 &&
           r->figura2 == par.figura2;
}

static _fisica_colisao* FISICA_registroDoPar(_fisica_figuraAnexada* lado1, _fisica_figuraAnexada* lado2,
                                             uint32_t* id, bool* nova)
{
    const _fisica_par par = {lado1->entidade, lado1->figura, lado2->entidade, lado2->figura};
    *nova = false;
    // Most sides touch one other side at a time: the collision they were
    // last seen in is usually the one.
    for (uint32_t recente : {lado1->colisaoRecente, lado2->colisaoRecente}) {
        _fisica_colisao* r = recente ? FISICA_colisao(recente) : nullptr;
        if (FISICA_ehDoPar(r, par)) {
            *id = recente;
            lado1->colisaoRecente = lado2->colisaoRecente = recente;
            return r;
        }
    }
    auto achado = fisicaColisoesPorPar.find(par);
    if (achado != fisicaColisoesPorPar.end()) {
        _fisica_colisao* r = FISICA_colisao(achado->second);
        // An entry left by a world that was not finished is dropped.
        if (FISICA_ehDoPar(r, par)) {
            *id = achado->second;
            lado1->colisaoRecente = lado2->colisaoRecente = *id;
            return r;
        }
        fisicaColisoesPorPar.erase(achado);
    }
    char chave[48];
    snprintf(chave, sizeof chave, "%d-%d-%d-%d", (int32_t)lado1->entidade, (int32_t)lado1->figura,
             (int32_t)lado2->entidade, (int32_t)lado2->figura);
    _fisica_colisao* r = (_fisica_colisao*)calloc(1, sizeof(_fisica_colisao));
    uint32_t* holder = (uint32_t*)malloc(sizeof(uint32_t));
    *id = r && holder ? engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_FISICA, fisicaColisoes, r) : 0;
    if (*id == 0) {
        free(r);
        free(holder);
        return nullptr;
    }
    *holder = *id;
    engine_vetorPonteiro_indice_adicionarPonteiro(ENGINE_MODULO_FISICA, fisicaColisoesOrdenadas, chave, holder);
    if (engine_vetorPonteiro_indice_pegarPonteiro(ENGINE_MODULO_FISICA, fisicaColisoesOrdenadas, chave) != holder) {
        engine_vetorPersistente_removerPosicao(ENGINE_MODULO_FISICA, fisicaColisoes, *id);
        free(holder);
        return nullptr;
    }
    // The hook fills the sides in at once; until then nothing reads them.
    r->entidade1 = par.entidade1;
    r->figura1 = par.figura1;
    r->entidade2 = par.entidade2;
    r->figura2 = par.figura2;
    fisicaColisoesPorPar[par] = *id;
    lado1->colisaoRecente = lado2->colisaoRecente = *id;
    *nova = true;
    return r;
}

bool CustomContactAddedCallback(btManifoldPoint& cp, const btCollisionObjectWrapper* colObj0Wrap, int partId0,
                                int index0, const btCollisionObjectWrapper* colObj1Wrap, int partId1, int index1)
{
    (void)partId0;
    (void)partId1;
    _fisica_figuraAnexada* anexo0 = FISICA_anexoDoContato(colObj0Wrap, index0);
    _fisica_figuraAnexada* anexo1 = FISICA_anexoDoContato(colObj1Wrap, index1);
    if (!anexo0 || !anexo1) return true;  // not one of ours: store as the library would

    bool trocado = FISICA_antes(anexo1, anexo0);
    _fisica_figuraAnexada* lado1 = trocado ? anexo1 : anexo0;
    _fisica_figuraAnexada* lado2 = trocado ? anexo0 : anexo1;

    uint32_t id;
    bool nova;
    _fisica_colisao* r = FISICA_registroDoPar(lado1, lado2, &id, &nova);
    if (!r) return true;

    if (nova) {
        FISICA_contarRefresco(fisicaTempo);
    } else if (r->tempo != fisicaTempo) {
        FISICA_descontarRefresco(r->tempo);
        FISICA_contarRefresco(fisicaTempo);
    }
    r->tempo = fisicaTempo;
    r->figura1 = lado1->figura;
    r->entidade1 = lado1->entidade;
    r->figura2 = lado2->figura;
    r->entidade2 = lado2->entidade;

    const btVector3& pontoLado1 = trocado ? cp.m_localPointB : cp.m_localPointA;
    const btVector3& pontoLado2 = trocado ? cp.m_localPointA : cp.m_localPointB;
    btVector3 v = trocado ? cp.m_normalWorldOnB : -cp.m_normalWorldOnB;
    r->x1 = FISICA_paraMotor(pontoLado1.x(), 1000.0);
    r->y1 = FISICA_paraMotor(pontoLado1.y(), 1000.0);
    r->x2 = FISICA_paraMotor(pontoLado2.x(), 1000.0);
    r->y2 = FISICA_paraMotor(pontoLado2.y(), 1000.0);
    r->angulo = (FISICA_paraMotor(btAtan2(v.y(), v.x()), FISICA_RAD_PARA_GRAU) + 3600) % 3600;
    r->impactoX = FISICA_paraMotor(v.x() * cp.getDistance(), 10.0);
    r->impactoY = FISICA_paraMotor(v.y() * cp.getDistance(), 10.0);

    if (nova) {
        r->cancelada = 'N';
        r->anguloAnterior = r->angulo;
        fisicaColisaoDoEvento = id;
        fisicaIniciandoColisao = 'S';
        FISICA_notificar(lado1->entidade, lado2->entidade);
        fisicaIniciandoColisao = 'N';
    } else if (r->anguloAnterior < r->angulo - 300 || r->anguloAnterior > r->angulo + 300) {
        // A plain comparison: 3590 and 10 are 3580 apart.
        fisicaColisaoDoEvento = id;
        FISICA_notificar(r->entidade1, r->entidade2);
        r = FISICA_colisao(id);
        if (!r) return true;
        r->anguloAnterior = r->angulo;
    }

    r = FISICA_colisao(id);
    if (!r) return true;
    if (r->cancelada == 'S') return false;

    // The sides' figures (which outlive the step: destroying one waits for
    // its end), through the copies their attachments keep.
    cp.m_combinedFriction = btSqrt((btScalar)lado2->atrito * (btScalar)lado1->atrito * 0.000001f);
    cp.m_combinedRestitution =
        btSqrt((btScalar)(1000 - lado2->amortecimento) * (btScalar)(1000 - lado1->amortecimento) * 0.000001f);
    return true;
}

// ------------------------------------------------------------ end pass

// Ends the first collision, in key order, that has had no contact point for
// more than 40 ms: its handlers are told, then the record goes.
//
// While no record is more than 40 ms old the walk would only visit every
// record and end none: it is skipped, leaving the event's collision where the
// walk would, at the last record.
static uint32_t FISICA_idNaPosicao(uint32_t i)
{
    _engine_parIndice* par =
        (_engine_parIndice*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_FISICA, fisicaColisoesOrdenadas, i);
    return par ? *(uint32_t*)par->valor : 0;
}

void FISICA_terminarColisoes()
{
    fisicaTerminandoColisao = 'S';
    uint32_t k = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, fisicaColisoesOrdenadas);
    if (k > 0 && !fisicaRefrescos.empty() && fisicaTempo - fisicaRefrescos.front().first <= 40) {
        fisicaColisaoDoEvento = FISICA_idNaPosicao(k);
        fisicaTerminandoColisao = 'N';
        return;
    }
    for (uint32_t i = 1; i <= k; i++) {
        _engine_parIndice* par =
            (_engine_parIndice*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_FISICA, fisicaColisoesOrdenadas, i);
        if (!par) continue;
        uint32_t* guardado = (uint32_t*)par->valor;
        uint32_t id = *guardado;
        fisicaColisaoDoEvento = id;
        _fisica_colisao* r = FISICA_colisao(id);
        if (r && fisicaTempo - r->tempo <= 40) continue;

        // The handlers may change the index entry's array; keep the key.
        char* chave = strdup(par->chave);
        if (r) FISICA_notificar(r->entidade1, r->entidade2);
        r = FISICA_colisao(id);
        if (r) {
            fisicaColisoesPorPar.erase({r->entidade1, r->figura1, r->entidade2, r->figura2});
            FISICA_descontarRefresco(r->tempo);
        }
        engine_vetorPersistente_removerPosicao(ENGINE_MODULO_FISICA, fisicaColisoes, id);
        if (chave) {
            uint32_t* atual = (uint32_t*)engine_vetorPonteiro_indice_pegarPonteiro(ENGINE_MODULO_FISICA,
                                                                                  fisicaColisoesOrdenadas, chave);
            engine_vetorPonteiro_indice_removerPonteiro(ENGINE_MODULO_FISICA, fisicaColisoesOrdenadas, chave, 'S');
            free(atual);
            free(chave);
        }
        break;
    }
    fisicaTerminandoColisao = 'N';
}

void FISICA_iniciarColisoes()
{
    fisicaColisoesPorPar.clear();
    fisicaRefrescos.clear();
    fisicaColisoes = engine_criarVetorPersistente(ENGINE_MODULO_FISICA);
    fisicaColisoesOrdenadas = engine_criarVetorPonteiro(ENGINE_MODULO_FISICA);
}

void FISICA_liberarColisoes()
{
    fisicaColisoesPorPar.clear();
    fisicaRefrescos.clear();
    uint32_t k = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, fisicaColisoesOrdenadas);
    for (uint32_t i = k; i >= 1; i--) {
        _engine_parIndice* par =
            (_engine_parIndice*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_FISICA, fisicaColisoesOrdenadas, i);
        if (!par) continue;
        free(par->valor);
        free(par->chave);
        free(par);
    }
    engine_destruirVetorPonteiro(ENGINE_MODULO_FISICA, fisicaColisoesOrdenadas);
    fisicaColisoesOrdenadas = 0;
    uint32_t n = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_FISICA, fisicaColisoes);
    for (uint32_t i = n; i >= 1; i--)
        if (FISICA_colisao(i)) engine_vetorPersistente_removerPosicao(ENGINE_MODULO_FISICA, fisicaColisoes, i);
    engine_destruirVetorPersistente(ENGINE_MODULO_FISICA, fisicaColisoes);
    fisicaColisoes = 0;
}

// ------------------------------------------------------------ queries

uint32_t fisica_colisaoDoEvento() { return fisicaColisaoDoEvento; }
char fisica_iniciandoColisao() { return fisicaIniciandoColisao; }
char fisica_terminandoColisao() { return fisicaTerminandoColisao; }

uint32_t fisica_colisao_pegarPrimeiroCorpo(uint32_t colisao)
{
    _fisica_colisao* r = FISICA_colisao(colisao);
    return r ? r->entidade1 : 0;
}

uint32_t fisica_colisao_pegarSegundoCorpo(uint32_t colisao)
{
    _fisica_colisao* r = FISICA_colisao(colisao);
    return r ? r->entidade2 : 0;
}

uint32_t fisica_colisao_pegarOutroCorpo(uint32_t colisao, uint32_t corpo)
{
    _fisica_colisao* r = FISICA_colisao(colisao);
    if (!r) return 0;
    if (corpo == r->entidade1) return r->entidade2;
    if (corpo == r->entidade2) return r->entidade1;
    return 0;
}

uint32_t fisica_colisao_pegarFigura(uint32_t colisao, uint32_t corpo)
{
    _fisica_colisao* r = FISICA_colisao(colisao);
    if (!r) return 0;
    if (corpo == r->entidade1) return r->figura1;
    if (corpo == r->entidade2) return r->figura2;
    return 0;
}

int32_t fisica_colisao_pegarX(uint32_t colisao, uint32_t corpo)
{
    _fisica_colisao* r = FISICA_colisao(colisao);
    if (!r) return 0;
    if (corpo == r->entidade1) return r->x1;
    if (corpo == r->entidade2) return r->x2;
    return 0;
}

int32_t fisica_colisao_pegarY(uint32_t colisao, uint32_t corpo)
{
    _fisica_colisao* r = FISICA_colisao(colisao);
    if (!r) return 0;
    if (corpo == r->entidade1) return r->y1;
    if (corpo == r->entidade2) return r->y2;
    return 0;
}

int32_t fisica_colisao_pegarAngulo(uint32_t colisao, uint32_t corpo)
{
    _fisica_colisao* r = FISICA_colisao(colisao);
    if (!r) return 0;
    return corpo == r->entidade1 ? r->angulo : (r->angulo + 1800) % 3600;
}

// Negation wraps: INT32_MIN stays itself instead of overflowing.
static int32_t FISICA_negar(int32_t v) { return (int32_t)(0u - (uint32_t)v); }

int32_t fisica_colisao_pegarImpactoX(uint32_t colisao, uint32_t corpo)
{
    _fisica_colisao* r = FISICA_colisao(colisao);
    if (!r) return 0;
    return corpo == r->entidade1 ? r->impactoX : FISICA_negar(r->impactoX);
}

int32_t fisica_colisao_pegarImpactoY(uint32_t colisao, uint32_t corpo)
{
    _fisica_colisao* r = FISICA_colisao(colisao);
    if (!r) return 0;
    return corpo == r->entidade1 ? r->impactoY : FISICA_negar(r->impactoY);
}

char fisica_colisao_pegarCancelada(uint32_t colisao)
{
    _fisica_colisao* r = FISICA_colisao(colisao);
    return r ? r->cancelada : 'N';
}

const char* fisica_colisao_mudarCancelada(uint32_t colisao, char c)
{
    _fisica_colisao* r = FISICA_colisao(colisao);
    if (!r) return "Colisao invalida ao mudar cancelada";
    r->cancelada = c;
    return nullptr;
}

char fisica_colisao_comFigura(uint32_t colisao, uint32_t corpo, uint32_t figura)
{
    _fisica_colisao* r = FISICA_colisao(colisao);
    if (!r) return 'N';
    if (corpo == r->entidade1 && figura == r->figura1) return 'S';
    if (corpo == r->entidade2 && figura == r->figura2) return 'S';
    if (figura == 0 && corpo != 0 && (corpo == r->entidade1 || corpo == r->entidade2)) return 'S';
    if (corpo == 0 && figura != 0 && (figura == r->figura1 || figura == r->figura2)) return 'S';
    return 'N';
}

// Between the two bodies, in either order.
char fisica_colisao_entreCorpos(uint32_t colisao, uint32_t corpo1, uint32_t corpo2)
{
    _fisica_colisao* r = FISICA_colisao(colisao);
    if (!r) return 'N';
    if (r->entidade1 == corpo1 && r->entidade2 == corpo2) return 'S';
    if (r->entidade1 == corpo2 && r->entidade2 == corpo1) return 'S';
    return 'N';
}
