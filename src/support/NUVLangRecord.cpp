#include "support/NUVLangRecord.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <unordered_set>

#include "support/NUVLang.h"

namespace kelvane {
namespace {

struct Recorder {
    // Read without the lock, so that Translate costs nothing extra while nobody records.
    std::atomic<bool> off{false};
    std::mutex lock;
    bool configured = false;  // false until the environment or RecordTranslationsTo decided
    std::string path;         // empty: not recording
    std::unordered_set<std::string> seen;
};

Recorder& TheRecorder() {
    static Recorder recorder;
    return recorder;
}

// Starts recording into `path`, keeping the texts a previous run listed there already.
void OpenLocked(Recorder& recorder, const std::string& path) {
    recorder.configured = true;
    recorder.path = path;
    recorder.seen.clear();
    recorder.off.store(path.empty());
    if (path.empty()) {
        return;
    }
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        recorder.seen.insert(line);
    }
}

}  // namespace

std::string EscapeLanguageText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

std::string UnescapeLanguageText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == 't' || next == 'n' || next == '\\') {
                out.push_back(next == 't' ? '\t' : next == 'n' ? '\n' : '\\');
                ++i;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

void RecordTranslationsTo(const std::string& path) {
    Recorder& recorder = TheRecorder();
    std::lock_guard<std::mutex> guard(recorder.lock);
    OpenLocked(recorder, path);
}

void RecordShownText(const std::string& text) {
    Recorder& recorder = TheRecorder();
    if (recorder.off.load(std::memory_order_relaxed)) {
        return;
    }
    std::lock_guard<std::mutex> guard(recorder.lock);
    if (!recorder.configured) {
        const char* env = std::getenv("KELVANE_RECORD_TRANSLATIONS");
        OpenLocked(recorder, env != nullptr ? env : "");
    }
    if (recorder.path.empty() || text.empty()) {
        return;
    }
    std::string line = EscapeLanguageText(text);
    if (!recorder.seen.insert(line).second) {
        return;
    }
    if (std::FILE* file = std::fopen(recorder.path.c_str(), "ab")) {
        line.push_back('\n');
        std::fwrite(line.data(), 1, line.size(), file);
        std::fclose(file);
    }
}

}  // namespace kelvane
