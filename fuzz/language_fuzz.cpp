// Language files: the bytes are read as a language file and every translated text that the
// program uses as a printf format is formatted with the arguments the program passes. A
// translation with other conversions must never reach the formatter.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "app/ZOLHelpTopics.h"
#include "app/ZOLPathCheck.h"
#include "list/ZOLStatusLine.h"
#include "fileops/ZOLCdromCompat.h"
#include "output/ZOLPrintSettings.h"
#include "output/ZOLValidate.h"
#include "support/NUVDbg.h"
#include "support/NUVFormat.h"
#include "support/NUVLang.h"
#include "support/NUVTranslateFormat.h"

namespace {

using kelvane::StrFormat;
using kelvane::TranslateFormat;

class QuietSink final : public kelvane::IMessageSink {
  public:
    void ShowBox(kelvane::Severity, const std::string&) override {}
    void ConsoleText(const std::string&) override {}
    void ExitProgram(int) override {}
};

struct Setup {
    QuietSink sink;
    std::string folder;
    Setup() {
        char pattern[] = "/tmp/kelvane-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            std::abort();
        }
        folder = std::string(pattern) + "/";
        setenv("KELVANE_HOME", folder.c_str(), 1);
        setenv("KELVANE_SETTINGS", (folder + "settings.ini").c_str(), 1);
        kelvane::SetMessageSink(&sink);
    }
};

// Formats used inside longer operations (copy, move, export, scan, MDB write, analysis),
// each with the argument types its caller passes.
void FormatInnerTexts() {
    const char* s = "/music/styles/Pop/";
    for (const char* f : {"Error during copy file with all extensions\nError code : %d\nSource "
                          "file : %s\nDestination file : %s",
                          "Error during copy file\nError code : %d\nSource file : %s\nDestination "
                          "file : %s"}) {
        StrFormat(TranslateFormat(f).c_str(), -5, s, s);
    }
    for (const char* f :
         {"Copying %s", "Moving %s", "Processing %s", "No styles found in %s",
          "No midi files found in %s", "File does not exist\n\n%s",
          "The program cannot be started:\n\n%s", "Sorting column \"%s\" - please wait"}) {
        StrFormat(TranslateFormat(f).c_str(), s);
    }
    for (const char* f : {"Finished: %d style data records exported.",
                          "Finished: %d midi data records exported.", "unexpected bytes (%d)"}) {
        StrFormat(TranslateFormat(f).c_str(), 42);
    }
    StrFormat(TranslateFormat("%d %s\n\n%d %s\n%d %s\n%d %s").c_str(), 1, s, 2, s, 3, s, 4, s);
}

void FormatStatusLines() {
    for (const bool midi : {false, true}) {
        for (const kelvane::ListKind kind : {kelvane::ListKind::Files, kelvane::ListKind::Songs}) {
            for (int mode = 0; mode < 5; ++mode) {
                kelvane::StatusLineInputs in;
                in.kind = kind;
                in.midiMode = midi;
                in.duplicatesMode = mode;
                in.rows = 3;
                in.walked = mode == 0 ? 0 : 7;
                in.totalSize = mode * 300;
                in.folder = "/music/";
                in.withSubfolders = mode % 2 == 0;
                kelvane::StatusLineText(in, kelvane::StatusFilterText(in));
            }
        }
    }
}

void FormatDialogTexts() {
    kelvane::InvalidFolderMessage("/a/b:c/");
    kelvane::CreateFolderQuestion("/a/b/");
    kelvane::CannotCreateFolderMessage("/a/b/");
    kelvane::MissingHelpPageMessage("help/page.htm");
    kelvane::CdromCompatStatusText(12);
    kelvane::PrintSettings settings;
    kelvane::PrintPageLineText(settings, "01 Jan 2024 10:00", 3);
    kelvane::ValidateNumberField("x", "Tempo", 1, 500);
    kelvane::ValidateNumberField("x", "My Rank", 0, -1);
    kelvane::ValidateTimeSignatureField("x", "Time Signature");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Setup setup;
    if (std::FILE* file = std::fopen((setup.folder + "ZOL_fz.lan").c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    if (kelvane::Lang().SetLanguage("fz") == 0) {
        FormatInnerTexts();
        FormatStatusLines();
        FormatDialogTexts();
    }
    kelvane::Lang().SetLanguage("eng");
    return 0;
}
