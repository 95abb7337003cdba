// Creates empty source and target databases from the definitions in schema/:
//   make-databases SCHEMA_DIR OUT_DIR  ->  OUT_DIR/talvo.fdb, OUT_DIR/ordelio.fb
#include <cstdio>
#include <filesystem>
#include <string>

#include "db/firebird/error.h"
#include "db/script.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-databases SCHEMA_DIR OUT_DIR\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path schema = argv[1], out = argv[2];
    try {
        fs::create_directories(out);
        for (const char* name : {"talvo.fdb", "ordelio.fb"}) fs::remove(out / name);
        conversor::CreateDatabaseFromScript((out / "talvo.fdb").string(), 3, (schema / "talvo.sql").string());
        conversor::CreateDatabaseFromScript((out / "ordelio.fb").string(), 1, (schema / "ordelio.sql").string());
    } catch (const conversor::DbError& e) {
        std::fprintf(stderr, "make-databases: %s\nin: %.200s\n", e.what(), e.statement().c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-databases: %s\n", e.what());
        return 1;
    }
    return 0;
}
