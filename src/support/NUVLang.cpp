// Placeholder until the language files are read: English only, tags resolve to their default.
#include "support/NUVLang.h"

namespace kelvane {

std::string Translate(const std::string& text) {
    if (!text.empty() && text[0] == '@') {
        auto end = text.find('@', 1);
        if (end != std::string::npos) {
            return text.substr(end + 1);
        }
    }
    return text;
}

std::string ReverseTranslate(const std::string& text) {
    return text;
}

}  // namespace kelvane
