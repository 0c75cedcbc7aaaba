#pragma once
// Text without a byte-order mark is read in the ANSI code page: on Windows the system's (CP_ACP), natively
// Windows-1252, the code page of the English and Western European systems the product mostly meets.

#include <string>
#include <string_view>

namespace tessaline {

std::wstring AnsiToWide(std::string_view bytes);

}  // namespace tessaline
