#include "convert/parties/parties.h"
#include "db/copy_loop.h"
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
        auto in = [&src](const char* name) { return src.field(name).asText(); };
        auto out = [&dst](const char* name, std::string value) { dst.param(name).setText(std::move(value)); };

        out("CODVENDEDOR", StrZero(in("CODVENDEDOR"), 4));
        dst.param("NOME").setFirst(in("NOME"), 40);
        dst.param("ENDERECO").setFirst(in("ENDERECO"), 50);
        dst.param("BAIRRO").setFirst(in("BAIRRO"), 30);
        out("CODCIDADE", CodigoCidadePorNome(s, in("CIDADE")));
        out("ESTADO", in("ESTADO"));
        dst.param("CEP").setFirst(SoNumeros(in("CEP")), 8);
        dst.param("TELEFONE").setFirst(SoNumeros(in("TELEFONE")), 15);
        dst.param("COMISSAO").setDouble(src.field("COMISSAO").asDouble());
        dst.param("EMAIL").setFirst(in("EMAIL"), 60);
        out("ATIVO", Iif(in("INATIVO") == "S", "N", "S"));
        out("CGCCPF", SoNumeros(in("CGCCPF")));
        dst.param("INSCEST").setFirst(in("INSCEST"), 15);
        dst.param("RG").setFirst(in("RG"), 15);
        out("CODEMPRESA", StrZero(in("CODEMPRESA"), 2));
        out("MUDAPRECOPDV", in("MUDAPRECOPDV"));
        out("TIPOVENDEDOR", "V");
        return RowDecision::Write();
    };
    loop.alsoRuns = {OnTarget(kCidadePorNome)};
    loop.rowName = NamedBy("Vendedor", "NOME");
    RunCopyLoop(s, loop);
}

}  // namespace conversor
