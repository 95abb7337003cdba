// Products: what each of the three writes stops when it fails, and units that
// cannot be added.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/source_product.h"
#include "convert/catalogue/catalogue.h"
#include "support/fixture.h"

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

TEST_F(ProdutosFailureTest, AFailingStockOrTaxDetailRowIsReportedAndTheProductsGoOn) {
    // Product 2's stock row and product 3's tax detail row are refused.
    db.onTarget("ALTER TABLE COMPPROD ADD CONSTRAINT CK_TEST_COMPPROD CHECK (CODPROD <> '000002');"
                "ALTER TABLE PRODUTODETALHE ADD CONSTRAINT CK_TEST_DETALHE CHECK (CODPROD <> '000003')");
    db.onSource(SourceProduct(1).sql() + SourceProduct(2).set("DESCPRODUTO", "'Arruela'").sql() +
                SourceProduct(3).set("DESCPRODUTO", "'Porca'").sql() + SourceProduct(4).sql());

    ConverteProdutos(session);

    EXPECT_EQ(Codes("PRODUTO"), (Rows{{"000001"}, {"000002"}, {"000003"}, {"000004"}})) << "the product rows stay";
    EXPECT_EQ(Codes("COMPPROD"), (Rows{{"000001"}, {"000003"}, {"000004"}}));
    EXPECT_EQ(Codes("PRODUTODETALHE"), (Rows{{"000001"}, {"000002"}, {"000004"}}))
        << "a failing stock row does not keep the tax detail row from being written";
    ASSERT_EQ(ui.boxes.size(), 2u);
    const struct {
        const char* table;
        const char* product;
        const char* constraint;
    } expected[] = {{"COMPPROD", "000002 - Arruela", "CK_TEST_COMPPROD"},
                    {"PRODUTODETALHE", "000003 - Porca", "CK_TEST_DETALHE"}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(ui.boxes[i].kind, BoxKind::Error);
        EXPECT_TRUE(StartsWith(boxes()[i], std::string("Ocorreu um erro ao gravar os dados do produto na tabela ") +
                                               expected[i].table + " no banco de dados do Ordelio.|Produto: " +
                                               expected[i].product + "|Erro: "))
            << boxes()[i];
        EXPECT_NE(boxes()[i].find(expected[i].constraint), std::string::npos) << boxes()[i];
    }
    EXPECT_EQ(ui.progress, 4) << "the gauge counts every product written";
    EXPECT_FALSE(session.summary.registries.back().stopped);
    EXPECT_EQ(session.summary.registries.back().written, 4);
}

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
