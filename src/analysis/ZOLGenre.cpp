#include "analysis/ZOLGenre.h"

#include <algorithm>

#include "support/NUVConfig.h"

namespace kelvane {
namespace {

struct Hit {
    std::size_t position;
    std::string_view typeKey;
    std::string_view subtypeKey;
    std::string_view typeText;
    std::string_view subtypeText;
    int priority;
};

bool IsIgnored(char c) {
    switch (c) {
        case ' ':
        case '\t':
        case '-':
        case '.':
        case '_':
        case '^':
        case '#':
        case '%':
        case '@':
        case '~':
        case '\'':
        case '`':
            return true;
        default:
            return false;
    }
}

std::string_view WithoutExtension(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
}

// The "_"-separated alternatives of a text; an empty text gives one empty alternative.
std::vector<std::string_view> Alternatives(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('_', start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::string_view At(const std::vector<std::string_view>& parts, std::size_t i) {
    return i < parts.size() ? parts[i] : std::string_view();
}

bool IsDuplicate(const Hit& hit, const std::vector<Hit>& hits) {
    return std::any_of(hits.begin(), hits.end(), [&hit](const Hit& earlier) {
        return (!hit.typeKey.empty() && EqualsIgnoreCase(hit.typeKey, earlier.typeKey)) ||
               (!hit.subtypeKey.empty() && EqualsIgnoreCase(hit.subtypeKey, earlier.subtypeKey));
    });
}

// Adds the tag's alternatives taken in parallel, up to and including the first one whose type
// key is empty, refusing those that repeat a type or subtype already found.
void RecordHit(const SearchTag& tag, std::size_t position, std::vector<Hit>& hits) {
    const auto typeKeys = Alternatives(tag.typeKey);
    const auto subtypeKeys = Alternatives(tag.subtypeKey);
    const auto typeTexts = Alternatives(tag.typeText);
    const auto subtypeTexts = Alternatives(tag.subtypeText);
    for (std::size_t i = 0; i < typeKeys.size() && hits.size() < kMaxGenreHits; ++i) {
        const Hit hit{position,         typeKeys[i],         At(subtypeKeys, i),
                      At(typeTexts, i), At(subtypeTexts, i), tag.priority};
        if (!IsDuplicate(hit, hits)) {
            hits.push_back(hit);
        }
        if (typeKeys[i].empty()) {
            break;
        }
    }
}

void AppendWord(std::string& text, std::string_view word) {
    if (word.empty()) {
        return;
    }
    if (!text.empty()) {
        text.push_back(' ');
    }
    text.append(word);
}

GenreResult Combine(std::vector<Hit>& hits) {
    GenreResult result;
    std::stable_sort(hits.begin(), hits.end(),
                     [](const Hit& a, const Hit& b) { return a.position < b.position; });
    for (const Hit& hit : hits) {
        AppendWord(result.typeText, hit.typeText);
        AppendWord(result.subtypeText, hit.subtypeText);
        result.certainty =
            result.certainty == 0 ? hit.priority : std::min(result.certainty, hit.priority);
    }
    return result;
}

// Looks for the tag in `text`; a hit is recorded and that occurrence removed.
bool FindAndRemove(const SearchTag& tag, std::string& text, std::vector<Hit>& hits) {
    const std::size_t at = text.find(tag.tag);
    if (tag.tag.empty() || at == std::string::npos) {
        return false;
    }
    RecordHit(tag, at, hits);
    text.erase(at, tag.tag.size());
    return true;
}

}  // namespace

std::string NormaliseForGenre(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (!IsIgnored(c)) {
            out.push_back(c);
        }
    }
    return UpperCased(out);
}

GenreResult ClassifyGenre(std::string_view fileName, std::string_view infoText,
                          const std::vector<SearchTag>& tags) {
    std::string info = NormaliseForGenre(infoText);
    std::string name = NormaliseForGenre(WithoutExtension(fileName));
    std::vector<Hit> hits;
    for (const SearchTag& tag : tags) {
        for (std::string* text : {&info, &name}) {
            if (FindAndRemove(tag, *text, hits) && tag.priority > kDecisivePriority) {
                return Combine(hits);
            }
        }
    }
    return Combine(hits);
}

GenreResult ClassifyGenre(std::string_view fileName, std::string_view infoText) {
    return ClassifyGenre(fileName, infoText, SearchTags());
}

}  // namespace kelvane
