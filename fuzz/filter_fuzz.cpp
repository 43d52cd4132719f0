// Fuzzes the filter language: the first byte picks the field kind (text, number, date, quick
// search), the rest is the typed input. Beyond "no crash": every packet must be back in the
// pool after a reset, the pool must stay within its limit, and an input that parses must give
// the opposite verdict for every subject once wrapped as "NOT ( input )".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "list/ZOLFilterCommon.h"
#include "support/NUVDbg.h"

namespace {

using namespace kelvane;

// Syntax errors are warning boxes; nothing here may end the process.
class QuietSink final : public IMessageSink {
  public:
    void ShowBox(Severity, const std::string&) override {}
    void ConsoleText(const std::string&) override {}
    void ExitProgram(int) override {}
};

struct Subject {
    std::string_view text;
    int32_t number;
    std::string_view date;

    std::string_view FilterText(int32_t) const { return text; }
    int32_t FilterNumber(int32_t) const { return number; }
    std::string_view FilterDateText(int32_t) const { return date; }
    std::string_view QuickSearchText() const { return text; }
};

constexpr Subject kSubjects[] = {
    {"Bossa Nova 8Beat", 120, "2003-05-30 10:00"},
    {"", 0, ""},
    {"ORGAN (rock) <pop>=*", -2147483647 - 1, "1999-12-31 23:59"},
    {"\xC4\xE4 samba", 2147483647, "2003-5-30"},
};

struct FieldChoice {
    int32_t fieldId;
    FilterFieldType type;
};

constexpr FieldChoice kFields[] = {
    {5, FT_SHARED_TEXT}, {4, FT_NUMBER},     {17, FT_DATE}, {kQuickSearchFieldId, FT_OWN_TEXT},
    {24, FT_LETTER},     {8, FT_STYLE_LINK},
};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Long-lived like the dialogs' filters, so that recycling across inputs is exercised.
CZOLFilterCommon& Plain() {
    static CZOLFilterCommon filter;
    return filter;
}
CZOLFilterCommon& Wrapped() {
    static CZOLFilterCommon filter;
    return filter;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QuietSink sink;
    SetMessageSink(&sink);
    if (size == 0) {
        return 0;
    }
    const FieldChoice field = kFields[data[0] % (sizeof kFields / sizeof kFields[0])];
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);

    CZOLFilterCommon& plain = Plain();
    CZOLFilterCommon& wrapped = Wrapped();
    plain.Reset();
    wrapped.Reset();
    Check(plain.Pool().FreeCount() == plain.Pool().Allocated());
    Check(wrapped.Pool().FreeCount() == wrapped.Pool().Allocated());

    const StatusCode status = plain.AddFieldFilter(field.fieldId, field.type, input, "Fuzz");
    Check(status == 0 || status == status::kFilterSyntaxError ||
          status == status::kFilterIllegalNumber || status == status::kFilterIllegalDate);
    Check(plain.Pool().Allocated() <= ConditionPacketPool::kMaxPackets);
    int verdicts[sizeof kSubjects / sizeof kSubjects[0]];
    for (std::size_t i = 0; i < sizeof kSubjects / sizeof kSubjects[0]; ++i) {
        verdicts[i] = plain.Passes(kSubjects[i]);
    }
    const std::size_t inUse = plain.Pool().Allocated() - plain.Pool().FreeCount();
    if (status != 0 || plain.EntryCount() == 0 || inUse >= ConditionPacketPool::kMaxPackets) {
        return 0;
    }
    const StatusCode wrappedStatus =
        wrapped.AddFieldFilter(field.fieldId, field.type, "NOT (" + input + ")", "Fuzz");
    Check(wrappedStatus == 0);
    for (std::size_t i = 0; i < sizeof kSubjects / sizeof kSubjects[0]; ++i) {
        Check((verdicts[i] == 0) != (wrapped.Passes(kSubjects[i]) == 0));
    }
    return 0;
}
