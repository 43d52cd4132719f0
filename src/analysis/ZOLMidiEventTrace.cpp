#include "analysis/ZOLMidiEventTrace.h"

#include "analysis/ZOLProgramNames.h"
#include "support/NUVFormat.h"

namespace kelvane {

std::string CZOLMidiEventTrace::Text(size_t i) const {
    const Entry& e = entries_.at(i);
    switch (e.kind) {
        case kVoice: {
            char name[12];
            ProgramShortName(e.channel, e.value, name, sizeof name);
            return StrFormat("Voice = %02d (%s)", e.value + 1, name);
        }
        case kBankHigh:
            return StrFormat("Bank select high = %d", e.value);
        case kBankLow:
            return StrFormat("Bank select low = %d", e.value);
        case kReverb:
            return StrFormat("Reverb = %d", e.value);
        case kChorus:
            return StrFormat("Chorus = %d", e.value);
        case kPortamento:
            return StrFormat("Portamento time = %d", e.value);
        default:
            return StrFormat("Volume = %d", e.value);
    }
}

}  // namespace kelvane
