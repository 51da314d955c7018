// Links: chains of copies of a print stretched between two bodies, in
// pieces of a fixed length from the first body toward the second (the last
// one cut to what is left) or in a fixed number of pieces that share the
// distance. A link makes and destroys its pieces as the count it needs
// changes, and draws them through the drawing of a print.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "fisica/fisica.h"
#include "video/video_interno.h"

const char VIDEO_ERRO_LIGACAO[] = "Ligacao invalida";
static const char ERRO_FORMA[] = "Forma de preenchimento invalida";
static const char ERRO_ENTIDADES[] = "Entidades da ligacao invalidas";
static const char ERRO_BASE[] = "Impressao base de ligacao invalida";

_video_ligacao* VIDEO_pegarLigacao(uint32_t handle)
{
    return (_video_ligacao*)engine_vetorPersistente_pegarPonteiro(ENGINE_MODULO_VIDEO, videoLigacoes, handle);
}

static int32_t VIDEO_ligacao_saturar(int64_t v)
{
    return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : (int32_t)v;
}

static int32_t VIDEO_ligacao_truncar(float v)
{
    if (!(v == v)) return 0;
    if (v >= 2147483647.0f) return INT32_MAX;
    if (v <= -2147483648.0f) return INT32_MIN;
    return (int32_t)v;
}

uint32_t video_criarLigacao(uint32_t entidadeA, uint32_t entidadeB, uint32_t base)
{
    if (!videoIniciado || !VIDEO_pegarImpressao(base)) return 0;
    if (fisica_existeCorpo(entidadeA) != 'S' || fisica_existeCorpo(entidadeB) != 'S') return 0;
    _video_camada* camada = VIDEO_pegarCamada(VIDEO_CAMADA_INICIAL);
    if (!camada) return 0;
    _video_ligacao* l = (_video_ligacao*)calloc(1, sizeof(_video_ligacao));
    const uint32_t copias = l ? engine_criarVetorInteiro(ENGINE_MODULO_VIDEO) : 0;
    const uint32_t handle =
        copias ? engine_vetorPersistente_adicionarPonteiro(ENGINE_MODULO_VIDEO, videoLigacoes, l) : 0;
    if (handle == 0) {
        if (copias) engine_destruirVetorInteiro(ENGINE_MODULO_VIDEO, copias);
        free(l);
        VIDEO_soltarCamadaSeVazia(camada);
        return 0;
    }
    if (engine_vetorInteiro_adicionarNumero(ENGINE_MODULO_VIDEO, camada->ligacoes, (int32_t)handle) == 0) {
        engine_destruirVetorInteiro(ENGINE_MODULO_VIDEO, copias);
        engine_vetorPersistente_removerPosicao(ENGINE_MODULO_VIDEO, videoLigacoes, handle);  // frees l
        VIDEO_soltarCamadaSeVazia(camada);
        return 0;
    }
    l->camada = VIDEO_CAMADA_INICIAL;
    l->entidadeA = entidadeA;
    l->entidadeB = entidadeB;
    l->base = base;
    l->copias = copias;
    l->FormaPreenchimento = 1;
    l->ValorPreenchimento = 1;
    l->identificador = handle;
    VIDEO_impressao_ganharUso(VIDEO_pegarImpressao(base));
    return handle;
}

const char* video_ligacao_mudarPreenchimento(uint32_t ligacao, int32_t forma, uint32_t valor)
{
    _video_ligacao* l = VIDEO_pegarLigacao(ligacao);
    if (!l) return VIDEO_ERRO_LIGACAO;
    if ((uint32_t)forma > 1) return ERRO_FORMA;
    l->FormaPreenchimento = forma;
    l->ValorPreenchimento = valor;
    return nullptr;
}

int32_t video_ligacao_pegarFormaPreenchimento(uint32_t ligacao)
{
    _video_ligacao* l = VIDEO_pegarLigacao(ligacao);
    return l ? l->FormaPreenchimento : 0;
}

uint32_t video_ligacao_pegarValorPreenchimento(uint32_t ligacao)
{
    _video_ligacao* l = VIDEO_pegarLigacao(ligacao);
    return l ? l->ValorPreenchimento : 0;
}

uint32_t video_ligacao_pegarImpressao(uint32_t ligacao)
{
    _video_ligacao* l = VIDEO_pegarLigacao(ligacao);
    return l ? l->base : 0;
}

