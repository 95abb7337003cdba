// Hostile source data: quotes, semicolons, "--", statement fragments in both
// dialects' quoting, named-parameter lookalikes, control bytes (NUL
// included), every byte from 0x80 to 0xFF, a remark of 40,000 bytes, and
// numbers and dates at their types' limits. Each value is written exactly,
// or cut exactly where the mapping cuts, or fails its row with the server's
// reason; nothing taken from a database is ever run as statement text.
#include <gtest/gtest.h>

#include <set>

#include "db/session.h"
#include "db/firebird/statement.h"
#include "reliability/helpers.h"
#include "text/cp1252.h"
#include "text/text_ops.h"

namespace conversor::testing {
namespace {

const std::string kDropCities = "D'OESTE; DROP TABLE CIDADES --";  // 30 bytes, the cities' cut
const std::string kDialectOne = "\" || (SELECT 1 FROM RDB$DATABASE) || \"; DELETE FROM CIDADES --";
const std::string kControls("A\0\x01\x02\t\n\r\x1B\x7F" "B", 11);
const std::string kParamLike = ":CIDADE ?, :ESTADO; :1 ?";

// The bytes from..from+count-1.
std::string Bytes(int from, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += static_cast<char>(from + i);
    return out;
}

// Every byte value in turn, NUL included, for n bytes.
std::string EveryByte(std::size_t n) {
    std::string out(n, '\0');
    for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<char>(i % 256);
    return out;
}

struct Col {
    std::string name, value;
    bool blob = false;
};

// A fixture row with every value bound, so the values reach the source exactly.
void InsertRow(Connection& cn, const std::string& table, const std::vector<Col>& cols) {
    std::string names, params;
    for (const Col& c : cols) {
        names += (names.empty() ? "" : ", ") + c.name;
        params += (params.empty() ? ":" : ", :") + c.name;
    }
    Statement st(cn);
    st.setText("INSERT INTO " + table + " (" + names + ") VALUES (" + params + ")");
    for (const Col& c : cols) {
        if (c.blob) st.param(c.name).setBlob(c.value);
        else st.param(c.name).setText(c.value);
    }
    st.execute();
}

const std::vector<std::string> kCityNames = {kDropCities, First(kDialectOne, 40), kControls, kParamLike,
                                             Bytes(0x80, 32), Bytes(0xA0, 32), Bytes(0xC0, 32), Bytes(0xE0, 32)};
const std::string kRemark = EveryByte(40000);
const std::string kCustomerName = First(kDropCities + kControls + Bytes(0x80, 60), 80);
const std::string kAddress = First(kDialectOne + kControls + kDropCities + kDialectOne + Bytes(0xA0, 60), 120);
const std::string kTitle = "'; DELETE FROM DOCUPAG; --";
const std::string kLongParcel = "12345678901234567890";

class HostileDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        Connection& src = db.source();
        for (std::size_t i = 0; i < kCityNames.size(); ++i)
            InsertRow(src, "REP004", {{"EMPRESA", "1"}, {"CIDCONTADOR", std::to_string(i + 1)},
                                      {"DESCCID", kCityNames[i]}, {"UFCID", i == 1 ? "';" : "MG"}});
        InsertRow(src, "CR002",
                  {{"EMPRESA", "1"}, {"CLICONTADOR", "2147483647"}, {"NOME", kCustomerName},
                   {"APELIDO", First(kDialectOne, 80)}, {"ENDERECOFAT", kAddress}, {"BAIRROFAT", kParamLike},
                   {"CIDADEFAT", "1"}, {"UFFAT", "MG"}, {"CEPFAT", "12'345-678; --"}, {"CIDADEENT", "2"},
                   {"UFENT", "';"}, {"TIPOCLIENTE", "F"}, {"CPF", "123.456.789-09';"},
                   {"INSCESTADUAL", "1.2/3-4'5(6)"}, {"CONTATO", Bytes(0xC0, 40)}, {"RG", kControls + "'--"},
                   {"NOMEPAI", Bytes(0x80, 60)}, {"EMAIL", kAddress}, {"LIMITECREDITO", "9999999999999.99"},
                   {"RENDAMENSAL", "-9999999999999.99"}, {"DTNASC", "01.01.0001"}, {"DTCADASTRO", "31.12.9999"},
                   {"RAMOATIVIDADE", "'||'x"}, {"VENDEDOR", "; --"}, {"OBS", kRemark, true}});
        InsertRow(src, "EMP001",
                  {{"EMPCONTADOR", "1"}, {"DESCEMPRESA", First(kDialectOne, 60)}, {"CIDADE", kDropCities},
                   {"CGC", "12.345.678/0001-90; DROP"}, {"RAZAOSOCIAL", Bytes(0x80, 80)}});
        InsertRow(src, "CP001",
                  {{"EMPRESA", "1"}, {"CPCONTADOR", "1"}, {"FCONTADOR", "2147483647"}, {"TIPOCP", "';--"},
                   {"TITULO", kTitle}, {"PARCELA", "1"}, {"VLRPARCELA", "9999999999999.99"},
                   {"VLRPAGO", "-9999999999999.99"}, {"VALORJUROS", "0.01"}, {"DTEMISSAO", "01.01.0001"},
                   {"DTVENC", "31.12.9999"}, {"DTLANC", "31.12.9999 23:59:59.9999"}, {"STATUS", "AB"},
                   {"OBSERVACAO", kRemark, true}});
        // A parcel of 14 characters or more leaves no room for the title: the
        // code outgrows its 15 characters and the server refuses the row.
        InsertRow(src, "CP001", {{"EMPRESA", "1"}, {"CPCONTADOR", "2"}, {"FCONTADOR", "5"}, {"TITULO", "X"},
                                 {"PARCELA", kLongParcel}, {"STATUS", "AB"}});
        db.onTarget("INSERT INTO CADUSUA (USUARIO, CODEMPRESA) VALUES ('ADMIN', '07')");
    }

