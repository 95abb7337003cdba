#include "convert/parties/parties.h"
#include "db/copy_loop.h"
#include "db/session.h"
#include "text/house_number.h"
#include "text/text_ops.h"

namespace conversor {

void ConverteComplementosClientes(Session& s) {
    CopyLoop loop;
    loop.registry = "compclientes";
    loop.statusText = "Convertendo Complementos de Clientes...";
    loop.sourceSql =
        "SELECT EMPRESA AS CODEMPRESA, CLICONTADOR AS CODCLIENTE, ENDERECOFAT AS ENDERECONFE, BAIRROFAT AS BAIRRO "
        "FROM CR002 ORDER BY CLICONTADOR";
    loop.clearTables = {"COMPCLIE"};
    loop.sourceKey = {"CODEMPRESA", "CODCLIENTE"};
    loop.targetTable = "COMPCLIE";
    loop.insertSql =
        "INSERT INTO COMPCLIE ( CODCLIENTE, ENDERECONFE, NUMERONFE) VALUES ( :CODCLIENTE, :ENDERECONFE, :NUMERONFE)";
    loop.bind = [](Statement& src, Statement& dst) {
        const std::string endereco = src.field("ENDERECONFE").asText();
        dst.param("CODCLIENTE").setText(StrZero(src.field("CODEMPRESA").asText(), 2) +
                                        StrZero(src.field("CODCLIENTE").asText(), 6));
        dst.param("ENDERECONFE").setFirst(endereco, 60);
        // The whole address is scanned: a number past the stored 60 characters still counts.
        dst.param("NUMERONFE").setText(IsBlank(endereco) ? std::string() : First(ExtraiNumeroEndereco(endereco), 5));
        return RowDecision::Write();
    };
    loop.rowName = [](Statement& src) { return "Cliente: " + StrZero(First(src.field("CODCLIENTE").asText(), 8), 8); };
    RunCopyLoop(s, loop);
}

}  // namespace conversor
