#include "convert/finance/cidade_por_nome.h"

#include "db/session.h"

namespace conversor {

namespace {
const char* const kCidadePorNome = "SELECT FIRST 1 CODCIDADE FROM CIDADES WHERE CIDADE = :CIDADE ORDER BY CODCIDADE";
}  // namespace

StatementPlan CodigoCidadePorNomeStatements() { return {OnTarget(kCidadePorNome)}; }

std::string BuscaCodigoCidadePorNome(Session& s, const std::string& cidade) {
    if (cidade.empty()) return {};
    // A name several states share: the lowest code, so a rerun gives the same target.
    Statement& q = s.qryAuxOrdelio;
    q.close();
    q.setText(kCidadePorNome);
    q.param("CIDADE").setText(cidade);
    q.open();
    std::string code = q.eof() ? std::string() : q.field("CODCIDADE").asText();
    q.close();
    return code;
}

}  // namespace conversor
