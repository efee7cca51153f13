#pragma once
// A time as digits, for the texts the player writes: the copied path's
// footer ("2026/12/10 05:30") and the run record's start
// ("2026-12-10T05:30:00Z"). Digits by hand: the C library's formatted
// printing would come into the player stub for these two lines.

#include <windows.h>

#include <string>
#include <string_view>

namespace velmora::win32 {

// `value` as `width` digits, its lowest ones where it has more.
void AppendDigits(std::string& out, unsigned value, int width);

// The year (four digits), then the month, day, hour, minute and second
// (two each), as many parts as there are separators plus one, with
// `separators[i]` after the i-th.
std::string TimeText(const SYSTEMTIME& time, std::string_view separators);

}  // namespace velmora::win32
