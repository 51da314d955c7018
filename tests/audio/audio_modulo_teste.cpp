// The audio module: its properties and functions, list timelines, the
// frame's placement of every list, and lists playing on real streams (into
// OpenAL's null device).
#include <SFML/Audio/Listener.hpp>
#include <SFML/System/Sleep.hpp>

#include "audio_apoio.h"
#include "engine/engine_interno.h"

namespace {

using apoio::ler;
using apoio::mudar;
using AudioModulo = apoio::Audio;

TEST_F(AudioModulo, PropriedadesDaListaComValoresIniciaisEErros)
{
    struct {
        uint32_t propriedade;
        _engine_valor inicial, escrito, lido;
        char imediata;
        const char* erro;  // the setter's answer for a missing list
    } const casos[] = {
        {1, 1000, -250, -250, 'S', "Lista invalida ao mudar volume"},  // stored unclamped
        {2, 1000, 1500, 1500, 'S', "Lista invalida ao mudar velocidade"},
        {3, 0, 7, 7, 'S', "Lista invalida ao mudar local"},
        {4, 0, -3000, -3000, 'N', "Lista invalida ao mudar local"},
        {5, 0, 4000, 4000, 'N', "Lista invalida ao mudar local"},
        {6, 0, 1000, 1000, 'N', "Lista invalida ao mudar volume"},
        {7, 0, 500, 500, 'N', "Lista invalida ao mudar volume"},
        {8, 0, 3, 0, 'S', "Lista invalida"},  // the action always reads 0
    };
    uint32_t lista = audio_criarLista();
    ASSERT_EQ(lista, 1u);
    for (const auto& c : casos) {
        EXPECT_EQ(ler(c.propriedade, lista), c.inicial) << c.propriedade;
        EXPECT_EQ(mudar(c.propriedade, lista, c.escrito), "") << c.propriedade;
        EXPECT_EQ(ler(c.propriedade, lista), c.lido) << c.propriedade;
        EXPECT_EQ(ler(c.propriedade, 9), 0) << c.propriedade;
        EXPECT_EQ(mudar(c.propriedade, 9, c.escrito), c.erro) << c.propriedade;
        _engine_propriedade* p = ENGINE_pegarPropriedade(ENGINE_MODULO_AUDIO, 2, c.propriedade);
        ASSERT_NE(p, nullptr) << c.propriedade;
        EXPECT_EQ(p->imediata, c.imediata) << c.propriedade;
    }
    EXPECT_EQ(ENGINE_pegarPropriedade(ENGINE_MODULO_AUDIO, 2, 9), nullptr);
    ASSERT_NE(ENGINE_pegarPropriedade(ENGINE_MODULO_AUDIO, 1, 1), nullptr);
    EXPECT_EQ(ENGINE_pegarPropriedade(ENGINE_MODULO_AUDIO, 1, 1)->imediata, 'S');
}

TEST_F(AudioModulo, VolumeGlobalFicaEntreZeroEMil)
{
    struct {
        int32_t escrito, lido;
    } const casos[] = {{1500, 1000}, {-5, 0}, {333, 333}, {1000, 1000}, {0, 0}, {999, 999}};
    for (const auto& c : casos) {
        EXPECT_EQ(mudar(1, 0, c.escrito, 1), "") << c.escrito;
        EXPECT_EQ(ler(1, 0, 1), c.lido) << c.escrito;
        EXPECT_FLOAT_EQ(sf::Listener::getGlobalVolume(), c.lido * 0.1f) << c.escrito;
        EXPECT_EQ(audio_mudarVolumeGlobal(c.escrito), 0);
        EXPECT_EQ(audio_pegarVolumeGlobal(), c.lido) << c.escrito;
    }
    audio_mudarVolumeGlobal(1000);
}

TEST_F(AudioModulo, AcoesForaDeUmATresNaoFazemNada)
{
    for (_engine_valor acao : {0, 4, -1, 1000}) {
        EXPECT_EQ(mudar(8, 9, acao), "") << acao;  // even without a list
    }
    for (_engine_valor acao : {1, 2, 3}) EXPECT_EQ(mudar(8, 9, acao), "Lista invalida") << acao;
    EXPECT_STREQ(audio_lista_reproduzir(9), "Lista invalida");
    EXPECT_STREQ(audio_lista_pausar(9), "Lista invalida");
    EXPECT_STREQ(audio_lista_parar(9), "Lista invalida");
    // A list without items accepts every action and stays silent.
    uint32_t lista = audio_criarLista();
    for (_engine_valor acao : {1, 2, 3}) EXPECT_EQ(mudar(8, lista, acao), "") << acao;
    EXPECT_EQ(AUDIO_pegarLista(lista)->getStatus(), sf::SoundSource::Stopped);
}

TEST_F(AudioModulo, PularParaValeParaOUltimoItem)
{
    EXPECT_STREQ(audio_lista_pularPara(9, 0, -1), "Lista invalida");
    uint32_t lista = audio_criarLista();
    EXPECT_STREQ(audio_lista_pularPara(lista, 0, -3), "Adicione um item antes de pular");
    EXPECT_STREQ(audio_lista_pularPara(lista, 0, 0), "Adicione um item antes de pular");
    EXPECT_EQ(audio_lista_adicionarItem(lista, "tom0.ogg", 0, 0), 0u);
    EXPECT_EQ(audio_lista_adicionarItem(lista, "tom1.ogg", 0, 0), 1u);
    sf::Lista* l = AUDIO_pegarLista(lista);
    EXPECT_STREQ(audio_lista_pularPara(lista, 0, -3), "Numero de pulos invalido");
    for (int32_t pulos : {-2, -1, 0, 5}) {
        EXPECT_EQ(audio_lista_pularPara(lista, 1, pulos), nullptr) << pulos;
        EXPECT_EQ(l->itens[1]->pulos, pulos);
        EXPECT_EQ(l->itens[1]->pularPara, 1u);
        EXPECT_EQ(l->itens[0]->pulos, 0);
    }
}

TEST_F(AudioModulo, AdicionarItemGuardaJanelaENomeProprio)
{
    uint32_t lista = audio_criarLista();
    char nome[] = "longo.ogg";
    EXPECT_EQ(audio_lista_adicionarItem(lista, nome, 2000, 12000), 0u);
    nome[0] = 'X';  // the item keeps its own copy
    EXPECT_EQ(audio_lista_adicionarItem(lista, "longo.ogg", 5000, 5000), 1u);
    EXPECT_EQ(audio_lista_adicionarItem(lista, "longo.ogg", 5000, 1000), 2u);
    sf::Lista* l = AUDIO_pegarLista(lista);
    ASSERT_EQ(l->quantidade, 3u);
    EXPECT_STREQ(l->itens[0]->nome, "longo.ogg");
    EXPECT_EQ(l->itens[0]->inicio, 2000);
    EXPECT_EQ(l->itens[0]->duracao, 10000);
    for (int i : {1, 2}) {
        EXPECT_EQ(l->itens[i]->inicio, 5000);
        EXPECT_EQ(l->itens[i]->duracao, 0);  // to the end of the file
    }
    EXPECT_FLOAT_EQ(l->getDuration().asSeconds(), 45.f);
}

TEST_F(AudioModulo, LinhasDoLogAoAdicionarItens)
{
    uint32_t lista = audio_criarLista();
    audioLog = 'S';
    apoio::CapturaErro captura;
    EXPECT_EQ(audio_lista_adicionarItem(lista, "tom0.ogg", 0, 3000), 0u);
    EXPECT_EQ(audio_lista_adicionarItem(lista, "nao existe.ogg", 10, -1), 0u);
    EXPECT_EQ(audio_lista_adicionarItem(lista, "estereo.ogg", 0, 0), 0u);
    EXPECT_EQ(audio_lista_adicionarItem(7, "tom0.ogg", 0, 0), 0u);
    EXPECT_EQ(audio_criarLista(), 2u);
    audioLog = 'N';
    EXPECT_EQ(captura.texto(),
              "AUDIO - Adicionando som na lista; Valor: 1\n"
              "AUDIO - tom0.ogg; Valor: 0\n"
              "AUDIO - ...at\xE9; Valor: 3000\n"
              "AUDIO - Som adicionado com sucesso como item numero; Valor: 0\n"
              "AUDIO - Adicionando som na lista; Valor: 1\n"
              "AUDIO - nao existe.ogg; Valor: 10\n"
              "AUDIO - ...at\xE9\n"
              "AUDIO - Erro: Som inexistente; Valor: 1\n"
              "AUDIO - Adicionando som na lista; Valor: 1\n"
              "AUDIO - estereo.ogg; Valor: 0\n"
              "AUDIO - ...at\xE9; Valor: 0\n"
              "AUDIO - Erro ao adicionar som; Valor: 1\n"
              "AUDIO - Adicionando som na lista; Valor: 7\n"
              "AUDIO - tom0.ogg; Valor: 0\n"
              "AUDIO - ...at\xE9; Valor: 0\n"
              "AUDIO - Erro: Lista inv\xE1lida; Valor: 7\n"
              "AUDIO - Criando lista\n"
              "AUDIO - Lista criada com sucesso com c\xF3" "digo; Valor: 2\n");
}

TEST(AudioModuloLog, LinhasDoInicioDoQuadroEDoFim)
{
    engine_iniciar(true);
    apoio::CapturaErro captura;
    EXPECT_EQ(audio_iniciar('S'), 1);
    EXPECT_EQ(audio_atualizar(16), 1);
    EXPECT_EQ(audio_atualizar(17), 1);
    uint32_t c = audio_configurarLista();
    audio_config_criarPonto(c, 0, -1);
    audio_config_passarTempo(c, 250);
    EXPECT_EQ(audio_finalizar(), 1);
    audioLog = 'N';
    EXPECT_EQ(captura.texto(),
              "AUDIO - Iniciando m\xF3" "dulo de audio\n"
              "AUDIO - M\xF3" "dulo de audio iniciado com sucesso\n"
              "AUDIO - Atualizando m\xF3" "dulo de audio com tempo atual; Valor: 16\n"
              "AUDIO - Modulo de audio atualizado com sucesso\n"
              "AUDIO - Atualizando m\xF3" "dulo de audio com tempo atual; Valor: 33\n"
              "AUDIO - Modulo de audio atualizado com sucesso\n"
              "AUDIO - Configurando lista\n"
              "AUDIO - Criando ponto para a configura\xE7\xE3" "o de lista; Valor: 1\n"
              "AUDIO - Passando; Valor: 250\n"
              "AUDIO - ...na configura\xE7\xE3" "o; Valor: 1\n"
              "AUDIO - Finalizando m\xF3" "dulo de audio\n");
}

// The source's volume in percent as the frame left it.
float volumeDaFonte(uint32_t lista)
{
    return AUDIO_pegarLista(lista)->getVolume();
}

TEST_F(AudioModulo, LinhaDoTempoMudaOVolumeEMorreComALista)
{
    uint32_t lista = audio_criarLista();
    uint32_t c = audio_configurarLista();
    EXPECT_EQ(audio_config_passarTempo(c, 1000), nullptr);
    EXPECT_EQ(audio_config_mudarVolume(c, 500), nullptr);
    EXPECT_EQ(audio_aplicarConfigLista(c, 9), 0u);
    uint32_t aplicacao = audio_aplicarConfigLista(c, lista);
    ASSERT_NE(aplicacao, 0u);
    // Another started on the list's id directly, as the game content does.
    uint32_t c2 = engine_criarConfig(ENGINE_MODULO_AUDIO, 2);
    engine_config_passarTempo(ENGINE_MODULO_AUDIO, 2, c2, 100);
    engine_config_mudarPropriedadeDiscreta(ENGINE_MODULO_AUDIO, 2, c2, 4, 70);
    engine_config_criarPonto(ENGINE_MODULO_AUDIO, 2, c2, 0, -1);
    uint32_t direta = engine_config_aplicar(ENGINE_MODULO_AUDIO, 2, c2, lista, 0);
    ASSERT_NE(direta, 0u);
    audio_atualizar(500);
    EXPECT_EQ(ler(4, lista), 70);
    EXPECT_NEAR(ler(1, lista), 750, 2);
    EXPECT_NEAR(volumeDaFonte(lista), 75.f, 0.3f);
    audio_atualizar(500);
    EXPECT_EQ(ler(1, lista), 500);
    EXPECT_FLOAT_EQ(volumeDaFonte(lista), 50.f);

    // Cancelling through the module takes the application off the list's record.
    uint32_t outra = audio_aplicarConfigLista(c, lista);
    sf::Lista* l = AUDIO_pegarLista(lista);
    EXPECT_EQ(engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_AUDIO, l->configuracoes), 2u);
    EXPECT_EQ(audio_cancelarConfigLista(outra), nullptr);
    EXPECT_EQ(engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_AUDIO, l->configuracoes), 1u);

    EXPECT_EQ(audio_destruirLista(lista), nullptr);
    EXPECT_EQ(audio_destruirLista(lista), nullptr);  // missing: nothing to do
    for (uint32_t a : {aplicacao, direta})
        EXPECT_EQ(engine_configAplicada_pegarPosicao(ENGINE_MODULO_AUDIO, 2, a), 0u) << a;
    // A new list under the same id starts clean.
    EXPECT_EQ(audio_criarLista(), lista);
    mudar(4, lista, 0);
    audio_atualizar(500);
    EXPECT_EQ(ler(1, lista), 1000);
    EXPECT_EQ(ler(4, lista), 0);
}

