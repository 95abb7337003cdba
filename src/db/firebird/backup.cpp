#include "db/firebird/backup.h"

#include <cstring>
#include <filesystem>

#include "db/firebird/connection.h"
#include "db/firebird/fb_api.h"

namespace conversor {

using namespace Firebird;

DatabaseLocation LocateDatabase(const std::string& database) {
    const std::size_t colon = database.find(':');
    // "/data/x.fb" and "C:\data\x.fb" are local; anything else before a
    // colon names a server.
    const bool drive = colon == 1 && database.size() > 2 && (database[2] == '\\' || database[2] == '/');
    if (colon == std::string::npos || colon == 0 || database[0] == '/' || drive) return {"", database};
    return {database.substr(0, colon), database.substr(colon + 1)};
}

namespace {
// One reply of the service: true while it still has lines to give.
bool moreLines(const unsigned char* reply, std::size_t size) {
    if (size < 3 || reply[0] != isc_info_svc_line) return false;
    const unsigned length = reply[1] | (reply[2] << 8);
    return length > 0;
}
}  // namespace

void BackUpDatabase(const std::string& database, const std::string& backupFile, const std::function<void()>& progress) {
    const DatabaseLocation where = LocateDatabase(database);
    // gbak would write over it, and a rerun with the same file would replace
    // the backup of the target as it was with one of a converted target. A
    // server's files are out of sight here.
    std::error_code ignored;
    if (where.host.empty() && std::filesystem::exists(backupFile, ignored))
        throw DbError("backup file " + backupFile + " already exists");
    const std::string manager = where.host.empty() ? "service_mgr" : where.host + ":service_mgr";
    const ConnectionOptions credentials;
    fb::Ref<IStatus> status(fb::Master()->getStatus());
    ThrowStatusWrapper st(status.get());
    fb::Guard([&] {
        fb::Ref<IXpbBuilder> attach(fb::Util()->getXpbBuilder(&st, IXpbBuilder::SPB_ATTACH, nullptr, 0));
        attach->insertString(&st, isc_spb_user_name, credentials.user.c_str());
        attach->insertString(&st, isc_spb_password, credentials.password.c_str());
        fb::Ref<IProvider> provider(fb::Master()->getDispatcher());
        fb::Ref<IService> service(provider->attachServiceManager(&st, manager.c_str(), attach->getBufferLength(&st),
                                                                 attach->getBuffer(&st)));

        fb::Ref<IXpbBuilder> start(fb::Util()->getXpbBuilder(&st, IXpbBuilder::SPB_START, nullptr, 0));
        start->insertTag(&st, isc_action_svc_backup);
        start->insertString(&st, isc_spb_dbname, where.path.c_str());
        start->insertString(&st, isc_spb_bkp_file, backupFile.c_str());
        // A line per object backed up: the program stays alive meanwhile.
        start->insertTag(&st, isc_spb_verbose);
        service->start(&st, start->getBufferLength(&st), start->getBuffer(&st));

        // The service reports its failure as the failure of a query.
        const unsigned char wanted[] = {isc_info_svc_line};
        unsigned char reply[8192];
        do {
            service->query(&st, 0, nullptr, sizeof wanted, wanted, sizeof reply, reply);
            if (progress) progress();
        } while (moreLines(reply, sizeof reply));
        service->detach(&st);
        service.forget();
    });
}

namespace {
std::string timestamp(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d-%H%M%S", &local);
    return text;
}

// A shell word: left bare when it holds nothing the shell reads.
std::string shellWord(const std::string& word) {
    const bool plain = !word.empty() && word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                                              "0123456789/._-+:@") == std::string::npos;
    if (plain) return word;
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}
}  // namespace

std::string DefaultBackupFile(const std::string& database, std::time_t when) {
    const std::string path = LocateDatabase(database).path;
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) dot = path.size();
    return path.substr(0, dot) + "-" + timestamp(when) + ".fbk";
}

std::string RestoreCommand(const std::string& backupFile, const std::string& database) {
    const DatabaseLocation where = LocateDatabase(database);
    std::string command = "gbak -rep ";
    // Embedded, the engine takes the user's word for it; a server asks for
    // the password.
    if (where.host.empty()) command += "-user SYSDBA ";
    else command += "-se " + where.host + ":service_mgr -user SYSDBA -password " + ConnectionOptions().password + " ";
    return command + shellWord(backupFile) + " " + shellWord(where.path);
}

}  // namespace conversor
