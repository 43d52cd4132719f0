// grep as the reference of the search benchmarks: started directly (no shell) with the C
// locale, its count read back from a file.
#pragma once

#include <string>

namespace kelvane::bench {

// Reads the file once, so that the page cache holds it for the timed grep that follows.
void WarmFile(const std::string& path);

// Runs `grep -ci WORD PATH` and waits for it; the count goes to PATH + ".count" (with
// /dev/null as output GNU grep stops at the first match, which would not be a count). Ends the
// program when grep cannot be run.
void RunGrep(const std::string& word, const std::string& path);

// The count the last RunGrep on `path` wrote; -1 when there is none.
long GrepCount(const std::string& path);

}  // namespace kelvane::bench
