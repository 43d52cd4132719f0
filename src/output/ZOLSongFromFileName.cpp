#include "output/ZOLSongFromFileName.h"

namespace kelvane {
namespace {

std::optional<std::string> Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

}  // namespace

SongNameParts SongFromFileName(std::string_view fileName) {
    const std::string_view name = fileName.substr(0, fileName.rfind('.'));
    SongNameParts parts;
    std::string_view rest = name;
    if (const size_t dash = name.find('-'); dash != std::string_view::npos) {
        parts.artist = Trimmed(name.substr(0, dash));
        rest = name.substr(dash + 1);
    }
    parts.title = Trimmed(rest.substr(0, rest.find('@')));
    return parts;
}

}  // namespace kelvane