// Destroys pieces from the last until `n` are left. A piece that cannot be
// destroyed (something uses it as its base) stays as a print of its own in
// the link's layer; either way it leaves the list, so this always ends.
static void VIDEO_ligacao_cortarPecas(uint32_t handle, uint32_t n)
{
    for (;;) {
        _video_ligacao* l = VIDEO_pegarLigacao(handle);
        if (!l) return;
        const uint32_t tamanho = engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, l->copias);
        if (tamanho <= n) return;
        const uint32_t peca = (uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, l->copias, tamanho);
        _video_impressao* p = VIDEO_pegarImpressao(peca);
        if (p && p->ligacao == handle && video_destruirImpressao(peca) != nullptr) {
            VIDEO_impressao_soltarDoDono(p);
            VIDEO_impressao_arquivar(p);
        }
        if ((l = VIDEO_pegarLigacao(handle)) == nullptr) return;
        if (engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, l->copias) == tamanho)
            engine_vetorInteiro_removerNumero(ENGINE_MODULO_VIDEO, l->copias, tamanho);
    }
}

const char* video_ligacao_mudarImpressao(uint32_t ligacao, uint32_t impressao)
{
    _video_ligacao* l = VIDEO_pegarLigacao(ligacao);
    if (!l) return VIDEO_ERRO_LIGACAO;
    _video_impressao* nova = VIDEO_pegarImpressao(impressao);
    if (!nova) return VIDEO_ERRO_IMPRESSAO;
    if (impressao == l->base) return nullptr;
    VIDEO_impressao_ganharUso(nova);
    VIDEO_impressao_perderUso(l->base);
    l->base = impressao;
    VIDEO_ligacao_cortarPecas(ligacao, 0);
    return nullptr;
}

const char* video_destruirLigacao(uint32_t ligacao)
{
    if (!VIDEO_pegarLigacao(ligacao)) return nullptr;
    VIDEO_ligacao_cortarPecas(ligacao, 0);
    _video_ligacao* l = VIDEO_pegarLigacao(ligacao);
    if (!l) return nullptr;
    engine_destruirVetorInteiro(ENGINE_MODULO_VIDEO, l->copias);
    VIDEO_impressao_perderUso(l->base);
    _video_camada* camada = VIDEO_acharCamada(l->camada);
    if (camada) {
        for (uint32_t i = engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, camada->ligacoes); i >= 1; i--) {
            if ((uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, camada->ligacoes, i) == ligacao) {
                engine_vetorInteiro_removerNumero(ENGINE_MODULO_VIDEO, camada->ligacoes, i);
                break;
            }
        }
        VIDEO_soltarCamadaSeVazia(camada);
    }
    return engine_vetorPersistente_removerPosicao(ENGINE_MODULO_VIDEO, videoLigacoes, ligacao);
}

// ---------------------------------------------------------------- drawing

void VIDEO_ligacao_medir(const _video_ligacao* l, int32_t xA, int32_t yA, int32_t xB, int32_t yB,
                         _video_ligacaoMedida* m)
{
    memset(m, 0, sizeof(*m));
    const int64_t dx = (int64_t)xB - xA, dy = (int64_t)yB - yA;
    const float theta = dx != 0 ? std::atan((float)dy / (float)dx) : dy < 0 ? 4.712389f : 1.5707964f;
    int64_t n = 0;
    if (l->FormaPreenchimento == 0) {
        // Pieces of L pixels; none when L is 0 or the bodies are at one point.
        const uint32_t L = l->ValorPreenchimento;
        const float comprimento = (float)L * 10.0f;
        int32_t gx = dx == 0 ? 0 : VIDEO_ligacao_truncar(comprimento * std::cos(theta));
        int32_t gy = dy == 0 ? 0 : VIDEO_ligacao_truncar(comprimento * std::sin(theta));
        if (dx < 0) {
            gx = VIDEO_ligacao_saturar(-(int64_t)gx);
            gy = VIDEO_ligacao_saturar(-(int64_t)gy);
        }
        if (L != 0) {
            if (gx != 0 && std::llabs(gx) > std::llabs(gy))
                n = std::llabs((gx + dx - 1) / gx);
            else if (gy != 0)
                n = std::llabs((gy + dy - 1) / gy);
        }
        m->gx = gx;
        m->gy = gy;
        if (n > 0) {
            const uint64_t D = (uint64_t)std::sqrt((double)dx * (double)dx + (double)dy * (double)dy);
            const uint64_t resto = D % ((uint64_t)L * 10);
            m->corte = resto == 0 ? 1 : (int32_t)std::min<uint64_t>(resto, INT32_MAX);
        }
    } else {
        // n pieces, each as long as one step; none when n is 0.
        n = std::min<int64_t>(l->ValorPreenchimento, VIDEO_LIGACAO_PECAS);
        if (n > 0) {
            m->gx = VIDEO_ligacao_saturar(dx / n);
            m->gy = VIDEO_ligacao_saturar(dy / n);
            const double passo = std::sqrt((double)m->gx * m->gx + (double)m->gy * m->gy);
            m->alturaFixa = VIDEO_ligacao_saturar((int64_t)passo);
        }
    }
    m->n = (uint32_t)std::min<int64_t>(n, VIDEO_LIGACAO_PECAS);
    // Each piece turned so that its height runs from A toward B, its top at
    // A's end; bodies at one point leave the pieces unturned.
    if (dx != 0 || dy != 0) {
        const float alfa = (float)((double)theta * 57.29577951308232) + (dx < 0 ? 180.0f : 0.0f);
        m->rotacao = VIDEO_ligacao_truncar((alfa + 90.0f) * 10.0f) + 1800;
    }
}

