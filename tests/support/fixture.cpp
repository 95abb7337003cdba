#include "support/fixture.h"

#include <cstdlib>

#include "db/script.h"
#include "db/statement.h"

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
    if (!source_) {
        ConnectionOptions o;
        o.dialect = 3;
        source_ = std::make_unique<Connection>(o);
        source_->setDatabase(sourcePath());
        source_->open();
    }
    return *source_;
}

Connection& TestDatabases::target() {
    if (!target_) {
        ConnectionOptions o;
        o.dialect = 1;
        target_ = std::make_unique<Connection>(o);
        target_->setDatabase(targetPath());
        target_->open();
    }
    return *target_;
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
