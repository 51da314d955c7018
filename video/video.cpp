// Video module core: start and property registration, the window, the
// frame, the layer table, the module's log and its accessors.
#include "video/video_interno.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/VideoMode.hpp>
#include <cstdlib>

#include "engine/engine_log.h"

int32_t videoLarguraInterna = 640, videoAlturaInterna = 360;
int32_t videoLargura = 0, videoAltura = 0;
sf::RenderWindow* videoJanela = nullptr;
uint32_t videoTempo = 0;
char videoLog = 'N', videoTelaCheia = 'N', videoVSync = 'S', videoCursor = 'N';
const char* videoTitulo = "Morvalen";
bool videoIniciado = false;
uint32_t videoCameras = 0, videoReferencias = 0, videoRegioes = 0, videoTexturas = 0, videoFontes = 0,
         videoCamadas = 0, videoImpressoes = 0, videoLigacoes = 0;

const char VIDEO_ERRO_INICIO[] = "Modulo de video nao iniciado";

// Log texts are Latin-1.
static const char LOG_INICIANDO[] = "Iniciando m\xF3" "dulo de v\xED" "deo";
static const char LOG_FALHA[] = "Falha ao iniciar m\xF3" "dulo de v\xED" "deo";
static const char LOG_INICIADO[] = "M\xF3" "dulo de v\xED" "deo iniciado com sucesso";
static const char LOG_FINALIZANDO[] = "Finalizando m\xF3" "dulo de v\xED" "deo";
static const char LOG_IMPRESSAO[] = "Iniciando impress\xE3" "o com tempo atual";
static const char LOG_TERMINANDO[] = "Terminando impress\xE3" "o de";

void VIDEO_logar(const char* texto, int32_t valor)
{
    if (videoLog == 'S') engine_escreverLog("VIDEO - %s", texto, valor);
}

// ------------------------------------------------------------- properties

struct VIDEO_registroPropriedade {
    uint32_t modelo, propriedade;
    _engine_funcaoPegar pegar;
    _engine_funcaoMudar mudar;
};