void VIDEO_ligacao_posicionarPeca(const _video_ligacaoMedida* m, int32_t xA, int32_t yA, uint32_t i, int32_t* x,
                                  int32_t* y, int32_t* rotacao, int32_t* corte)
{
    *x = VIDEO_ligacao_saturar(xA + (int64_t)(i - 1) * m->gx);
    *y = VIDEO_ligacao_saturar(yA + (int64_t)(i - 1) * m->gy);
    const bool ultima = i == m->n;
    *rotacao = ultima ? m->rotacao % 3600 : m->rotacao;
    *corte = ultima ? m->corte : 0;
}

static int32_t VIDEO_ligacao_lerCorpo(uint32_t corpo, uint32_t propriedade)
{
    return (int32_t)engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, propriedade, corpo, nullptr);
}

const char* VIDEO_desenharLigacao(_video_ligacao* l, uint32_t d)
{
    if (!l) return VIDEO_ERRO_LIGACAO;
    const uint32_t handle = l->identificador, a = l->entidadeA, b = l->entidadeB;
    if (fisica_existeCorpo(a) != 'S' || fisica_existeCorpo(b) != 'S') return ERRO_ENTIDADES;
    if (!VIDEO_pegarImpressao(l->base)) return ERRO_BASE;
    const int32_t xA = VIDEO_ligacao_lerCorpo(a, 1), yA = VIDEO_ligacao_lerCorpo(a, 2);
    const int32_t xB = VIDEO_ligacao_lerCorpo(b, 1), yB = VIDEO_ligacao_lerCorpo(b, 2);
    if ((l = VIDEO_pegarLigacao(handle)) == nullptr) return VIDEO_ERRO_LIGACAO;
    _video_ligacaoMedida m;
    VIDEO_ligacao_medir(l, xA, yA, xB, yB, &m);

    // As many pieces as the chain needs: the extra ones from the end, new
    // ones copied from the base. A copy that fails leaves the chain short
    // this frame.
    VIDEO_ligacao_cortarPecas(handle, m.n);
    while ((l = VIDEO_pegarLigacao(handle)) != nullptr &&
           engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, l->copias) < m.n) {
        const uint32_t copia = video_copiarImpressao(l->base);
        _video_impressao* c = VIDEO_pegarImpressao(copia);
        if (!c) break;
        if ((l = VIDEO_pegarLigacao(handle)) == nullptr ||
            engine_vetorInteiro_adicionarNumero(ENGINE_MODULO_VIDEO, l->copias, (int32_t)copia) == 0) {
            VIDEO_destruirDeVez(copia);
            break;
        }
        // The piece stands where the bodies are: it is drawn through the
        // cameras like a print on A.
        c->ligacao = handle;
        c->entidade = (int32_t)l->entidadeA;
    }
    if (m.n == 0) return nullptr;

    const int32_t xA0 = VIDEO_ligacao_lerCorpo(a, 1), yA0 = VIDEO_ligacao_lerCorpo(a, 2);
    for (uint32_t i = 1; i <= m.n; i++) {
        if ((l = VIDEO_pegarLigacao(handle)) == nullptr) break;
        if (i > engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, l->copias)) break;
        _video_impressao* p =
            VIDEO_pegarImpressao((uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, l->copias, i));
        if (!p) continue;
        int32_t x, y, rotacao, corte;
        VIDEO_ligacao_posicionarPeca(&m, xA0, yA0, i, &x, &y, &rotacao, &corte);
        VIDEO_desenharImpressao(p, x, y, rotacao, 1000, 1000, m.alturaFixa, corte, d);
    }
    return nullptr;
}
