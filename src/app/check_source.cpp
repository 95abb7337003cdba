#include "app/check.h"
#include "db/firebird/error.h"
#include "db/session.h"
#include "db/firebird/validation.h"

namespace conversor {

std::vector<CheckFinding> CheckSourceHealth(const Session& s) {
    std::vector<CheckFinding> findings;
    try {
        for (const std::string& line : ValidateDatabase(s.sourcePath, ConnectionOptions{}))
            findings.push_back({CheckFinding::Kind::DamagedSource, {}, line, {}, Database::Source});
    } catch (const DbError& e) {
        findings.push_back({CheckFinding::Kind::SourceNotValidated, {}, s.sourcePath, e.what(), Database::Source});
    }
    return findings;
}

}  // namespace conversor
