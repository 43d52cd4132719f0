// The search tags of the analyser configuration file: each names a text that, found in a file
// name or its track names, assigns a genre type and subtype (in midi mode: song and artist).
// Kept sorted by priority, highest first, stable among equal priorities.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "support/NUVStatus.h"

namespace kelvane {

inline constexpr std::size_t kMaxSearchTags = 1000;

struct SearchTag {
    std::string tag;  // upper case
    std::string typeKey;
    std::string typeText;
    std::string subtypeKey;
    std::string subtypeText;
    int priority = 1;
};

// The table, highest priority first.
const std::vector<SearchTag>& SearchTags();
void ClearSearchTags();

// Adds a row: tag and keys upper-cased, an empty subtype takes the type's key and text.
// -13620 when the table holds kMaxSearchTags rows already.
StatusCode AddSearchTag(SearchTag row);

// Reads a SEARCH_TAG value "tag, type, subtype, priority" (fields split at `separator`): the
// tag is required (-13600), the type in style mode (-13601; "@" gives an empty type), a given
// priority must be a non-zero integer (-13602), else `defaultPriority`. A value without any
// field is an incomplete line (-10010).
StatusCode ParseSearchTagLine(std::string_view value, char separator, bool styleMode,
                              int defaultPriority, SearchTag& row);

}  // namespace kelvane
