// Fiscal classes: one per distinct goods code of the source products,
// numbered after the highest code the table holds.
#include <gtest/gtest.h>

#include "convert/catalogue/catalogue.h"
#include "support/fixture.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

class ClasFiscTest : public ConversionTest {
protected:
    void AddProductsWithGoodsCodes(const std::vector<std::string>& codes) {
        std::string sql;
        int n = 0;
        for (const std::string& code : codes)
            sql += "INSERT INTO EST004 (EMPRESA, CODPRODUTO, NCM) VALUES (1, " + std::to_string(++n) + ", " + code + ");";
        db.onSource(sql);
    }
    // Leaves whatever CLASFISC holds in place when the converter clears it.
    void RefuseDeletes() {
        db.onTarget("CREATE EXCEPTION E_SEM_EXCLUSAO 'exclusao recusada';"
                    "SET TERM ^ ;"
                    "CREATE TRIGGER CLASFISC_BD FOR CLASFISC BEFORE DELETE AS BEGIN EXCEPTION E_SEM_EXCLUSAO; END^"
                    "SET TERM ; ^");
    }
    Rows Classes() { return db.targetRows("SELECT CODCLASFIS, CODNBM, CODIGONCM FROM CLASFISC ORDER BY CODCLASFIS"); }
};

TEST_F(ClasFiscTest, NumbersEachDistinctGoodsCodeFromOneAfterClearing) {
    db.onTarget("INSERT INTO CLASFISC (CODCLASFIS, CODNBM, CODIGONCM) VALUES ('0042', 'x', 'x')");
    // A shared code makes one class, a null none, an empty text one of its own;
    // codes differing after the eighth character become two classes.
    AddProductsWithGoodsCodes({"'22030000'", "'22030000'", "NULL", "''", "'2203000099'"});

    ConverteClasFisc(session);

    EXPECT_EQ(Classes(), (Rows{{"0001", "", ""}, {"0002", "22030000", "22030000"}, {"0003", "22030000", "22030000"}}));
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CLASFISC WHERE CODNBM = '' AND CODIGONCM = ''"), "1")
        << "the empty goods code is written as an empty text, not a null";
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(ui.statuses.back(), W("Convertendo Classificações Fiscais..."));
    EXPECT_EQ(ui.progress, 3);
    EXPECT_EQ(ui.maximum, 3);
}

TEST_F(ClasFiscTest, EmptySourceLeavesAnEmptyTable) {
    db.onTarget("INSERT INTO CLASFISC (CODCLASFIS, CODNBM, CODIGONCM) VALUES ('0001', 'x', 'x')");
    AddProductsWithGoodsCodes({"NULL"});

    ConverteClasFisc(session);

    EXPECT_TRUE(Classes().empty());
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(ui.maximum, 0);
}

TEST_F(ClasFiscTest, AfterAFailedClearingNewClassesFollowTheRemainingOnes) {
    db.onTarget("INSERT INTO CLASFISC (CODCLASFIS, CODNBM, CODIGONCM) VALUES ('0007', 'old', 'old')");
    RefuseDeletes();
    AddProductsWithGoodsCodes({"'11'", "'22'"});

    ConverteClasFisc(session);

    EXPECT_EQ(Classes(), (Rows{{"0007", "old", "old"}, {"0008", "11", "11"}, {"0009", "22", "22"}}));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].rfind("Ocorreu um erro ao limpar a tabela CLASFISC no banco de dados do Ordelio.|Erro: ", 0), 0u)
        << boxes()[0];
}

TEST_F(ClasFiscTest, AHighestCodeThatIsNoNumberStopsTheConverterAtItsRow) {
    db.onTarget("INSERT INTO CLASFISC (CODCLASFIS, CODNBM, CODIGONCM) VALUES ('AB', 'old', 'old')");
    RefuseDeletes();
    AddProductsWithGoodsCodes({"'2203000099'", "'33'"});

    ConverteClasFisc(session);

    EXPECT_EQ(Classes(), (Rows{{"AB", "old", "old"}}));
    ASSERT_EQ(ui.boxes.size(), 2u) << "the clearing's box, then the row's";
    EXPECT_EQ(boxes()[1],
              "Ocorreu um erro ao converter o seguinte registro para a tabela CLASFISC|NCM: 2203000099|"
              "Erro: 'AB' is not a valid integer value");
    EXPECT_EQ(ui.progress, 0);
    EXPECT_TRUE(session.summary.registries.back().stopped);
}

TEST_F(ClasFiscTest, AFailingInsertNamesTheWholeGoodsCode) {
    db.onTarget("ALTER TABLE CLASFISC ADD CONSTRAINT CK_NCM CHECK (CODIGONCM <> '99999999')");
    AddProductsWithGoodsCodes({"'1'", "'9999999912'", "'A'"});  // in this order by code

    ConverteClasFisc(session);

    EXPECT_EQ(Classes(), (Rows{{"0001", "1", "1"}}));
    ASSERT_EQ(boxes().size(), 1u);
    const std::string expected =
        "Ocorreu um erro ao converter o seguinte registro para a tabela CLASFISC|NCM: 9999999912|Erro: ";
    EXPECT_EQ(boxes()[0].rfind(expected, 0), 0u) << boxes()[0];
    EXPECT_NE(boxes()[0].find("CK_NCM"), std::string::npos) << boxes()[0];
    EXPECT_EQ(ui.progress, 1);
}

}  // namespace
}  // namespace conversor::testing
