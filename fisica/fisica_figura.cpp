// Figures (rectangles, circles, lines, convex polygons), their attachments
// to bodies and the three figure properties.
#include "fisica/fisica_interno.h"

#include <cstdlib>

static const char ERRO_FIGURA[] = "Figura invalida";

_fisica_figura* fisica_figura(uint32_t figura)
{
    return (_fisica_figura*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_FISICA, fisicaFiguras, figura);
}

static _fisica_figuraAnexada* FISICA_anexo(const _fisica_figura* f, uint32_t posicao)
{
    return (_fisica_figuraAnexada*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_FISICA, f->anexos, posicao);
}

static btCompoundShape* FISICA_compostaDe(uint32_t entidade)
{
    _fisica_corpo* c = fisica_corpo(entidade);
    return c ? (btCompoundShape*)c->corpo->getCollisionShape() : nullptr;
}

// The box of a shape under the identity transform.
static void FISICA_caixa(const btConvexShape* forma, btVector3& min, btVector3& max)
{
    btTransform identidade;
    identidade.setIdentity();
    forma->getAabb(identidade, min, max);
}

// ------------------------------------------------------------ creation

// Stores a new figure record around forma; on failure logs erro, releases
// both and returns 0.
static uint32_t FISICA_guardarFigura(int32_t tipo, btConvexShape* forma, const char* erro)
{
    _fisica_figura* f = (_fisica_figura*)calloc(1, sizeof(_fisica_figura));
    uint32_t id = f ? engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_FISICA, fisicaFiguras, f) : 0;
    if (id == 0) {
        FISICA_logar(erro, -1);
        free(f);
        delete forma;
        return 0;
    }
    f->tipo = tipo;
    f->forma = forma;
    f->densidade = 1000;
    f->atrito = 500;
    f->amortecimento = 500;
    f->anexos = engine_criarVetorPonteiro(ENGINE_MODULO_FISICA);
    return id;
}

uint32_t fisica_criarRetangulo(int32_t largura, int32_t altura)
{
    if (largura < 1 || altura < 1) {
        FISICA_logar("Dimensoes incorretas ao criar quadrilatero", -1);
        return 0;
    }
    btBoxShape* forma = new btBoxShape(btVector3((btScalar)largura * 0.05f, (btScalar)altura * 0.05f, 5));
    return FISICA_guardarFigura(FISICA_RETANGULO, forma, "Erro ao criar quadrilatero");
}

uint32_t fisica_criarCirculo(uint32_t raio)
{
    if (raio == 0) {
        FISICA_logar("Raio incorreto ao criar circulo", -1);
        return 4294967295u;
    }
    btSphereShape* forma = new btSphereShape((btScalar)raio * 0.1f);
    return FISICA_guardarFigura(FISICA_CIRCULO, forma, "Erro ao criar circulo");
}

uint32_t fisica_criarPoligono()
{
    return FISICA_guardarFigura(FISICA_POLIGONO, new btConvexHullShape(), "Erro ao criar poligono");
}

// The segment from end 1 to end 2, lengthened by one world unit beyond each
// end along x and thickened to one unit on each side along y. Both ends at
// the same x leave no direction along x: that line becomes the thin box one
// unit around the segment.
uint32_t fisica_criarLinha(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    btScalar ax = (btScalar)x1 * 0.1f, ay = (btScalar)y1 * 0.1f;
    btScalar bx = (btScalar)x2 * 0.1f, by = (btScalar)y2 * 0.1f;
    btVector3 pontos[4];
    if (x1 == x2) {
        btScalar cima = btMin(ay, by) - 1, baixo = btMax(ay, by) + 1;
        pontos[0] = btVector3(ax - 1, cima, 0);
        pontos[1] = btVector3(ax + 1, cima, 0);
        pontos[2] = btVector3(ax + 1, baixo, 0);
        pontos[3] = btVector3(ax - 1, baixo, 0);
    } else {
        // The difference of the integers: far from the origin two x that
        // differ can be the same float, and 0 / 0 would make NaN points.
        btScalar d = (btScalar)((int64_t)x1 - x2) * 0.1f;
        btScalar s = d / btSqrt(d * d);
        pontos[0] = btVector3(ax + s, ay - s, 0);
        pontos[1] = btVector3(ax + s, ay + s, 0);
        pontos[2] = btVector3(bx - s, by + s, 0);
        pontos[3] = btVector3(bx - s, by - s, 0);
    }
    btConvexHullShape* forma = new btConvexHullShape(&pontos[0].x(), 4, sizeof(btVector3));
    return FISICA_guardarFigura(FISICA_LINHA, forma, "Erro ao criar linha");
}

