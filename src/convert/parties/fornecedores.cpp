#include "convert/parties/parties.h"
#include "db/copy_loop.h"
#include "db/row_mapping.h"
#include "db/session.h"
#include "text/city_resolution.h"
#include "text/text_ops.h"

namespace conversor {

void ConverteFornecedores(Session& s) {
    CopyLoop loop;
    loop.registry = "fornecedores";
    loop.statusText = "Convertendo Fornecedores...";
    loop.clearTables = {"FORNECE"};
    loop.clearBeforeSource = true;
    loop.sourceSql =
        "SELECT FCONTADOR AS CODFORNEC, NOME AS NOME, APELIDO AS NOMEFANTASIA, ENDERECO, BAIRRO, CIDADE AS CODCIDADE, "
        "UF AS ESTADO, CEP AS CEP, COALESCE(CGC,'') || COALESCE(CPF,'') AS CGCCPF, INSCESTADUAL AS INSCEST, "
        "TIPOFORN AS PESSOA_FJ, FONE, CELULARREP AS CELULAR, FAX, EMAIL, NOMEREP AS CONTATO, CP003.INATIVO AS ATIVO, "
        "OBSERVACAO FROM CP003 LEFT JOIN REP004 ON CP003.CIDADE = REP004.CIDCONTADOR AND CP003.EMPRESA = "
        "REP004.EMPRESA WHERE CP003.EMPRESA = 1 ORDER BY FCONTADOR";
    loop.sourceKey = {"CODFORNEC"};
    loop.targetTable = "FORNECE";
    loop.insertSql =
        "INSERT INTO FORNECE ( CODFORNEC,NOME,NOMEFANTASIA,ENDERECO, BAIRRO,CODCIDADE,ESTADO,CEP,CGCCPF, "
        "INSCEST,PESSOA_FJ,FONE,CELULAR,FAX, EMAIL,CONTATO,ATIVO,OBSERVACAO) VALUES ( "
        ":CODFORNEC,:NOME,:NOMEFANTASIA,:ENDERECO, :BAIRRO,:CODCIDADE,:ESTADO,:CEP,:CGCCPF, "
        ":INSCEST,:PESSOA_FJ,:FONE,:CELULAR, :FAX,:EMAIL,:CONTATO,:ATIVO,:OBSERVACAO)";
    loop.bind = [&s](Statement& src, Statement& dst) {
        const RowMapping m(src, dst);

        m.out("CODFORNEC", StrZero(m.in("CODFORNEC"), 6));
        m.outFirst("NOME", m.in("NOME"), 50);
        m.outFirst("NOMEFANTASIA", m.in("NOMEFANTASIA"), 40);
        m.outFirst("ENDERECO", m.in("ENDERECO"), 50);
        m.outFirst("BAIRRO", m.in("BAIRRO"), 30);
        const std::string codCidade = IsBlank(m.in("CODCIDADE")) ? std::string() : StrZero(m.in("CODCIDADE"), 5);
        m.out("CODCIDADE", codCidade);
        // Without a state of its own the supplier takes its city's, when it has a city.
        std::string estado = m.in("ESTADO");
        if (IsBlank(estado)) estado = IsBlank(codCidade) ? std::string() : BuscaEstadoCidadeTalvo(s, m.in("CODCIDADE"));
        m.out("ESTADO", estado);
        m.outFirst("CEP", SoNumeros(m.in("CEP")), 8);
        m.out("CGCCPF", SoNumeros(m.in("CGCCPF")));
        m.outFirst("INSCEST", TiraPontuacao(m.in("INSCEST")), 15);
        m.copy("PESSOA_FJ");
        m.outFirst("FONE", SoNumeros(m.in("FONE")), 15);
        m.outFirst("CELULAR", SoNumeros(m.in("CELULAR")), 15);
        m.outFirst("FAX", SoNumeros(m.in("FAX")), 15);
        m.outFirst("EMAIL", m.in("EMAIL"), 100);
        m.outFirst("CONTATO", m.in("CONTATO"), 35);
        dst.param("OBSERVACAO").setBlob(m.in("OBSERVACAO"));
        // The source flag says inactive; only an explicit "N" makes an active supplier.
        m.out("ATIVO", m.in("ATIVO") == "N" ? "S" : "N");
        return RowDecision::Write();
    };
    loop.alsoRuns = EstadoCidadeTalvoStatements();
    loop.rowName = NamedBy("Fornecedor", "NOME");
    RunCopyLoop(s, loop);
}

}  // namespace conversor
