#include "db/firebird/client_version.h"

#include "db/firebird/fb_api.h"

namespace conversor {

namespace {
// The legacy text reads "LI-V6.3.11.33637 Firebird 3.0": its first two
// numbers are the old InterBase-compatible ones, the last two the release and
// the build. Returns ".11.33637", or nothing.
std::string ReleaseAndBuild(const std::string& text) {
    const std::size_t v = text.find("-V");
    if (v == std::string::npos) return {};
    const std::size_t end = text.find(' ', v);
    const std::string numbers = text.substr(v + 2, end == std::string::npos ? std::string::npos : end - v - 2);
    const std::size_t first = numbers.find('.');
    const std::size_t second = first == std::string::npos ? first : numbers.find('.', first + 1);
    if (second == std::string::npos) return {};
    const std::string rest = numbers.substr(second);
    if (rest.size() < 2 || rest.find_first_not_of(".0123456789") != std::string::npos) return {};
    return rest;
}
}  // namespace

std::string FirebirdClientVersion() {
    const unsigned version = fb::Util()->getClientVersion();
    char text[256] = {};
    isc_get_client_version(text);
    return std::to_string(version >> 8) + "." + std::to_string(version & 0xFF) + ReleaseAndBuild(text);
}

}  // namespace conversor