static const VIDEO_registroPropriedade videoPropriedades[] = {
    {1, 1, VIDEO_animacao_pegarTextura, VIDEO_animacao_mudarTextura},
    {1, 2, VIDEO_animacao_pegarQuadroX, VIDEO_animacao_mudarQuadroX},
    {1, 3, VIDEO_animacao_pegarQuadroY, VIDEO_animacao_mudarQuadroY},
    {1, 4, VIDEO_escritura_pegarFonte, VIDEO_escritura_mudarFonte},
    {1, 5, VIDEO_escritura_pegarTamanho, VIDEO_escritura_mudarTamanho},
    {1, 6, VIDEO_escritura_pegarNegrito, VIDEO_escritura_mudarNegrito},
    {1, 7, VIDEO_escritura_pegarItalico, VIDEO_escritura_mudarItalico},
    {1, 8, VIDEO_escritura_pegarSublinhado, VIDEO_escritura_mudarSublinhado},
    {1, 9, VIDEO_escritura_pegarTexto, VIDEO_escritura_mudarTexto},
    {1, 10, VIDEO_particulas_pegarImpressao, VIDEO_particulas_mudarImpressao},
    {1, 11, VIDEO_pegar, VIDEO_particulas_adicionarConfiguracao},
    {1, 12, VIDEO_pegar, VIDEO_particulas_removerConfiguracao},
    {1, 13, VIDEO_pegar, VIDEO_particulas_limparConfiguracoes},
    {1, 14, VIDEO_particulas_pegarTipo, VIDEO_particulas_mudarTipo},
    {1, 15, VIDEO_particulas_pegarCentralidade, VIDEO_particulas_mudarCentralidade},
    {1, 16, VIDEO_particulas_pegarVelocidadeX, VIDEO_particulas_mudarVelocidadeX},
    {1, 17, VIDEO_particulas_pegarVelocidadeY, VIDEO_particulas_mudarVelocidadeY},
    {1, 18, VIDEO_particulas_pegarMargemVelocidadeX, VIDEO_particulas_mudarMargemVelocidadeX},
    {1, 19, VIDEO_particulas_pegarMargemVelocidadeY, VIDEO_particulas_mudarMargemVelocidadeY},
    {1, 20, VIDEO_particulas_pegarEstagnacao, VIDEO_particulas_mudarEstagnacao},
    {1, 21, VIDEO_particulas_pegarAceleracaoX, VIDEO_particulas_mudarAceleracaoX},
    {1, 22, VIDEO_particulas_pegarAceleracaoY, VIDEO_particulas_mudarAceleracaoY},
    {1, 23, VIDEO_particulas_pegarFrequencia, VIDEO_particulas_mudarFrequencia},
    {1, 24, VIDEO_particulas_pegarConstancia, VIDEO_particulas_mudarConstancia},
    {1, 25, VIDEO_particulas_pegarNumeroParticulas, VIDEO_mudar},
    {1, 26, VIDEO_impressao_pegarEntidade, VIDEO_impressao_mudarEntidade},
    {1, 27, VIDEO_impressao_pegarCamada, VIDEO_impressao_mudarCamada},
    {1, 28, VIDEO_impressao_pegarX, VIDEO_impressao_mudarX},
    {1, 29, VIDEO_impressao_pegarY, VIDEO_impressao_mudarY},
    {1, 30, VIDEO_impressao_pegarLargura, VIDEO_impressao_mudarLargura},
    {1, 31, VIDEO_impressao_pegarAltura, VIDEO_impressao_mudarAltura},
    {1, 32, VIDEO_impressao_pegarRotacao, VIDEO_impressao_mudarRotacao},
    {1, 33, VIDEO_impressao_pegarCor, VIDEO_impressao_mudarCor},
    {1, 34, VIDEO_impressao_pegarVermelho, VIDEO_impressao_mudarVermelho},
    {1, 35, VIDEO_impressao_pegarVerde, VIDEO_impressao_mudarVerde},
    {1, 36, VIDEO_impressao_pegarAzul, VIDEO_impressao_mudarAzul},
    {1, 37, VIDEO_impressao_pegarTransparencia, VIDEO_impressao_mudarTransparencia},
    {1, 38, VIDEO_pegar, VIDEO_impressao_destruirImpressao},
    {2, 1, VIDEO_referencia_pegarMargemEsq, VIDEO_referencia_mudarMargemEsq},
    {2, 2, VIDEO_referencia_pegarMargemDir, VIDEO_referencia_mudarMargemDir},
    {2, 3, VIDEO_referencia_pegarMargemCim, VIDEO_referencia_mudarMargemCim},
    {2, 4, VIDEO_referencia_pegarMargemBai, VIDEO_referencia_mudarMargemBai},
    {3, 1, VIDEO_camera_pegarX, VIDEO_camera_mudarX},
    {3, 2, VIDEO_camera_pegarY, VIDEO_camera_mudarY},
    {3, 3, VIDEO_camera_pegarZoom, VIDEO_camera_mudarZoom},
};

_engine_valor VIDEO_pegar(uint32_t instancia)
{
    (void)instancia;
    return 0;
}

const char* VIDEO_mudar(uint32_t instancia, _engine_valor valor)
{
    (void)instancia;
    (void)valor;
    return nullptr;
}

static const char VIDEO_ERRO_MEMORIA[] = "Memoria insuficiente";

// Creates the containers, in a fixed order, and registers the three models
// with their properties; the first error text, or null.
static const char* VIDEO_registrar()
{
    struct {
        uint32_t* vetor;
        bool persistente;
    } const conteineres[] = {
        {&videoCameras, true},  {&videoReferencias, true}, {&videoRegioes, false},    {&videoTexturas, true},
        {&videoFontes, true},   {&videoCamadas, false},    {&videoImpressoes, true},  {&videoLigacoes, true},
    };
    for (const auto& c : conteineres) {
        *c.vetor = c.persistente ? engine_criarVetorPersistente(ENGINE_MODULO_VIDEO)
                                 : engine_criarVetorPonteiro(ENGINE_MODULO_VIDEO);
        if (*c.vetor == 0) return VIDEO_ERRO_MEMORIA;
    }
    for (uint32_t modelo = VIDEO_MODELO_IMPRESSAO; modelo <= VIDEO_MODELO_CAMERA; modelo++) {
        const char* erro = engine_registrarModelo(ENGINE_MODULO_VIDEO, modelo);
        if (erro) return erro;
        for (const VIDEO_registroPropriedade& p : videoPropriedades) {
            if (p.modelo != modelo) continue;
            erro = engine_registrarPropriedade(ENGINE_MODULO_VIDEO, modelo, p.propriedade, p.pegar, p.mudar, 'S');
            if (erro) return erro;
        }
    }
    return nullptr;
}

