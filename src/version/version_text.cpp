#include "version/version_text.h"

#include "db/firebird/client_version.h"
#include "program_version.h"

namespace conversor {

std::string VersionText(const std::string& program) {
    return program + " " + kProgramVersion + "\nFirebird client " + FirebirdClientVersion() + "\n";
}

}  // namespace conversor
