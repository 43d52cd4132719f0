// The command line: -m/-M midi mode, -c/-C configuration file, -p/-P start folder, and at most
// one plain argument (the document the front end opens).
#pragma once

#include <string>
#include <vector>

#include "support/NUVStatus.h"

namespace kelvane {

struct StartOptions {
    std::string configFile;        // -c/-C; empty when not given
    std::string documentArgument;  // the first plain argument, kept for the front end
};

// Reads the options with the C library's getopt over "mMc:C:p:P:" (the GNU parser moves plain
// arguments behind the options unless POSIXLY_CORRECT is set; unknown options are reported by
// the parser and ignored). -m sets midi mode, -p the start path (it wins over START_PATH).
// A second plain argument is FATAL "Too many Parameters specified"; the result is then -1.
// May run any number of times (the parser is reset on each call).
StatusCode ParseStartOptions(const std::vector<std::string>& args, StartOptions& options);

}  // namespace kelvane
