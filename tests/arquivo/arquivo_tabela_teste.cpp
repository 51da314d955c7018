#include <gtest/gtest.h>

#include <cstring>

#include "arquivo/arquivo_interno.h"
#include "arquivo_apoio.h"
#include "engine/engine.h"

namespace {

class Tabela : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine_iniciar(true);
        arquivo_iniciar('N');
    }
    void TearDown() override
    {
        for (uint32_t t : tabelas) ARQUIVO_liberarArquivos(t);
    }
    // The table over a plain stream in memory (no encryption, no container).
    uint32_t ler(const Bytes& fluxo)
    {
        m = memoria_nova(fluxo);
        _arquivo* base = memoria_ler(m);
        uint32_t t = arquivo_lerArquivos(base);
        if (t)
            tabelas.push_back(t);
        else
            base->fechar(base);
        return t;
    }
    Memoria m;
    std::vector<uint32_t> tabelas;
};

Bytes texto(const char* s)
{
    return Bytes(s, s + strlen(s));
}

TEST_F(Tabela, UmArquivoENomesSemDiferencaDeMaiusculas)
{
    Bytes fluxo = apoio_fluxo({{"Pumpkin.otf", texto("abcdef")}});
    ASSERT_EQ(fluxo.size(), 6u + 5 + 11 + 4);
    EXPECT_EQ(ARQUIVO_lerU32(fluxo.data() + fluxo.size() - 4), 6u);
    uint32_t t = ler(fluxo);
    ASSERT_NE(t, 0u);
    _arquivo* h = arquivo_lerArquivo(t, "PUMPKIN.OTF");
    ASSERT_NE(h, nullptr);
    EXPECT_STREQ(((_arquivo_item*)h->contexto)->nome, "PUMPKIN.OTF");
    EXPECT_EQ(apoio_lerTudo(h, 100), texto("abcdef"));
    h->fechar(h);
    EXPECT_EQ(arquivo_lerArquivo(t, "Pumpkin"), nullptr);
    EXPECT_EQ(arquivo_lerArquivo(t, nullptr), nullptr);
    EXPECT_EQ(arquivo_lerArquivo(0, "Pumpkin.otf"), nullptr);
    EXPECT_EQ(arquivo_lerArquivo(t + 100, "Pumpkin.otf"), nullptr);
}

TEST_F(Tabela, NomeRepetidoFicaComOUltimo)
{
    uint32_t t = ler(apoio_fluxo({{"a.png", texto("velho")}, {"outro", texto("x")}, {"A.PNG", texto("novo!")}}));
    _arquivo* h = arquivo_lerArquivo(t, "a.png");
    EXPECT_EQ(apoio_lerTudo(h, 3), texto("novo!"));
    h->fechar(h);
}

TEST_F(Tabela, LeiturasESaltosFicamDentroDoArquivo)
{
    uint32_t t = ler(apoio_fluxo({{"um", texto("111111")}, {"dois", texto("2222")}, {"vazio", {}}, {"tres", texto("3")}}));
    _arquivo* h = arquivo_lerArquivo(t, "dois");
    unsigned char b[16];
    EXPECT_EQ(h->tamanho(h), 4u);
    EXPECT_EQ(h->ler(h, b, 16), 4u);  // no byte of the next file or of the directory
    EXPECT_EQ(h->ler(h, b, 16), 0u);
    h->irPara(h, 4);  // exactly the size: ignored
    EXPECT_EQ(h->posicao(h), 4u);
    // A position that would wrap round to the file before is refused too.
    h->irPara(h, UINT32_MAX);
    EXPECT_EQ(h->posicao(h), 4u);
    h->irPara(h, 3);
    EXPECT_EQ(h->posicao(h), 3u);
    ASSERT_EQ(h->ler(h, b, 16), 1u);
    EXPECT_EQ(b[0], '2');

    // Two handles on one file read independently.
    _arquivo* outro = arquivo_lerArquivo(t, "dois");
    h->irPara(h, 1);
    EXPECT_EQ(apoio_lerTudo(outro, 3), texto("2222"));
    EXPECT_EQ(h->posicao(h), 1u);
    _arquivo* copia = h->criar(h);
    ASSERT_NE(copia, nullptr);
    EXPECT_EQ(copia->posicao(copia), 0u);
    EXPECT_EQ(apoio_lerTudo(copia, 1), texto("2222"));
    copia->fechar(copia);
    outro->fechar(outro);
    h->fechar(h);

    _arquivo* vazio = arquivo_lerArquivo(t, "vazio");
    ASSERT_NE(vazio, nullptr);
    EXPECT_EQ(vazio->tamanho(vazio), 0u);
    EXPECT_EQ(vazio->ler(vazio, b, 16), 0u);
    vazio->irPara(vazio, 0);
    EXPECT_EQ(vazio->posicao(vazio), 0u);
    vazio->fechar(vazio);
}

