// A city name that several states share: branches, agencies and salespeople
// look cities up by name alone, and must take the same one on every run
// whatever order the target happens to store them in.
#include <gtest/gtest.h>

#include "convert/finance/finance.h"
#include "convert/parties/parties.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

class SharedCityNameTest : public ConversionTest {};

TEST_F(SharedCityNameTest, TheLowestCodeIsTakenOnEveryRun) {
    // The higher code is stored first, as a refilled table may leave it.
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00070', 'SAO JOSE', 'SP');"
                "INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00003', 'SAO JOSE', 'SC');"
                "INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00005', 'SAO JOSE', 'RS')");
    db.onSource("INSERT INTO EMP001 (EMPCONTADOR, DESCEMPRESA, CIDADE) VALUES (1, 'LOJA', 'SAO JOSE');"
                "INSERT INTO BNC004 (BCCONTADOR, DESCBANCO) VALUES (1, 'BANCO');"
                "INSERT INTO BNC003 (EMPRESA, BCCONTADOR, BCACONTADOR, NOME, CIDADE) VALUES (1, 1, 1047, 'CENTRO', "
                "'SAO JOSE');"
                "INSERT INTO EST001 (EMPRESA, VENDCONTADOR, NOMEVENDEDOR, CIDADE) VALUES (1, 1, 'ANA', 'SAO JOSE')");
    const char* const kCities =
        "SELECT 'FILIAIS', CODCIDADE FROM FILIAIS UNION ALL SELECT 'AGENCIA', CODCIDADE FROM AGENCIA "
        "UNION ALL SELECT 'VENDEND', CODCIDADE FROM VENDEND";
    const Rows expected{{"FILIAIS", "00003"}, {"AGENCIA", "00003"}, {"VENDEND", "00003"}};
    for (int run = 1; run <= 2; ++run) {
        ConverteFiliais(session);
        ConverteBancos(session);
        ConverteAgencias(session);
        ConverteVendedores(session);
        ASSERT_TRUE(boxes().empty()) << boxes()[0];
        EXPECT_EQ(db.targetRows(kCities), expected) << "run " << run;
    }
}

}  // namespace
}  // namespace conversor::testing