const char* video_iniciar(char log, char telaCheia, char vsync, sf::RenderWindow* janela)
{
    videoIniciado = false;
    videoLog = log;
    VIDEO_logar(LOG_INICIANDO, -1);
    const char* erro = engine_registrarModulo(ENGINE_MODULO_VIDEO);
    if (!erro) {
        // The desktop size is read when the window is first created: asking
        // for it needs a display, and start-up must not (without an archive
        // the program ends before any window exists).
        videoLargura = 0;
        videoAltura = 0;
        videoLarguraInterna = 640;
        videoAlturaInterna = 360;
        videoTelaCheia = telaCheia;
        videoVSync = vsync;
        videoTitulo = "Morvalen";
        videoJanela = janela;
        erro = VIDEO_registrar();
    }
    if (erro) {
        VIDEO_logar(LOG_FALHA, -1);
        VIDEO_logar(erro, -1);
        return erro;
    }
    videoTempo = 0;
    videoParticulasVivas = 0;
    videoIniciado = true;
    VIDEO_logar(LOG_INICIADO, -1);
    return nullptr;
}

// ------------------------------------------------------------------ window

int video_criarJanela()
{
    if (!videoIniciado || !videoJanela) return -1;
    if (videoLargura <= 0 || videoAltura <= 0) {
        sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
        if (videoLargura <= 0) videoLargura = (int32_t)desktop.width;
        if (videoAltura <= 0) videoAltura = (int32_t)desktop.height;
    }
    VIDEO_logar("Criando janela com largura", videoLargura);
    VIDEO_logar("... e altura", videoAltura);
    sf::ContextSettings contexto(0, 0, 0, 2, 0);
    sf::Uint32 estilo = videoTelaCheia == 'S' ? sf::Style::Fullscreen : sf::Style::Default;
    videoJanela->create(sf::VideoMode((unsigned)videoLargura, (unsigned)videoAltura, 32), videoTitulo, estilo,
                        contexto);
    if (estilo != sf::Style::Fullscreen) {
        // Centred on the desktop by hand: the library's own placement uses the
        // desktop's width for the vertical position too.
        sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
        sf::Vector2u tamanho = videoJanela->getSize();
        videoJanela->setPosition(sf::Vector2i(((int)desktop.width - (int)tamanho.x) / 2,
                                              ((int)desktop.height - (int)tamanho.y) / 2));
    }
    videoJanela->setVerticalSyncEnabled(videoVSync == 'S');
    videoJanela->setFramerateLimit(0);
    videoJanela->setMouseCursorVisible(videoCursor == 'S');
    videoJanela->setView(sf::View(sf::FloatRect(0.f, 0.f, (float)videoLarguraInterna, (float)videoAlturaInterna)));
    videoJanela->setKeyRepeatEnabled(false);
    return 0;
}

int video_mudarTelaCheia(char telaCheia)
{
    if (!videoIniciado) return -1;
    videoTelaCheia = telaCheia;
    return video_criarJanela();
}

int video_mudarLargura(int32_t largura)
{
    if (!videoIniciado || largura <= 0) return -1;
    videoLargura = largura;
    return video_criarJanela();
}

int video_mudarAltura(int32_t altura)
{
    if (!videoIniciado || altura <= 0) return -1;
    videoAltura = altura;
    return video_criarJanela();
}

int32_t video_pegarLargura()
{
    return videoLargura;
}

int32_t video_pegarAltura()
{
    return videoAltura;
}

int32_t video_pegarLarguraInterna()
{
    return videoLarguraInterna;
}

int32_t video_pegarAlturaInterna()
{
    return videoAlturaInterna;
}

int video_mudarLarguraInterna(int32_t largura)
{
    if (!videoIniciado || largura <= 0) return -1;
    videoLarguraInterna = largura;
    return 0;
}

int video_mudarAlturaInterna(int32_t altura)
{
    if (!videoIniciado || altura <= 0) return -1;
    videoAlturaInterna = altura;
    return 0;
}

char video_pegarTelaCheia()
{
    return videoTelaCheia;
}

// ------------------------------------------------------------------- frame

