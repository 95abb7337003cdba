// Resolving source cities into target cities by name and state, appending the
// ones the target lacks.
#include <gtest/gtest.h>

#include "db/firebird/error.h"
#include "support/fixture.h"
#include "text/city_resolution.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

class CityResolutionTest : public ConversionTest {
protected:
    // As a converter does it: inside the row's transaction, committed after.
    std::string resolve(const std::string& name, const std::string& state) {
        session.AbreTransacao(session.CnOrdelio);
        std::string code = BuscaCodigoCidade(session, name, state);
        session.ConfirmaTransacao(session.CnOrdelio);
        return code;
    }
    Rows cities() { return db.targetRows("SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY CODCIDADE"); }
};

TEST_F(CityResolutionTest, NewCodesFollowTheHighestStoredCode) {
    EXPECT_EQ(resolve("Contagem", "mg"), "00001") << "an empty table starts at 00001";
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00041', 'BETIM', 'MG')");
    EXPECT_EQ(resolve("Sabara", "MG"), "00042");
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('99999', 'CAETE', 'MG')");
    EXPECT_EQ(resolve("Lagoa Santa", "MG"), "00000") << "the rightmost five digits of 100000";
    EXPECT_EQ(cities(), (Rows{{"00000", "LAGOA SANTA", "MG"},
                              {"00001", "CONTAGEM", "MG"},
                              {"00041", "BETIM", "MG"},
                              {"00042", "SABARA", "MG"},
                              {"99999", "CAETE", "MG"}}));
}

TEST_F(CityResolutionTest, AHighestCodeThatIsNoNumberFailsTheCall) {
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('AB12', 'X', 'MG')");
    session.AbreTransacao(session.CnOrdelio);
    try {
        BuscaCodigoCidade(session, "Y", "MG");
        FAIL() << "a code that is no number cannot be counted on";
    } catch (const DbError& e) {
        EXPECT_STREQ(e.what(), "'AB12' is not a valid integer value");
    }
    session.DesfazTransacao(session.CnOrdelio);
    EXPECT_EQ(cities().size(), 1u);
}

TEST_F(CityResolutionTest, NamesAndStatesAreComparedWithOnlyAsciiLettersUpperCased) {
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00007', 'SAO PAULO', 'SP');"
                "INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00008', 'S\xC3O PAULO', 'SP')");
    EXPECT_EQ(resolve("Sao Paulo", "sp"), "00007");
    EXPECT_EQ(cities().size(), 2u) << "a city found is not appended";

    EXPECT_EQ(resolve("S\xE3o Paulo", "sp"), "00009") << "the lower-case a-tilde is no ASCII letter";
    EXPECT_EQ(cities().back(), (std::vector<std::string>{"00009", "S\xE3O PAULO", "SP"}));
    EXPECT_EQ(resolve("S\xE3o Paulo", "SP"), "00009") << "found again by the next lookup";
}

TEST_F(CityResolutionTest, QuotesAndSemicolonsAreDataNeverStatementText) {
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00001', 'D''OESTE', 'SP');"
                "INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00002', 'OUTRA', 'SP')");
    EXPECT_EQ(resolve("d'Oeste", "sp"), "00001");

    const std::string hostile = "X' OR CIDADE <> '";
    EXPECT_EQ(resolve(hostile, "SP"), "00003") << "the quote must not widen the search";
    EXPECT_EQ(resolve("A; DELETE FROM CIDADES", "S'"), "00004");
    EXPECT_EQ(resolve("Santa Barbara d'Oeste", "SP"), "00005");
    EXPECT_EQ(cities(), (Rows{{"00001", "D'OESTE", "SP"},
                              {"00002", "OUTRA", "SP"},
                              {"00003", "X' OR CIDADE <> '", "SP"},
                              {"00004", "A; DELETE FROM CIDADES", "S'"},
                              {"00005", "SANTA BARBARA D'OESTE", "SP"}}));
}

TEST_F(CityResolutionTest, BhteStandsForBeloHorizonteOnlyWhenWrittenExactlySo) {
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00010', 'BELO HORIZONTE', 'XX')");
    EXPECT_EQ(resolve("BHTE", "MG"), "00010") << "in any state";
    EXPECT_EQ(cities().size(), 1u);

    EXPECT_EQ(resolve("bhte", "mg"), "00011") << "lower case is a city of its own";
    EXPECT_EQ(resolve("BHTE", "MG"), "00011") << "a city named BHTE in the state comes first";
    EXPECT_EQ(resolve("BHTE ", "SP"), "00012") << "a trailing blank is not the abbreviation";
    EXPECT_EQ(cities(), (Rows{{"00010", "BELO HORIZONTE", "XX"}, {"00011", "BHTE", "MG"}, {"00012", "BHTE ", "SP"}}));
}

