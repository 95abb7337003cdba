// Branches with their balance and numbering rows, the ADMIN update and the
// per-branch generators.
#include <gtest/gtest.h>

#include "convert/finance/filiais.h"
#include "convert/finance/finance.h"
#include "db/firebird/date_time.h"
#include "support/fixture.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

class FiliaisTest : public ConversionTest {
protected:
    void SetUp() override {
        ConversionTest::SetUp();
        db.onTarget("INSERT INTO CADUSUA (USUARIO, CODEMPRESA) VALUES ('ADMIN', '01');"
                    "INSERT INTO CADUSUA (USUARIO, CODEMPRESA) VALUES ('CAIXA', '01')");
    }
    // The generators the conversion made (G_NUMORD belongs to the schema).
    Rows branchGenerators() {
        return db.targetRows("SELECT TRIM(RDB$GENERATOR_NAME) FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME "
                             "STARTING WITH 'GEN' ORDER BY 1");
    }
    std::string generatorValue(const std::string& name) {
        return db.targetValue("SELECT GEN_ID(" + name + ", 0) FROM RDB$DATABASE");
    }
    void addCompany(const std::string& number, const std::string& name) {
        db.onSource("INSERT INTO EMP001 (EMPCONTADOR, DESCEMPRESA) VALUES (" + number + ", '" + name + "')");
    }
};

TEST_F(FiliaisTest, ABranchIsWrittenWithItsCutsDigitsAndCity) {
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00010', 'BELO HORIZONTE', 'SP')");
    db.onSource(
        "INSERT INTO EMP001 VALUES (1, 'LOJA CENTRAL DE MATERIAIS E FERRAGENS', "
        "'LOJA CENTRAL DE MATERIAIS E FERRAGENS LIMITADA EPP DO BRASIL', '12.345.678/0001-99', "
        "'062.307.904.0081-XYZ', '1234567890123456789', 'RUA DOS INCONFIDENTES NUMERO 1000 SALA 12 BLOCO B CENTRO', "
        "'SANTA EFIGENIA DE BELO HORIZONTE MG', 'BELO HORIZONTE', 'MG', '30.130-110 XX', '(31) 3333-4444', "
        "'(31) 3333-5555 ramal 12', 'contato@lojacentral.example.com.br.example.com.br.example', '47.11-3/02');"
        "INSERT INTO EMP001 (EMPCONTADOR, DESCEMPRESA, CIDADE) VALUES (123, 'FILIAL', 'belo horizonte')");
    ConverteFiliais(session);

    EXPECT_TRUE(boxes().empty()) << boxes()[0];
    EXPECT_EQ(db.targetRows("SELECT CODEMPRESA, NOMEEMPRESA, RAZAOSOCIAL, CGC, INSCEST, INSCMUNICIPAL, ENDERECO, "
                            "BAIRRO, CIDADE, ESTADO, CEP, CODCIDADE, TELEFONE, FAX, EMAIL, CODCNAE, SERIESINTEGRA, "
                            "ESPECIENF, SERIESINTEGRAD, FILIALATIVA, ABERTOINICIO, ABERTOINIFISC, ABERTOFIM, "
                            "ABERTOFIMFISC, LANCINICIO, LANCFIM FROM FILIAIS ORDER BY CODEMPRESA"),
              (Rows{{"01", "LOJA CENTRAL DE MATERIAIS E FE", "LOJA CENTRAL DE MATERIAIS E FERRAGENS LIMITADA EPP",
                     "12345678000199", "062.307.904.008", "123456789012345",
                     "RUA DOS INCONFIDENTES NUMERO 1000 SALA 12 BLOCO B ", "SANTA EFIGENIA DE BELO HORIZON",
                     "BELO HORIZONTE", "MG", "30.130-11", "00010", "3133334444", "313333555512",
                     "contato@lojacentral.example.com.br.example.com.br.", "4711302", "U", "NF", "D", "S",
                     "01.01.1901", "01.01.1901", "31.12.2999", "31.12.2999", "01.01.1901", "31.12.2999"},
                    {"23", "FILIAL", "", "", "", "", "", "", "belo horizonte", "", "", "", "", "", "", "", "U",
                     "NF", "D", "S", "01.01.1901", "01.01.1901", "31.12.2999", "31.12.2999", "01.01.1901",
                     "31.12.2999"}}))
        << "the city matches exactly, case included; an unknown city gives an empty code";
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM FILIAIS WHERE CODCIDADE = '' AND CGC = ''"), "1")
        << "empty texts, not nulls";
    EXPECT_EQ(ui.statuses.back(), "Convertendo Filiais...");
    EXPECT_EQ(ui.progress, 2);
    EXPECT_EQ(ui.maximum, 2);
}

