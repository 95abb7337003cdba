#pragma once
// Fresh source and target databases for one test: copies of the empty
// databases built from schema/, in a folder of their own, opened through the
// project's own database layer.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "db/firebird/connection.h"
#include "db/session.h"
#include "support/recording_operator.h"

namespace conversor::testing {

using Rows = std::vector<std::vector<std::string>>;

class TestDatabases {
public:
    TestDatabases();
    ~TestDatabases();
    TestDatabases(const TestDatabases&) = delete;
    TestDatabases& operator=(const TestDatabases&) = delete;

    const std::filesystem::path& dir() const { return dir_; }
    std::string sourcePath() const { return (dir_ / "talvo.fdb").string(); }
    std::string targetPath() const { return (dir_ / "ordelio.fb").string(); }

    // Writable connections of their own (the run's source connection is
    // read-only), for preparing fixtures and reading results.
    Connection& source();
    Connection& target();

    // Runs statements separated by ';' (each committed).
    void onSource(const std::string& sql);
    void onTarget(const std::string& sql);
    Rows sourceRows(const std::string& sql);
    Rows targetRows(const std::string& sql);
    std::string targetValue(const std::string& sql);  // first column of the first row

    // Embedded, only one process may open a file: close before another
    // process (the command line) uses the databases.
    void closeConnections();

private:
    std::filesystem::path dir_;
    std::unique_ptr<Connection> source_, target_;
};

Rows ReadRows(Connection& cn, const std::string& sql);

// A writable connection of its own to a database file.
std::unique_ptr<Connection> OpenDatabase(const std::string& path, int dialect);

// The server runs as its own user: let it open the pair's files.
void ShareWithServer(const TestDatabases& db);

// A session connected to a fresh pair of databases, recording what it shows.
class ConversionTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Boxes' texts with '\r' shown as '|'.
    std::vector<std::string> boxes() const { return ui.boxTexts(); }

    TestDatabases db;
    RecordingOperator ui;
    Session session{ui};
};

}  // namespace conversor::testing