// ------------------------------------------------------------ attachments

// A new wrapper for the attachment, placed in its body's compound at the
// offset times the compound's scaling.
static void FISICA_colocarEnvoltorio(_fisica_figura* f, _fisica_figuraAnexada* a, btCompoundShape* composta,
                                     bool naOrigem)
{
    btTransform t;
    t.setIdentity();
    if (!naOrigem) {
        btVector3 s = composta->getLocalScaling();
        t.setOrigin(btVector3(a->deslocamentoX * s.x(), a->deslocamentoY * s.y(), 0));
    }
    a->forma2d = new btConvex2dShape(f->forma);
    a->forma2d->setUserPointer(a);
    composta->addChildShape(t, a->forma2d);
    FISICA_marcarReinsercao(a->entidade);
}

const char* fisica_poligono_adicionarPonto(uint32_t figura, int32_t x, int32_t y)
{
    if (!FISICA_figuraExistira(figura)) return ERRO_FIGURA;
    _fisica_figura* f = fisica_figura(figura);
    if (f->tipo != FISICA_POLIGONO) return "Figura nao e poligono";
    if (fisicaTravado == 'S') {
        FISICA_adiar(FISICA_PENDENTE_ADICIONAR_PONTO, 0, figura, x, y, 0);
        return nullptr;
    }
    ((btConvexHullShape*)f->forma)->addPoint(btVector3((btScalar)x * 0.1f, (btScalar)y * 0.1f, 0));
    // Every body that carries the polygon gets a fresh wrapper around the
    // grown hull; masses stay as they are.
    uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, f->anexos);
    for (uint32_t i = n; i >= 1; i--) {
        _fisica_figuraAnexada* a = FISICA_anexo(f, i);
        btCompoundShape* composta = a ? FISICA_compostaDe(a->entidade) : nullptr;
        if (!composta) continue;
        composta->removeChildShape(a->forma2d);
        delete a->forma2d;
        FISICA_colocarEnvoltorio(f, a, composta, false);
    }
    return nullptr;
}

const char* fisica_anexarFigura(uint32_t entidade, uint32_t figura, int32_t x, int32_t y)
{
    if (!FISICA_corpoExistira(entidade)) return "Corpo nao encontrado";
    if (!FISICA_figuraExistira(figura)) return "Figura nao encontrada";
    if (fisicaTravado == 'S') {
        FISICA_adiar(FISICA_PENDENTE_ANEXAR, entidade, figura, x, y, 0);
        return nullptr;
    }
    _fisica_figura* f = fisica_figura(figura);
    _fisica_figuraAnexada* a = (_fisica_figuraAnexada*)calloc(1, sizeof(_fisica_figuraAnexada));
    if (!a || engine_vetorPonteiro_adicionarPonteiro(ENGINE_MODULO_FISICA, f->anexos, a) == 0) {
        free(a);
        return "Erro ao anexar figura";
    }
    a->figura = figura;
    a->entidade = entidade;
    a->atrito = f->atrito;
    a->amortecimento = f->amortecimento;
    btCompoundShape* composta = FISICA_compostaDe(entidade);
    if (f->tipo == FISICA_POLIGONO) {
        // The vertices are already in the body's frame: the child sits at the
        // origin and the offset is only kept for a later rescale.
        a->deslocamentoX = (btScalar)x * 0.1f;
        a->deslocamentoY = (btScalar)y * 0.1f;
        FISICA_colocarEnvoltorio(f, a, composta, true);
    } else {
        // (x, y) is the top-left corner of the figure's box.
        btVector3 min, max;
        FISICA_caixa(f->forma, min, max);
        a->deslocamentoX = (btScalar)x * 0.1f + (max.x() - min.x()) * 0.5f;
        a->deslocamentoY = (btScalar)y * 0.1f + (max.y() - min.y()) * 0.5f;
        FISICA_colocarEnvoltorio(f, a, composta, false);
    }

    btVector3 centro;
    btScalar raio;
    f->forma->getBoundingSphere(centro, raio);
    int32_t acrescimo = FISICA_multiplicar32(FISICA_truncar(raio), f->densidade);
    FISICA_mudarMassa(entidade, FISICA_somar32(fisica_corpo(entidade)->massa, acrescimo));
    return nullptr;
}

