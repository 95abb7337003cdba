#include "support/fixture.h"

#include <cstdlib>

#include "db/script.h"
#include "db/firebird/statement.h"

namespace conversor::testing {

namespace fs = std::filesystem;

TestDatabases::TestDatabases() {
    std::string pattern = (fs::temp_directory_path() / "conversor-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    dir_ = pattern;
    fs::copy_file(fs::path(TEST_DB_DIR) / "talvo.fdb", dir_ / "talvo.fdb");
    fs::copy_file(fs::path(TEST_DB_DIR) / "ordelio.fb", dir_ / "ordelio.fb");
}

TestDatabases::~TestDatabases() {
    source_.reset();
    target_.reset();
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
}

void TestDatabases::closeConnections() {
    source_.reset();
    target_.reset();
}

Connection& TestDatabases::source() {
    if (!source_) source_ = OpenDatabase(sourcePath(), 3);
    return *source_;
}

Connection& TestDatabases::target() {
    if (!target_) target_ = OpenDatabase(targetPath(), 1);
    return *target_;
}

std::unique_ptr<Connection> OpenDatabase(const std::string& path, int dialect) {
    ConnectionOptions o;
    o.dialect = dialect;
    auto cn = std::make_unique<Connection>(o);
    cn->setDatabase(path);
    cn->open();
    return cn;
}

void ShareWithServer(const TestDatabases& db) {
    fs::permissions(db.dir(), fs::perms::all);
    for (const char* f : {"talvo.fdb", "ordelio.fb"})
        fs::permissions(db.dir() / f, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                          fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
}

void TestDatabases::onSource(const std::string& sql) { RunScript(source(), sql); }
void TestDatabases::onTarget(const std::string& sql) { RunScript(target(), sql); }
Rows TestDatabases::sourceRows(const std::string& sql) { return ReadRows(source(), sql); }
Rows TestDatabases::targetRows(const std::string& sql) { return ReadRows(target(), sql); }

std::string TestDatabases::targetValue(const std::string& sql) {
    Rows rows = targetRows(sql);
    return rows.empty() || rows[0].empty() ? std::string() : rows[0][0];
}

Rows ReadRows(Connection& cn, const std::string& sql) {
    Statement st(cn);
    st.setText(sql);
    st.open();
    Rows rows;
    while (!st.eof()) {
        rows.push_back(st.rowTexts());
        st.next();
    }
    st.close();
    return rows;
}

void ConversionTest::SetUp() {
    session.sourcePath = db.sourcePath();
    session.targetPath = db.targetPath();
    ASSERT_TRUE(session.ConectaOrdelio()) << ui.boxTexts().back();
    ASSERT_TRUE(session.ConectaTalvo()) << ui.boxTexts().back();
}

}  // namespace conversor::testing
