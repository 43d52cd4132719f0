// printf-style formatting into a std::string. The program's message and status texts are
// printf formats ("%s %d", "Showing %ld %s out of %ld %s     %s"), so they are used as given.
#pragma once

#include <cstdarg>
#include <string>

namespace kelvane {

std::string StrFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string StrFormatV(const char* format, va_list args);

}  // namespace kelvane
