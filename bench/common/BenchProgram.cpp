#include "common/BenchProgram.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ZOLMain.h"
#include "platform/ProgramDir.h"
#include "support/NUVDbg.h"

namespace kelvane::bench {
namespace {

class BenchSink final : public IMessageSink {
  public:
    void ShowBox(Severity, const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    void ConsoleText(const std::string&) override {}
    void ExitProgram(int code) override { std::exit(code); }
};

}  // namespace

bool StartProgram(const char* name, bool midi) {
    namespace fs = std::filesystem;
    static BenchSink sink;
    SetMessageSink(&sink);
    const fs::path buildRoot = fs::path(ExecutablePath()).parent_path().parent_path();
    setenv("KELVANE_HOME", buildRoot.c_str(), 0);
    const std::string settings = std::string(name) + ".ini";
    setenv("KELVANE_SETTINGS", (fs::temp_directory_path() / settings).c_str(), 0);
    std::vector<std::string> args{name};
    if (midi) {
        args.emplace_back("-m");
    }
    return CZOLApp().InitInstance(args).status == 0;
}

}  // namespace kelvane::bench
