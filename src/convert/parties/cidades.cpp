#include <exception>

#include "convert/parties/parties.h"
#include "db/copy_loop.h"
#include "db/session.h"
#include "text/cp1252.h"
#include "text/text_ops.h"

namespace conversor {

namespace {
const char* const kMunicipio = "SELECT CODMUNICIPIO FROM MUNICIPIOS WHERE CIDADE = :PCIDADE AND ESTADO = :PESTADO";
}  // namespace

std::string BuscaCodigoMunicipio(Session& s, const std::string& cidade, const std::string& estado) {
    try {
        Statement& q = s.qryAuxOrdelio;
        q.setText(kMunicipio);
        q.param("PCIDADE").setText(UpperAscii(First(cidade, 30)));
        q.param("PESTADO").setText(UpperAscii(First(estado, 2)));
        q.open();
        // Left open: the next lookup's new text closes it.
        return q.eof() ? std::string() : q.field("CODMUNICIPIO").asText();
    } catch (const std::exception& e) {
        // A city without its municipality is still worth writing.
        s.warning(W("Erro ao buscar município.") + "\r" + "Motivo: " + e.what());
        return {};
    }
}

void ConverteCidades(Session& s) {
    CopyLoop loop;
    loop.registry = "cidades";
    loop.statusText = "Convertendo Cidades...";
    loop.sourceSql =
        "SELECT CIDCONTADOR AS CODCIDADE, DESCCID AS CIDADE, UFCID AS ESTADO FROM REP004 WHERE EMPRESA = 1 "
        "ORDER BY CIDCONTADOR";
    loop.clearTables = {"CIDADES"};
    loop.sourceKey = {"CODCIDADE"};
    loop.targetTable = "CIDADES";
    loop.insertSql =
        "INSERT INTO CIDADES ( CODCIDADE, CIDADE, ESTADO, CODMUNICIPIO) VALUES ( :CODCIDADE, :CIDADE, :ESTADO, "
        ":CODMUNICIPIO)";
    loop.insertPerRow = true;
    loop.bind = [&s](Statement& src, Statement& dst) {
        const std::string cidade = First(src.field("CIDADE").asText(), 30);
        const std::string estado = src.field("ESTADO").asText();
        dst.param("CODCIDADE").setText(StrZero(src.field("CODCIDADE").asText(), 5));
        dst.param("CIDADE").setFirst(src.field("CIDADE").asText(), 30);
        dst.param("ESTADO").setText(estado);
        // Looked up for every row, also for the ones not written.
        dst.param("CODMUNICIPIO").setText(BuscaCodigoMunicipio(s, cidade, estado));
        return IsBlank(estado) ? RowDecision::Skip("Cidade sem estado") : RowDecision::Write();
    };
    loop.alsoRuns = {OnTarget(kMunicipio)};
    loop.rowName = NamedBy("Cidade", "CIDADE");
    RunCopyLoop(s, loop);
}

}  // namespace conversor
