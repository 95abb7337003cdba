#pragma once
#include <string>

namespace conversor {

// A moment as the target's date columns know it: whole days counted from
// 30 December 1899 (day zero, what a null date reads as) and milliseconds
// into the day.
struct DateTime {
    int days = 0;
    int millis = 0;

    static DateTime FromYmd(int year, int month, int day);
    static DateTime Today();
    void toYmd(int& year, int& month, int& day) const;
    // "DD.MM.YYYY", and " HH:MM:SS" when there is a time of day.
    std::string toText(bool withTime) const;
    bool operator==(const DateTime&) const = default;
};

}  // namespace conversor
