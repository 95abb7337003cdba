#include "convert/finance/filiais.h"

#include "convert/finance/cidade_por_nome.h"
#include "convert/finance/finance.h"
#include "db/copy_loop.h"
#include "db/session.h"
#include "text/text_ops.h"

namespace conversor {

void ConverteFiliais(Session& s) {
    CopyLoop loop;
    loop.registry = "filiais";
    loop.statusText = "Convertendo Filiais...";
    loop.clearTables = {"FILIAIS"};
    loop.clearBeforeSource = true;
    loop.sourceSql =
        "SELECT EMPCONTADOR AS CODEMPRESA, DESCEMPRESA AS NOMEEMPRESA, CGC, INSC AS INSCEST, ENDERECO, BAIRRO, "
        "CIDADE, UF AS ESTADO, CEP, RAZAOSOCIAL AS RAZAOSOCIAL, FONE AS TELEFONE, EMAIL AS EMAIL, 'U' AS "
        "SERIESINTEGRA, 'NF' AS ESPECIENF, 'D' AS SERIESINTEGRAD, INSCMUNICIPAL, 'S' AS FILIALATIVA, CNAE AS "
        "CODCNAE, FAX FROM EMP001";
    loop.targetTable = "FILIAIS";
    loop.insertSql =
        "INSERT INTO FILIAIS ( CODEMPRESA, NOMEEMPRESA, CGC, INSCEST, ENDERECO, BAIRRO, CIDADE, ESTADO, CEP, "
        "CODCIDADE, RAZAOSOCIAL, TELEFONE, EMAIL, SERIESINTEGRA, ESPECIENF, SERIESINTEGRAD, INSCMUNICIPAL, "
        "FILIALATIVA, CODCNAE, FAX,ABERTOINICIO, ABERTOINIFISC,ABERTOFIM,ABERTOFIMFISC,LANCINICIO,LANCFIM) VALUES ( "
        ":CODEMPRESA, :NOMEEMPRESA, :CGC, :INSCEST, :ENDERECO, :BAIRRO, :CIDADE, :ESTADO, :CEP, :CODCIDADE, "
        ":RAZAOSOCIAL, :TELEFONE, :EMAIL, :SERIESINTEGRA, :ESPECIENF, :SERIESINTEGRAD, :INSCMUNICIPAL, "
        ":FILIALATIVA, :CODCNAE, :FAX, :ABERTOINICIO, :ABERTOINIFISC, :ABERTOFIM, :ABERTOFIMFISC,:LANCINICIO,:LANCFIM)";
    // The branch's own rows below use QryOrdelio too, so the insert is set again for every branch.
    loop.insertPerRow = true;
    loop.bind = [&s](Statement& src, Statement& dst) {
        auto text = [&](const char* column) { return src.field(column).asText(); };
        auto set = [&](const char* param, const std::string& value) { dst.param(param).setText(value); };
        set("CODEMPRESA", StrZero(text("CODEMPRESA"), 2));
        set("NOMEEMPRESA", First(text("NOMEEMPRESA"), 30));
        set("CGC", First(SoNumeros(text("CGC")), 18));
        set("INSCEST", First(text("INSCEST"), 15));
        set("ENDERECO", First(text("ENDERECO"), 50));
        set("BAIRRO", First(text("BAIRRO"), 30));
        set("CIDADE", First(text("CIDADE"), 30));
        set("ESTADO", text("ESTADO"));
        set("CEP", First(text("CEP"), 9));
        set("CODCIDADE", BuscaCodigoCidadePorNome(s, text("CIDADE")));
        set("RAZAOSOCIAL", First(text("RAZAOSOCIAL"), 50));
        set("TELEFONE", First(SoNumeros(text("TELEFONE")), 20));
        set("EMAIL", First(text("EMAIL"), 50));
        set("SERIESINTEGRA", text("SERIESINTEGRA"));
        set("ESPECIENF", text("ESPECIENF"));
        set("SERIESINTEGRAD", text("SERIESINTEGRAD"));
        set("INSCMUNICIPAL", First(text("INSCMUNICIPAL"), 15));
        set("FILIALATIVA", text("FILIALATIVA"));
        set("CODCNAE", First(SoNumeros(text("CODCNAE")), 7));
        set("FAX", First(SoNumeros(text("FAX")), 12));
        // The whole range open for business and for posting.
        set("ABERTOINICIO", "01.01.1901");
        set("ABERTOINIFISC", "01.01.1901");
        set("ABERTOFIM", "31.12.2999");
        set("ABERTOFIMFISC", "31.12.2999");
        set("LANCINICIO", "01.01.1901");
        set("LANCFIM", "31.12.2999");
        return true;
    };
    loop.alsoRuns = CodigoCidadePorNomeStatements() + BranchStartStatements();
    loop.errorLabel = "Filial";
    loop.errorValue = [](Statement& src) { return src.field("NOMEEMPRESA").asText(); };
    loop.afterRow = [&s](Statement& src) {
        const std::string code = StrZero(src.field("CODEMPRESA").asText(), 2);
        GravaSaldoInicial(s, code);
        GravaNumeracaoNF(s, code);
        AtualizaUsuarioAdmin(s);
    };
    // A branch that failed ends the converter: no generator is made in that run.
    if (!RunCopyLoop(s, loop).stopped) GravaGenerators(s);
}

}  // namespace conversor
