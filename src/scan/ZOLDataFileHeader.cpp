// The data-file reader's field cursor and the handlers of the lines that describe a file:
// version, path, import mode, header and song header.
#include <cstdint>
#include <limits>

#include "records/ZOLFieldCatalogue.h"
#include "records/ZOLRecordText.h"
#include "scan/ZOLDataFileParser.h"
#include "scan/ZOLScanState.h"
#include "support/NUVDbg.h"
#include "support/NUVLang.h"
#include "support/NUVStatus.h"
#include "support/NUVTrace.h"
#include "support/ZOLConfigValues.h"

namespace kelvane {
namespace {

constexpr const char* kEmptyHeaderField =
    "Error reading data file: Empty field in header line not allowed";
constexpr const char* kUnknownHeaderField = "Error reading data file: Unknown field in header line";

void Warn(const char* text) {
    NUV_WARNING("%s", Translate(text).c_str());
}

// Keys that older or other programs wrote for the content id.
bool IsTweakKey(std::string_view key) {
    return EqualsIgnoreCase(key, "TWEAKS") || EqualsIgnoreCase(key, "TWEAK_ID");
}

// The first field of a version, path or mode line; empty (after the warning `missing`) when
// there is none.
std::string_view FirstField(std::string_view rest, const char* missing) {
    DataFieldCursor cursor(rest);
    std::string_view field;
    cursor.Next(field);
    if (field.empty()) {
        Warn(missing);
    }
    return field;
}

// The keys of a header or song header line, each to `addKey`. An empty key goes to
// `emptyKey` (old files end their header with "|"); a key after an empty one is refused.
template <class EmptyKey, class AddKey>
StatusCode ReadHeaderKeys(std::string_view rest, EmptyKey&& emptyKey, AddKey&& addKey) {
    DataFieldCursor cursor(rest);
    std::string_view key;
    bool afterEmpty = false;
    while (cursor.Next(key)) {
        StatusCode result = 0;
        if (key.empty()) {
            afterEmpty = true;
            result = emptyKey();
        } else if (afterEmpty) {
            Warn(kEmptyHeaderField);
            result = status::kHeaderEmptyField;
        } else {
            result = addKey(key);
        }
        if (result != 0) {
            return result;
        }
    }
    return 0;
}

}  // namespace

bool DataFieldCursor::Next(std::string_view& field) {
    if (done_) {
        return false;
    }
    const std::size_t bar = text_.find('|', pos_);
    if (bar == std::string_view::npos) {
        field = text_.substr(pos_);
        pos_ = text_.size();
        done_ = true;
    } else {
        field = text_.substr(pos_, bar - pos_);
        pos_ = bar + 1;
    }
    const std::size_t first = field.find_first_not_of(" \t");
    field = first == std::string_view::npos ? std::string_view() : field.substr(first);
    if (field.size() > kMaxFieldLength) {
        field = field.substr(0, kMaxFieldLength);
    }
    return true;
}

int ParseLeadingNumber(std::string_view text, bool* found) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    constexpr std::int64_t kLimit = static_cast<std::int64_t>(1) << 32;
    std::int64_t magnitude = 0;
    bool digits = false;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        digits = true;
        if (magnitude < kLimit) {
            magnitude = magnitude * 10 + (text[pos] - '0');
        }
    }
    if (found != nullptr) {
        *found = digits;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (value < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

void TraceHandler(const char* literal, std::string_view rest, int lineNumber) {
    if (TraceWanted(trace::kScan)) {
        const std::string text(rest);
        TraceFormat(trace::kScan, true, "%s %s %i", literal, text.c_str(), lineNumber);
    }
}

StatusCode CDataFileParser::ProcessVersionLine(std::string_view rest, int lineNumber) {
    TraceHandler("ProcessPathLine : ", rest, lineNumber);
    const std::string_view field = FirstField(rest, "Missing version in version line");
    if (field.empty()) {
        return status::kMissingVersion;
    }
    bool found = false;
    const int version = ParseLeadingNumber(field, &found);
    if (!found) {
        Warn("Illegal version in version line");
        return status::kIllegalVersion;
    }
    version_ = version;
    return 0;
}

StatusCode CDataFileParser::ProcessPathLine(std::string_view rest, int lineNumber) {
    TraceHandler("ProcessPathLine : ", rest, lineNumber);
    const std::string_view field = FirstField(rest, "Missing path in path line");
    if (field.empty()) {
        return status::kMissingPath;
    }
    pathLine_.assign(field);
    if (holder_ != nullptr) {
        holder_->text = pathLine_;
    }
    return 0;
}

StatusCode CDataFileParser::ProcessImportModeLine(std::string_view rest, int lineNumber) {
    TraceHandler("ProcessImportModeLine : ", rest, lineNumber);
    const std::string_view field = FirstField(rest, "Missing mode nr in mode line");
    if (field.empty()) {
        return status::kMissingModeNumber;
    }
    const int mode = ParseLeadingNumber(field);
    if (mode == 0) {
        Warn("Illegal mode nr in mode line");
        return status::kIllegalModeNumber;
    }
    importMode_ = mode;
    return 0;
}

StatusCode CDataFileParser::ProcessHeaderLine(std::string_view rest, int lineNumber) {
    TraceHandler("ProcessHeaderLine : ", rest, lineNumber);
    styleColumns_.count = 0;
    const int unusedField = FieldIdByKey("UNUSED");
    return ReadHeaderKeys(
        rest,
        [&] {
            // In style mode the "|" at the end of an old header gives one skipped column.
            if (unusedField != kFieldNone && !styleColumns_.Add(unusedField, FT_UNUSED)) {
                Warn("Too much fields in header line.");
                return status::kHeaderTooManyFields;
            }
            return StatusCode{0};
        },
        [&](std::string_view key) { return AddHeaderKey(key); });
}

StatusCode CDataFileParser::AddHeaderKey(std::string_view key) {
    int field = FieldIdByKey(key);
    int type = FT_UNUSED;
    if (field != kFieldNone) {
        type = FieldTypeOf(field);
        if (type == FT_NONE) {
            Warn("Too much fields in header line.");
            return status::kHeaderFieldWithoutType;
        }
    } else if (IsTweakKey(key)) {
        field = kFieldRelatedId;
        type = FieldTypeOf(field);
    } else {
        ScanState().foreignFields = 1;
        if (!EqualsIgnoreCase(key, "ORIG_BRAND") && Config().ignoreUnknownFields != 1) {
            const std::string text(key);
            NUV_WARNING("%s %s", Translate(kUnknownHeaderField).c_str(), text.c_str());
            return status::kHeaderUnknownField;
        }
    }
    if (!styleColumns_.Add(field, type)) {
        Warn("Too much fields in header line.");
        return status::kHeaderTooManyFields;
    }
    return 0;
}

StatusCode CDataFileParser::ProcessSongHeaderLine(std::string_view rest, int lineNumber) {
    TraceHandler("ProcessSongHeaderLine : ", rest, lineNumber);
    songColumns_.count = 0;
    const char* fileIdKey = FieldKey(kFieldFileId);
    return ReadHeaderKeys(
        rest, [] { return StatusCode{0}; },
        [&](std::string_view key) {
            int field = FieldIdByKey(key, CatalogueKind::Song);
            int type = FT_UNUSED;
            if (field != kFieldNone) {
                type = FieldTypeOf(field, CatalogueKind::Song);
            } else if (fileIdKey != nullptr && EqualsIgnoreCase(key, fileIdKey)) {
                // The parent's file id opens every song line; the song does not keep it.
            } else {
                ScanState().foreignFields = 1;
                if (Config().ignoreUnknownFields != 1) {
                    Warn(kUnknownHeaderField);
                    return status::kHeaderUnknownField;
                }
            }
            return songColumns_.Add(field, type) ? StatusCode{0} : status::kHeaderTooManyFields;
        });
}

}  // namespace kelvane