// Stand-in for the physics module: the position of body 5.
int32_t corpoX = 0, corpoY = 0;
_engine_valor pegarCorpoX(uint32_t corpo)
{
    return corpo == 5 ? corpoX : 0;
}
_engine_valor pegarCorpoY(uint32_t corpo)
{
    return corpo == 5 ? corpoY : 0;
}
const char* mudarNada(uint32_t, _engine_valor)
{
    return nullptr;
}

TEST_F(AudioModulo, QuadroColocaCadaListaEmRelacaoAoOuvinte)
{
    ASSERT_EQ(engine_registrarModulo(ENGINE_MODULO_FISICA), nullptr);
    engine_registrarModelo(ENGINE_MODULO_FISICA, 1);
    engine_registrarPropriedade(ENGINE_MODULO_FISICA, 1, 1, pegarCorpoX, mudarNada, 'S');
    engine_registrarPropriedade(ENGINE_MODULO_FISICA, 1, 2, pegarCorpoY, mudarNada, 'S');
    struct {
        int32_t local, x, y, profundidade, distancia, volume;
        int32_t corpoX, corpoY;
        sf::Vector3f posicao;
        float percentual;
    } const casos[] = {
        // Relative to the listener: 500 pixels away with an audible
        // distance of 1000 is half as loud, the position kept in the box.
        {0, 3000, 4000, 0, 1000, 1000, 0, 0, {270, 360, 0}, 50.f},
        {0, 0, 0, 1000, 0, 1000, 0, 0, {0, 0, 640}, 100.f},
        {0, 3000, 4000, 0, 1000, 500, 0, 0, {270, 360, 0}, 25.f},
        // Following body 5 with X and Y as offsets; without regions it is
        // measured against the centre of the internal picture.
        {5, 0, 0, 0, 1000, 1000, 3200, 1800, {0, 0, 0}, 100.f},
        {5, 0, 0, 0, 1000, 1000, 0, 1800, {640, 0, 0}, 99.5f},
        {5, 3200, 0, 0, 1000, 1000, 0, 1800, {0, 0, 0}, 100.f},
        // A list volume of 0 or less silences it; above 1000 it is full.
        {0, 0, 0, 0, 0, 0, 0, 0, {0, 0, 0}, 0.f},
        {5, 0, 0, 0, 1000, -300, 3200, 1800, {0, 0, 0}, 0.f},
        {0, 0, 0, 0, 0, 3000, 0, 0, {0, 0, 0}, 100.f},
    };
    uint32_t lista = audio_criarLista();
    for (const auto& c : casos) {
        mudar(3, lista, c.local);
        mudar(4, lista, c.x);
        mudar(5, lista, c.y);
        mudar(6, lista, c.profundidade);
        mudar(7, lista, c.distancia);
        mudar(1, lista, c.volume);
        corpoX = c.corpoX;
        corpoY = c.corpoY;
        audio_atualizar(10);
        sf::Vector3f p = AUDIO_pegarLista(lista)->getPosition();
        EXPECT_EQ(p, c.posicao) << "case " << &c - casos;
        EXPECT_NEAR(volumeDaFonte(lista), c.percentual, 0.01f) << "case " << &c - casos;
    }
}

