#include "support/damage.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "support/fixture.h"

namespace conversor::testing {

namespace {
// On-disk layout of this engine's pages (ODS 12): a 16-byte page header;
// a pointer page then holds its sequence, next page, slot count, relation and
// lowest free slot before its vector of data page numbers; a data page holds
// its sequence, relation and record count before the index of its records.
constexpr std::size_t kPageHeader = 16;
constexpr std::size_t kPointerPageVector = 32;
constexpr std::size_t kDataPageIndex = 24;
constexpr unsigned char kPointerPageType = 4;
constexpr unsigned char kDataPageType = 5;

std::vector<unsigned char> ReadPage(std::fstream& file, long number, long size) {
    std::vector<unsigned char> page(static_cast<std::size_t>(size));
    file.seekg(number * size);
    file.read(reinterpret_cast<char*>(page.data()), size);
    if (!file) throw std::runtime_error("cannot read page " + std::to_string(number));
    return page;
}
}  // namespace

long DamageFirstDataPage(const std::string& path, int dialect, const std::string& table) {
    long pointerPage = 0, pageSize = 0;
    {
        auto cn = OpenDatabase(path, dialect);
        Rows rows = ReadRows(*cn,
                             "SELECT P.RDB$PAGE_NUMBER, (SELECT MON$PAGE_SIZE FROM MON$DATABASE) FROM RDB$PAGES P "
                             "JOIN RDB$RELATIONS R ON R.RDB$RELATION_ID = P.RDB$RELATION_ID "
                             "WHERE R.RDB$RELATION_NAME = '" + table + "' AND P.RDB$PAGE_TYPE = 4 "
                             "AND P.RDB$PAGE_SEQUENCE = 0");
        if (rows.empty()) throw std::runtime_error("no pointer page for " + table);
        pointerPage = std::stol(rows[0][0]);
        pageSize = std::stol(rows[0][1]);
    }
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    const std::vector<unsigned char> pointer = ReadPage(file, pointerPage, pageSize);
    if (pointer[0] != kPointerPageType) throw std::runtime_error("page is no pointer page");
    std::uint32_t dataPage = 0;
    std::memcpy(&dataPage, pointer.data() + kPointerPageVector, sizeof dataPage);
    if (ReadPage(file, dataPage, pageSize)[0] != kDataPageType) throw std::runtime_error("page is no data page");
    static_assert(kDataPageIndex > kPageHeader);
    const std::vector<char> garbage(64, '\xFF');
    file.seekp(static_cast<long>(dataPage) * pageSize + static_cast<long>(kDataPageIndex));
    file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    if (!file) throw std::runtime_error("cannot write page " + std::to_string(dataPage));
    return static_cast<long>(dataPage);
}

}  // namespace conversor::testing
