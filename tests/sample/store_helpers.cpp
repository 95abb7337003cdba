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
    return contents;
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

}  // namespace conversor::testing