TEST_F(FiliaisTest, EveryBranchGetsItsStartUpRowsAndTheAdminLosesItsCompany) {
    const std::string today = DateTime::Today().toText(false);
    db.onTarget("INSERT INTO FILIAIS (CODEMPRESA, NOMEEMPRESA) VALUES ('09', 'ANTIGA');"
                "INSERT INTO SALDOST VALUES ('01', '01.01.2000', '01.01.2000', 55, 'N');"
                "INSERT INTO SALDOST VALUES ('07', '01.01.2000', '01.01.2000', 77, 'N');"
                "INSERT INTO NUMERNF VALUES ('01', 10, 20, 30);"
                "INSERT INTO NUMERNF VALUES ('07', 70, 70, 70)");
    db.onSource("INSERT INTO EST024 VALUES (1, 150); INSERT INTO EST024 VALUES (2, 900);"
                "INSERT INTO EST007 VALUES (1, 4321)");
    addCompany("1", "MATRIZ");
    addCompany("2", "FILIAL");
    ConverteFiliais(session);

    EXPECT_TRUE(boxes().empty()) << boxes()[0];
    EXPECT_EQ(db.targetRows("SELECT CODEMPRESA FROM FILIAIS ORDER BY 1"), (Rows{{"01"}, {"02"}}));
    EXPECT_EQ(db.targetRows("SELECT CODEMPRESA, DATASALDO, DATASDINICIAL, SALDO, SALDOINICIAL FROM SALDOST "
                            "ORDER BY CODEMPRESA"),
              (Rows{{"01", today, today, "0", "S"}, {"02", today, today, "0", "S"}, {"07", "01.01.2000", "01.01.2000", "77", "N"}}))
        << "rows of branches the source does not hold stay";
    EXPECT_EQ(db.targetRows("SELECT * FROM NUMERNF ORDER BY CODEMPRESA"),
              (Rows{{"01", "0", "0", "0"}, {"02", "0", "0", "0"}, {"07", "70", "70", "70"}}));
    EXPECT_EQ(db.targetRows("SELECT USUARIO, CODEMPRESA FROM CADUSUA WHERE CODEMPRESA IS NOT NULL ORDER BY USUARIO"),
              (Rows{{"ADMIN", ""}, {"CAIXA", "01"}}));
    EXPECT_EQ(branchGenerators(), (Rows{{"GENORC01"}, {"GENORC02"}, {"GENPDV01"}, {"GENPDV02"}}))
        << "generators follow FILIAIS as it is after the copy";
    EXPECT_EQ(generatorValue("GENORC02"), "900") << "the highest quote of all companies";
    EXPECT_EQ(generatorValue("GENPDV01"), "4321");
}

TEST_F(FiliaisTest, ExistingGeneratorsKeepTheirValueOnASecondRun) {
    addCompany("1", "MATRIZ");
    ConverteFiliais(session);
    ASSERT_EQ(branchGenerators(), (Rows{{"GENORC01"}, {"GENPDV01"}}));
    EXPECT_EQ(generatorValue("GENORC01"), "0") << "an empty source leaves the initial value";

    db.onTarget("SET GENERATOR GENORC01 TO 500; DROP GENERATOR GENPDV01");
    db.onSource("INSERT INTO EST024 VALUES (1, 42); INSERT INTO EST007 VALUES (1, 77)");
    ConverteFiliais(session);

    EXPECT_TRUE(boxes().empty()) << boxes()[0];
    EXPECT_EQ(generatorValue("GENORC01"), "500");
    EXPECT_EQ(generatorValue("GENPDV01"), "77") << "a missing generator is made again and started";
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM SALDOST"), "1");
}

