// A record stand-in for the filter tests: the style name (field 5), the tempo (4), the file
// date (17), the CASM letter (24) and a quick-search text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "list/ZOLFilterCommon.h"

namespace kelvane::test {

inline constexpr int32_t kTempoField = 4;
inline constexpr int32_t kStyleNameField = 5;
inline constexpr int32_t kFileDateField = 17;
inline constexpr int32_t kCasmField = 24;

struct FilterSubjectStub {
    std::string name;
    int32_t tempo = 0;
    std::string date;
    std::string casm;
    std::string quick;

    std::string_view FilterText(int32_t fieldId) const {
        return fieldId == kCasmField ? std::string_view(casm) : std::string_view(name);
    }
    int32_t FilterNumber(int32_t) const { return tempo; }
    std::string_view FilterDateText(int32_t) const { return date; }
    std::string_view QuickSearchText() const { return quick; }
};

// One filter on one field, for tests that look at a single input.
struct SingleFieldFilter {
    CZOLFilterCommon filter;
    StatusCode status = 0;

    SingleFieldFilter(int32_t fieldId, FilterFieldType type, std::string_view input,
                      std::string_view name) {
        status = filter.AddFieldFilter(fieldId, type, input, name);
    }
    bool PassesName(std::string_view styleName) const {
        return filter.Passes(FilterSubjectStub{std::string(styleName)}) == 0;
    }
    bool PassesTempo(int32_t tempo) const {
        return filter.Passes(FilterSubjectStub{"", tempo}) == 0;
    }
    bool PassesDate(std::string_view date) const {
        return filter.Passes(FilterSubjectStub{"", 0, std::string(date)}) == 0;
    }
};

inline SingleFieldFilter NameFilter(std::string_view input) {
    return SingleFieldFilter(kStyleNameField, FT_SHARED_TEXT, input, "Style Name");
}
inline SingleFieldFilter TempoFilter(std::string_view input) {
    return SingleFieldFilter(kTempoField, FT_NUMBER, input, "Tempo");
}
inline SingleFieldFilter DateFilter(std::string_view input) {
    return SingleFieldFilter(kFileDateField, FT_DATE, input, "Filedate");
}

}  // namespace kelvane::test
