// Products: what each of the three writes stops when it fails, how a failing
// stock or tax detail row is accounted for, and units that cannot be added.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/source_product.h"
#include "convert/catalogue/catalogue.h"
#include "support/fixture.h"
#include "support/recording_ledger.h"

namespace conversor::testing {
namespace {

class ProdutosFailureTest : public ConversionTest {
protected:
    Rows Codes(const std::string& table) { return db.targetRows("SELECT CODPROD FROM " + table + " ORDER BY CODPROD"); }
    static bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }
};

TEST_F(ProdutosFailureTest, AnIcmsRateThatIsNoNumberEndsTheConverterAtItsProduct) {
    struct Case {
        const char* rate;
        const char* reason;
    };
    for (const Case& c : {Case{"'N17'", "'N1' is not a valid floating point value"},
                          Case{"'f'", "'f' is not a valid floating point value"}}) {
        SCOPED_TRACE(c.rate);
        db.onSource("DELETE FROM EST004;" + SourceProduct(1).sql() +
                    SourceProduct(2).set("ALIQSINTEGRA", c.rate).set("UNIDADE", "'pc'").set("DESCPRODUTO", "'Parafuso'").sql() +
                    SourceProduct(3).sql());
        ui.boxes.clear();

        ConverteProdutos(session);

        EXPECT_EQ(Codes("PRODUTO"), (Rows{{"000001"}}));
        EXPECT_EQ(Codes("COMPPROD"), (Rows{{"000001"}})) << "no stock row for the failing product";
        EXPECT_EQ(Codes("PRODUTODETALHE"), (Rows{{"000001"}}));
        EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM UNIDADES WHERE UNIDADE = 'PC'"), "0")
            << "the unit added for the failing product is rolled back with it";
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].caption, "Erro");
        EXPECT_EQ(boxes()[0], std::string("Ocorreu um erro ao converter o seguinte registro para a tabela PRODUTO|"
                                          "Codprod: 2|Produto: Parafuso|Erro: ") + c.reason);
        EXPECT_EQ(ui.progress, 1);
        EXPECT_TRUE(session.summary.registries.back().stopped);
    }
}

TEST_F(ProdutosFailureTest, AProductTheTargetRefusesIsNamedByItsCodeAsRead) {
    // 1000005 keeps the rightmost six digits and collides with product 5.
    const std::string longName(60, 'X');
    db.onSource(SourceProduct(5).sql() + SourceProduct(1000005).set("DESCPRODUTO", "'" + longName + "'").sql());

    ConverteProdutos(session);

    EXPECT_EQ(Codes("PRODUTO"), (Rows{{"000005"}}));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(StartsWith(boxes()[0], "Ocorreu um erro ao converter o seguinte registro para a tabela PRODUTO|"
                                       "Codprod: 1000005|Produto: " + longName + "|Erro: "))
        << boxes()[0];
    EXPECT_NE(boxes()[0].find("PK_PRODUTO"), std::string::npos) << boxes()[0];
}

