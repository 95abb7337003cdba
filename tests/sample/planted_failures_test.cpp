// A store with failures planted in it: a check constraint on the target that
// one early customer breaks, and an ICMS rate "XX" on two products. The first
// failing row stops its registry, as always; going on past failing rows,
// every other row arrives and the ledger names exactly the planted rows; and
// the check names beforehand exactly the rows such a run fails and skips.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/json_report.h"
#include "db/firebird/statement.h"
#include "store_helpers.h"
#include "support/json.h"
#include "support/recording_ledger.h"

namespace conversor::testing {
namespace {

struct Planted {
    std::string customer;             // CLICONTADOR of the customer the target refuses
    std::vector<std::string> products;  // CODPRODUTO of the two products with rate "XX"
};

std::string First(Connection& cn, const std::string& sql) { return ReadRows(cn, sql).at(0).at(0); }

Planted Plant(const sample::SampleStore& store) {
    Planted p;
    auto source = OpenDatabase(store.sourcePath, 3);
    p.customer = First(*source, "SELECT MIN(CLICONTADOR) FROM CR002 WHERE EMPRESA = 1 AND CLICONTADOR > 5 "
                                "AND TRIM(COALESCE(NOME, '')) <> ''");
    for (const auto& row : ReadRows(*source, "SELECT FIRST 2 CODPRODUTO FROM EST004 WHERE EMPRESA = 1 AND CODPRODUTO > 20 "
                                             "ORDER BY CODPRODUTO"))
        p.products.push_back(row.at(0));
    source->startTransaction();
    Statement st(*source);
    st.setText("UPDATE EST004 SET ALIQSINTEGRA = 'XX' WHERE EMPRESA = 1 AND CODPRODUTO IN (" + p.products[0] + ", " +
               p.products[1] + ")");
    st.execute();
    source->commit();
    auto target = OpenDatabase(store.targetPath, 1);
    target->startTransaction();
    Statement check(*target);
    check.setText("ALTER TABLE CLIENTE ADD CONSTRAINT CK_PLANTED CHECK (CODCLIENTE <> '01" +
                  std::string(6 - p.customer.size(), '0') + p.customer + "')");
    check.execute();
    target->commit();
    return p;
}

long long Count(const std::string& path, int dialect, const std::string& sql) {
    auto cn = OpenDatabase(path, dialect);
    return std::stoll(First(*cn, sql));
}

const RegistryResult& Find(const RunSummary& summary, const std::string& name) {
    for (const RegistryResult& r : summary.registries)
        if (r.name == name) return r;
    throw std::out_of_range(name);
}

class PlantedFailures : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new TempFolder;
        store = new sample::SampleStore(MakeStore(dir->path(), 150, 7));
        planted = new Planted(Plant(*store));
    }
    static void TearDownTestSuite() {
        delete planted;
        delete store;
        delete dir;
    }
    // A fresh copy of the planted target for each run.
    std::string target(const std::string& name) {
        const std::string path = (dir->path() / name).string();
        std::filesystem::copy_file(store->targetPath, path, std::filesystem::copy_options::overwrite_existing);
        return path;
    }
    long long customers() const { return Count(store->sourcePath, 3, "SELECT COUNT(*) FROM CR002"); }
    long long products() const { return Count(store->sourcePath, 3, "SELECT COUNT(*) FROM EST004 WHERE EMPRESA = 1"); }

    static TempFolder* dir;
    static sample::SampleStore* store;
    static Planted* planted;
};
TempFolder* PlantedFailures::dir = nullptr;
sample::SampleStore* PlantedFailures::store = nullptr;
Planted* PlantedFailures::planted = nullptr;

