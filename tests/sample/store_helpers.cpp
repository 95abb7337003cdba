#include "store_helpers.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "db/session.h"
#include "db/firebird/statement.h"

namespace conversor::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "conversor-sample-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

sample::SampleStore MakeStore(const fs::path& dir, int scale, std::uint64_t seed) {
    sample::SampleOptions o;
    o.dir = dir.string();
    o.schemaDir = SCHEMA_DIR;
    o.scale = scale;
    o.seed = seed;
    o.forcedWrites = false;
    return sample::GenerateSampleStore(o);
}

namespace {
std::vector<std::vector<std::string>> sortedRows(Connection& cn, const std::string& sql) {
    Statement st(cn);
    st.setText(sql);
    st.open();
    std::vector<std::vector<std::string>> rows;
    while (!st.eof()) {
        std::vector<std::string> row;
        for (std::size_t i = 0; i < st.fieldCount(); ++i)
            row.push_back(st.field(i).isNull() ? "<null>" : st.field(i).asText());
        rows.push_back(std::move(row));
        st.next();
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<std::string> names(Connection& cn, const std::string& sql) {
    std::vector<std::string> out;
    for (auto& row : sortedRows(cn, sql)) {
        std::string n = row.at(0);
        n.erase(n.find_last_not_of(' ') + 1);
        out.push_back(n);
    }
    return out;
}
}  // namespace

DatabaseContents ReadContents(const std::string& path, int dialect) {
    auto connection = OpenDatabase(path, dialect);
    Connection& cn = *connection;
    DatabaseContents contents;
    for (const std::string& table :
         names(cn, "SELECT RDB$RELATION_NAME FROM RDB$RELATIONS WHERE RDB$SYSTEM_FLAG = 0 AND RDB$VIEW_BLR IS NULL"))
        contents[table] = sortedRows(cn, "SELECT * FROM " + table);
    for (const std::string& generator :
         names(cn, "SELECT RDB$GENERATOR_NAME FROM RDB$GENERATORS WHERE RDB$SYSTEM_FLAG = 0"))
        contents["generator " + generator] = sortedRows(cn, "SELECT GEN_ID(" + generator + ", 0) FROM RDB$DATABASE");
    contents["triggers"] = sortedRows(cn, "SELECT RDB$TRIGGER_NAME, RDB$TRIGGER_INACTIVE FROM RDB$TRIGGERS "
                                          "WHERE RDB$SYSTEM_FLAG = 0");
    return contents;
}

std::string FirstDifference(const DatabaseContents& a, const DatabaseContents& b) {
    for (const auto& [name, rows] : a) {
        const auto other = b.find(name);
        if (other == b.end()) return name + " is missing";
        if (rows == other->second) continue;
        for (std::size_t i = 0; i < std::max(rows.size(), other->second.size()); ++i) {
            if (i >= rows.size() || i >= other->second.size())
                return name + ": " + std::to_string(rows.size()) + " rows against " + std::to_string(other->second.size());
            if (rows[i] != other->second[i])
                return name + " differs at sorted row " + std::to_string(i) + ": " + ::testing::PrintToString(rows[i]) +
                       " against " + ::testing::PrintToString(other->second[i]);
        }
    }
    for (const auto& [name, rows] : b)
        if (!a.count(name)) return name + " appeared";
    return {};
}


void PlantFailingRows(const std::string& source) {
    auto cn = OpenDatabase(source, 3);
    cn->startTransaction();
    Statement st(*cn);
    // Two cities with one number: the second repeats the first's code.
    st.setText("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) "
               "SELECT EMPRESA, CIDCONTADOR, 'CIDADE REPETIDA', UFCID FROM REP004 WHERE EMPRESA = 1 AND CIDCONTADOR = "
               "(SELECT MIN(CIDCONTADOR) FROM REP004 WHERE EMPRESA = 1 AND CIDCONTADOR > 10)");
    st.execute();
    // An ICMS rate that does not read as a number.
    st.setText("UPDATE EST004 SET ALIQSINTEGRA = 'NT' WHERE EMPRESA = 1 AND CODPRODUTO = 150");
    st.execute();
    // A parcel text that leaves the document code longer than its column.
    st.setText("UPDATE CP001 SET TITULO = '123', PARCELA = 'PARCELA UNICA 2024' WHERE CPCONTADOR = "
               "(SELECT MIN(CPCONTADOR) FROM CP001 WHERE STATUS = 'AB' AND CPCONTADOR > 70)");
    st.execute();
    cn->commit();
}



ConversionResult ConvertAll(const std::string& source, const std::string& target, int commitInterval,
                            LedgerSink* ledger, bool keepGoing) {
    RecordingOperator ui;
    Session session(ui);
    sample::ChooseSampleStore(session, source, target, commitInterval);
    session.ledger = ledger;
    session.keepGoing = keepGoing;
    Ticked all;
    all.fill(true);
    ConversionResult result;
    result.outcome = ExecuteRun(session, all);
    result.summary = session.summary;
    result.boxes = ui.boxes;
    return result;
}

CheckedStore CheckAll(const std::string& source, const std::string& target, LedgerSink* ledger, int commitInterval) {
    RecordingOperator ui;
    Session session(ui);
    sample::ChooseSampleStore(session, source, target, commitInterval);
    session.ledger = ledger;
    Ticked all;
    all.fill(true);
    CheckedStore checked;
    checked.result = ExecuteCheck(session, all);
    checked.boxes = ui.boxes;
    checked.questions = ui.questions;
    return checked;
}

std::string Describe(const std::vector<RecordingOperator::Box>& boxes) {
    std::string out;
    for (const auto& b : boxes) out += b.caption + ": " + b.text + "\n";
    return out;
}

}  // namespace conversor::testing
