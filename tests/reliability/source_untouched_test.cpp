// The source is only read: its transactions are read-only at the engine
// level, so no statement run on its connection can change it, and a full run
// of all twenty registries leaves every source table as it was.
#include <gtest/gtest.h>

#include "db/firebird/error.h"
#include "db/session.h"
#include "reliability/helpers.h"

namespace conversor::testing {
namespace {

// Writes of every kind the source connection could be asked to run. Each is
// refused by the engine: data changes for the read-only transaction, and
// definitions because they too are written in one. (Generators are outside
// transactions, so SET GENERATOR and GEN_ID with a step would change one even
// here; no statement the conversion runs on the source touches a generator.)
const char* const kWrites[] = {
    "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 9, 'X', 'SP')",
    "UPDATE REP004 SET DESCCID = 'CHANGED'",
    "DELETE FROM REP004",
    "CREATE TABLE INTRUDER (ID INTEGER)",
    "DROP TABLE EST017",
    "ALTER TABLE REP004 ADD EXTRA INTEGER",
    "EXECUTE BLOCK AS BEGIN DELETE FROM REP004; END",
    // An autonomous transaction inherits the read-only mode of its parent.
    "EXECUTE BLOCK AS BEGIN IN AUTONOMOUS TRANSACTION DO DELETE FROM REP004; END",
};

class SourceUntouchedTest : public ::testing::Test {
protected:
    TestDatabases db;
    RecordingOperator ui;
    Session session{ui};
};

TEST_F(SourceUntouchedTest, EveryWriteOnTheSourceConnectionFails) {
    db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'ITAJUBA', 'MG')");
    const Contents before = ReadContents(db.source());
    db.closeConnections();  // nothing else holds the file open meanwhile
    session.sourcePath = db.sourcePath();
    ASSERT_TRUE(session.ConectaTalvo());
    for (const char* sql : kWrites) {
        for (bool explicitTransaction : {false, true}) {
            SCOPED_TRACE(std::string(sql) + (explicitTransaction ? " (in an explicit transaction)" : ""));
            Statement& q = session.qryAuxTalvo;
            q.setText(sql);
            if (explicitTransaction) session.AbreTransacao(session.CnTalvo);
            try {
                q.execute();
                ADD_FAILURE() << "the write was accepted";
            } catch (const DbError& e) {
                const std::string reason = e.what();
                EXPECT_TRUE(reason.find("read-only transaction") != std::string::npos ||
                            reason.rfind("unsuccessful metadata update", 0) == 0)
                    << reason;
            }
            q.close();
            if (explicitTransaction) session.ConfirmaTransacao(session.CnTalvo);
        }
    }
    session.CnTalvo.close();
    EXPECT_EQ(ReadContents(db.source()), before);
}

TEST_F(SourceUntouchedTest, AFullRunLeavesEverySourceTableAsItWas) {
    db.onSource(
        "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'ITAJUBA', 'MG');"
        "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (2, 1, 'OUTRA', 'SP');"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, CIDADEFAT, UFFAT, CIDADEENT, UFENT, RAMOATIVIDADE, VENDEDOR, "
        "  DTCADASTRO, LIMITECREDITO, OBS) VALUES (1, 1, 'ANA', 1, 'MG', 1, 'MG', 'VAREJO', '1', '2020-01-02', 10.5, 'OBS');"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, ENDERECOFAT) VALUES (1, 2, 'BIA', 'RUA A, 10');"
        "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME, CIDADE, UF, TIPOTRANSP, OBSERVACAO) "
        "  VALUES (1, 1, 'FORNECEDOR', 1, 'MG', 'N', 'NOTA');"
        "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME, CIDADE, UF, TIPOTRANSP) VALUES (1, 2, 'TRANSPORTADORA', 1, 'MG', 'S');"
        "INSERT INTO EST001 (EMPRESA, VENDCONTADOR, NOMEVENDEDOR, CIDADE, UF, COMISSAO) "
        "  VALUES (1, 1, 'VENDEDOR', 'ITAJUBA', 'MG', 2.5);"
        "INSERT INTO EST002 (GRUPOCONTADOR, DESCGRUPO) VALUES (1, 'BEBIDAS');"
        "INSERT INTO EST003 (GRUPOCONTA, SUBGCONTADOR, DESCSUBG) VALUES (1, 1, 'SUCOS');"
        "INSERT INTO EST017 (MARCACONTADOR, DESCMARCA) VALUES (1, 'MARCA');"
        "INSERT INTO EST038 (EMPRESA, TRIBCONTADOR, REDUCAO, CST, CFOPDENTRO, CFOPFORA) "
        "  VALUES (1, 1, 0, '000', '5102', '6102');"
        "INSERT INTO EST004 (EMPRESA, CODPRODUTO, DESCPRODUTO, GRUPO, SUBGRUPO, NCM, TRIBUTACAO, MARCA, UNIDADE, "
        "  PVENDA1, ESTOQUE, PRECOCUSTO, DTCADASTRO, OBSPRODUTO) "
        "  VALUES (1, 1, 'SUCO', 1, 1, '20091100', 1, 1, 'UN', 3.5, 10, 2.1, '2020-01-02', 'GELADO');"
        "INSERT INTO REP003 (PLANOPAGCONTADOR, DESCPLANOPAG, NUMPARCELAS) VALUES (1, '30 DIAS', 1);"
        "INSERT INTO EMP001 (EMPCONTADOR, DESCEMPRESA, CIDADE, UF, CGC) VALUES (1, 'MATRIZ', 'ITAJUBA', 'MG', '1.2/3');"
        "INSERT INTO EST024 (EMPRESA, ORCAMENTOCONTADOR) VALUES (1, 77);"
        "INSERT INTO EST007 (EMPRESA, VENDACONTADOR) VALUES (1, 88);"
        "INSERT INTO BNC004 (BCCONTADOR, DESCBANCO) VALUES (1, 'BANCO');"
        "INSERT INTO BNC003 (EMPRESA, BCCONTADOR, BCACONTADOR, NOME, CIDADE) VALUES (1, 1, 1, 'AGENCIA', 'ITAJUBA');"
        "INSERT INTO BNC002 (EMPRESA, BCACONTADOR, NUMERO, DESCABREV) VALUES (1, 1, '123', 'CONTA');"
        "INSERT INTO BNC005 (ESCONTADOR, DESCES, TIPOMOV) VALUES (1, 'TARIFA', 'D');"
        "INSERT INTO CP001 (EMPRESA, CPCONTADOR, FCONTADOR, TIPOCP, TITULO, PARCELA, VLRPARCELA, DTEMISSAO, DTVENC, "
        "  DTLANC, STATUS, OBSERVACAO) VALUES (1, 1, 1, 'DP', '123', '1', 100, '2020-01-02', '2020-02-02', "
        "  '2020-01-02 10:00:00', 'AB', 'PAGAR');"
        "INSERT INTO CR001 (EMPRESA, CRCONTADOR, CLICONTADOR, TIPOCR, TITULO, PARCELA, DTVENDA, DTEMISSAO, DTVENC, "
        "  VALORVENDA, VLRPARCELA, VENDEDOR, STATUS, OBSERVACAO) VALUES (1, 1, 1, 'DP', '456', '1', '2020-01-02', "
        "  '2020-01-02', '2020-02-02', 100, 100, 1, 'AB', 'RECEBER')");
    const Contents before = ReadContents(db.source());
    for (const auto& [table, rows] : before) {
        if (table.rfind("table ", 0) == 0) {
            EXPECT_FALSE(rows.empty()) << table << " has no fixture row";
        }
    }
    db.closeConnections();

    session.sourcePath = db.sourcePath();
    session.targetPath = db.targetPath();
    ASSERT_EQ(ExecuteRun(session, All()), RunOutcome::Completed) << ::testing::PrintToString(ui.boxTexts());
    ASSERT_EQ(session.summary.registries.size(), 20u);
    for (const RegistryResult& r : session.summary.registries) {
        EXPECT_GT(r.read, 0) << r.name << " read nothing";
    }
    session.CnTalvo.close();
    session.CnOrdelio.close();

    EXPECT_EQ(ReadContents(db.source()), before);
}

}  // namespace
}  // namespace conversor::testing
