#include "db/firebird/date_time.h"

#include <cstdio>
#include <ctime>

namespace conversor {

namespace {
// Days from 1970-01-01 for a proleptic Gregorian date (H. Hinnant's algorithm).
long daysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}
constexpr long kDayZeroFromEpoch = -25569;  // 1899-12-30
}  // namespace

DateTime DateTime::FromYmd(int year, int month, int day) {
    return DateTime{static_cast<int>(daysFromCivil(year, month, day) - kDayZeroFromEpoch), 0};
}

DateTime DateTime::Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return FromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

void DateTime::toYmd(int& year, int& month, int& day) const {
    long z = days + kDayZeroFromEpoch + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

std::string DateTime::toText(bool withTime) const {
    int y, m, d;
    toYmd(y, m, d);
    char buf[40];
    if (withTime && millis != 0)
        std::snprintf(buf, sizeof buf, "%02d.%02d.%04d %02d:%02d:%02d", d, m, y, millis / 3600000,
                      millis / 60000 % 60, millis / 1000 % 60);
    else
        std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d, m, y);
    return buf;
}

}  // namespace conversor
