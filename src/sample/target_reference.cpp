#include "sample/target_reference.h"

#include "db/firebird/connection.h"
#include "db/firebird/statement.h"
#include "sample/places.h"
#include "sample/sample_store.h"
#include "text/cp1252.h"

namespace conversor::sample {

namespace {
struct Operation {
    const char* code;
    const char* description;
    const char* type;  // "5" files payables, "8" receivables
};
constexpr Operation kOperations[] = {
    {"001", "VENDA DE MERCADORIAS", "1"},
    {"002", "DEVOLUÇÃO DE VENDA", "2"},
    {"050", "COMPRA DE MERCADORIAS", "3"},
    {kPayablesOperation, "PAGAMENTO A FORNECEDORES", "5"},
    {"102", "DESPESAS GERAIS A PAGAR", "5"},
    {"103", "IMPOSTOS A RECOLHER", "5"},
    {kReceivablesOperation, "RECEBIMENTO DE CLIENTES", "8"},
    {"202", "CARTÃO DE CRÉDITO A RECEBER", "8"},
};
}  // namespace

long long WriteTargetReference(Connection& cn) {
    long long rows = 0;
    Statement st(cn);
    st.setText("INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO, ATIVO) VALUES (:CODOPER, :DESCRICAO, :TPOPERACAO, :ATIVO)");
    for (const Operation& op : kOperations) {
        st.param("CODOPER").setText(op.code);
        st.param("DESCRICAO").setText(W(op.description));
        st.param("TPOPERACAO").setText(op.type);
        st.param("ATIVO").setText("S");
        st.execute();
        ++rows;
    }
    // Upper case, as the cities converter looks them up.
    st.setText("INSERT INTO MUNICIPIOS (CODMUNICIPIO, CIDADE, ESTADO) VALUES (:CODMUNICIPIO, :CIDADE, :ESTADO)");
    for (const Place& place : Places()) {
        st.param("CODMUNICIPIO").setText(place.ibge);
        st.param("CIDADE").setText(W(place.city));
        st.param("ESTADO").setText(place.state);
        st.execute();
        ++rows;
    }
    st.setText("INSERT INTO CADUSUA (USUARIO, CODEMPRESA) VALUES (:USUARIO, :CODEMPRESA)");
    for (const char* user : {"ADMIN", "CAIXA1", "GERENTE"}) {
        st.param("USUARIO").setText(user);
        st.param("CODEMPRESA").setText("01");
        st.execute();
        ++rows;
    }
    return rows;
}

}  // namespace conversor::sample
