#include "convert/parties/parties.h"
#include "db/copy_loop.h"
#include "db/row_mapping.h"
#include "db/session.h"
#include "text/text_ops.h"

namespace conversor {

namespace {

const char* const kCidadePorNome = "SELECT CODCIDADE FROM CIDADES WHERE CIDADE = :CIDADE ORDER BY CODCIDADE";

// The salesperson's city is a name; a name the target lacks stays empty, and
// one that several states share gives its lowest code, the same on every run.
std::string CodigoCidadePorNome(Session& s, const std::string& cidade) {
    if (cidade.empty()) return {};
    Statement& q = s.qryAuxOrdelio;
    q.close();
    q.setText(kCidadePorNome);
    q.param("CIDADE").setText(cidade);
    q.open();
    // Left open: the next lookup closes it.
    return q.eof() ? std::string() : q.field("CODCIDADE").asText();
}

}  // namespace

void ConverteVendedores(Session& s) {
    CopyLoop loop;
    loop.registry = "vendedores";
    loop.statusText = "Convertendo Vendedores...";
    loop.clearTables = {"VENDEND"};
    loop.clearBeforeSource = true;
    loop.sourceSql =
        "SELECT VENDCONTADOR AS CODVENDEDOR, NOMEVENDEDOR AS NOME, ENDERECO, BAIRRO, CIDADE, UF AS ESTADO, CEP, "
        "FONE AS TELEFONE, COMISSAO, EMAIL, INATIVO, COALESCE(CGC,'') || COALESCE(CPF,'') AS CGCCPF, "
        "INSCESTADUAL AS INSCEST, RG, REGIMPORT AS MUDAPRECOPDV, EMPRESA AS CODEMPRESA FROM EST001 "
        "ORDER BY VENDCONTADOR";
    loop.sourceKey = {"CODEMPRESA", "CODVENDEDOR"};
    loop.targetTable = "VENDEND";
    loop.insertSql =
        "INSERT INTO VENDEND ( CODVENDEDOR,NOME,ENDERECO, BAIRRO,CODCIDADE,ESTADO,CEP,TELEFONE, "
        "COMISSAO,EMAIL,ATIVO,CGCCPF,INSCEST,RG, CODEMPRESA,MUDAPRECOPDV,TIPOVENDEDOR) VALUES ( "
        ":CODVENDEDOR,:NOME,:ENDERECO, :BAIRRO,:CODCIDADE,:ESTADO,:CEP,:TELEFONE, "
        ":COMISSAO,:EMAIL,:ATIVO,:CGCCPF,:INSCEST,:RG, :CODEMPRESA,:MUDAPRECOPDV,:TIPOVENDEDOR)";
    loop.bind = [&s](Statement& src, Statement& dst) {
        const RowMapping m(src, dst);

        m.out("CODVENDEDOR", StrZero(m.in("CODVENDEDOR"), 4));
        m.outFirst("NOME", m.in("NOME"), 40);
        m.outFirst("ENDERECO", m.in("ENDERECO"), 50);
        m.outFirst("BAIRRO", m.in("BAIRRO"), 30);
        m.out("CODCIDADE", CodigoCidadePorNome(s, m.in("CIDADE")));
        m.copy("ESTADO");
        m.outFirst("CEP", SoNumeros(m.in("CEP")), 8);
        m.outFirst("TELEFONE", SoNumeros(m.in("TELEFONE")), 15);
        m.copyNumber("COMISSAO");
        m.outFirst("EMAIL", m.in("EMAIL"), 60);
        m.out("ATIVO", Iif(m.in("INATIVO") == "S", "N", "S"));
        m.out("CGCCPF", SoNumeros(m.in("CGCCPF")));
        m.outFirst("INSCEST", m.in("INSCEST"), 15);
        m.outFirst("RG", m.in("RG"), 15);
        m.out("CODEMPRESA", StrZero(m.in("CODEMPRESA"), 2));
        m.copy("MUDAPRECOPDV");
        m.out("TIPOVENDEDOR", "V");
        return RowDecision::Write();
    };
    loop.alsoRuns = {OnTarget(kCidadePorNome)};
    loop.rowName = NamedBy("Vendedor", "NOME");
    RunCopyLoop(s, loop);
}

}  // namespace conversor
