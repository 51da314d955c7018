// The player controller: the entity that stands for the player. Its start
// creates the character, the camera that follows it, the intro (a white
// screen and a logo that fade, and a jingle), the game music and the ending
// music; it maps the keys to the character's functions. While "parado" is
// 'S' (the intro, a tutorial text) the keys are ignored.
#include <cstdint>

#include "audio/audio.h"
#include "conteudo/conteudo_funcoes.h"
#include "conteudo/conteudo_interno.h"
#include "engine/entidades.h"
#include "engine/tempo.h"
#include "entrada/entrada.h"
#include "video/video.h"

// Key codes as the input module delivers them.
enum {
    TECLA_A = 0,
    TECLA_D = 3,
    TECLA_S = 18,
    TECLA_W = 22,
    TECLA_ESPACO = 57,
    TECLA_ESQUERDA = 71,
    TECLA_DIREITA = 72,
    TECLA_CIMA = 73,
    TECLA_BAIXO = 74,
};

static uint32_t personagemDo(uint32_t jogador)
{
    return (uint32_t)CONTEUDO_ler(jogador, "personagem");
}

static void andarPara(uint32_t jogador, int32_t direcao)
{
    uint32_t personagem = personagemDo(jogador);
    CONTEUDO_escrever(personagem, "dir", direcao);
    entidades_entidade_chamarFuncao(personagem, "andar");
}

// A print of a 1 x 1 picture stretched over the whole internal picture,
// attached to no entity.
static uint32_t telaInteira(const char* imagem, int32_t camada, int32_t transparencia)
{
    uint32_t impressao = video_criarAnimacao(video_abrirImagem(imagem, 1, 1));
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_CAMADA, camada);
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_LARGURA, 6400);
    CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_ALTURA, 3600);
    if (transparencia != 0) CONTEUDO_mudarImpressao(impressao, CONTEUDO_IMPRESSAO_TRANSPARENCIA, transparencia);
    return impressao;
}

// A sound list of one whole archive entry that loops for ever.
static uint32_t musicaEmLaco(const char* nome)
{
    uint32_t lista = audio_criarLista();
    audio_lista_adicionarItem(lista, nome, 0, 0);
    audio_lista_pularPara(lista, 0, -1);
    return lista;
}