// A product's stock and tax detail rows refused by the target, at one commit
// per row and in batches: product 2's stock row and 3's tax detail row break a
// check, 4's PIS code is too long for its column, and 5 breaks both checks.
// Each such product is a failed row of the registry; without going on the
// product row stays and every box shows, going on the product is undone alone.
class ProdutosFurtherRowsTest : public ProdutosFailureTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        ProdutosFailureTest::SetUp();
        session.setCommitInterval(GetParam());
        session.ledger = &ledger;
        db.onTarget("ALTER TABLE COMPPROD ADD CONSTRAINT CK_TEST_COMPPROD CHECK (CODPROD NOT IN ('000002', '000005'));"
                    "ALTER TABLE PRODUTODETALHE ADD CONSTRAINT CK_TEST_DETALHE CHECK (CODPROD NOT IN ('000003', '000005'))");
        db.onSource("ALTER TABLE EST004 ALTER CSTPIS TYPE VARCHAR(5)");
        db.onSource(SourceProduct(1).sql() + SourceProduct(2).set("DESCPRODUTO", "'Arruela'").set("UNIDADE", "'pc'").sql() +
                    SourceProduct(3).set("DESCPRODUTO", "'Porca'").sql() +
                    SourceProduct(4).set("DESCPRODUTO", "'Prego'").set("CSTPIS", "'ABCDE'").sql() +
                    SourceProduct(5).set("DESCPRODUTO", "'Rebite'").sql() + SourceProduct(6).sql());
    }
    const RegistryResult& result() const { return session.summary.registries.back(); }
    // The failed rows: product code, reason, columns.
    std::vector<const RowRecord*> failed() const {
        std::vector<const RowRecord*> out;
        for (const auto& row : ledger.rows) {
            EXPECT_EQ(row.registry, "produtos");
            if (row.record.outcome == RowOutcome::Failed) out.push_back(&row.record);
        }
        return out;
    }
    void ExpectAccounting(long long written, long long failed) const {
        const RegistryResult& r = result();
        EXPECT_EQ(r.read, 6);
        EXPECT_EQ(r.written, written);
        EXPECT_EQ(r.failed, failed);
        EXPECT_EQ(r.written + r.skipped + r.failed, r.read);
        EXPECT_FALSE(r.stopped);
        EXPECT_EQ(r.notTried, 0);
        EXPECT_EQ(ui.progress, 6) << "the gauge counts every product";
        EXPECT_FALSE(session.CnOrdelio.inTransaction());
    }
    static std::string Box(const char* table, const char* product) {
        return std::string("Ocorreu um erro ao gravar os dados do produto na tabela ") + table +
               " no banco de dados do Ordelio.|Produto: " + product + "|Erro: ";
    }
    RecordingLedger ledger;
};

TEST_P(ProdutosFurtherRowsTest, EachRefusedRowIsShownTheProductStaysAndCountsAsFailed) {
    ConverteProdutos(session);

    EXPECT_EQ(Codes("PRODUTO"), (Rows{{"000001"}, {"000002"}, {"000003"}, {"000004"}, {"000005"}, {"000006"}}))
        << "the product rows stay";
    EXPECT_EQ(Codes("COMPPROD"), (Rows{{"000001"}, {"000003"}, {"000004"}, {"000006"}}));
    EXPECT_EQ(Codes("PRODUTODETALHE"), (Rows{{"000001"}, {"000002"}, {"000006"}}))
        << "a failing stock row does not keep the tax detail row from being written";
    const struct {
        const char* table;
        const char* product;
        const char* reason;
    } expected[] = {{"COMPPROD", "000002 - Arruela", "CK_TEST_COMPPROD"},
                    {"PRODUTODETALHE", "000003 - Porca", "CK_TEST_DETALHE"},
                    {"PRODUTODETALHE", "000004 - Prego", "string truncation"},
                    {"COMPPROD", "000005 - Rebite", "CK_TEST_COMPPROD"},
                    {"PRODUTODETALHE", "000005 - Rebite", "CK_TEST_DETALHE"}};
    ASSERT_EQ(ui.boxes.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(ui.boxes[i].kind, BoxKind::Error);
        EXPECT_TRUE(StartsWith(boxes()[i], Box(expected[i].table, expected[i].product))) << boxes()[i];
        EXPECT_NE(boxes()[i].find(expected[i].reason), std::string::npos) << boxes()[i];
    }

    ExpectAccounting(2, 4);
    const auto rows = failed();
    ASSERT_EQ(rows.size(), 4u) << "one row per product, however many of its rows failed";
    const std::vector<std::pair<std::string, std::string>> key2{{"EMPRESA", "1"}, {"CODPROD", "2"}};
    EXPECT_EQ(rows[0]->key, key2);
    EXPECT_EQ(rows[0]->position, 2);
    EXPECT_TRUE(StartsWith(rows[0]->reason, "COMPPROD: ")) << rows[0]->reason;
    EXPECT_NE(rows[0]->reason.find("CK_TEST_COMPPROD"), std::string::npos) << rows[0]->reason;
    EXPECT_TRUE(StartsWith(rows[1]->reason, "PRODUTODETALHE: ")) << rows[1]->reason;
    EXPECT_EQ(rows[2]->columns, std::vector<std::string>{"PIS_CST"});
    EXPECT_NE(rows[2]->reason.find("PIS_CST: 5 caracteres para 2"), std::string::npos) << rows[2]->reason;
    EXPECT_NE(rows[3]->reason.find("COMPPROD: "), std::string::npos) << rows[3]->reason;
    EXPECT_NE(rows[3]->reason.find("; PRODUTODETALHE: "), std::string::npos) << rows[3]->reason;
    EXPECT_EQ(rows[3]->position, 5);
}

