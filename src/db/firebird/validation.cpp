#include "db/firebird/validation.h"

#include <cctype>

#include "db/firebird/fb_api.h"

namespace conversor {

using namespace Firebird;

namespace {

// "12:34:56.78 " in front of every line of the report.
std::string WithoutTimeStamp(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size() && (std::isdigit(static_cast<unsigned char>(line[i])) || line[i] == ':' || line[i] == '.'))
        ++i;
    if (i == 0 || i >= line.size() || line[i] != ' ') return line;
    return line.substr(i + 1);
}

bool TellsOfDamage(const std::string& line) {
    std::string lower;
    for (char c : line) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find("error") != std::string::npos || lower.find("warning") != std::string::npos;
}

}  // namespace

ServiceAddress ServiceFor(const std::string& database) {
    // A drive letter ("C:\...") or a path that only contains a colon is local.
    const std::size_t colon = database.find(':');
    if (colon == std::string::npos || colon < 2 || database[0] == '/' || database[0] == '\\' || database[0] == '.')
        return {"service_mgr", database};
    return {database.substr(0, colon) + ":service_mgr", database.substr(colon + 1)};
}

std::vector<std::string> ValidateDatabase(const std::string& database, const ConnectionOptions& options) {
    const ServiceAddress address = ServiceFor(database);
    fb::Ref<IStatus> statusHandle(fb::Master()->getStatus());
    ThrowStatusWrapper st(statusHandle.get());
    return fb::Guard([&] {
        fb::Ref<IXpbBuilder> attach(fb::Util()->getXpbBuilder(&st, IXpbBuilder::SPB_ATTACH, nullptr, 0));
        attach->insertString(&st, isc_spb_user_name, options.user.c_str());
        attach->insertString(&st, isc_spb_password, options.password.c_str());
        fb::Ref<IProvider> provider(fb::Master()->getDispatcher());
        fb::Ref<IService> service(provider->attachServiceManager(&st, address.service.c_str(),
                                                                 attach->getBufferLength(&st), attach->getBuffer(&st)));

        fb::Ref<IXpbBuilder> start(fb::Util()->getXpbBuilder(&st, IXpbBuilder::SPB_START, nullptr, 0));
        start->insertTag(&st, isc_action_svc_validate);
        start->insertString(&st, isc_spb_dbname, address.database.c_str());
        service->start(&st, start->getBufferLength(&st), start->getBuffer(&st));

        std::vector<std::string> damage;
        const unsigned char request[] = {isc_info_svc_line};
        // The answer's length travels in two bytes; a line is far shorter.
        std::vector<unsigned char> buffer(16 * 1024);
        for (;;) {
            service->query(&st, 0, nullptr, sizeof request, request, static_cast<unsigned>(buffer.size()),
                           buffer.data());
            // One line per answer: its tag, a two-byte length, the text. The
            // report is read to its end (an empty line): the service must not
            // be left while it still works.
            if (buffer[0] == isc_info_truncated) continue;
            if (buffer[0] != isc_info_svc_line) throw DbError("unexpected answer of the service manager");
            const unsigned length = buffer[1] | (buffer[2] << 8);
            if (length == 0) break;
            if (3 + length > buffer.size()) throw DbError("unexpected answer of the service manager");
            const std::string line = WithoutTimeStamp(std::string(reinterpret_cast<const char*>(buffer.data() + 3), length));
            if (TellsOfDamage(line)) damage.push_back(line);
        }
        service->detach(&st);
        service.forget();
        return damage;
    });
}

}  // namespace conversor
