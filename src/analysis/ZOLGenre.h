// Genre classification from the search tags: the file name and the track names (info text)
// are searched for every tag, highest priority first; the hits make the type and subtype texts
// (in midi mode the song and artist) and the certainty.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/ZOLSearchTags.h"

namespace kelvane {

struct GenreResult {
    std::string typeText;
    std::string subtypeText;
    int certainty = 0;  // lowest priority among the hits, 0 without a hit
};

inline constexpr std::size_t kMaxGenreHits = 64;
// A tag of a higher priority decides alone: the walk ends after its hit.
inline constexpr int kDecisivePriority = 100;

// Classifies with the configured table (SearchTags()).
GenreResult ClassifyGenre(std::string_view fileName, std::string_view infoText);
GenreResult ClassifyGenre(std::string_view fileName, std::string_view infoText,
                          const std::vector<SearchTag>& tags);

// Upper case without blanks and the characters - . _ ^ # % @ ~ ' and the backquote.
std::string NormaliseForGenre(std::string_view text);

}  // namespace kelvane