TEST_F(Tabela, DiretorioDanificadoDeixaATabelaVazia)
{
    const Bytes bom = apoio_fluxo({{"um", texto("1111")}, {"dois", texto("22")}});
    // Stream: "111122", then records [4,2,"um"] at 6 and [6,4,"dois"] at 13, then D = 6.
    auto com = [&](size_t onde, uint32_t valor) {
        Bytes b = bom;
        ARQUIVO_gravarU32(b.data() + onde, valor);
        return b;
    };
    Bytes nomeLongo = bom;
    nomeLongo[13 + 4] = 200;  // the second name runs past the directory
    Bytes cabecalhoCortado = bom;
    cabecalhoCortado.insert(cabecalhoCortado.end() - 4, {0, 0, 0});  // 3 bytes left for a 5-byte record
    const struct {
        const char* nome;
        Bytes bytes;
        uint32_t anunciado;
    } casos[] = {
        {"shorter than 5 bytes", Bytes(4, 0), UINT32_MAX},
        {"5 bytes", Bytes(5, 0), UINT32_MAX},
        {"offset at the end", com(bom.size() - 4, (uint32_t)bom.size() - 4), UINT32_MAX},
        {"offset past the end", com(bom.size() - 4, 0xFFFFFFF0u), UINT32_MAX},
        {"name past the directory", nomeLongo, UINT32_MAX},
        {"record header past the directory", cabecalhoCortado, UINT32_MAX},
        {"end decreasing", com(13, 3), UINT32_MAX},
        {"end past the directory's start", com(13, 7), UINT32_MAX},
        {"stream cut short", Bytes(bom.begin(), bom.end() - 6), (uint32_t)bom.size()},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        Memoria mem = memoria_nova(c.bytes);
        mem->tamanhoAnunciado = c.anunciado;
        _arquivo* base = memoria_ler(mem);
        EXPECT_EQ(arquivo_lerArquivos(base), 0u);
        base->fechar(base);  // still the caller's
    }
    EXPECT_EQ(arquivo_lerArquivos(nullptr), 0u);
    // The good stream itself reads.
    EXPECT_NE(ler(bom), 0u);
}

TEST_F(Tabela, EscritorGravaOFormatoEOsErrosSaoInformados)
{
    Memoria saida = memoria_nova();
    _arquivo* fluxo = memoria_escrever(saida);
    uint32_t lista = arquivo_criarArquivos(fluxo);
    ASSERT_NE(lista, 0u);
    EXPECT_EQ(arquivo_finalizarArquivos(lista), std::string("Nenhum arquivo adicionado"));

    std::string longo(256, 'n');
    EXPECT_EQ(arquivo_criarArquivo(lista, longo.c_str()), nullptr);
    longo.pop_back();
    _arquivo* a = arquivo_criarArquivo(lista, "Tela Inicial.png");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->criar(a), nullptr);
    EXPECT_EQ(a->escrever(a, (const unsigned char*)"abc", 3), 3u);
    EXPECT_EQ(a->posicao(a), 3u);
    a->fechar(a);  // the stream stays open for the next file
    _arquivo* b = arquivo_criarArquivo(lista, longo.c_str());
    ASSERT_NE(b, nullptr);
    // Only the file added last can grow.
    _arquivo* tarde = arquivo_criarArquivo(lista, "vazio");
    EXPECT_EQ(b->escrever(b, (const unsigned char*)"xy", 2), 0u);
    tarde->fechar(tarde);
    b->fechar(b);

    testing::internal::CaptureStdout();
    EXPECT_EQ(arquivo_finalizarArquivos(lista), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Tela Inicial.png, 3 bytes finalizados\n" + longo + ", 0 bytes finalizados\nvazio, 0 bytes finalizados\n");
    EXPECT_EQ(saida->bytes, apoio_fluxo({{"Tela Inicial.png", texto("abc")}, {longo, {}}, {"vazio", {}}}));

    // The list is gone; a table is no list; 0 is none.
    EXPECT_EQ(arquivo_finalizarArquivos(lista), std::string("Arquivos invalidos"));
    EXPECT_EQ(arquivo_finalizarArquivos(0), std::string("Arquivos invalidos"));
    uint32_t t = ler(saida->bytes);
    EXPECT_EQ(arquivo_finalizarArquivos(t), std::string("Arquivos invalidos"));
    EXPECT_EQ(arquivo_criarArquivo(t, "x"), nullptr);
    EXPECT_EQ(arquivo_criarArquivos(nullptr), 0u);
}

TEST_F(Tabela, EscritaCurtaEmbaixoFazOFinalFalhar)
{
    Memoria saida = memoria_nova();
    saida->limiteEscrita = 10;
    uint32_t lista = arquivo_criarArquivos(memoria_escrever(saida));
    _arquivo* a = arquivo_criarArquivo(lista, "a");
    EXPECT_EQ(a->escrever(a, (const unsigned char*)"0123456789abc", 13), 10u);
    EXPECT_EQ(a->tamanho(a), 10u);
    a->fechar(a);
    testing::internal::CaptureStdout();
    EXPECT_EQ(arquivo_finalizarArquivos(lista), std::string("Erro ao escrever arquivo"));
    testing::internal::GetCapturedStdout();
}

TEST_F(Tabela, LinhasDeLogDoModulo)
{
    engine_iniciar(true);
    testing::internal::CaptureStderr();
    arquivo_iniciar('S');
    arquivo_finalizar();
    std::string log = testing::internal::GetCapturedStderr();
    arquivo_iniciar('N');
    EXPECT_EQ(log,
              "ARQUIVO - Iniciando m\xF3" "dulo de arquivo\n"
              "ARQUIVO - M\xF3" "dulo de arquivo iniciado com sucesso\n"
              "ARQUIVO - Finalizando m\xF3" "dulo de arquivo\n");
}

}  // namespace
