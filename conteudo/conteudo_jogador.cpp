// The player controller: the entity that stands for the player. Its start
// creates the character and the camera that follows it.
#include <cstdint>

#include "conteudo/conteudo_funcoes.h"
#include "conteudo/conteudo_interno.h"
#include "engine/entidades.h"
#include "video/video.h"

// To be completed with the controls, the intro and the music; for now the
// level starts with the character in view and nothing steering it.
void* CONTEUDO_jogador_inicio(uint32_t jogador)
{
    uint32_t personagem = entidades_criarEntidade(conteudoPersonagem, CONTEUDO_corpo(jogador, CONTEUDO_CORPO_X),
                                                  CONTEUDO_corpo(jogador, CONTEUDO_CORPO_Y));
    CONTEUDO_escreverTexto(personagem, "recurso", "personagem.png");
    CONTEUDO_escrever(personagem, "linhas", 3);
    CONTEUDO_escrever(personagem, "força", 100);
    CONTEUDO_escrever(personagem, "jogador", 'S');
    entidades_entidade_chamarFuncao(personagem, "iniciar");
    CONTEUDO_escrever(jogador, "personagem", (int32_t)personagem);

    uint32_t referencia = video_criarReferencia(personagem);
    uint32_t camera = video_criarCamera();
    video_camera_adicionarReferencia(camera, referencia);
    CONTEUDO_escrever(0, "camera", (int32_t)camera);
    CONTEUDO_escrever(0, "jogador", (int32_t)jogador);
    return nullptr;
}

void* CONTEUDO_jogador_pressionar(uint32_t jogador)
{
    (void)jogador;
    return nullptr;
}

void* CONTEUDO_jogador_soltar(uint32_t jogador)
{
    (void)jogador;
    return nullptr;
}

void* CONTEUDO_jogador_parar(uint32_t jogador)
{
    (void)jogador;
    return nullptr;
}

void* CONTEUDO_jogador_continuar(uint32_t jogador)
{
    (void)jogador;
    return nullptr;
}