// Takes an attachment's wrapper out of its body and releases both; the
// body's mass stays.
static void FISICA_desfazerAnexo(_fisica_figura* f, uint32_t posicao)
{
    _fisica_figuraAnexada* a = FISICA_anexo(f, posicao);
    btCompoundShape* composta = FISICA_compostaDe(a->entidade);
    if (composta) composta->removeChildShape(a->forma2d);
    FISICA_marcarReinsercao(a->entidade);
    delete a->forma2d;
    engine_vetorPonteiro_removerPonteiro(ENGINE_MODULO_FISICA, f->anexos, posicao);
}

const char* fisica_removerFiguraAnexada(uint32_t entidade, uint32_t figura)
{
    if (!FISICA_corpoExistira(entidade)) return "Entidade invalida";
    if (!FISICA_figuraExistira(figura)) return ERRO_FIGURA;
    if (fisicaTravado == 'S') {
        FISICA_adiar(FISICA_PENDENTE_REMOVER_ANEXO, entidade, figura, 0, 0, 0);
        return nullptr;
    }
    _fisica_figura* f = fisica_figura(figura);
    uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, f->anexos);
    for (uint32_t i = n; i >= 1; i--) {
        _fisica_figuraAnexada* a = FISICA_anexo(f, i);
        if (a && a->entidade == entidade) {
            FISICA_desfazerAnexo(f, i);
            return nullptr;
        }
    }
    return "Figura anexada invalida";
}

// A figure still attached somewhere is detached from every body first, so
// that no compound keeps a wrapper around the deleted shape.
const char* fisica_destruirFigura(uint32_t figura)
{
    if (!FISICA_figuraExistira(figura)) return ERRO_FIGURA;
    if (fisicaTravado == 'S') {
        FISICA_adiar(FISICA_PENDENTE_DESTRUIR_FIGURA, 0, figura, 0, 0, 0);
        return nullptr;
    }
    _fisica_figura* f = fisica_figura(figura);
    for (uint32_t i = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, f->anexos); i >= 1; i--)
        FISICA_desfazerAnexo(f, i);
    delete f->forma;
    engine_destruirVetorPonteiro(ENGINE_MODULO_FISICA, f->anexos);
    const char* erro = engine_vetorPersistente_removerPosicao(ENGINE_MODULO_FISICA, fisicaFiguras, figura);
    // The same for a figure made later under this id.
    engine_esquecerInstancia(ENGINE_MODULO_FISICA, 2, figura);
    return erro;
}

void FISICA_liberarFiguras()
{
    uint32_t n = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_FISICA, fisicaFiguras);
    for (uint32_t i = n; i >= 1; i--)
        if (fisica_figura(i)) fisica_destruirFigura(i);
    engine_destruirVetorPersistente(ENGINE_MODULO_FISICA, fisicaFiguras);
    fisicaFiguras = 0;
}

