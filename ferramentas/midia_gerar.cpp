// Generates the game's media into a folder:
//
//     gerar_midia PASTA SOUNDFONT FONTE
//
// the 27 tiles, the character's sheet, the other pictures, the three pieces
// of music (rendered with the General MIDI soundfont given) and the font
// (a copy of the file given, as "Pumpkin.otf"). On any failure it says why
// on standard error and exits with status 1.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "ferramentas/midia.h"

namespace {

bool existe(const char* caminho)
{
    struct stat info;
    return stat(caminho, &info) == 0 && S_ISREG(info.st_mode);
}

bool copiar(const char* de, const std::string& para)
{
    FILE* a = fopen(de, "rb");
    FILE* b = a ? fopen(para.c_str(), "wb") : nullptr;
    bool ok = a && b;
    char buf[65536];
    size_t n;
    while (ok && (n = fread(buf, 1, sizeof buf, a)) > 0) ok = fwrite(buf, 1, n, b) == n;
    if (a && ferror(a)) ok = false;
    if (a) fclose(a);
    if (b && fclose(b) != 0) ok = false;
    if (!ok) fprintf(stderr, "Erro ao copiar %s para %s\n", de, para.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "Uso: %s PASTA SOUNDFONT FONTE\n", argc > 0 ? argv[0] : "gerar_midia");
        return 2;
    }
    std::string pasta = argv[1];
    const char* soundfont = argv[2];
    const char* fonte = argv[3];
    if (!existe(soundfont)) {
        fprintf(stderr, "Soundfont %s nao encontrado: instale o pacote timgm6mb-soundfont\n", soundfont);
        return 1;
    }
    if (!existe(fonte)) {
        fprintf(stderr, "Fonte %s nao encontrada: instale o pacote fonts-dejavu-core\n", fonte);
        return 1;
    }
    mkdir(pasta.c_str(), 0777);
    bool ok = midia_usarFonte(fonte) && copiar(fonte, pasta + "/Pumpkin.otf") && midia_gerarTiles(pasta) &&
              midia_gerarPersonagem(pasta) && midia_gerarFiguras(pasta) && midia_gerarMusicas(pasta, soundfont);
    return ok ? 0 : 1;
}
