// "Add Song from Filename": the artist and song title a style's file name suggests, as in
// "Smith-My Song@Fast Mix.sty" -> Smith / My Song.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvane {

struct SongNameParts {
    // Empty optionals leave the dialog's field as it was.
    std::optional<std::string> artist;
    std::optional<std::string> title;
};

// The name without its extension (cut at the last "."); the artist is the part before the
// first "-", the title the rest up to its first "@"; both trimmed.
SongNameParts SongFromFileName(std::string_view fileName);

}  // namespace kelvane
