#include "app/ZOLCommandLine.h"

#include <unistd.h>

#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/ZOLConfigValues.h"
#include "support/ZOLRunMode.h"

namespace kelvane {

StatusCode ParseStartOptions(const std::vector<std::string>& args, StartOptions& options) {
    // getopt permutes its argument vector; give it copies.
    std::vector<std::string> storage(args);
    std::vector<char*> argv;
    for (std::string& arg : storage) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    const int argc = static_cast<int>(storage.size());

    optind = 0;  // glibc: a full restart, which also reads POSIXLY_CORRECT again
    int option;
    while ((option = ::getopt(argc, argv.data(), "mMc:C:p:P:")) != -1) {
        switch (option) {
            case 'm':
            case 'M':
                SetRunMode(kRunModeMidi);
                NUV_DEBUG("%s", "option m -> midi mode");
                break;
            case 'c':
            case 'C':
                options.configFile = optarg;
                break;
            case 'p':
            case 'P':
                Config().startPath = optarg;
                break;
            default:  // reported by getopt itself
                break;
        }
    }
    if (optind < argc) {
        NUV_DEBUG("%s", "non-option ARGV-elements: ");
        options.documentArgument = argv[optind];
        if (optind + 1 < argc) {
            NUV_FATAL("%s %s", Translate("Too many Parameters specified").c_str(),
                      argv[optind + 1]);
            return status::kUnspecified;
        }
    }
    return status::kOk;
}

}  // namespace kelvane
