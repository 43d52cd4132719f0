#include "list/ZOLFilterInput.h"

#include <limits>

namespace kelvane {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t hit = text.find(from); hit != std::string::npos;
         hit = text.find(from, start)) {
        result.append(text, start, hit - start);
        result.append(to);
        start = hit + from.size();
    }
    result.append(text, start, std::string::npos);
    text.swap(result);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int TwoDigits(std::string_view text, std::size_t at) {
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

}  // namespace

std::string PrepareFilterInput(std::string_view input, bool splitOperators) {
    std::size_t first = 0;
    std::size_t end = input.size();
    while (first < end && IsBlank(input[first])) {
        ++first;
    }
    while (end > first && IsBlank(input[end - 1])) {
        --end;
    }
    std::string text;
    text.reserve((end - first) * 2);
    for (std::size_t i = first; i < end; ++i) {
        const char c = input[i];
        const bool spaced =
            c == '(' || c == ')' || (splitOperators && (c == '<' || c == '>' || c == '='));
        if (c == '\t') {
            text += ' ';
        } else if (spaced) {
            text += ' ';
            text += c;
            text += ' ';
        } else {
            text += c;
        }
    }
    if (splitOperators) {
        ReplaceAll(text, "<  =", "<=");
        ReplaceAll(text, ">  =", ">=");
        ReplaceAll(text, "<  >", "<>");
    }
    return text;
}

bool FilterTokenizer::Next(std::string_view& piece) {
    if (longToken_.empty()) {
        std::size_t start = 0;
        while (start < rest_.size() && IsBlank(rest_[start])) {
            ++start;
        }
        std::size_t stop = start;
        while (stop < rest_.size() && !IsBlank(rest_[stop])) {
            ++stop;
        }
        longToken_ = rest_.substr(start, stop - start);
        rest_.remove_prefix(stop);
        if (longToken_.empty()) {
            return false;
        }
    }
    piece = longToken_.substr(0, kMaxFilterTokenLength);
    longToken_.remove_prefix(piece.size());
    return true;
}

FilterToken ClassifyFilterToken(std::string_view piece, bool withOperators) {
    FilterToken token;
    token.text = piece;
    if (piece.starts_with('(')) {
        token.kind = FilterTokenKind::Open;
    } else if (piece.starts_with(')')) {
        token.kind = FilterTokenKind::Close;
    } else if (piece.starts_with("AND")) {
        token.kind = FilterTokenKind::And;
    } else if (piece.starts_with("OR")) {
        token.kind = FilterTokenKind::Or;
    } else if (piece.starts_with("NOT")) {
        token.kind = FilterTokenKind::Not;
    } else if (withOperators) {
        struct OperatorText {
            std::string_view text;
            CompareKind op;
        };
        static constexpr OperatorText kOperators[] = {
            {">=", CompareKind::GreaterEqual}, {"<=", CompareKind::LessEqual},
            {"<>", CompareKind::NotEqual},     {">", CompareKind::Greater},
            {"<", CompareKind::Less},          {"=", CompareKind::Equal},
        };
        for (const OperatorText& candidate : kOperators) {
            if (piece.starts_with(candidate.text)) {
                token.kind = FilterTokenKind::Operator;
                token.op = candidate.op;
                break;
            }
        }
    }
    return token;
}

bool ParseFilterNumber(std::string_view token, int32_t& value) {
    std::size_t at = 0;
    bool negative = false;
    if (at < token.size() && (token[at] == '+' || token[at] == '-')) {
        negative = token[at] == '-';
        ++at;
    }
    if (at >= token.size() || !IsDigit(token[at])) {
        return false;
    }
    // Accumulate negatively so that the lowest value is reachable, then clamp.
    constexpr int64_t kLowest = std::numeric_limits<int32_t>::min();
    int64_t magnitude = 0;
    for (; at < token.size() && IsDigit(token[at]); ++at) {
        magnitude = magnitude * 10 + (token[at] - '0');
        if (magnitude > -kLowest) {
            magnitude = -kLowest;
        }
    }
    const int64_t signedValue = negative ? -magnitude : magnitude;
    value = signedValue > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                              : static_cast<int32_t>(signedValue);
    return true;
}

bool IsValidFilterDate(std::string_view token) {
    if (token.size() != 10 || token[4] != '-' || token[7] != '-') {
        return false;
    }
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!IsDigit(token[i])) {
            return false;
        }
    }
    const int month = TwoDigits(token, 5);
    const int day = TwoDigits(token, 8);
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

}  // namespace kelvane
