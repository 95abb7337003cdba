// The sample store: reproducible from its seed, shaped by its scale, with the
// target's reference rows, and converting without a single error box.
#include <gtest/gtest.h>

#include "db/firebird/statement.h"
#include "sample/documents.h"
#include "store_helpers.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

std::size_t count(const DatabaseContents& c, const std::string& table) { return c.at(table).size(); }

TEST(SampleStore, TheSameSeedWritesTheSameRowsAnotherSeedOthers) {
    TempFolder a, b, c;
    MakeStore(a.path(), 80, 5);
    MakeStore(b.path(), 80, 5);
    MakeStore(c.path(), 80, 6);
    const auto first = ReadContents((a.path() / "talvo.fdb").string(), 3);
    EXPECT_EQ(first, ReadContents((b.path() / "talvo.fdb").string(), 3));
    EXPECT_NE(first, ReadContents((c.path() / "talvo.fdb").string(), 3));
    EXPECT_EQ(ReadContents((a.path() / "ordelio.fb").string(), 1), ReadContents((c.path() / "ordelio.fb").string(), 1));
}

TEST(SampleStore, TheScaleSetsCustomersProductsAndDocuments) {
    TempFolder dir;
    const auto store = MakeStore(dir.path(), 300, 1);
    const auto source = ReadContents(store.sourcePath, 3);
    EXPECT_EQ(count(source, "CR002"), 300u);
    EXPECT_EQ(count(source, "CR001"), 300u);
    EXPECT_EQ(count(source, "CP001"), 150u);
    EXPECT_EQ(count(source, "EST004"), 300u + 30u);  // the second company's products besides
    EXPECT_EQ(store.sourceRows, [&] {
        long long rows = 0;
        for (const auto& [table, content] : source) rows += static_cast<long long>(content.size());
        return rows;
    }());
    for (const char* table : {"REP004", "CP003", "EST001", "EST002", "EST003", "EST017", "EST038", "REP003", "EMP001",
                              "EST024", "EST007", "BNC004", "BNC003", "BNC002", "BNC005"})
        EXPECT_GT(count(source, table), 0u) << table;
    // Carriers are suppliers marked as such (TIPOTRANSP, the 20th column).
    std::size_t carriers = 0;
    for (const auto& row : source.at("CP003")) carriers += row.at(19) == "S";
    EXPECT_GT(carriers, 0u);

    EXPECT_THROW(MakeStore(dir.path(), 0, 1), std::runtime_error);
}

TEST(SampleStore, TaxNumbersCarryValidCheckDigits) {
    TempFolder dir;
    const auto store = MakeStore(dir.path(), 200, 3);
    auto cn = OpenDatabase(store.sourcePath, 3);
    Statement st(*cn);
    st.setText("SELECT CPF, CGC FROM CR002 UNION ALL SELECT CPF, CGC FROM CP003 UNION ALL SELECT CPF, CGC FROM EST001 "
               "UNION ALL SELECT NULL, CGC FROM EMP001");
    int checked = 0;
    for (st.open(); !st.eof(); st.next()) {
        if (!st.field("CPF").isNull()) {
            EXPECT_TRUE(sample::IsValidCpf(st.field("CPF").asText())) << st.field("CPF").asText();
        }
        if (!st.field("CGC").isNull()) {
            EXPECT_TRUE(sample::IsValidCnpj(st.field("CGC").asText())) << st.field("CGC").asText();
        }
        ++checked;
    }
    EXPECT_GT(checked, 200);
}

TEST(SampleStore, TheTargetHoldsOnlyItsReferenceRows) {
    TempFolder dir;
    const auto store = MakeStore(dir.path(), 50, 1);
    const auto target = ReadContents(store.targetPath, 1);
    for (const auto& [table, rows] : target) {
        if (table == "CDOPERC" || table == "MUNICIPIOS" || table == "CADUSUA" || table == "generator G_NUMORD" ||
            table == "triggers")
            continue;
        EXPECT_TRUE(rows.empty()) << table;
    }
    const auto& operations = target.at("CDOPERC");
    EXPECT_NE(std::find(operations.begin(), operations.end(),
                        std::vector<std::string>{"101", "PAGAMENTO A FORNECEDORES", "5", "S"}),
              operations.end());
    EXPECT_NE(std::find(operations.begin(), operations.end(),
                        std::vector<std::string>{"201", "RECEBIMENTO DE CLIENTES", "8", "S"}),
              operations.end());
    const auto& towns = target.at("MUNICIPIOS");
    EXPECT_NE(std::find(towns.begin(), towns.end(), std::vector<std::string>{"3550308", W("SÃO PAULO"), "SP"}), towns.end());
    EXPECT_NE(std::find(towns.begin(), towns.end(), std::vector<std::string>{"3106200", "BELO HORIZONTE", "MG"}), towns.end());
    EXPECT_EQ(target.at("CADUSUA").front(), (std::vector<std::string>{"ADMIN", "01"}));
}

// What a fresh store must show: every registry converted to its end, no box
// but the final announcement.
TEST(SampleStore, AFreshStoreConvertsWithoutAnyBox) {
    TempFolder dir;
    const auto store = MakeStore(dir.path(), 300, 11);
    const auto result = ConvertAll(store.sourcePath, store.targetPath, 1);
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    ASSERT_EQ(result.boxes.size(), 1u) << result.boxes[0].text;
    EXPECT_EQ(result.boxes[0].kind, BoxKind::Information);
    EXPECT_EQ(result.summary.errorBoxes, 0);
    ASSERT_EQ(result.summary.registries.size(), 20u);
    for (const RegistryResult& r : result.summary.registries) {
        EXPECT_FALSE(r.stopped) << r.name;
        EXPECT_GT(r.written, 0) << r.name;
    }
    // Cities got their municipality codes; customers their cities.
    const auto target = ReadContents(store.targetPath, 1);
    std::size_t withMunicipality = 0;
    for (const auto& city : target.at("CIDADES")) withMunicipality += city[3] != "<null>" && !city[3].empty();
    EXPECT_GE(withMunicipality, 10u);
}

}  // namespace
}  // namespace conversor::testing