    TestDatabases db;
};

TEST_F(HostileDataTest, EveryValueIsWrittenExactlyOrCutOrFailsItsRowAndNoneIsExecuted) {
    const Contents sourceBefore = ReadContents(db.source());
    const Contents targetBefore = ReadContents(db.target());

    RecordingOperator ui;
    Session session(ui);
    session.sourcePath = db.sourcePath();
    session.targetPath = db.targetPath();
    ASSERT_EQ(ExecuteRun(session, Only({"cidades", "clientes", "filiais", "documentospagar"})),
              RunOutcome::Completed);
    session.CnTalvo.close();
    session.CnOrdelio.close();

    // The one failure: the payable whose code outgrew its column.
    const auto boxes = ui.boxTexts();
    ASSERT_EQ(boxes.size(), 2u) << ::testing::PrintToString(boxes);
    const std::string rowBox = "Ocorreu um erro ao converter o seguinte registro para a tabela DOCUPAG|Documento: X " +
                               kLongParcel + "|Registro:  1|Fornecedor: 5|Erro: ";
    EXPECT_EQ(boxes[0].rfind(rowBox, 0), 0u) << boxes[0];
    EXPECT_NE(boxes[0].find("string right truncation"), std::string::npos) << boxes[0];
    EXPECT_EQ(boxes[1], W("Conversão de dados finalizada."));

    {
        SCOPED_TRACE("cities: the names cut at 30, the states as read");
        Rows expected;
        for (std::size_t i = 0; i < kCityNames.size(); ++i)
            expected.push_back({StrZero(std::to_string(i + 1), 5), First(kCityNames[i], 30), i == 1 ? "';" : "MG"});
        // Appended by the customer's delivery address: the whole source name,
        // upper-cased, which no converted city (cut at 30) matched.
        expected.push_back({"00009", UpperAscii(First(kDialectOne, 40)), "';"});
        EXPECT_EQ(db.targetRows("SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY CODCIDADE"), expected);
    }
    {
        SCOPED_TRACE("customers");
        EXPECT_EQ(db.targetRows("SELECT CODCLIENTE, NOME, NOMEFANTASIA, ENDERECO, BAIRRO, CODCIDADE, CEP, "
                                "CODCIDADEENT, ESTADOENT, CGCCPF, INSCEST, CONTATO, CAMPOLIVRE1, CAMPOLIVRE3, "
                                "CAMPOLIVRE5, LIMITECREDITO, DT_NASCIMENTO, DT_CADASTRO, CODSEGMENTO, CODVENDEND1, "
                                "EMAIL FROM CLIENTE"),
                  (Rows{{"01483647", First(kCustomerName, 60), First(kDialectOne, 50), First(kAddress, 60),
                         First(kParamLike, 30), "00001", "12345678", "00009", "';", "12345678909", "123456",
                         Bytes(0xC0, 40), kControls + "'--", Bytes(0x80, 60), "-9999999999999.99",
                         "9999999999999.99", "01.01.0001", "31.12.9999", "'||", "; --", First(kAddress, 60)}}));
        const Rows remark = db.targetRows("SELECT OBSERVACAO FROM CLIENTE");
        ASSERT_EQ(remark.size(), 1u);
        EXPECT_TRUE(remark[0][0] == kRemark) << "the remark blob differs; " << remark[0][0].size() << " bytes";
    }
    {
        SCOPED_TRACE("branches: the city found by its exact name");
        EXPECT_EQ(db.targetRows("SELECT CODEMPRESA, NOMEEMPRESA, CIDADE, CODCIDADE, CGC, RAZAOSOCIAL FROM FILIAIS"),
                  (Rows{{"01", First(kDialectOne, 30), kDropCities, "00001", "12345678000190", Bytes(0x80, 50)}}));
    }
    {
        SCOPED_TRACE("payables: the remark cut at 250, amounts and dates at their limits");
        EXPECT_EQ(db.targetRows("SELECT NUMORD, TIPODOCTO, CODDOCTO, CODFORNEC, VALORDOCTO, VALORPAGO, JUROSMULTA, "
                                "DT_EMISSAO, DT_VENCIMENTO, DT_ENTRADA, HISTORICO FROM DOCUPAG"),
                  (Rows{{"000000000001", "';", First(kTitle, 13) + " 1", "483647", "9999999999999.99",
                         "-9999999999999.99", "0.01", "01.01.0001", "31.12.9999", "31.12.9999", First(kRemark, 250)}}));
    }
    {
        SCOPED_TRACE("nothing was executed: the source is as it was; every table is still there, and "
                     "those no ticked registry writes are as they were");
        EXPECT_EQ(ReadContents(db.source()), sourceBefore);
        const Contents after = ReadContents(db.target());
        std::set<std::string> written{"table CIDADES", "table CLIENTE", "table FILIAIS", "table SALDOST",
                                      "table NUMERNF", "table CADUSUA", "table DOCUPAG", "table TIPODOC",
                                      "table CONDPAG", "generator G_NUMORD"};
        std::set<std::string> created{"generator GENORC01", "generator GENPDV01"};
        for (const auto& [name, rows] : targetBefore) {
            ASSERT_TRUE(after.count(name)) << name << " is gone";
            if (!written.count(name)) {
                EXPECT_EQ(after.at(name), rows) << name;
            }
        }
        for (const auto& [name, rows] : after)
            EXPECT_TRUE(targetBefore.count(name) || created.count(name)) << name << " appeared";
        EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CLIENTE"), "1");
        EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM FILIAIS"), "1");
        EXPECT_EQ(db.targetRows("SELECT USUARIO, CODEMPRESA FROM CADUSUA"), (Rows{{"ADMIN", ""}}));
        EXPECT_EQ(TriggerStates(db.target()), "00");
    }
}

}  // namespace
}  // namespace conversor::testing