// Waits up to two seconds of real time for the condition.
template <typename F>
bool esperar(F condicao)
{
    for (int i = 0; i < 200 && !condicao(); i++) sf::sleep(sf::milliseconds(10));
    return condicao();
}

TEST_F(AudioModulo, AcoesSobreUmaListaQueToca)
{
    uint32_t lista = audio_criarLista();
    audio_lista_adicionarItem(lista, "tom0.ogg", 0, 0);
    audio_lista_pularPara(lista, 0, -1);
    sf::Lista* l = AUDIO_pegarLista(lista);
    EXPECT_EQ(mudar(8, lista, 1), "");
    EXPECT_EQ(l->getStatus(), sf::SoundSource::Playing);
    ASSERT_TRUE(esperar([&] { return l->getPlayingOffset() > sf::milliseconds(150); }));
    // Playing a playing list does not rewind it.
    sf::Time antes = l->getPlayingOffset();
    EXPECT_EQ(audio_lista_reproduzir(lista), nullptr);
    EXPECT_EQ(l->getStatus(), sf::SoundSource::Playing);
    EXPECT_GE(l->getPlayingOffset(), antes);
    // Paused, it resumes where it was.
    EXPECT_EQ(mudar(8, lista, 2), "");
    EXPECT_EQ(l->getStatus(), sf::SoundSource::Paused);
    antes = l->getPlayingOffset();
    EXPECT_EQ(mudar(8, lista, 1), "");
    EXPECT_EQ(l->getStatus(), sf::SoundSource::Playing);
    EXPECT_GE(l->getPlayingOffset(), antes);
    // Stopped, it stands at the start of its first item.
    EXPECT_EQ(mudar(8, lista, 3), "");
    EXPECT_EQ(l->getStatus(), sf::SoundSource::Stopped);
    EXPECT_EQ(l->atual, 0u);
    EXPECT_EQ(l->posicao, 0);
    // Adding an item stops it too.
    EXPECT_EQ(audio_lista_reproduzir(lista), nullptr);
    EXPECT_EQ(audio_lista_adicionarItem(lista, "tom1.ogg", 0, 0), 1u);
    EXPECT_EQ(l->getStatus(), sf::SoundSource::Stopped);
}

