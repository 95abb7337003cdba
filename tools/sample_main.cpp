// conversor-sample: writes a sample retail store to try the conversion on.
//   conversor-sample --out DIR [--scale N] [--seed S] | --version
// DIR/talvo.fdb is a filled Talvo database; DIR/ordelio.fb an empty Ordelio
// database with the reference rows the target system ships with.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

#include "sample/sample_store.h"
#include "schema_location.h"
#include "version/version_text.h"

namespace {

constexpr const char* kUsage =
    "Usage: conversor-sample --out DIR [--scale N] [--seed S]\n"
    "\n"
    "Writes a sample retail store: DIR/talvo.fdb (a filled Talvo database) and\n"
    "DIR/ordelio.fb (an empty Ordelio database with its reference rows: the\n"
    "operations, the municipalities and the ADMIN user). Existing files of\n"
    "those names are replaced.\n"
    "\n"
    "  --out DIR    folder to write to (created when missing)\n"
    "  --scale N    customers, products and receivable documents (default 500);\n"
    "               the other registries grow with it, more slowly\n"
    "  --seed S     the same seed writes the same rows (default 1)\n"
    "  --version    the program's version and the Firebird client's\n"
    "\n"
    "Payable documents are filed under operation 101 (type 5), receivable\n"
    "documents under 201 (type 8).\n";

template <typename T>
T number(std::string_view option, std::string_view text) {
    T value{};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        throw std::invalid_argument(std::string(option) + " needs a whole number, not \"" + std::string(text) + "\"");
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    conversor::sample::SampleOptions options;
    options.schemaDir = SchemaLocation().string();
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string_view a = argv[i];
            auto value = [&]() -> std::string_view {
                if (i + 1 >= argc) throw std::invalid_argument(std::string(a) + " needs a value");
                return argv[++i];
            };
            if (a == "--help" || a == "-h") {
                std::fputs(kUsage, stdout);
                return 0;
            } else if (a == "--version") {
                std::fputs(conversor::VersionText("conversor-sample").c_str(), stdout);
                return 0;
            } else if (a == "--out") {
                options.dir = value();
            } else if (a == "--scale") {
                options.scale = number<int>(a, value());
            } else if (a == "--seed") {
                options.seed = number<std::uint64_t>(a, value());
            } else {
                throw std::invalid_argument("unknown option " + std::string(a));
            }
        }
        if (options.dir.empty()) throw std::invalid_argument("--out is required");
        if (options.scale < 1 || options.scale > conversor::sample::kMaxScale)
            throw std::invalid_argument("--scale must be between 1 and " + std::to_string(conversor::sample::kMaxScale));
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "conversor-sample: %s\n\n%s", e.what(), kUsage);
        return 2;
    }

    try {
        const auto start = std::chrono::steady_clock::now();
        const auto store = conversor::sample::GenerateSampleStore(options);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%s: %lld source rows (scale %d, seed %llu) in %.1f s\n%s: empty, with its reference rows\n",
                    store.sourcePath.c_str(), store.sourceRows, store.shape.scale,
                    static_cast<unsigned long long>(options.seed), seconds, store.targetPath.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "conversor-sample: %s\n", e.what());
        return 1;
    }
    return 0;
}
