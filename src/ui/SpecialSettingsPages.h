// The settings pages with controls of their own beside their table rows: the function keys,
// the view (font size, sort order, language), the miscellaneous settings (the quick-copy rules,
// whose texts follow the path typed, and Change Language) and the developer page.
#pragma once

#include <array>
#include <string>

#include "ui/SettingsPage.h"

class QCheckBox;
class QSpinBox;
class QComboBox;
class QLineEdit;

namespace kelvane {

// F2..F4 and F6..F12; F1 and F5 fixed.
class FunctionKeysPage final : public SettingsPage {
    Q_OBJECT
  public:
    explicit FunctionKeysPage(QWidget* parent);
    void Load(const SettingsValues& values) override;
    void Save(SettingsValues& values) const override;

  private:
    QComboBox* keys_[kFunctionKeyCount] = {};
    std::array<int, kFunctionKeyCount> loaded_{};
};

// Font size of the list, sort order, language.
class ViewPage final : public SettingsPage {
    Q_OBJECT
  public:
    explicit ViewPage(QWidget* parent);
    void Load(const SettingsValues& values) override;
    void Save(SettingsValues& values) const override;
    void SelectLanguage(const std::string& fullName);

  private:
    QComboBox* fontSize_ = nullptr;
    QComboBox* sortOrder_ = nullptr;
    QComboBox* language_ = nullptr;
};

// Quick-copy rules, then the rows of MiscellaneousRows(), then Change Language (style mode).
class MiscellaneousPage final : public SettingsPage {
    Q_OBJECT
  public:
    explicit MiscellaneousPage(QWidget* parent);
    void Load(const SettingsValues& values) override;
    void Save(SettingsValues& values) const override;

  Q_SIGNALS:
    void LanguageChanged();

  private:
    void UpdateCopyToTexts();

    QLineEdit* quickPath_ = nullptr;
    QCheckBox* uppercase_ = nullptr;
    QCheckBox* renameToSty_ = nullptr;
    QSpinBox* scanWorkers_ = nullptr;
};

// NUV_SPECIAL_MENU only: where the program's files are.
class DeveloperPage final : public SettingsPage {
    Q_OBJECT
  public:
    explicit DeveloperPage(QWidget* parent);
};

}  // namespace kelvane