TEST_F(PlantedFailures, WithoutGoingOnTheFirstFailureStopsItsRegistryAndTheLedgerChangesNothing) {
    const std::string plain = target("plain.fb"), recorded = target("recorded.fb");
    const ConversionResult a = ConvertAll(store->sourcePath, plain, 1000);
    RecordingLedger ledger;
    const ConversionResult b = ConvertAll(store->sourcePath, recorded, 1000, &ledger);
    ASSERT_EQ(a.outcome, RunOutcome::Completed);
    ASSERT_EQ(b.outcome, RunOutcome::Completed);
    EXPECT_EQ(ReadContents(plain, 1), ReadContents(recorded, 1));
    ASSERT_EQ(a.boxes.size(), b.boxes.size());
    for (std::size_t i = 0; i < a.boxes.size(); ++i) EXPECT_EQ(a.boxes[i].text, b.boxes[i].text);

    const RegistryResult& clientes = Find(b.summary, "clientes");
    EXPECT_TRUE(clientes.stopped);
    EXPECT_EQ(clientes.failed, 1);
    EXPECT_EQ(clientes.read + clientes.notTried, customers());
    EXPECT_GT(clientes.notTried, 100);
    const RegistryResult& produtos = Find(b.summary, "produtos");
    EXPECT_TRUE(produtos.stopped);
    EXPECT_EQ(produtos.read + produtos.notTried, products());
    EXPECT_EQ(Count(recorded, 1, "SELECT COUNT(*) FROM CLIENTE WHERE CODCLIENTE > '00000000'"), clientes.written);
}

TEST_F(PlantedFailures, GoingOnEveryOtherRowArrivesAndTheReportNamesExactlyThePlantedRows) {
    const std::string path = target("keep-going.fb");
    JsonReport report;
    RecordingLedger ledger;
    struct Both : LedgerSink {
        LedgerSink &a, &b;
        Both(LedgerSink& x, LedgerSink& y) : a(x), b(y) {}
        void row(const std::string& r, const RowRecord& rec) override { a.row(r, rec), b.row(r, rec); }
        void message(BoxKind k, const std::string& c, const std::string& t) override { a.message(k, c, t), b.message(k, c, t); }
        void question(const std::string& c, const std::string& t, bool y) override { a.question(c, t, y), b.question(c, t, y); }
    } both(report, ledger);
    const ConversionResult run = ConvertAll(store->sourcePath, path, 1000, &both, true);
    ASSERT_EQ(run.outcome, RunOutcome::Completed);

    ASSERT_EQ(run.summary.registries.size(), 20u);
    for (const RegistryResult& r : run.summary.registries) {
        EXPECT_FALSE(r.stopped) << r.name;
        EXPECT_EQ(r.notTried, 0) << r.name;
        EXPECT_EQ(r.written + r.skipped + r.failed, r.read) << r.name;
        EXPECT_EQ(r.failed, r.name == "clientes" ? 1 : r.name == "produtos" ? 2 : 0) << r.name;
    }
    EXPECT_EQ(Find(run.summary, "clientes").read, customers());
    EXPECT_EQ(Find(run.summary, "produtos").read, products());
    EXPECT_EQ(Count(path, 1, "SELECT COUNT(*) FROM CLIENTE WHERE CODCLIENTE > '00000000'"), customers() - 1 - Find(run.summary, "clientes").skipped);
    EXPECT_EQ(Count(path, 1, "SELECT COUNT(*) FROM PRODUTO"), products() - 2);

    std::vector<std::string> failed;
    for (const auto& row : ledger.rows)
        if (row.record.outcome == RowOutcome::Failed) {
            std::string key = row.registry;
            for (const auto& [column, value] : row.record.key) key += " " + column + "=" + value;
            failed.push_back(key);
        }
    EXPECT_EQ(failed, (std::vector<std::string>{"clientes EMPRESA=1 CODCLIENTE=" + planted->customer,
                                                "produtos EMPRESA=1 CODPROD=" + planted->products[0],
                                                "produtos EMPRESA=1 CODPROD=" + planted->products[1]}));

    // The same, read back from the report.
    const std::string file = (dir->path() / "report.json").string();
    ReportedRun about;
    about.source = store->sourcePath;
    about.target = path;
    about.commitEvery = 1000;
    about.keepGoing = true;
    about.ticked.fill(true);
    report.write(file, about, run.summary);
    const Json json = ReadJsonFile(file);
    const Json& registries = json["registries"];
    ASSERT_EQ(registries.array.size(), 20u);
    const Json& clientes = registries[1];
    EXPECT_EQ(clientes["name"].string, "clientes");
    std::size_t clienteFailures = 0;
    for (const Json& row : clientes["rows"].array) {
        if (row["outcome"].string != "failed") continue;
        ++clienteFailures;
        EXPECT_EQ(row["key"]["CODCLIENTE"].string, planted->customer);
        EXPECT_NE(row["reason"].string.find("CK_PLANTED"), std::string::npos) << row["reason"].string;
    }
    EXPECT_EQ(clienteFailures, 1u);
    const Json& produtos = registries[6];
    std::vector<std::string> productKeys;
    for (const Json& row : produtos["rows"].array) {
        productKeys.push_back(row["key"]["CODPROD"].string);
        EXPECT_EQ(row["reason"].string, "'XX' is not a valid floating point value");
    }
    EXPECT_EQ(productKeys, planted->products);
}

