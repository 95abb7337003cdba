#include "convert/parties/parties.h"
#include "db/copy_loop.h"
#include "db/guarded.h"
#include "db/firebird/error.h"
#include "db/session.h"
#include "text/city_resolution.h"
#include "text/cp1252.h"
#include "text/text_ops.h"

namespace conversor {

namespace {

const char* const kSourceSql =
    "SELECT CLICONTADOR AS CODCLIENTE, NOME AS NOME, APELIDO AS NOMEFANTASIA, DTNASC AS DT_NASCIMENTO, "
    "ENDERECOFAT AS ENDERECO, BAIRROFAT AS BAIRRO, CIDADEFAT AS CODCIDADE, UFFAT AS ESTADO, CEPFAT AS CEP, "
    "ENDERECOFAT AS ENDERECOCOB, BAIRROFAT AS BAIRROCOB, CIDADEFAT AS CODCIDADECOB, UFFAT AS ESTADOCOB, "
    "CEPFAT AS CEPCOB, ENDERECOENT, BAIRROENT, CIDADEENT AS CODCIDADEENT, UFENT AS ESTADOENT, CEPENT, CPF, CGC, "
    "INSCESTADUAL AS INSCEST, TIPOCLIENTE AS PESSOA_FJ, FONE, CELULAR, FAX, EMAIL, DTCADASTRO AS DT_CADASTRO, "
    "EMPRESA, CONTATO, LIMITECREDITO, RG, SEXO, NOMEPAI, NOMEMAE, RENDAMENSAL, ESTADOCIVIL, INADIMPLENTE, "
    "RESTRICAO, ADMPUBLICA, BLOQUEADO, INATIVO, RAMOATIVIDADE, VENDEDOR, OBS AS OBSERVACAO FROM CR002 "
    "ORDER BY CLICONTADOR";

const char* const kInsertSql =
    "INSERT INTO CLIENTE (CODCLIENTE, NOME, NOMEFANTASIA, DT_NASCIMENTO, ENDERECO, BAIRRO, CODCIDADE, ESTADO, CEP, "
    "ENDERECOCOB, BAIRROCOB, CODCIDADECOB, ESTADOCOB, CEPCOB, ENDERECOENT, BAIRROENT, CODCIDADEENT, ESTADOENT, "
    "CEPENT, CGCCPF, INSCEST, PESSOA_FJ, FONE, CELULAR, FAX, EMAIL, DT_CADASTRO, CONTATO, LIMITECREDITO, "
    "OBSERVACAO, CAMPOLIVRE1, CAMPOLIVRE2, CAMPOLIVRE3, CAMPOLIVRE4, CAMPOLIVRE5, CAMPOLIVRE6, PROTESTARCLIENTE, "
    "RETEMISS, CLIBLOQUEADO, ATIVO, CODSEGMENTO, CODVENDEND1, PREFIXCELULAR) VALUES (:CODCLIENTE, :NOME, "
    ":NOMEFANTASIA, :DT_NASCIMENTO, :ENDERECO, :BAIRRO, :CODCIDADE, :ESTADO, :CEP, :ENDERECOCOB, :BAIRROCOB, "
    ":CODCIDADECOB, :ESTADOCOB, :CEPCOB, :ENDERECOENT, :BAIRROENT, :CODCIDADEENT, :ESTADOENT, :CEPENT, :CGCCPF, "
    ":INSCEST, :PESSOA_FJ, :FONE, :CELULAR, :FAX, :EMAIL, :DT_CADASTRO, :CONTATO, :LIMITECREDITO, :OBSERVACAO, "
    ":CAMPOLIVRE1, :CAMPOLIVRE2, :CAMPOLIVRE3, :CAMPOLIVRE4, :CAMPOLIVRE5, :CAMPOLIVRE6, :PROTESTARCLIENTE, "
    ":RETEMISS, :CLIBLOQUEADO, :ATIVO, :CODSEGMENTO, :CODVENDEND1, :PREFIXCELULAR)";

// Collection and delivery cities are resolved whenever a code is present,
// with whatever state the source holds.
std::string CidadeSecundaria(Session& s, const std::string& codigo, const std::string& estado) {
    if (codigo.empty()) return {};
    return StrZero(BuscaCodigoCidade(s, BuscaNomeCidadeTalvo(s, codigo), estado), 5);
}

RowDecision BindCliente(Session& s, Statement& src, Statement& dst) {
    auto in = [&src](const char* name) { return src.field(name).asText(); };
    auto out = [&dst](const char* name, std::string value) { dst.param(name).setText(std::move(value)); };

    out("CODCLIENTE", StrZero(in("EMPRESA"), 2) + StrZero(in("CODCLIENTE"), 6));
    const std::string nomeLido = !IsBlank(in("NOME")) ? in("NOME") : in("NOMEFANTASIA");
    const std::string nome = First(nomeLido, 60);
    dst.param("NOME").setFirst(nomeLido, 60);
    dst.param("NOMEFANTASIA").setFirst(in("NOMEFANTASIA"), 50);
    if (src.field("DT_NASCIMENTO").isNull()) dst.param("DT_NASCIMENTO").setNull();
    else dst.param("DT_NASCIMENTO").setDate(src.field("DT_NASCIMENTO").asDateTime());

    std::string endereco = in("ENDERECO");
    if (IsBlank(First(endereco, 60))) endereco = in("ENDERECOENT");
    dst.param("ENDERECO").setFirst(endereco, 60);
    dst.param("BAIRRO").setFirst(in("BAIRRO"), 30);

    const std::string codCidade = in("CODCIDADE");
    const std::string estado = !IsBlank(in("ESTADO")) ? in("ESTADO") : BuscaEstadoCidadeTalvo(s, codCidade);
    out("ESTADO", estado);
    // The main city needs a state to be found in; without one it stays empty.
    out("CODCIDADE", !IsBlank(codCidade) && !IsBlank(estado)
                         ? BuscaCodigoCidade(s, BuscaNomeCidadeTalvo(s, codCidade), estado)
                         : std::string());
    dst.param("CEP").setFirst(SoNumeros(in("CEP")), 8);

    dst.param("ENDERECOCOB").setFirst(in("ENDERECOCOB"), 60);
    dst.param("BAIRROCOB").setFirst(in("BAIRROCOB"), 30);
    out("CODCIDADECOB", CidadeSecundaria(s, in("CODCIDADECOB"), in("ESTADOCOB")));
    out("ESTADOCOB", in("ESTADO"));
    dst.param("CEPCOB").setFirst(SoNumeros(in("CEPCOB")), 8);

    dst.param("ENDERECOENT").setFirst(in("ENDERECOENT"), 60);
    dst.param("BAIRROENT").setFirst(in("BAIRROENT"), 30);
    out("CODCIDADEENT", CidadeSecundaria(s, in("CODCIDADEENT"), in("ESTADOENT")));
    out("ESTADOENT", in("ESTADOENT"));
    dst.param("CEPENT").setFirst(SoNumeros(in("CEPENT")), 8);

    dst.param("CGCCPF").setFirst(SoNumeros(Trim(in("PESSOA_FJ")) == "F" ? in("CPF") : in("CGC")), 15);
    dst.param("INSCEST").setFirst(TiraPontuacao(in("INSCEST")), 15);
    out("PESSOA_FJ", in("PESSOA_FJ"));
    dst.param("FONE").setFirst(SoNumeros(in("FONE")), 15);

    // Longer than a bare local number: the first two digits are the area code.
    std::string celular = First(SoNumeros(in("CELULAR")), 20);
    std::string prefixo;
    if (celular.size() > 8) {
        prefixo = celular.substr(0, 2);
        celular = celular.substr(2, 8);
    }
    out("CELULAR", celular);
    out("PREFIXCELULAR", prefixo);

    dst.param("FAX").setFirst(SoNumeros(in("FAX")), 15);
    dst.param("EMAIL").setFirst(in("EMAIL"), 60);
    out("CONTATO", in("CONTATO"));
    // Personal data the target has no column for.
    out("CAMPOLIVRE1", in("RG"));
    out("CAMPOLIVRE2", in("SEXO"));
    out("CAMPOLIVRE3", in("NOMEPAI"));
    out("CAMPOLIVRE4", in("NOMEMAE"));
    out("CAMPOLIVRE5", in("RENDAMENSAL"));
    out("CAMPOLIVRE6", in("ESTADOCIVIL"));
    out("PROTESTARCLIENTE", in("RESTRICAO") == "S" || in("INADIMPLENTE") == "S" ? "S" : "N");
    out("RETEMISS", in("ADMPUBLICA"));
    out("CLIBLOQUEADO", in("BLOQUEADO"));
    out("ATIVO", in("INATIVO") == "S" ? "N" : "S");
    out("CODSEGMENTO", StrZero(First(in("RAMOATIVIDADE"), 3), 3));
    out("CODVENDEND1", StrZero(First(in("VENDEDOR"), 4), 4));
    dst.param("LIMITECREDITO").setDouble(src.field("LIMITECREDITO").asDouble());
    dst.param("DT_CADASTRO").setDate(src.field("DT_CADASTRO").asDateTime());
    dst.param("OBSERVACAO").setBlob(in("OBSERVACAO"));

    // A customer without any name is not written; the cities it appended are.
    return IsBlank(nome) ? RowDecision::Skip("Cliente sem nome") : RowDecision::Write();
}

}  // namespace

void LimpaClientes(Session& s) {
    // Dialect 1: the double-quoted code is a text literal. The reserved
    // customer "00000000" stays.
    RunGuarded(s, W("Ocorreu um erro ao limpar a tabela CLIENTE no banco de dados do Ordelio.\rErro: "),
               [&] { ExecutaLimpeza(s, "DELETE FROM CLIENTE WHERE CODCLIENTE > \"00000000\""); });
}

void ConverteClientes(Session& s) {
    CopyLoop loop;
    loop.registry = "clientes";
    loop.statusText = "Convertendo Clientes...";
    loop.sourceSql = kSourceSql;
    loop.clearBeforeSource = true;
    loop.customClear = [&s] { LimpaClientes(s); };
    loop.sourceKey = {"EMPRESA", "CODCLIENTE"};
    loop.targetTable = "CLIENTE";
    loop.insertSql = kInsertSql;
    loop.bind = [&s](Statement& src, Statement& dst) { return BindCliente(s, src, dst); };
    loop.alsoRuns = EstadoCidadeTalvoStatements() + NomeCidadeTalvoStatements() + CodigoCidadeStatements();
    loop.rowName = NamedBy("Cliente", "NOME");
    RunCopyLoop(s, loop);
}

}  // namespace conversor
