#include "text/city_resolution.h"

#include "db/session.h"
#include "db/firebird/statement.h"
#include "text/text_ops.h"

namespace conversor {

namespace {
const char* const kNomeCidadeTalvo = "SELECT DESCCID FROM REP004 WHERE CIDCONTADOR = :CIDCONTADOR";
const char* const kEstadoCidadeTalvo =
    "SELECT UFCID AS ESTADO FROM REP004 WHERE EMPRESA = 1 AND CIDCONTADOR = :PCIDCONTADOR";
const char* const kCidadePorNomeEstado =
    "SELECT CODCIDADE FROM CIDADES WHERE CIDADE = :CIDADE AND ESTADO = :ESTADO ORDER BY CODCIDADE";
const char* const kBeloHorizonte = "SELECT CODCIDADE FROM CIDADES WHERE CIDADE = 'BELO HORIZONTE' ORDER BY CODCIDADE";
const char* const kMaiorCodigo = "SELECT MAX(CODCIDADE) AS CODCIDADE FROM CIDADES";
const char* const kNovaCidade = "INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES (:CODCIDADE, :CIDADE, :ESTADO)";
}  // namespace

StatementPlan NomeCidadeTalvoStatements() { return {OnSource(kNomeCidadeTalvo)}; }
StatementPlan EstadoCidadeTalvoStatements() { return {OnSource(kEstadoCidadeTalvo)}; }
StatementPlan CodigoCidadeStatements() {
    return {OnTarget(kCidadePorNomeEstado), OnTarget(kBeloHorizonte), OnTarget(kMaiorCodigo), OnTarget(kNovaCidade)};
}

std::string BuscaNomeCidadeTalvo(Session& s, const std::string& codigo) {
    // The code column is numeric: an empty code names no city, and binding it
    // would only raise a conversion error.
    if (IsBlank(codigo)) return {};
    if (const std::string* known = s.lookups.sourceCityNames.find(codigo)) return *known;
    Statement st(s.CnTalvo);
    st.setText(kNomeCidadeTalvo);
    st.param("CIDCONTADOR").setText(codigo);
    st.open();
    std::string nome = st.eof() ? std::string() : st.field("DESCCID").asText();
    s.lookups.sourceCityNames.remember(codigo, nome);
    return nome;
}

std::string BuscaEstadoCidadeTalvo(Session& s, const std::string& codigo) {
    // A customer without a billing city asks for the state of an empty code;
    // that is no city, not a failing row.
    if (IsBlank(codigo)) return {};
    if (const std::string* known = s.lookups.sourceCityStates.find(codigo)) return *known;
    Statement st(s.CnTalvo);
    st.setText(kEstadoCidadeTalvo);
    st.param("PCIDCONTADOR").setText(codigo);
    st.open();
    std::string estado = st.eof() ? std::string() : st.field("ESTADO").asText();
    s.lookups.sourceCityStates.remember(codigo, estado);
    return estado;
}

std::string BuscaCodigoCidade(Session& s, const std::string& nome, const std::string& estado) {
    const std::string cidade = UpperAscii(nome);
    const std::string uf = UpperAscii(estado);

    // Only the city found (or appended) under its own name and state is kept:
    // the abbreviation's answer below changes once a city of that name exists.
    LookupCache& known = s.lookups.targetCities;
    const std::string key = cidade + '\0' + uf;
    if (const std::string* codigo = known.find(key)) return *codigo;

    // Name and state travel as parameters: a city such as D'OESTE is data,
    // never part of the statement.
    Statement st(s.CnOrdelio);
    st.setText(kCidadePorNomeEstado);
    st.param("CIDADE").setText(cidade);
    st.param("ESTADO").setText(uf);
    st.open();
    if (!st.eof()) {
        std::string codigo = st.field("CODCIDADE").asText();
        known.remember(key, codigo);
        return codigo;
    }

    // The source abbreviates Belo Horizonte; whatever state the target gave it wins.
    if (nome == "BHTE") {
        st.setText(kBeloHorizonte);
        st.open();
        if (!st.eof()) return st.field("CODCIDADE").asText();
    }

    st.setText(kMaiorCodigo);
    st.open();
    std::string codigo;
    if (st.field("CODCIDADE").asText().empty()) codigo = "00001";
    else codigo = StrZero(std::to_string(st.field("CODCIDADE").asInt() + 1), 5);
    st.close();

    st.setText(kNovaCidade);
    st.param("CODCIDADE").setText(codigo);
    st.param("CIDADE").setText(cidade);
    st.param("ESTADO").setText(uf);
    st.execute();
    known.remember(key, codigo);
    return codigo;
}

}  // namespace conversor
