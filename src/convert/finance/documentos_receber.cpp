#include <string>

#include "convert/finance/documentos.h"
#include "convert/finance/finance.h"
#include "db/copy_loop.h"
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
        auto text = [&](const char* column) { return src.field(column).asText(); };
        auto amount = [&](const char* column) { return src.field(column).asDouble(); };
        const std::string situacao = text("SITUACAO");
        const std::string empresa = StrZero(text("CODEMPRESA"), 2);
        dst.param("CODEMPRESA").setText(empresa);
        dst.param("CODCLIENTE").setFirst(empresa + StrZero(text("CODCLIENTE"), 6), 8);
        dst.param("TIPODOCTO").setText(text("TIPODOCTO"));
        dst.param("CODDOCTO").setText(CodigoDocumento(text("CODDOCTO"), text("TIPODOCTO"), text("CRCONTADOR")));
        dst.param("DT_VENDA").setDate(src.field("DT_VENDA").asDateTime());
        dst.param("DT_EMISSAO").setDate(src.field("DT_EMISSAO").asDateTime());
        dst.param("DT_VENCIMENTO").setDate(src.field("DT_VENCIMENTO").asDateTime());
        dst.param("VALORVENDA").setDouble(amount("VALORVENDA"));
        dst.param("VALORDOCTO").setDouble(amount("VALORDOCTO"));
        dst.param("VALORDESC").setDouble(amount("VALORDESC"));
        dst.param("VALORPAGO").setDouble(amount("VALORPAGO"));
        dst.param("NUMDOCORIG").setFirst(text("NUMDOCORIG"), 12);
        // Five digits here, where the salesperson registry writes four.
        dst.param("CODVENDEDOR").setText(StrZero(text("CODVENDEDOR"), 5));
        dst.param("CODOPER").setText(s.codOperReceber);
        dst.param("COMISSAO").setDouble(amount("COMISSAO"));
        dst.param("SITUACAO").setText(Iif(situacao == "AB", "1", "2"));
        dst.param("OBSERVACAO").setFirst(text("OBSERVACAO"), 60);
        dst.param("CODMOEDA").setText("01");
        // Only an open document, exactly "AB", is written and numbered.
        if (situacao != "AB") return RowDecision::Skip(SituacaoNaoAberta(situacao));
        dst.param("NUMORD").setText(ProximoNumOrd(s));
        dst.param("DESPADIC").setDouble(amount("DESPADIC"));
        return RowDecision::Write();
    };
    loop.alsoRuns = ProximoNumOrdStatements();
    loop.rowName = [](Statement& src) {
        return "Documento: " + src.field("CODDOCTO").asText() + "\rCliente: " + src.field("CODCLIENTE").asText();
    };
    RunCopyLoop(s, loop);
}

}  // namespace conversor
