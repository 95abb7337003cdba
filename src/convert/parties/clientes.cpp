#include "convert/parties/parties.h"
#include "db/copy_loop.h"
#include "db/guarded.h"
#include "db/firebird/error.h"
#include "db/row_mapping.h"
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
    const RowMapping m(src, dst);

    m.out("CODCLIENTE", StrZero(m.in("EMPRESA"), 2) + StrZero(m.in("CODCLIENTE"), 6));
    const std::string nomeLido = !IsBlank(m.in("NOME")) ? m.in("NOME") : m.in("NOMEFANTASIA");
    const std::string nome = First(nomeLido, 60);
    m.outFirst("NOME", nomeLido, 60);
    m.outFirst("NOMEFANTASIA", m.in("NOMEFANTASIA"), 50);
    if (src.field("DT_NASCIMENTO").isNull()) dst.param("DT_NASCIMENTO").setNull();
    else m.copyDate("DT_NASCIMENTO");

    std::string endereco = m.in("ENDERECO");
    if (IsBlank(First(endereco, 60))) endereco = m.in("ENDERECOENT");
    m.outFirst("ENDERECO", endereco, 60);
    m.outFirst("BAIRRO", m.in("BAIRRO"), 30);

    const std::string codCidade = m.in("CODCIDADE");
    const std::string estado = !IsBlank(m.in("ESTADO")) ? m.in("ESTADO") : BuscaEstadoCidadeTalvo(s, codCidade);
    m.out("ESTADO", estado);
    // The main city needs a state to be found in; without one it stays empty.
    m.out("CODCIDADE", !IsBlank(codCidade) && !IsBlank(estado)
                           ? BuscaCodigoCidade(s, BuscaNomeCidadeTalvo(s, codCidade), estado)
                           : std::string());
    m.outFirst("CEP", SoNumeros(m.in("CEP")), 8);

    m.outFirst("ENDERECOCOB", m.in("ENDERECOCOB"), 60);
    m.outFirst("BAIRROCOB", m.in("BAIRROCOB"), 30);
    m.out("CODCIDADECOB", CidadeSecundaria(s, m.in("CODCIDADECOB"), m.in("ESTADOCOB")));
    m.out("ESTADOCOB", m.in("ESTADO"));
    m.outFirst("CEPCOB", SoNumeros(m.in("CEPCOB")), 8);

    m.outFirst("ENDERECOENT", m.in("ENDERECOENT"), 60);
    m.outFirst("BAIRROENT", m.in("BAIRROENT"), 30);
    m.out("CODCIDADEENT", CidadeSecundaria(s, m.in("CODCIDADEENT"), m.in("ESTADOENT")));
    m.copy("ESTADOENT");
    m.outFirst("CEPENT", SoNumeros(m.in("CEPENT")), 8);

    m.outFirst("CGCCPF", SoNumeros(Trim(m.in("PESSOA_FJ")) == "F" ? m.in("CPF") : m.in("CGC")), 15);
    m.outFirst("INSCEST", TiraPontuacao(m.in("INSCEST")), 15);
    m.copy("PESSOA_FJ");
    m.outFirst("FONE", SoNumeros(m.in("FONE")), 15);

    // Longer than a bare local number: the first two digits are the area code.
    std::string celular = First(SoNumeros(m.in("CELULAR")), 20);
    std::string prefixo;
    if (celular.size() > 8) {
        prefixo = celular.substr(0, 2);
        celular = celular.substr(2, 8);
    }
    m.out("CELULAR", celular);
    m.out("PREFIXCELULAR", prefixo);

    m.outFirst("FAX", SoNumeros(m.in("FAX")), 15);
    m.outFirst("EMAIL", m.in("EMAIL"), 60);
    m.copy("CONTATO");
    // Personal data the target has no column for.
    m.out("CAMPOLIVRE1", m.in("RG"));
    m.out("CAMPOLIVRE2", m.in("SEXO"));
    m.out("CAMPOLIVRE3", m.in("NOMEPAI"));
    m.out("CAMPOLIVRE4", m.in("NOMEMAE"));
    m.out("CAMPOLIVRE5", m.in("RENDAMENSAL"));
    m.out("CAMPOLIVRE6", m.in("ESTADOCIVIL"));
    m.out("PROTESTARCLIENTE", m.in("RESTRICAO") == "S" || m.in("INADIMPLENTE") == "S" ? "S" : "N");
    m.out("RETEMISS", m.in("ADMPUBLICA"));
    m.out("CLIBLOQUEADO", m.in("BLOQUEADO"));
    m.out("ATIVO", m.in("INATIVO") == "S" ? "N" : "S");
    m.out("CODSEGMENTO", StrZero(First(m.in("RAMOATIVIDADE"), 3), 3));
    m.out("CODVENDEND1", StrZero(First(m.in("VENDEDOR"), 4), 4));
    m.copyNumber("LIMITECREDITO");
    m.copyDate("DT_CADASTRO");
    dst.param("OBSERVACAO").setBlob(m.in("OBSERVACAO"));

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