TEST_F(PlantedFailures, TheCheckListsExactlyTheRowsAKeepGoingRunThenFailsAndSkipsAndChangesNothing) {
    const std::string checked = target("checked.fb"), converted = target("converted.fb");
    const DatabaseContents source = ReadContents(store->sourcePath, 3), before = ReadContents(checked, 1);
    JsonReport report;
    const CheckedStore check = CheckAll(store->sourcePath, checked, &report);
    ASSERT_EQ(check.result.outcome, CheckOutcome::Completed);
    EXPECT_EQ(CheckExitStatus(check.result), 1);
    EXPECT_EQ(FirstDifference(source, ReadContents(store->sourcePath, 3)), "");
    EXPECT_EQ(FirstDifference(before, ReadContents(checked, 1)), "");

    RecordingLedger ledger;
    const ConversionResult run = ConvertAll(store->sourcePath, converted, 1000, &ledger, true);
    ASSERT_EQ(run.outcome, RunOutcome::Completed);
    // Same rows, keys, outcomes and reasons, in the same order.
    EXPECT_EQ(RowLines(check.result.rows), RowLines(ledger.rows));
    std::vector<std::string> failed;
    for (const CheckedRow& row : check.result.rows)
        if (row.record.outcome == RowOutcome::Failed) failed.push_back(row.registry + " " + row.record.key.back().second);
    EXPECT_EQ(failed, (std::vector<std::string>{"clientes " + planted->customer, "produtos " + planted->products[0],
                                                "produtos " + planted->products[1]}));
    ASSERT_EQ(check.result.summary.registries.size(), run.summary.registries.size());
    for (std::size_t i = 0; i < run.summary.registries.size(); ++i) {
        const RegistryResult &a = check.result.summary.registries[i], &b = run.summary.registries[i];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ((std::vector<long long>{a.read, a.written, a.skipped, a.failed, a.notTried}),
                  (std::vector<long long>{b.read, b.written, b.skipped, b.failed, b.notTried}))
            << a.name;
    }

    // The check's report: marked as one, its findings' lists, and the same
    // rows and figures.
    const std::string file = (dir->path() / "check.json").string();
    ReportedRun about;
    about.source = store->sourcePath;
    about.target = checked;
    about.keepGoing = true;
    about.exit = CheckExitStatus(check.result);
    about.ticked.fill(true);
    about.check = &check.result;
    report.write(file, about, check.result.summary);
    const Json json = ReadJsonFile(file);
    EXPECT_TRUE(json["check"].boolean);
    EXPECT_EQ(json["exit"].integer(), 1);
    for (const char* part : {"schema_problems", "warnings", "source_health", "run_ending_errors", "not_checked"}) {
        ASSERT_TRUE(json.has(part)) << part;
        EXPECT_TRUE(json[part].array.empty()) << part;
    }
    const Json& registries = json["registries"];
    ASSERT_EQ(registries.array.size(), 20u);
    std::size_t rows = 0;
    for (std::size_t i = 0; i < 20; ++i) {
        const RegistryResult& r = run.summary.registries[i];
        EXPECT_EQ(registries[i]["state"].string, "converted") << r.name;
        EXPECT_EQ(registries[i]["failed"].integer(), r.failed) << r.name;
        EXPECT_EQ(registries[i]["skipped"].integer(), r.skipped) << r.name;
        EXPECT_EQ(static_cast<long long>(registries[i]["rows"].array.size()), r.failed + r.skipped) << r.name;
        rows += registries[i]["rows"].array.size();
    }
    EXPECT_EQ(rows, ledger.rows.size());
    for (const Json& row : registries[1]["rows"].array)
        if (row["outcome"].string == "failed") {
            EXPECT_EQ(row["key"]["CODCLIENTE"].string, planted->customer);
            EXPECT_NE(row["reason"].string.find("CK_PLANTED"), std::string::npos) << row["reason"].string;
        }
}

}  // namespace
}  // namespace conversor::testing
