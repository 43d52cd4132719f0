#include "platform/FindFile.h"

#include <algorithm>

namespace kelvane {

// The pattern is rewritten as the platform did before matching: "?" becomes a question mark
// that may match nothing at a "." or the end of the name, "*" before "." becomes a star that
// cannot run past the name's last ".", and "." before a wildcard or at the end becomes a dot
// that also matches the end of the name.
CNuvWildcard::CNuvWildcard(std::string_view pattern) {
    bool wild = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (c == '?') {
            items_.push_back({Token::DosQm, c});
            wild = true;
        } else if (c == '*') {
            items_.push_back({next == '.' ? Token::DosStar : Token::Star, c});
            wild = true;
        } else if (c == '.' && (next == '?' || next == '*' || next == '\0')) {
            items_.push_back({Token::DosDot, c});
            wild = true;
        } else {
            items_.push_back({Token::Literal, c});
        }
    }
    if (!wild) {
        kind_ = Kind::Literal;
        text_ = pattern;
        return;
    }
    if (pattern == "*" || pattern == "*.*") {
        kind_ = Kind::Everything;
        return;
    }
    // "*.ext" and "*text" with no other wildcard or dot: a plain test of the name's ending.
    const std::string_view rest = pattern.substr(1);
    const bool restPlain =
        rest.find_first_of("*?") == std::string_view::npos && (rest.empty() || rest.back() != '.');
    if (pattern[0] == '*' && restPlain && !rest.empty()) {
        const auto dots = std::count(rest.begin(), rest.end(), '.');
        if ((items_[0].token == Token::DosStar && dots == 1) ||
            (items_[0].token == Token::Star && dots == 0)) {
            kind_ = Kind::Suffix;
            text_ = rest;
            return;
        }
    }
    kind_ = Kind::General;
}

bool CNuvWildcard::Matches(std::string_view name) const {
    switch (kind_) {
        case Kind::Everything:
            return true;
        case Kind::Literal:
            return name == text_;
        case Kind::Suffix:
            return name.size() >= text_.size() &&
                   name.compare(name.size() - text_.size(), text_.size(), text_) == 0;
        case Kind::General:
            return MatchGeneral(name);
    }
    return false;
}

// Dynamic programming over (pattern item, name position), filled from the end, so patterns
// with many stars cost at most items * name length steps.
bool CNuvWildcard::MatchGeneral(std::string_view name) const {
    const std::size_t items = items_.size();
    const std::size_t length = name.size();
    const std::size_t width = length + 1;
    std::vector<unsigned char> match((items + 1) * width, 0);
    auto at = [&](std::size_t item, std::size_t pos) -> unsigned char& {
        return match[item * width + pos];
    };
    at(items, length) = 1;
    const std::size_t lastDot = name.rfind('.');

    for (std::size_t i = items; i-- > 0;) {
        const Item item = items_[i];
        std::size_t afterQms = i;
        while (afterQms < items && items_[afterQms].token == Token::DosQm) {
            ++afterQms;
        }
        bool anyFromHere = false;  // some position >= pos matches item i + 1 (for "*")
        for (std::size_t pos = width; pos-- > 0;) {
            anyFromHere = anyFromHere || at(i + 1, pos);
            bool ok = false;
            switch (item.token) {
                case Token::Literal:
                    ok = pos < length && name[pos] == item.ch && at(i + 1, pos + 1);
                    break;
                case Token::Star:
                    ok = anyFromHere;
                    break;
                case Token::DosStar: {
                    // May consume up to the name's last dot when one lies ahead, else all.
                    const std::size_t limit =
                        lastDot != std::string_view::npos && lastDot >= pos ? lastDot : length;
                    for (std::size_t end = pos; end <= limit && !ok; ++end) {
                        ok = at(i + 1, end) != 0;
                    }
                    break;
                }
                case Token::DosQm:
                    if (pos == length || name[pos] == '.') {
                        ok = at(afterQms, pos) != 0;
                    } else {
                        ok = at(i + 1, pos + 1) != 0;
                    }
                    break;
                case Token::DosDot:
                    if (pos == length) {
                        ok = at(i + 1, pos) != 0;
                    } else {
                        ok = name[pos] == '.' && at(i + 1, pos + 1);
                    }
                    break;
            }
            at(i, pos) = ok ? 1 : 0;
        }
    }
    return at(0, 0) != 0;
}

}  // namespace kelvane
