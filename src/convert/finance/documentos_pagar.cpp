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

// At most 15 characters: title and parcel when they fit, else as much of the
// title as leaves room for a blank and the whole parcel; without a title, the
// type followed by the ten-digit counter.
std::string CodigoDocumento(const std::string& titulo, const std::string& parcela, const std::string& tipo,
                            const std::string& contador) {
    if (titulo.empty()) return First(tipo + StrZero(contador, 10), 15);
    const std::string label = titulo + " " + parcela;
    if (label.size() < 15) return label;
    const std::size_t room = parcela.size() < 14 ? 14 - parcela.size() : 0;
    return First(titulo, room) + " " + parcela;
}

// A blank amount counts as 0.
double Valor(const Field& field) { return IsBlank(field.asText()) ? 0 : field.asDouble(); }

std::string RotuloDocumento(Statement& src) {
    return src.field("TITULO").asText() + " " + src.field("PARCELA").asText();
}

void GravaTipoDocPadraoPagar(Session& s) {
    GravaTipoDocPadrao(s, "CP", "CT PAGAR IMPORT",
                       W("Ocorreu um erro ao inserir o tipo de documento padrão para contas a pagar no banco de dados "
                         "do Ordelio.\rErro: "));
}

}  // namespace

void ConverteDocumentosPagar(Session& s) {
    const std::string status = "Convertendo Contas a Pagar...";
    s.setStatus(status);
    s.processEvents();
    GravaTipoDocPadraoPagar(s);

    long long rowsDone = 0;  // for the error box only
    CopyLoop loop;
    loop.registry = "documentospagar";
    loop.statusText = status;
    loop.sourceSql =
        "SELECT CPCONTADOR, EMPRESA AS CODEMPRESA, TIPOCP AS TIPODOCTO, TITULO, PARCELA, FCONTADOR AS CODFORNEC, "
        "VLRPARCELA AS VALORDOCTO, VLRPAGO AS VALORPAGO, VALORJUROS AS JUROSMULTA, DTEMISSAO AS DT_EMISSAO, DTVENC "
        "AS DT_VENCIMENTO, STATUS AS SITUACAO, OBSERVACAO AS HISTORICO, DTLANC AS DT_ENTRADA FROM CP001 WHERE "
        "CP001.STATUS = :STATUS";
    loop.bindSource = [](Statement& src) { src.param("STATUS").setText("AB"); };
    loop.clearTables = {"DOCUPAG", "MOVIPAG"};
    loop.sourceKey = {"CODEMPRESA", "CPCONTADOR", "TITULO", "PARCELA"};
    loop.targetTable = "DOCUPAG";
    loop.insertSql =
        "INSERT INTO DOCUPAG ( CODEMPRESA, TIPODOCTO, CODDOCTO, CODFORNEC, CODMOEDA, VALORDOCTO, VALORPAGO, "
        "JUROSMULTA, DT_EMISSAO, CODOPER, DT_VENCIMENTO, SITUACAO, HISTORICO, NUMORD, DT_ENTRADA) VALUES ( "
        ":CODEMPRESA, :TIPODOCTO, :CODDOCTO, :CODFORNEC, :CODMOEDA, :VALORDOCTO, :VALORPAGO, :JUROSMULTA, "
        ":DT_EMISSAO, :CODOPER, :DT_VENCIMENTO, :SITUACAO, :HISTORICO, :NUMORD, :DT_ENTRADA)";
    loop.bind = [&s](Statement& src, Statement& dst) {
        const RowMapping m(src, dst);
        const std::string situacao = m.in("SITUACAO");
        m.out("CODEMPRESA", StrZero(m.in("CODEMPRESA"), 2));
        m.outFirst("TIPODOCTO", m.in("TIPODOCTO"), 2);
        m.out("CODDOCTO", CodigoDocumento(m.in("TITULO"), m.in("PARCELA"), m.in("TIPODOCTO"), m.in("CPCONTADOR")));
        m.out("CODFORNEC", StrZero(m.in("CODFORNEC"), 6));
        m.out("CODMOEDA", "01");
        m.copyNumber("VALORDOCTO", Valor);
        m.copyNumber("VALORPAGO", Valor);
        m.copyNumber("JUROSMULTA", Valor);
        m.copyDate("DT_EMISSAO");
        m.out("CODOPER", s.codOperPagar);
        m.copyDate("DT_VENCIMENTO");
        m.out("SITUACAO", Iif(situacao == "AB", "1", "2"));
        m.outFirst("HISTORICO", m.in("HISTORICO"), 250);
        // Only an open document, exactly "AB", is written and numbered.
        if (situacao != "AB") return RowDecision::Skip(SituacaoNaoAberta(situacao));
        m.out("NUMORD", ProximoNumOrd(s));
        m.copyDate("DT_ENTRADA");
        return RowDecision::Write();
    };
    loop.alsoRuns = ProximoNumOrdStatements();
    loop.afterRow = [&rowsDone](Statement&) { ++rowsDone; };
    loop.rowName = [&rowsDone](Statement& src) {
        return "Documento: " + RotuloDocumento(src) + "\rRegistro:  " + std::to_string(rowsDone) +
               "\rFornecedor: " + src.field("CODFORNEC").asText();
    };
    RunCopyLoop(s, loop);
}

}  // namespace conversor
