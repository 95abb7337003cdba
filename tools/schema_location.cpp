#include "schema_location.h"

#include <system_error>

namespace fs = std::filesystem;

fs::path SchemaLocation() {
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return SCHEMA_DIR;
    const fs::path folder = program.parent_path();
    if (fs::equivalent(folder, BUILD_DIR, ec)) return SCHEMA_DIR;
    return (folder / SCHEMA_DIR_FROM_PROGRAM).lexically_normal();
}