TEST_P(ProdutosFurtherRowsTest, GoingOnAProductWithARefusedRowIsUndoneAlone) {
    session.keepGoing = true;
    ConverteProdutos(session);

    for (const char* table : {"PRODUTO", "COMPPROD", "PRODUTODETALHE"})
        EXPECT_EQ(Codes(table), (Rows{{"000001"}, {"000006"}})) << table;
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM UNIDADES WHERE UNIDADE = 'PC'"), "0")
        << "the unit added for an undone product goes with it";
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_TRUE(StartsWith(boxes()[0], Box("COMPPROD", "000002 - Arruela"))) << boxes()[0];
    EXPECT_NE(boxes()[0].find("CK_TEST_COMPPROD"), std::string::npos) << boxes()[0];
    EXPECT_NE(boxes()[0].find("|Mais 3 registros n\xE3o foram convertidos por erro."), std::string::npos) << boxes()[0];

    ExpectAccounting(2, 4);
    const auto rows = failed();
    ASSERT_EQ(rows.size(), 4u);
    std::vector<std::string> tables;
    for (const RowRecord* row : rows) tables.push_back(row->reason.substr(0, row->reason.find(':')));
    EXPECT_EQ(tables, (std::vector<std::string>{"COMPPROD", "PRODUTODETALHE", "PRODUTODETALHE", "COMPPROD"}))
        << "product 5 is undone at its stock row";
    EXPECT_EQ(rows[2]->columns, std::vector<std::string>{"PIS_CST"});
    EXPECT_EQ(rows[3]->key, (std::vector<std::pair<std::string, std::string>>{{"EMPRESA", "1"}, {"CODPROD", "5"}}));
}

INSTANTIATE_TEST_SUITE_P(CommitInterval, ProdutosFurtherRowsTest, ::testing::Values(1, 7),
                         [](const auto& info) { return "Every" + std::to_string(info.param); });

TEST_F(ProdutosFailureTest, AUnitThatCannotBeAddedWarnsAndTheProductKeepsItsCode) {
    db.onTarget("ALTER TABLE UNIDADES ADD CONSTRAINT CK_TEST_UNIDADE CHECK (UNIDADE <> 'BAD')");
    db.onSource(SourceProduct(1).set("UNIDADE", "'bad'").set("UNID_ROMANEIO", "'kg'").sql());

    ConverteProdutos(session);

    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].kind, BoxKind::Warning);
    EXPECT_EQ(ui.boxes[0].caption, "Alerta");
    EXPECT_EQ(ui.boxes[0].text, "Erro ao converter Unidade.");
    EXPECT_EQ(db.targetRows("SELECT UNIDADEENT, UNIDADESAIDA FROM PRODUTO"), (Rows{{"BAD", "KG"}}));
    EXPECT_EQ(db.targetRows("SELECT UNIDADE FROM UNIDADES"), (Rows{{"KG"}}))
        << "the product's transaction goes on after the refused unit";
}

}  // namespace
}  // namespace conversor::testing
