// The sort sequence: the one program-wide text comparison used by every sorted column.
// "Default" folds A..Z to a..z and otherwise compares unsigned bytes; "Modern", "Classic" and
// "Windows" compare byte weights from keyboard-like 256-entry tables. The comparison is chosen
// once when the sequence changes, so a sort over many rows pays one indirect call per compare
// and nothing else (no allocation, no per-call selection).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kelvane {

// <0 when a sorts before b, 0 when they are equal in the sequence, >0 otherwise.
using TextCompareFn = int (*)(std::string_view a, std::string_view b);

enum class SortSequence : int32_t { Default, Modern, Classic, Windows };

// Selects the sequence by name ("Default", "Modern", "Classic", "Windows", any letter case);
// any other name selects "Default". Returns the sequence now in force.
SortSequence SelectSortSequence(std::string_view name);

// The sequence in force and its display name.
SortSequence CurrentSortSequence();
const char* SortSequenceName(SortSequence sequence);

// The comparison of the sequence in force; fetch it once before a sort and call it directly.
TextCompareFn TextComparison();

// Compares with the sequence in force.
inline int CompareText(std::string_view a, std::string_view b) {
    return TextComparison()(a, b);
}

// The comparison of a given sequence, independent of the one in force.
TextCompareFn TextComparisonOf(SortSequence sequence);

// The weight a sequence gives a byte ("Default": the byte with A..Z folded to a..z).
unsigned char SortWeight(SortSequence sequence, unsigned char byte);

// The weights of all 256 bytes in a sequence. Two texts compare as their weight strings do,
// byte by byte and the shorter first when one is the beginning of the other.
using SortWeightTable = std::array<unsigned char, 256>;
const SortWeightTable& SortWeightsOf(SortSequence sequence);

}  // namespace kelvane