// ------------------------------------------------------------ properties

_engine_valor FISICA_figura_pegarDensidade(uint32_t figura)
{
    _fisica_figura* f = fisica_figura(figura);
    return f ? f->densidade : 0;
}

_engine_valor FISICA_figura_pegarAtrito(uint32_t figura)
{
    _fisica_figura* f = fisica_figura(figura);
    return f ? f->atrito : 0;
}

_engine_valor FISICA_figura_pegarAmortecimento(uint32_t figura)
{
    _fisica_figura* f = fisica_figura(figura);
    return f ? f->amortecimento : 0;
}

// Attaching adds bounding radius x density to a body's mass; a change of
// density adds area x 100 x the change to every body that carries it.
const char* FISICA_figura_mudarDensidade(uint32_t figura, _engine_valor v)
{
    if (!FISICA_figuraExistira(figura)) return ERRO_FIGURA;
    int32_t valor = FISICA_valor32(v);
    if (valor < 0) return "Densidade negativa";
    if (fisicaTravado == 'S') {
        FISICA_adiar(FISICA_PENDENTE_DENSIDADE, 0, figura, 0, 0, v);
        return nullptr;
    }
    _fisica_figura* f = fisica_figura(figura);
    if (valor == f->densidade) return nullptr;
    int32_t antiga = f->densidade;
    f->densidade = valor;
    uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, f->anexos);
    if (n == 0) return nullptr;
    btVector3 min, max;
    FISICA_caixa(f->forma, min, max);
    int64_t area = FISICA_truncar((double)((max.x() - min.x()) * (max.y() - min.y())) * 100.0);
    int64_t acrescimo = area * ((int64_t)valor - antiga);
    for (uint32_t i = 1; i <= n; i++) {
        _fisica_figuraAnexada* a = FISICA_anexo(f, i);
        _fisica_corpo* c = a ? fisica_corpo(a->entidade) : nullptr;
        if (c) FISICA_mudarMassa(a->entidade, FISICA_somar32(c->massa, acrescimo));
    }
    return nullptr;
}

const char* FISICA_figura_mudarAtrito(uint32_t figura, _engine_valor v)
{
    _fisica_figura* f = fisica_figura(figura);
    if (!f) return ERRO_FIGURA;
    int32_t valor = FISICA_valor32(v);
    if (valor < 0) return "Atrito negativo";
    f->atrito = valor;
    for (uint32_t i = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, f->anexos); i >= 1; i--)
        if (_fisica_figuraAnexada* a = FISICA_anexo(f, i)) a->atrito = valor;
    return nullptr;
}

const char* FISICA_figura_mudarAmortecimento(uint32_t figura, _engine_valor v)
{
    _fisica_figura* f = fisica_figura(figura);
    if (!f) return ERRO_FIGURA;
    int32_t valor = FISICA_valor32(v);
    if (valor < 0 || valor > 1000) return "Amortecimento fora da faixa de 0 a 100%";
    f->amortecimento = valor;
    for (uint32_t i = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, f->anexos); i >= 1; i--)
        if (_fisica_figuraAnexada* a = FISICA_anexo(f, i)) a->amortecimento = valor;
    return nullptr;
}

void FISICA_registrarPropriedadesFigura()
{
    engine_registrarPropriedade(ENGINE_MODULO_FISICA, 2, FISICA_FIGURA_DENSIDADE, FISICA_figura_pegarDensidade,
                                FISICA_figura_mudarDensidade, 'S');
    engine_registrarPropriedade(ENGINE_MODULO_FISICA, 2, FISICA_FIGURA_ATRITO, FISICA_figura_pegarAtrito,
                                FISICA_figura_mudarAtrito, 'S');
    engine_registrarPropriedade(ENGINE_MODULO_FISICA, 2, FISICA_FIGURA_AMORTECIMENTO,
                                FISICA_figura_pegarAmortecimento, FISICA_figura_mudarAmortecimento, 'S');
}