TEST_F(CityResolutionTest, BhteWithoutBeloHorizonteIsAppendedUnderItsState) {
    EXPECT_EQ(resolve("BHTE", "MG"), "00001");
    EXPECT_EQ(cities(), (Rows{{"00001", "BHTE", "MG"}}));
}

TEST_F(CityResolutionTest, AnEmptyNameIsAppendedOnceAndReusedInItsState) {
    EXPECT_EQ(resolve("", "MG"), "00001");
    EXPECT_EQ(resolve("", "MG"), "00001");
    EXPECT_EQ(resolve("", "SP"), "00002");
}

TEST_F(CityResolutionTest, AnAppendedCityGoesWithTheRowsTransaction) {
    session.AbreTransacao(session.CnOrdelio);
    EXPECT_EQ(BuscaCodigoCidade(session, "Ipatinga", "MG"), "00001");
    session.DesfazTransacao(session.CnOrdelio);
    EXPECT_TRUE(cities().empty());
}

TEST_F(CityResolutionTest, RepeatedLookupsReuseTheirPreparedStatements) {
    // One customer after another asks for cities: each lookup and the append
    // are prepared once per run, not once per call.
    resolve("Primeira", "MG");
    const long long before = session.CnOrdelio.preparesDone();
    for (int i = 0; i < 20; ++i) {
        resolve("Primeira", "MG");
        resolve("Nova " + std::to_string(i), "MG");
    }
    EXPECT_EQ(session.CnOrdelio.preparesDone() - before, 0);
    EXPECT_EQ(cities().size(), 21u);
}

TEST_F(CityResolutionTest, SourceNameAndStateByCode) {
    db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 17, 'Uberaba ', 'MG');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (2, 18, 'Franca', 'SP');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 19, 'Sem UF', 'M')");
    EXPECT_EQ(BuscaNomeCidadeTalvo(session, "17"), "Uberaba ");
    EXPECT_EQ(BuscaEstadoCidadeTalvo(session, "17"), "MG");
    EXPECT_EQ(BuscaNomeCidadeTalvo(session, "18"), "Franca") << "any company names a city";
    EXPECT_EQ(BuscaEstadoCidadeTalvo(session, "18"), "") << "only company 1 gives a state";
    EXPECT_EQ(BuscaEstadoCidadeTalvo(session, "19"), "M ") << "as the fixed-width column holds it";
    EXPECT_EQ(BuscaNomeCidadeTalvo(session, "99"), "");
    EXPECT_EQ(BuscaEstadoCidadeTalvo(session, "99"), "");
    // No code is no city, not a conversion error on the numeric column.
    EXPECT_EQ(BuscaNomeCidadeTalvo(session, ""), "");
    EXPECT_EQ(BuscaEstadoCidadeTalvo(session, ""), "");
}

// What a row learnt goes with the row when it is undone: the city it
// appended is gone, so the next row must append it again rather than be told
// a code that names nothing. Both with a transaction per row and under a
// batch's savepoints.
class CityUndoTest : public CityResolutionTest, public ::testing::WithParamInterface<int> {};

TEST_P(CityUndoTest, ARowUndoneTakesTheCityItAppendedAndItsAnswerAlong) {
    session.setCommitInterval(GetParam());
    EXPECT_EQ(resolve("Betim", "MG"), "00001");
    session.AbreTransacao(session.CnOrdelio);
    EXPECT_EQ(BuscaCodigoCidade(session, "Ipatinga", "MG"), "00002");
    session.DesfazTransacao(session.CnOrdelio);

    EXPECT_EQ(resolve("Ipatinga", "MG"), "00002");
    EXPECT_EQ(resolve("Betim", "MG"), "00001");
    session.flushBatch();
    EXPECT_EQ(cities(), (Rows{{"00001", "BETIM", "MG"}, {"00002", "IPATINGA", "MG"}}));
}

INSTANTIATE_TEST_SUITE_P(CommitIntervals, CityUndoTest, ::testing::Values(1, 1000));

}  // namespace
}  // namespace conversor::testing
