#pragma once
// The target's backup before a run empties it: made by the engine's backup
// service, in the format gbak restores. A local path is backed up by the
// engine inside this program; "host:path" by that server, which writes the
// backup file on its own machine.
#include <ctime>
#include <functional>
#include <string>

namespace conversor {

// Where a database string points: a file of this machine (no host) or a
// path on a server ("host:path", "host/port:path").
struct DatabaseLocation {
    std::string host;
    std::string path;
};
DatabaseLocation LocateDatabase(const std::string& database);

// Writes the backup of database (a local path or host:path) to backupFile,
// a path on the database's machine. DbError with the service's own text
// when it fails, and when a local backup file already exists; progress is
// called each time the service reports.
void BackUpDatabase(const std::string& database, const std::string& backupFile,
                    const std::function<void()>& progress = {});

// Beside the database, named after it with the date and time:
// /data/ORDELIO.FB at 14:30:05 on 2 May 2025 gives
// /data/ORDELIO-2025-05-02-143005.fbk (on the server for host:path).
std::string DefaultBackupFile(const std::string& database, std::time_t when);

// The gbak command that puts the backup back in place of the database.
std::string RestoreCommand(const std::string& backupFile, const std::string& database);

}  // namespace conversor
