// The audio module where no sound can play: OpenAL finds no usable backend
// (this program asks for one that does not exist). The module finds out
// when first asked after its start and says so once in its log, and its
// lists keep their properties, items, timelines and errors, without a
// single call into the sound library (which would report each failure).
#include <SFML/System/Err.hpp>

#include "audio_apoio.h"

namespace {

using apoio::ler;
using apoio::mudar;

class SemSom : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Read by OpenAL when the media library first opens a device.
        setenv("ALSOFT_DRIVERS", "nenhum", 1);
        antes = sf::err().rdbuf(&relato);
        engine_iniciar(true);
        apoio::CapturaErro captura;
        ASSERT_EQ(audio_iniciar('S'), 1);
        log = captura.texto();
        audioLog = 'N';
        recursos = new apoio::Recursos(apoio::entradasDeTeste());
    }
    void TearDown() override
    {
        audio_finalizar();
        EXPECT_EQ(engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_AUDIO, audioListas), 0u);
        delete recursos;
        sf::err().rdbuf(antes);
    }
    std::stringbuf relato;  // what the media library reports besides the probe
    std::streambuf* antes = nullptr;
    std::string log;
    apoio::Recursos* recursos = nullptr;
};

TEST_F(SemSom, APrimeiraPerguntaDizUmaVezQueNaoHaSom)
{
    // The start does not look for a device: a failed start-up never
    // touches it.
    EXPECT_EQ(log,
              "AUDIO - Iniciando m\xF3" "dulo de audio\n"
              "AUDIO - M\xF3" "dulo de audio iniciado com sucesso\n");
    audioLog = 'S';
    apoio::CapturaErro captura;
    EXPECT_EQ(audio_haSom(), 'N');
    EXPECT_EQ(audio_haSom(), 'N');
    EXPECT_EQ(AUDIO_pegarLista(audio_criarLista()), nullptr);
    audioLog = 'N';
    EXPECT_EQ(captura.texto(),
              "AUDIO - Sem dispositivo de som: as listas seguem em sil\xEAncio\n"
              "AUDIO - Criando lista\n"
              "AUDIO - Lista criada com sucesso com c\xF3" "digo; Valor: 1\n");
}

TEST_F(SemSom, ListasFuncionamSemTocarNada)
{
    // The first list finds out there is no sound, and is a bare record.
    audioLog = 'S';
    apoio::CapturaErro captura;
    uint32_t lista = audio_criarLista();
    EXPECT_EQ(audio_haSom(), 'N');
    audioLog = 'N';
    EXPECT_EQ(captura.texto(),
              "AUDIO - Criando lista\n"
              "AUDIO - Sem dispositivo de som: as listas seguem em sil\xEAncio\n"
              "AUDIO - Lista criada com sucesso com c\xF3" "digo; Valor: 1\n");
    ASSERT_EQ(lista, 1u);
    EXPECT_EQ(AUDIO_pegarLista(lista), nullptr);
    // Properties as with sound: initial values, writes, errors.
    EXPECT_EQ(ler(1, lista), 1000);
    EXPECT_EQ(mudar(1, lista, 500), "");
    EXPECT_EQ(ler(1, lista), 500);
    EXPECT_EQ(mudar(4, lista, -300), "");
    EXPECT_EQ(ler(4, lista), -300);
    EXPECT_EQ(mudar(1, 9, 5), "Lista invalida ao mudar volume");
    // Items are counted; a missing entry is still refused.
    EXPECT_STREQ(audio_lista_pularPara(lista, 0, 0), "Adicione um item antes de pular");
    EXPECT_EQ(audio_lista_adicionarItem(lista, "tom0.ogg", 0, 0), 0u);
    EXPECT_EQ(audio_lista_adicionarItem(lista, "tom1.ogg", 1000, 2000), 1u);
    EXPECT_EQ(audio_lista_adicionarItem(lista, "nao existe.ogg", 0, 0), 0u);
    EXPECT_EQ(audio_lista_adicionarItem(lista, "tom2.ogg", 0, 0), 2u);
    EXPECT_EQ(audio_lista_adicionarItem(9, "tom2.ogg", 0, 0), 0u);
    EXPECT_STREQ(audio_lista_pularPara(lista, 0, -3), "Numero de pulos invalido");
    EXPECT_EQ(audio_lista_pularPara(lista, 0, -1), nullptr);
    // Actions are taken and do nothing; a missing list is still an error.
    for (_engine_valor acao : {1, 2, 3, 1}) EXPECT_EQ(mudar(8, lista, acao), "") << acao;
    EXPECT_EQ(audio_lista_reproduzir(lista), nullptr);
    EXPECT_STREQ(audio_lista_reproduzir(9), "Lista invalida");
    // A timeline fades the list's volume as it would with sound.
    uint32_t config = audio_configurarLista();
    audio_config_passarTempo(config, 1000);
    audio_config_mudarVolume(config, 1000);
    EXPECT_NE(audio_aplicarConfigLista(config, lista), 0u);
    for (int i = 0; i < 10; i++) EXPECT_EQ(audio_atualizar(100), 1);
    EXPECT_EQ(ler(1, lista), 1000);
    EXPECT_EQ(audio_mudarVolumeGlobal(400), 0);
    EXPECT_EQ(audio_pegarVolumeGlobal(), 400);
    EXPECT_EQ(audio_destruirLista(lista), nullptr);
    EXPECT_EQ(ler(1, lista), 0);
    // Not one call into the sound library, which would have reported failing.
    EXPECT_EQ(relato.str(), "");
}

}  // namespace
