// Where a database string points, the backup file named after a target, and
// the command that restores it.
#include <gtest/gtest.h>

#include <ctime>

#include "db/firebird/backup.h"

namespace conversor::testing {
namespace {

TEST(BackupNames, ADatabaseIsLocalOrOnAServer) {
    struct Case {
        const char* database;
        const char* host;
        const char* path;
    };
    const Case cases[] = {
        {"/data/loja/ORDELIO.FB", "", "/data/loja/ORDELIO.FB"},
        {"servidor:/data/loja/ORDELIO.FB", "servidor", "/data/loja/ORDELIO.FB"},
        {"servidor/3051:/data/ORDELIO.FB", "servidor/3051", "/data/ORDELIO.FB"},
        {"C:\\Dados\\ORDELIO.FB", "", "C:\\Dados\\ORDELIO.FB"},
        {"servidor:C:\\Dados\\ORDELIO.FB", "servidor", "C:\\Dados\\ORDELIO.FB"},
        {"ordelio.fb", "", "ordelio.fb"},
    };
    for (const Case& c : cases) {
        const DatabaseLocation where = LocateDatabase(c.database);
        EXPECT_EQ(where.host, c.host) << c.database;
        EXPECT_EQ(where.path, c.path) << c.database;
    }
}

TEST(BackupNames, TheDefaultFileSitsBesideTheTargetWithTheDateAndTime) {
    std::tm local{};
    local.tm_year = 2025 - 1900;
    local.tm_mon = 4;
    local.tm_mday = 2;
    local.tm_hour = 14;
    local.tm_min = 30;
    local.tm_sec = 5;
    local.tm_isdst = -1;
    const std::time_t when = std::mktime(&local);
    const std::pair<const char*, const char*> cases[] = {
        {"/data/loja/ORDELIO.FB", "/data/loja/ORDELIO-2025-05-02-143005.fbk"},
        {"servidor:/data/loja/ORDELIO.FB", "/data/loja/ORDELIO-2025-05-02-143005.fbk"},
        {"/data/loja.2024/ordelio", "/data/loja.2024/ordelio-2025-05-02-143005.fbk"},
        {"ordelio.fb", "ordelio-2025-05-02-143005.fbk"},
    };
    for (const auto& [target, file] : cases) EXPECT_EQ(DefaultBackupFile(target, when), file) << target;
}

TEST(BackupNames, TheRestoreCommandReplacesTheTarget) {
    EXPECT_EQ(RestoreCommand("/data/o-1.fbk", "/data/ORDELIO.FB"), "gbak -rep -user SYSDBA /data/o-1.fbk /data/ORDELIO.FB");
    EXPECT_EQ(RestoreCommand("/data/o-1.fbk", "servidor:/data/ORDELIO.FB"),
              "gbak -rep -se servidor:service_mgr -user SYSDBA -password quendalor /data/o-1.fbk /data/ORDELIO.FB");
    // Paths the shell would split or read are quoted.
    EXPECT_EQ(RestoreCommand("/lojas/S\xC3\xA3o Paulo/o.fbk", "/lojas/it's/o.fb"),
              "gbak -rep -user SYSDBA '/lojas/S\xC3\xA3o Paulo/o.fbk' '/lojas/it'\\''s/o.fb'");
}

}  // namespace
}  // namespace conversor::testing
