#include "base/DateTime.h"

namespace tessaline {
namespace {

bool IsLeapYear(int32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int32_t DaysInMonth(int32_t year, int32_t month) {
    static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

bool IsValidDateTime(const TDateTime& v) {
    return v.year >= 1 && v.year <= 9999 && v.month >= 1 && v.month <= 12 && v.day >= 1 &&
           v.day <= DaysInMonth(v.year, v.month) && v.hour >= 0 && v.hour <= 23 && v.minute >= 0 &&
           v.minute <= 59 && v.second >= 0 && v.second <= 59;
}

std::optional<TDateTime> DosDateTimeToDateTime(uint16_t dosDate, uint16_t dosTime) {
    const TDateTime value{1980 + (dosDate >> 9),   (dosDate >> 5) & 0x0F,     dosDate & 0x1F,
                          dosTime >> 11,           (dosTime >> 5) & 0x3F,     (dosTime & 0x1F) * 2};
    if (!IsValidDateTime(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace tessaline
