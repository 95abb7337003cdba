// Segments numbered from the customers' activity texts.
#include <gtest/gtest.h>

#include "convert/parties/parties.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

using SegmentosTest = ConversionTest;

TEST_F(SegmentosTest, NumbersEveryNonBlankActivityInCustomerOrder) {
    db.onTarget("INSERT INTO CADSEGM VALUES ('900', 'VELHO', 'S')");
    db.onSource("INSERT INTO CR002 (CLICONTADOR, RAMOATIVIDADE) VALUES (1, 'VAREJO');"
                "INSERT INTO CR002 (CLICONTADOR, RAMOATIVIDADE) VALUES (2, '   ');"
                "INSERT INTO CR002 (CLICONTADOR, RAMOATIVIDADE) VALUES (3, NULL);"
                "INSERT INTO CR002 (CLICONTADOR, RAMOATIVIDADE) VALUES (4, 'VAREJO');"
                "INSERT INTO CR002 (CLICONTADOR, RAMOATIVIDADE) VALUES (5, 'Atacado de alimentos em geral');"
                "INSERT INTO CR002 (CLICONTADOR, RAMOATIVIDADE) VALUES (6, '')");

    ConverteSegmentos(session);

    EXPECT_EQ(db.targetRows("SELECT CODSEGMENTO, DESCRICAO, RETEMPISCOFINS FROM CADSEGM ORDER BY CODSEGMENTO"),
              (Rows{{"001", "VAREJO", "N"}, {"002", "VAREJO", "N"}, {"003", "Atacado de alimentos", "N"}}))
        << "blank rows take no number; every written row is committed";
    EXPECT_EQ(ui.progress, 6) << "blank rows move the gauge too";
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(ui.statuses.back(), "Convertendo Segmentos...");
}

TEST_F(SegmentosTest, NoActivityLeavesTheTableEmpty) {
    db.onTarget("INSERT INTO CADSEGM VALUES ('900', 'VELHO', 'S')");
    db.onSource("INSERT INTO CR002 (CLICONTADOR, RAMOATIVIDADE) VALUES (1, ' ')");
    ConverteSegmentos(session);
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CADSEGM"), "0");
    EXPECT_TRUE(boxes().empty());
}

TEST_F(SegmentosTest, TheCodeWrapsAtAThousandAndTheRepeatedCodeStopsTheRegistry) {
    // Blank rows among them must not move the counter.
    db.onSource("INSERT INTO CR002 (CLICONTADOR, RAMOATIVIDADE) SELECT N * 2, 'RAMO ' || N FROM "
                "(SELECT ROW_NUMBER() OVER () AS N FROM RDB$TYPES A CROSS JOIN RDB$TYPES B ORDER BY 1 ROWS 1002);"
                "INSERT INTO CR002 (CLICONTADOR, RAMOATIVIDADE) SELECT CLICONTADOR + 1, ' ' FROM CR002");
    ASSERT_EQ(db.sourceRows("SELECT COUNT(*) FROM CR002"), (Rows{{"2004"}}));

    ConverteSegmentos(session);

    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CADSEGM"), "1000");
    EXPECT_EQ(db.targetRows("SELECT CODSEGMENTO, DESCRICAO FROM CADSEGM WHERE CODSEGMENTO IN ('000', '001', '999') "
                            "ORDER BY CODSEGMENTO"),
              (Rows{{"000", "RAMO 1000"}, {"001", "RAMO 1"}, {"999", "RAMO 999"}}));
    ASSERT_EQ(boxes().size(), 1u);
    const std::string expected =
        "Ocorreu um erro ao converter o seguinte registro para a tabela CADSEGM|Segmento: 1001|Erro: ";
    EXPECT_EQ(boxes()[0].substr(0, expected.size()), expected);
    EXPECT_NE(boxes()[0].find("PK_CADSEGM"), std::string::npos) << boxes()[0];
}

}  // namespace
}  // namespace conversor::testing