TEST_F(AudioModulo, ListasQueTocamSaoDestruidasEFinalizadas)
{
    // Every list loops its items and changes item often (short windows), so
    // loaders are running when the lists go.
    std::vector<uint32_t> listas;
    for (int i = 0; i < 4; i++) {
        uint32_t lista = audio_criarLista();
        audio_lista_adicionarItem(lista, "tom0.ogg", 0, 50);
        audio_lista_adicionarItem(lista, "longo.ogg", 1000 * i, 1000 * i + 30);
        audio_lista_pularPara(lista, 0, -1);
        audio_lista_reproduzir(lista);
        listas.push_back(lista);
    }
    for (int quadro = 0; quadro < 20; quadro++) {
        audio_atualizar(10);
        sf::sleep(sf::milliseconds(10));
    }
    EXPECT_EQ(audio_destruirLista(listas[1]), nullptr);
    EXPECT_EQ(AUDIO_pegarLista(listas[1]), nullptr);
    EXPECT_EQ(AUDIO_pegarLista(listas[2])->getStatus(), sf::SoundSource::Playing);
    // The module's end stops and destroys the rest.
    EXPECT_EQ(audio_finalizar(), 1);
    EXPECT_EQ(engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_AUDIO, audioListas), 0u);
}

}  // namespace
