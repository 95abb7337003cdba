#include "convert/parties/parties.h"
#include "db/copy_loop.h"
#include "db/row_mapping.h"
#include "db/session.h"
#include "text/text_ops.h"

namespace conversor {

void ConverteTransportadoras(Session& s) {
    CopyLoop loop;
    loop.registry = "transportadoras";
    loop.statusText = "Convertendo Transportadoras...";
    loop.clearTables = {"TRANSPT"};
    loop.clearBeforeSource = true;
    loop.sourceSql =
        "SELECT FCONTADOR AS CODTRANSPT, NOME AS NOME, ENDERECO, BAIRRO, CIDADE AS CODCIDADE, UF AS ESTADO, "
        "CEP AS CEP, COALESCE(CGC,'') || COALESCE(CPF,'') AS CGCCPF, INSCESTADUAL AS INSCEST, TIPOFORN AS PESSOA_FJ, "
        "FONE, FAX, EMAIL, NOMEREP AS CONTATO FROM CP003 LEFT JOIN REP004 ON CP003.CIDADE = REP004.CIDCONTADOR AND "
        "CP003.EMPRESA = REP004.EMPRESA WHERE TIPOTRANSP = 'S' ORDER BY FCONTADOR";
    loop.sourceKey = {"CODTRANSPT"};
    loop.targetTable = "TRANSPT";
    loop.insertSql =
        "INSERT INTO TRANSPT ( CODTRANSPT,NOME,ENDERECO, BAIRRO,CODCIDADE,ESTADO,CEP,CGCCPF, "
        "INSCEST,PESSOA_FJ,FONE,FAX, EMAIL,CONTATO,CODEMFORNECE) VALUES ( :CODTRANSPT,:NOME,:ENDERECO, "
        ":BAIRRO,:CODCIDADE,:ESTADO,:CEP,:CGCCPF, :INSCEST,:PESSOA_FJ,:FONE, :FAX,:EMAIL,:CONTATO,:CODEMFORNECE)";
    loop.bind = [](Statement& src, Statement& dst) {
        const RowMapping m(src, dst);

        m.out("CODTRANSPT", StrZero(m.in("CODTRANSPT"), 4));
        m.outFirst("NOME", m.in("NOME"), 35);
        m.outFirst("ENDERECO", m.in("ENDERECO"), 50);
        m.outFirst("BAIRRO", m.in("BAIRRO"), 30);
        m.out("CODCIDADE", StrZero(m.in("CODCIDADE"), 5));
        m.copy("ESTADO");
        m.outFirst("CEP", SoNumeros(m.in("CEP")), 8);
        m.out("CGCCPF", SoNumeros(m.in("CGCCPF")));
        m.outFirst("INSCEST", TiraPontuacao(m.in("INSCEST")), 15);
        m.copy("PESSOA_FJ");
        m.outFirst("FONE", SoNumeros(m.in("FONE")), 15);
        m.outFirst("FAX", SoNumeros(m.in("FAX")), 15);
        m.outFirst("EMAIL", m.in("EMAIL"), 100);
        m.outFirst("CONTATO", m.in("CONTATO"), 30);
        // The supplier that the same source row becomes.
        m.out("CODEMFORNECE", StrZero(m.in("CODTRANSPT"), 6));
        return RowDecision::Write();
    };
    loop.rowName = NamedBy("Transportadora", "NOME");
    RunCopyLoop(s, loop);
}

}  // namespace conversor