int video_atualizar(int32_t d)
{
    if (!videoIniciado) return -1;
    if (d <= 0) return 0;
    videoTempo += (uint32_t)d;
    // The layout uses the zoom and position that the previous frame's
    // timelines left, and the bodies after this frame's physics step.
    VIDEO_configurarCameras();
    // Camera timelines before print timelines; reference timelines never run.
    engine_config_configurar(ENGINE_MODULO_VIDEO, VIDEO_MODELO_CAMERA, videoTempo, d);
    engine_config_configurar(ENGINE_MODULO_VIDEO, VIDEO_MODELO_IMPRESSAO, videoTempo, d);
    VIDEO_logar(LOG_IMPRESSAO, (int32_t)videoTempo);
    bool aberta = videoJanela && videoJanela->isOpen();
    if (aberta) videoJanela->clear(sf::Color::Black);
    // The layers in drawing order, counted for the log.
    int32_t desenhadas = VIDEO_desenharCamadas((uint32_t)d);
    if (aberta) videoJanela->display();
    VIDEO_logar(LOG_TERMINANDO, desenhadas);
    VIDEO_logar("... camadas.", -1);
    return 0;
}

int video_finalizar()
{
    VIDEO_logar(LOG_FINALIZANDO, -1);
    return 0;
}

// ------------------------------------------------------------------ layers
//
// videoCamadas holds the layers sorted by number, without gaps, so any
// number a caller gives (negative or huge) costs one entry, and walking the
// vector visits the layers in drawing order.

// Position (1-based) of the first layer whose number is not below numero.
static uint32_t VIDEO_buscarCamada(int32_t numero)
{
    uint32_t inicio = 1, fim = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, videoCamadas) + 1;
    while (inicio < fim) {
        uint32_t meio = inicio + (fim - inicio) / 2;
        _video_camada* c = (_video_camada*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, videoCamadas, meio);
        if (c->numero < numero)
            inicio = meio + 1;
        else
            fim = meio;
    }
    return inicio;
}

_video_camada* VIDEO_acharCamada(int32_t numero)
{
    _video_camada* c = (_video_camada*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, videoCamadas,
                                                                           VIDEO_buscarCamada(numero));
    return c && c->numero == numero ? c : nullptr;
}

_video_camada* VIDEO_pegarCamada(int32_t numero)
{
    uint32_t posicao = VIDEO_buscarCamada(numero);
    _video_camada* c = (_video_camada*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, videoCamadas, posicao);
    if (c && c->numero == numero) return c;
    if (!videoIniciado) return nullptr;
    c = (_video_camada*)malloc(sizeof(_video_camada));
    if (!c) return nullptr;
    c->numero = numero;
    c->impressoes = engine_criarVetorInteiro(ENGINE_MODULO_VIDEO);
    c->ligacoes = engine_criarVetorInteiro(ENGINE_MODULO_VIDEO);
    if (c->impressoes == 0 || c->ligacoes == 0 ||
        engine_vetorPonteiro_adicionarPonteiroEm(ENGINE_MODULO_VIDEO, videoCamadas, c, posicao) != nullptr) {
        if (c->impressoes) engine_destruirVetorInteiro(ENGINE_MODULO_VIDEO, c->impressoes);
        if (c->ligacoes) engine_destruirVetorInteiro(ENGINE_MODULO_VIDEO, c->ligacoes);
        free(c);
        return nullptr;
    }
    return c;
}

void VIDEO_soltarCamadaSeVazia(_video_camada* camada)
{
    if (!camada || engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, camada->impressoes) > 0 ||
        engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, camada->ligacoes) > 0)
        return;
    uint32_t posicao = VIDEO_buscarCamada(camada->numero);
    if (engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, videoCamadas, posicao) != camada) return;
    engine_destruirVetorInteiro(ENGINE_MODULO_VIDEO, camada->impressoes);
    engine_destruirVetorInteiro(ENGINE_MODULO_VIDEO, camada->ligacoes);
    engine_vetorPonteiro_removerPonteiro(ENGINE_MODULO_VIDEO, videoCamadas, posicao);  // frees the record
}

bool VIDEO_camada_retirarImpressao(_video_camada* camada, uint32_t handle)
{
    if (!camada) return false;
    for (uint32_t i = engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, camada->impressoes); i >= 1; i--) {
        if ((uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, camada->impressoes, i) == handle) {
            engine_vetorInteiro_removerNumero(ENGINE_MODULO_VIDEO, camada->impressoes, i);
            return true;
        }
    }
    return false;
}
