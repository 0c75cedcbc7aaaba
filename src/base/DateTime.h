#pragma once
// A local date and time as the catalogue keeps it (launch times, file stamps). Times that come through DOS
// date-time have two-second resolution and the DOS range (1980..2107). The zero value means "no time" and sorts
// before every real time.

#include <compare>
#include <cstdint>
#include <optional>

namespace tessaline {

struct TDateTime {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;

    bool IsZero() const { return year == 0; }
    auto operator<=>(const TDateTime&) const = default;
};

// A valid calendar date and time of day (any year from 1 to 9999).
bool IsValidDateTime(const TDateTime& value);

// DOS date (bits 15-9 year since 1980, 8-5 month, 4-0 day) and time (15-11 hour, 10-5 minute, 4-0 seconds / 2).
// nullopt for an impossible date or time (month 0, 31 February, hour 24, ...).
std::optional<TDateTime> DosDateTimeToDateTime(uint16_t dosDate, uint16_t dosTime);

}  // namespace tessaline
