// The per-user settings store: sections of named text and integer values kept in an INI file
// (QSettings, IniFormat, user scope, organisation "Tessary", application "ZOL", so
// ~/.config/Tessary/ZOL.ini). KELVANE_SETTINGS names another file. Every write is synced at
// once through a temporary file that replaces the old one, and a failure is returned.
// The section "General" is the file's [General] section.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/NonCopyable.h"

class QSettings;

namespace kelvane {

namespace settings {
inline constexpr const char* kCompany = "Tessary";
inline constexpr const char* kWizardCompany = "Local AppWizard-Generated Applications";
inline constexpr const char* kApplication = "ZOL";
// Statuses of a failed write: the file cannot be replaced / its content cannot be parsed.
inline constexpr int kAccessError = -207;
inline constexpr int kFormatError = -222;
}  // namespace settings

class NuvSettingsStore : NonCopyable {
  public:
    NuvSettingsStore();
    ~NuvSettingsStore();

    // (Re)opens the store of `company`; KELVANE_SETTINGS, when set, names the file instead.
    void Open(const std::string& company);
    const std::string& Company() const { return company_; }
    // The INI file in use.
    std::string FileName() const;

    // A missing value, or an integer value that is not a number, gives the default.
    std::string ReadText(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
    int ReadInt(const std::string& section, const std::string& key, int defaultValue) const;
    bool Contains(const std::string& section, const std::string& key) const;
    // How the file read or wrote last: 0, or kAccessError (e.g. a folder in its place) /
    // kFormatError (bytes that are no INI file), in which case the defaults are in force.
    int Status() const;

    // 0, or kAccessError / kFormatError when the file could not be written.
    int WriteText(const std::string& section, const std::string& key, const std::string& value);
    int WriteInt(const std::string& section, const std::string& key, int value);
    int Remove(const std::string& section, const std::string& key);

  private:
    QSettings& Settings() const;  // opens the default company's store on first use
    QSettings& SettingsForWrite();
    int SyncLocked();

    mutable std::recursive_mutex lock_;
    mutable std::unique_ptr<QSettings> settings_;
    std::string company_ = settings::kCompany;
    bool failed_ = false;  // the last sync failed
};

// The one settings store.
NuvSettingsStore& SettingsStore();

// The path of a company's store file (ignores KELVANE_SETTINGS).
std::string SettingsFileOf(const std::string& company);

// "Tessary", except when only the store of "Local AppWizard-Generated Applications" exists.
std::string ChooseSettingsCompany();

}  // namespace kelvane
