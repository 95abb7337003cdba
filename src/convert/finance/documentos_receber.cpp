#include <string>

#include "convert/finance/documentos.h"
#include "convert/finance/finance.h"
#include "db/copy_loop.h"
#include "db/row_mapping.h"
#include "db/session.h"
#include "text/cp1252.h"
#include "text/text_ops.h"

namespace conversor {

namespace {

// At most 15 characters: the counter's last three digits, a blank, then title
// and parcel; without them, the type followed by the ten-digit counter.
std::string CodigoDocumento(const std::string& tituloParcela, const std::string& tipo, const std::string& contador) {
    if (!tituloParcela.empty()) return First(StrZero(contador, 3) + " " + tituloParcela, 15);
    return First(tipo + StrZero(contador, 10), 15);
}

void GravaTipoDocPadraoReceber(Session& s) {
    GravaTipoDocPadrao(s, "CR", "CTA REC IMPORT",
                       W("Ocorreu um erro ao inserir o tipo de documento padrão para contas a receber no banco de "
                         "dados do Ordelio.\rErro: "));
}

}  // namespace

void ConverteDocumentosReceber(Session& s) {
    const std::string status = "Convertendo Contas a Receber...";
    s.setStatus(status);
    s.processEvents();
    GravaTipoDocPadraoReceber(s);

    CopyLoop loop;
    loop.registry = "documentosreceber";
    loop.statusText = status;
    loop.sourceSql =
        "SELECT CRCONTADOR, EMPRESA AS CODEMPRESA, CLICONTADOR AS CODCLIENTE, TIPOCR AS TIPODOCTO, TITULO || ' ' || "
        "PARCELA AS CODDOCTO,DTVENDA AS DT_VENDA, DTEMISSAO AS DT_EMISSAO, DTVENC AS DT_VENCIMENTO, VALORVENDA AS "
        "VALORVENDA, VLRPARCELA AS VALORDOCTO, VALORDESC AS VALORDESC, VLRPAGO AS VALORPAGO, NUMDOCORIGEM AS "
        "NUMDOCORIG, VENDEDOR AS CODVENDEDOR, COMISSAOCR AS COMISSAO, STATUS AS SITUACAO, OBSERVACAO AS OBSERVACAO, "
        "VLROUTRASDESP AS DESPADIC FROM CR001 WHERE CR001.STATUS = :STATUS";
    loop.bindSource = [](Statement& src) { src.param("STATUS").setText("AB"); };
    loop.clearTables = {"DOCUREC", "MOVIREC"};
    loop.sourceKey = {"CODEMPRESA", "CRCONTADOR", "CODDOCTO"};
    loop.targetTable = "DOCUREC";
    loop.insertSql =
        "INSERT INTO DOCUREC ( CODEMPRESA, CODCLIENTE, TIPODOCTO, CODDOCTO, DT_VENDA, DT_EMISSAO, DT_VENCIMENTO, "
        "VALORVENDA, VALORDOCTO, CODOPER, VALORDESC, VALORPAGO, NUMDOCORIG, CODVENDEDOR, COMISSAO, SITUACAO, "
        "OBSERVACAO, NUMORD, DESPADIC, CODMOEDA) VALUES ( :CODEMPRESA, :CODCLIENTE, :TIPODOCTO, :CODDOCTO, "
        ":DT_VENDA, :DT_EMISSAO, :DT_VENCIMENTO, :VALORVENDA, :VALORDOCTO, :CODOPER, :VALORDESC, :VALORPAGO, "
        ":NUMDOCORIG, :CODVENDEDOR, :COMISSAO, :SITUACAO, :OBSERVACAO, :NUMORD, :DESPADIC, :CODMOEDA)";
    loop.bind = [&s](Statement& src, Statement& dst) {
        const RowMapping m(src, dst);
        const std::string situacao = m.in("SITUACAO");
        const std::string empresa = StrZero(m.in("CODEMPRESA"), 2);
        m.out("CODEMPRESA", empresa);
        m.outFirst("CODCLIENTE", empresa + StrZero(m.in("CODCLIENTE"), 6), 8);
        m.copy("TIPODOCTO");
        m.out("CODDOCTO", CodigoDocumento(m.in("CODDOCTO"), m.in("TIPODOCTO"), m.in("CRCONTADOR")));
        m.copyDate("DT_VENDA");
        m.copyDate("DT_EMISSAO");
        m.copyDate("DT_VENCIMENTO");
        m.copyNumber("VALORVENDA");
        m.copyNumber("VALORDOCTO");
        m.copyNumber("VALORDESC");
        m.copyNumber("VALORPAGO");
        m.outFirst("NUMDOCORIG", m.in("NUMDOCORIG"), 12);
        // Five digits here, where the salesperson registry writes four.
        m.out("CODVENDEDOR", StrZero(m.in("CODVENDEDOR"), 5));
        m.out("CODOPER", s.codOperReceber);
        m.copyNumber("COMISSAO");
        m.out("SITUACAO", Iif(situacao == "AB", "1", "2"));
        m.outFirst("OBSERVACAO", m.in("OBSERVACAO"), 60);
        m.out("CODMOEDA", "01");
        // Only an open document, exactly "AB", is written and numbered.
        if (situacao != "AB") return RowDecision::Skip(SituacaoNaoAberta(situacao));
        m.out("NUMORD", ProximoNumOrd(s));
        m.copyNumber("DESPADIC");
        return RowDecision::Write();
    };
    loop.alsoRuns = ProximoNumOrdStatements();
    loop.rowName = [](Statement& src) {
        return "Documento: " + src.field("CODDOCTO").asText() + "\rCliente: " + src.field("CODCLIENTE").asText();
    };
    RunCopyLoop(s, loop);
}

}  // namespace conversor
