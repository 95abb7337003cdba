#include "convert/finance/filiais.h"

#include "convert/finance/cidade_por_nome.h"
#include "convert/finance/finance.h"
#include "db/copy_loop.h"
#include "db/row_mapping.h"
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
        const RowMapping m(src, dst);
        m.out("CODEMPRESA", StrZero(m.in("CODEMPRESA"), 2));
        m.outFirst("NOMEEMPRESA", m.in("NOMEEMPRESA"), 30);
        m.outFirst("CGC", SoNumeros(m.in("CGC")), 18);
        m.outFirst("INSCEST", m.in("INSCEST"), 15);
        m.outFirst("ENDERECO", m.in("ENDERECO"), 50);
        m.outFirst("BAIRRO", m.in("BAIRRO"), 30);
        m.outFirst("CIDADE", m.in("CIDADE"), 30);
        m.copy("ESTADO");
        m.outFirst("CEP", m.in("CEP"), 9);
        m.out("CODCIDADE", BuscaCodigoCidadePorNome(s, m.in("CIDADE")));
        m.outFirst("RAZAOSOCIAL", m.in("RAZAOSOCIAL"), 50);
        m.outFirst("TELEFONE", SoNumeros(m.in("TELEFONE")), 20);
        m.outFirst("EMAIL", m.in("EMAIL"), 50);
        m.copy("SERIESINTEGRA");
        m.copy("ESPECIENF");
        m.copy("SERIESINTEGRAD");
        m.outFirst("INSCMUNICIPAL", m.in("INSCMUNICIPAL"), 15);
        m.copy("FILIALATIVA");
        m.outFirst("CODCNAE", SoNumeros(m.in("CODCNAE")), 7);
        m.outFirst("FAX", SoNumeros(m.in("FAX")), 12);
        // The whole range open for business and for posting.
        m.out("ABERTOINICIO", "01.01.1901");
        m.out("ABERTOINIFISC", "01.01.1901");
        m.out("ABERTOFIM", "31.12.2999");
        m.out("ABERTOFIMFISC", "31.12.2999");
        m.out("LANCINICIO", "01.01.1901");
        m.out("LANCFIM", "31.12.2999");
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
