// Freed ids start clean: for each kind of record whose properties the
// engine knows, an instance is bound to an expression, read by another one
// and driven by a running timeline; the record is destroyed and a new one
// gets the same id. The new record reads its own value, what read the old
// one does not follow it, and no timeline moves it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "audio/audio.h"
#include "engine/dados.h"
#include "engine/engine.h"
#include "fisica/fisica.h"
#include "video/video.h"

const char* conteudo_registrar_entidades() { return nullptr; }

namespace {

struct Caso {
    std::string nome;
    uint32_t modulo, modelo;
    uint32_t ligada;    // the property bound to an expression
    uint32_t animada;   // the property a timeline drives; 0 when the model has no timelines
    std::function<uint32_t()> criarVelho, criarNovo;  // the new record gets the old one's id
    std::function<void(uint32_t)> destruir;
    _engine_valor proprioLigada, proprioAnimada;  // the new record's own values
    std::function<void()> quadro;                   // advances the module's clock and timelines
};

_engine_valor ler(const Caso& c, uint32_t p, uint32_t id)
{
    return engine_propriedade_pegarValor(c.modulo, c.modelo, p, id, nullptr);
}

TEST(InstanciasLiberadas, RegistroNovoComOMesmoIdComecaLimpo)
{
    const Caso casos[] = {
        {"corpo", 2, 1, FISICA_X, FISICA_Y, [] { return fisica_criarCorpo(5, 100, 200); },
         [] { return fisica_criarCorpo(5, 3000, 4000); }, [](uint32_t id) { fisica_destruirCorpo(id); }, 3000, 4000,
         [] { fisica_atualizar(17); }},
        {"figura", 2, 2, FISICA_FIGURA_ATRITO, FISICA_FIGURA_AMORTECIMENTO, [] { return fisica_criarRetangulo(100, 100); },
         [] { return fisica_criarRetangulo(300, 300); }, [](uint32_t id) { fisica_destruirFigura(id); }, 500, 500,
         [] { fisica_atualizar(17); }},
        {"variavel", 6, 1, 1, 1, [] { return dados_variavel_pegarPosicao(0, "velha"); },
         [] {
             uint32_t id = dados_variavel_pegarPosicao(0, "nova");
             dados_mudarVariavel(0, "nova", 5, 0);
             return id;
         },
         [](uint32_t) { dados_destruirVariavel(0, "velha", 0); }, 5, 5, [] { dados_atualizar(17); }},
        {"numero aleatorio", 6, 2, 1, 0, [] { return dados_criarNumeroAleatorio(7, 7); },
         [] { return dados_criarNumeroAleatorio(3, 3); }, [](uint32_t id) { dados_destruirNumeroAleatorio(id); }, 3, 3,
         [] { dados_atualizar(17); }},
        {"camera", 3, 3, 1, 3, [] { return video_criarCamera(); },
         [] {
             uint32_t id = video_criarCamera();
             video_camera_mudarX(id, 300);
             return id;
         },
         [](uint32_t id) { video_destruirCamera(id); }, 300, 1000, [] { video_atualizar(17); }},
        {"referencia", 3, 2, 1, 0, [] { return video_criarReferencia(5); },
         [] {
             uint32_t id = video_criarReferencia(5);
             video_referencia_mudarMargemEsq(id, 4);
             return id;
         },
         [](uint32_t id) { video_destruirReferencia(id); }, 4, 4, [] { video_atualizar(17); }},
        {"lista de som", 4, 2, 4, 1, [] { return audio_criarLista(); },
         [] {
             uint32_t id = audio_criarLista();
             engine_propriedade_mudarValor(4, 2, 4, id, 40);
             return id;
         },
         [](uint32_t id) { audio_destruirLista(id); }, 40, 1000, [] { audio_atualizar(17); }},
    };
    // One world for every case: the data module keeps its variables' names
    // for the life of the process.
    engine_iniciar(true);
    ASSERT_EQ(fisica_iniciar('N', 1000), 1);
    ASSERT_EQ(dados_iniciar('N'), nullptr);
    // No window: the video module lays out its cameras and runs their
    // timelines all the same.
    ASSERT_EQ(video_iniciar('N', 'N', 'S', nullptr), nullptr);
    ASSERT_EQ(audio_iniciar('N'), 1);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        // A spare variable that reads the record through an expression.
        uint32_t leitor = dados_variavel_pegarPosicao(0, ("leitor de " + c.nome).c_str());

        uint32_t id = c.criarVelho();
        ASSERT_NE(id, 0u);
        ASSERT_EQ(engine_propriedade_mudarRecurso(c.modulo, c.modelo, c.ligada, id, engine_criarOperacao(77, 10, 0)),
                  nullptr);
        uint32_t referencia = engine_criarReferencia(c.modulo, c.modelo, c.ligada, id);
        ASSERT_EQ(engine_propriedade_mudarRecurso(6, 1, 1, leitor, engine_criarOperacao(referencia, 0, engine_criarOperacao(1, 10, 0))), nullptr);
        EXPECT_EQ(ler(c, c.ligada, id), 77);
        EXPECT_EQ(engine_propriedade_pegarValor(6, 1, 1, leitor, nullptr), 78);
        if (c.animada) {
            uint32_t linha = engine_criarConfig(c.modulo, c.modelo);
            engine_config_passarTempo(c.modulo, c.modelo, linha, 1000);
            engine_config_mudarPropriedadeContinua(c.modulo, c.modelo, linha, c.animada, 2000);
            ASSERT_NE(engine_config_aplicar(c.modulo, c.modelo, linha, id, 0), 0u);
            c.quadro();
            EXPECT_NE(ler(c, c.animada, id), c.proprioAnimada);
        }

        c.destruir(id);
        ASSERT_EQ(c.criarNovo(), id);
        EXPECT_EQ(ler(c, c.ligada, id), c.proprioLigada);
        for (int i = 0; i < 5; i++) c.quadro();
        EXPECT_EQ(ler(c, c.ligada, id), c.proprioLigada);
        if (c.animada) {
            EXPECT_EQ(ler(c, c.animada, id), c.proprioAnimada);
        }
        // What read the old record reads nothing now, not the new record.
        EXPECT_EQ(engine_propriedade_pegarValor(6, 1, 1, leitor, nullptr), 1);
    }
    audio_finalizar();
    video_finalizar();
    fisica_finalizar();
}

}  // namespace
