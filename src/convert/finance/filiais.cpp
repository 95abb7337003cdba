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
    loop.sourceKey = {"CODEMPRESA"};
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
        dst.param("NOMEEMPRESA").setFirst(text("NOMEEMPRESA"), 30);
        dst.param("CGC").setFirst(SoNumeros(text("CGC")), 18);
        dst.param("INSCEST").setFirst(text("INSCEST"), 15);
        dst.param("ENDERECO").setFirst(text("ENDERECO"), 50);
        dst.param("BAIRRO").setFirst(text("BAIRRO"), 30);
        dst.param("CIDADE").setFirst(text("CIDADE"), 30);
        set("ESTADO", text("ESTADO"));
        dst.param("CEP").setFirst(text("CEP"), 9);
        set("CODCIDADE", BuscaCodigoCidadePorNome(s, text("CIDADE")));
        dst.param("RAZAOSOCIAL").setFirst(text("RAZAOSOCIAL"), 50);
        dst.param("TELEFONE").setFirst(SoNumeros(text("TELEFONE")), 20);
        dst.param("EMAIL").setFirst(text("EMAIL"), 50);
        set("SERIESINTEGRA", text("SERIESINTEGRA"));
        set("ESPECIENF", text("ESPECIENF"));
        set("SERIESINTEGRAD", text("SERIESINTEGRAD"));
        dst.param("INSCMUNICIPAL").setFirst(text("INSCMUNICIPAL"), 15);
        set("FILIALATIVA", text("FILIALATIVA"));
        dst.param("CODCNAE").setFirst(SoNumeros(text("CODCNAE")), 7);
        dst.param("FAX").setFirst(SoNumeros(text("FAX")), 12);
        // The whole range open for business and for posting.
        set("ABERTOINICIO", "01.01.1901");
        set("ABERTOINIFISC", "01.01.1901");
        set("ABERTOFIM", "31.12.2999");
        set("ABERTOFIMFISC", "31.12.2999");
        set("LANCINICIO", "01.01.1901");
        set("LANCFIM", "31.12.2999");
        return RowDecision::Write();
    };
    loop.alsoRuns = CodigoCidadePorNomeStatements() + BranchStartStatements();
    loop.rowName = NamedBy("Filial", "NOMEEMPRESA");
    loop.afterRow = [&s](Statement& src) {
        const std::string code = StrZero(src.field("CODEMPRESA").asText(), 2);
        GravaSaldoInicial(s, code);
        GravaNumeracaoNF(s, code);
        AtualizaUsuarioAdmin(s);
    };
    // A branch that failed ends the converter: no generator is made in that
    // run; nor in a run asked to stop, which ends at the loop's row boundary.
    if (!RunCopyLoop(s, loop).stopped && !s.stop.requested()) GravaGenerators(s);
}

}  // namespace conversor
