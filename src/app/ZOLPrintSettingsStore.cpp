#include "app/ZOLPrintSettingsStore.h"

#include "app/ZOLSettingsValues.h"
#include "platform/SettingsStore.h"
#include "support/NUVTrace.h"

namespace kelvane {
namespace {

// The number values of the section, in the order they are written.
struct NumberValue {
    const char* key;
    int PrintSettings::*value;
};
struct SwitchValue {
    const char* key;
    bool PrintSettings::*value;
};

constexpr NumberValue kNumbers[] = {
    {printkey::kPaperOrientation, &PrintSettings::paperOrientation},
    {printkey::kPageTitleFontSize, &PrintSettings::pageTitleFontSize},
    {printkey::kPageBodyFontSize, &PrintSettings::pageBodyFontSize},
    {printkey::kPrintTopMargin, &PrintSettings::printTopMargin},
    {printkey::kPrintBottomMargin, &PrintSettings::printBottomMargin},
    {printkey::kPrintLeftMargin, &PrintSettings::printLeftMargin},
    {printkey::kPrintRightMargin, &PrintSettings::printRightMargin},
};

constexpr SwitchValue kSwitches[] = {
    {printkey::kPrintHeader, &PrintSettings::printHeader},
    {printkey::kPrintTitle, &PrintSettings::printTitle},
    {printkey::kPrintPageNr, &PrintSettings::printPageNr},
    {printkey::kPrintDate, &PrintSettings::printDate},
    {printkey::kPrintFilterInfo, &PrintSettings::printFilterInfo},
    {printkey::kPrintPath, &PrintSettings::printPath},
};

StatusCode Checked(const char* key, int status) {
    if (status == 0) {
        return status::kOk;
    }
    TraceFormat(trace::kAlways, true, "%s %s %s", "Error - Cannot store setting - ",
                printkey::kSection, key);
    return status::kCannotStoreSetting;
}

}  // namespace

PrintSettings ReadPrintSettings() {
    const NuvSettingsStore& store = SettingsStore();
    PrintSettings settings;
    settings.lastTitle = store.ReadText(printkey::kSection, printkey::kLastTitle, "");
    for (const NumberValue& number : kNumbers) {
        settings.*number.value =
            store.ReadInt(printkey::kSection, number.key, settings.*number.value);
    }
    for (const SwitchValue& on : kSwitches) {
        settings.*on.value = store.ReadInt(printkey::kSection, on.key, settings.*on.value) != 0;
    }
    if (settings.paperOrientation != kPaperLandscape) {
        settings.paperOrientation = kPaperPortrait;
    }
    return settings;
}

StatusCode StorePrintSettings(const PrintSettings& settings) {
    NuvSettingsStore& store = SettingsStore();
    StatusCode result = StoreLastPrintTitle(settings.lastTitle);
    for (const NumberValue& number : kNumbers) {
        const StatusCode written = Checked(
            number.key, store.WriteInt(printkey::kSection, number.key, settings.*number.value));
        result = result != status::kOk ? result : written;
    }
    for (const SwitchValue& on : kSwitches) {
        const StatusCode written =
            Checked(on.key, store.WriteInt(printkey::kSection, on.key, settings.*on.value ? 1 : 0));
        result = result != status::kOk ? result : written;
    }
    return result;
}

StatusCode StoreLastPrintTitle(const std::string& title) {
    return Checked(printkey::kLastTitle,
                   SettingsStore().WriteText(printkey::kSection, printkey::kLastTitle, title));
}

}  // namespace kelvane