void* CONTEUDO_jogador_inicio(uint32_t jogador)
{
    uint32_t personagem = entidades_criarEntidade(conteudoPersonagem, CONTEUDO_corpo(jogador, CONTEUDO_CORPO_X),
                                                  CONTEUDO_corpo(jogador, CONTEUDO_CORPO_Y));
    CONTEUDO_escreverTexto(personagem, "recurso", "personagem.png");
    CONTEUDO_escrever(personagem, "linhas", 3);
    CONTEUDO_escrever(personagem, "força", 100);
    CONTEUDO_escrever(personagem, "jogador", 'S');
    entidades_entidade_chamarFuncao(personagem, "iniciar");

    entrada_criarEventoPressionar(jogador, "pressionar");
    entrada_criarEventoSoltar(jogador, "soltar");
    CONTEUDO_escrever(jogador, "personagem", (int32_t)personagem);

    uint32_t referencia = video_criarReferencia(personagem);
    uint32_t camera = video_criarCamera();
    video_camera_adicionarReferencia(camera, referencia);
    CONTEUDO_escrever(0, "camera", (int32_t)camera);
    CONTEUDO_escrever(0, "jogador", (int32_t)jogador);

    // The white screen, opaque over everything, fades after 12 s.
    uint32_t branco = telaInteira("branco.png", 30000, 0);
    CONTEUDO_escrever(0, "anm branco", (int32_t)branco);
    uint32_t config = video_configurarImpressao();
    video_configuracao_impressao_passarTempo(config, 12000);
    video_configuracao_impressao_passarTempo(config, 2000);
    video_configuracao_impressao_mudarTransparencia(config, 1000);
    video_aplicarConfiguracaoImpressao(config, branco);

    // The logo appears at 2.5 s and is gone at 10 s.
    uint32_t logo = telaInteira("logo.png", 32000, 1000);
    config = video_configurarImpressao();
    video_configuracao_impressao_passarTempo(config, 2500);
    video_configuracao_impressao_passarTempo(config, 2000);
    video_configuracao_impressao_mudarTransparencia(config, 0);
    video_configuracao_impressao_passarTempo(config, 3500);
    video_configuracao_impressao_passarTempo(config, 2000);
    video_configuracao_impressao_mudarTransparencia(config, 1000);
    video_aplicarConfiguracaoImpressao(config, logo);

    // The controls come back once the white screen starts to fade.
    entidades_entidade_chamarFuncao(jogador, "parar");
    tempo_criarEvento(jogador, "continuar", 12500);

    uint32_t agora = tempo_tempoAtual();

    // The jingle: seconds 2 to 12 of its file, once, from 2.5 s.
    uint32_t jingle = audio_criarLista();
    audio_lista_adicionarItem(jingle, "japanese_jingle.ogg", 2000, 12000);
    engine_propriedade_mudarValor(ENGINE_MODULO_AUDIO, CONTEUDO_MODELO_LISTA, CONTEUDO_LISTA_VOLUME, jingle, 500);
    config = engine_criarConfig(ENGINE_MODULO_AUDIO, CONTEUDO_MODELO_LISTA);
    engine_config_passarTempo(ENGINE_MODULO_AUDIO, CONTEUDO_MODELO_LISTA, config, 2500);
    audio_config_reproduzir(config);
    engine_config_aplicar(ENGINE_MODULO_AUDIO, CONTEUDO_MODELO_LISTA, config, jingle, agora);

    // The game music starts silent at 12 s and rises to half volume.
    uint32_t musica = musicaEmLaco("Ufo Speeding.ogg");
    engine_propriedade_mudarValor(ENGINE_MODULO_AUDIO, CONTEUDO_MODELO_LISTA, CONTEUDO_LISTA_VOLUME, musica, 0);
    config = engine_criarConfig(ENGINE_MODULO_AUDIO, CONTEUDO_MODELO_LISTA);
    engine_config_passarTempo(ENGINE_MODULO_AUDIO, CONTEUDO_MODELO_LISTA, config, 12000);
    audio_config_reproduzir(config);
    engine_config_passarTempo(ENGINE_MODULO_AUDIO, CONTEUDO_MODELO_LISTA, config, 2000);
    audio_config_mudarVolume(config, 500);
    engine_config_aplicar(ENGINE_MODULO_AUDIO, CONTEUDO_MODELO_LISTA, config, musica, agora);
    CONTEUDO_escrever(0, "musica", (int32_t)musica);

    // The ending's music waits for the ending.
    CONTEUDO_escrever(0, "som fim", (int32_t)musicaEmLaco("shoulder_angelv2_novocals.ogg"));

    CONTEUDO_escrever(0, "img fim", (int32_t)video_abrirImagem("fim.png", 1, 1));
    CONTEUDO_escrever(0, "img terra", (int32_t)video_abrirImagem("kawaii-earth-vector-clipart.png", 1, 1));
    return nullptr;
}

// A key press: the first key of the table that matches acts. The device is
// not asked, so a mouse or joystick button with the same number acts too.
void* CONTEUDO_jogador_pressionar(uint32_t jogador)
{
    if (CONTEUDO_ler(jogador, "parado") == 'S') return nullptr;
    uint32_t personagem = personagemDo(jogador);
    switch (entrada_pegarElemento()) {
    case TECLA_ESQUERDA:
    case TECLA_A:
        andarPara(jogador, -1);
        break;
    case TECLA_DIREITA:
    case TECLA_D:
        andarPara(jogador, 1);
        break;
    case TECLA_ESPACO:
        entidades_entidade_chamarFuncao(personagem, "pular");
        break;
    case TECLA_CIMA:
    case TECLA_W:
        entidades_entidade_chamarFuncao(personagem, "crescer");
        break;
    case TECLA_BAIXO:
    case TECLA_S:
        entidades_entidade_chamarFuncao(personagem, "diminuir");
        break;
    default:
        break;
    }
    return nullptr;
}

static bool seguro(int32_t tecla)
{
    return entrada_pegarBotaoPressionado(0, tecla) == 'S';
}

// A key release: the direction keys still held decide, left before right.
void* CONTEUDO_jogador_soltar(uint32_t jogador)
{
    if (CONTEUDO_ler(jogador, "parado") == 'S') return nullptr;
    if (seguro(TECLA_ESQUERDA) || seguro(TECLA_A))
        andarPara(jogador, -1);
    else if (seguro(TECLA_D) || seguro(TECLA_DIREITA))
        andarPara(jogador, 1);
    else
        entidades_entidade_chamarFuncao(personagemDo(jogador), "parar");
    return nullptr;
}

void* CONTEUDO_jogador_parar(uint32_t jogador)
{
    entidades_entidade_chamarFuncao(personagemDo(jogador), "parar");
    CONTEUDO_escrever(jogador, "parado", 'S');
    return nullptr;
}

// The keys still held take effect at once.
void* CONTEUDO_jogador_continuar(uint32_t jogador)
{
    CONTEUDO_escrever(jogador, "parado", 'N');
    entidades_entidade_chamarFuncao(jogador, "soltar");
    return nullptr;
}