TEST_F(FiliaisTest, AFailingBranchEndsTheConverterBeforeAnyGenerator) {
    db.onTarget("ALTER TABLE FILIAIS ADD CONSTRAINT CK_FILIAIS_TESTE CHECK (CODEMPRESA <> '02')");
    addCompany("1", "PRIMEIRA");
    addCompany("2", "SEGUNDA");
    addCompany("3", "TERCEIRA");
    ConverteFiliais(session);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].rfind("Ocorreu um erro ao converter o seguinte registro para a tabela FILIAIS|"
                               "Filial: SEGUNDA|Erro: ",
                               0),
              0u)
        << boxes()[0];
    EXPECT_NE(boxes()[0].find("CK_FILIAIS_TESTE"), std::string::npos);
    EXPECT_EQ(db.targetRows("SELECT CODEMPRESA FROM FILIAIS"), (Rows{{"01"}}));
    EXPECT_EQ(db.targetRows("SELECT CODEMPRESA FROM SALDOST"), (Rows{{"01"}}));
    EXPECT_EQ(db.targetRows("SELECT CODEMPRESA FROM NUMERNF"), (Rows{{"01"}}));
    EXPECT_EQ(branchGenerators(), Rows{});
    ASSERT_EQ(session.summary.registries.size(), 1u);
    EXPECT_TRUE(session.summary.registries[0].stopped);
}

// A start-up step that fails reports itself and the conversion carries on.
struct StepFailure {
    const char* name;
    const char* targetSetup;
    std::vector<std::string> boxes;  // box texts up to the reason
    const char* survivor;            // a query that must still give "1"
};

void PrintTo(const StepFailure& c, std::ostream* os) { *os << c.name; }

class FiliaisStepFailureTest : public FiliaisTest, public ::testing::WithParamInterface<StepFailure> {};

TEST_P(FiliaisStepFailureTest, IsReportedAndTheRestGoesOn) {
    db.onTarget(GetParam().targetSetup);
    addCompany("1", "MATRIZ");
    ConverteFiliais(session);

    ASSERT_EQ(boxes().size(), GetParam().boxes.size()) << (boxes().empty() ? "" : boxes()[0]);
    for (std::size_t i = 0; i < boxes().size(); ++i) {
        EXPECT_EQ(boxes()[i].rfind(GetParam().boxes[i], 0), 0u) << boxes()[i];
        EXPECT_GT(boxes()[i].size(), GetParam().boxes[i].size()) << "the reason follows";
    }
    EXPECT_EQ(db.targetValue(GetParam().survivor), "1");
    EXPECT_EQ(branchGenerators(), (Rows{{"GENORC01"}, {"GENPDV01"}}));
    EXPECT_FALSE(session.CnOrdelio.inTransaction());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FiliaisStepFailureTest,
    ::testing::Values(
        StepFailure{"BalanceTableMissing", "DROP TABLE SALDOST",
                    {"Ocorreu um erro ao limpar os saldos da filial 01 no banco de dados do Ordelio.|Erro: ",
                     "Ocorreu um erro ao gravar o saldo inicial da filial 01 no banco de dados do Ordelio.|Erro: "},
                    "SELECT COUNT(*) FROM NUMERNF"},
        StepFailure{"BalanceInsertRefused",
                    "INSERT INTO SALDOST VALUES ('01', '01.01.2000', NULL, 5, 'N');"
                    "ALTER TABLE SALDOST ADD CONSTRAINT CK_SALDOST_TESTE CHECK (SALDOINICIAL <> 'S')",
                    {"Ocorreu um erro ao gravar o saldo inicial da filial 01 no banco de dados do Ordelio.|Erro: "},
                    "SELECT COUNT(*) FROM FILIAIS WHERE NOT EXISTS (SELECT 1 FROM SALDOST)"},
        StepFailure{"NumberingDeleteFails", "DROP TABLE NUMERNF",
                    {"Ocorreu um erro ao gravar o numero inicial de Nf na tabela NUMERNF no banco de dados do "
                     "Ordelio.|Erro: "},
                    "SELECT COUNT(*) FROM SALDOST"},
        StepFailure{"NumberingInsertRefused",
                    "ALTER TABLE NUMERNF ADD CONSTRAINT CK_NUMERNF_TESTE CHECK (NUMNF > 0)",
                    {"Ocorreu um erro ao gravar o numero inicial de Nf na tabela NUMERNF no banco de dados do "
                     "Ordelio.|Erro: "},
                    "SELECT COUNT(*) FROM FILIAIS WHERE NOT EXISTS (SELECT 1 FROM NUMERNF)"},
        StepFailure{"AdminRefused",
                    "ALTER TABLE CADUSUA ADD CONSTRAINT CK_CADUSUA_TESTE CHECK (CODEMPRESA <> '')",
                    {W("Ocorreu um erro ao atualizar o cadastro do usuário ADMIN no banco de dados do "
                       "Ordelio.|Erro: ")},
                    "SELECT COUNT(*) FROM CADUSUA WHERE USUARIO = 'ADMIN' AND CODEMPRESA = '01'"}),
    [](const ::testing::TestParamInfo<StepFailure>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace conversor::testing
