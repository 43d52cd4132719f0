// The pages of the settings sheet. Each page shows its part of the settings values and copies
// its controls back on OK; the sheet stores them all at once. Every control that holds a value
// is named after its settings key, so the sheet's values can be found and checked.
#pragma once

#include <QWidget>
#include <string>

#include "app/ZOLSettingsValues.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace kelvane {

class CZOLSettingsPage : public QWidget {
    Q_OBJECT

  public:
    CZOLSettingsPage(QWidget* parent, const char* helpPage) : QWidget(parent), help_(helpPage) {}
    virtual void Load(const SettingsValues& values) = 0;
    virtual void Save(SettingsValues& values) const = 0;
    const char* HelpPage() const { return help_; }

  protected:
    // A group with a title, a description, a path box named `key` and a browse button that
    // opens the folder chooser (`folder`) or the program file dialog titled `browseTitle`.
    QLineEdit* AddPathGroup(QVBoxLayout* layout, const char* title, const char* text,
                            const char* key, const char* browseButton, const char* browseTitle,
                            bool folder);

  private:
    const char* help_;
};

// 1. Folders: default start folder with Incl. Subfolders, trash folder.
class CZOLSettingsPage02 : public CZOLSettingsPage {
    Q_OBJECT
  public:
    explicit CZOLSettingsPage02(QWidget* parent);
    void Load(const SettingsValues& values) override;
    void Save(SettingsValues& values) const override;

  private:
    QLineEdit* start_ = nullptr;
    QCheckBox* subfolders_ = nullptr;
    QLineEdit* trash_ = nullptr;
};

// 2. Players (style: two players; midi: two players and the karaoke player).
class CZOLSettingsPage01 : public CZOLSettingsPage {
    Q_OBJECT
  public:
    explicit CZOLSettingsPage01(QWidget* parent);
    void Load(const SettingsValues& values) override;
    void Save(SettingsValues& values) const override;

  private:
    QLineEdit* player1_ = nullptr;
    QLineEdit* player2_ = nullptr;
    QLineEdit* karaoke_ = nullptr;
};

// 3. Editors (style: two editors and the CASM editor; midi: two editors).
class CZOLSettingsPage03 : public CZOLSettingsPage {
    Q_OBJECT
  public:
    explicit CZOLSettingsPage03(QWidget* parent);
    void Load(const SettingsValues& values) override;
    void Save(SettingsValues& values) const override;

  private:
    QLineEdit* editor1_ = nullptr;
    QLineEdit* editor2_ = nullptr;
    QLineEdit* casm_ = nullptr;
};

// 4. External Tools: the dump program.
class CZOLSettingsPage06 : public CZOLSettingsPage {
    Q_OBJECT
  public:
    explicit CZOLSettingsPage06(QWidget* parent);
    void Load(const SettingsValues& values) override;
    void Save(SettingsValues& values) const override;

  private:
    QLineEdit* dump_ = nullptr;
};

// 5. Function Keys: F2..F4 and F6..F12; F1 and F5 fixed.
class CZOLSettingsPage07 : public CZOLSettingsPage {
    Q_OBJECT
  public:
    explicit CZOLSettingsPage07(QWidget* parent);
    void Load(const SettingsValues& values) override;
    void Save(SettingsValues& values) const override;

  private:
    QComboBox* keys_[kFunctionKeyCount] = {};
    std::array<int, kFunctionKeyCount> loaded_{};
};

// 6. View: font size of the list, sort order, language.
class CZOLSettingsPage08 : public CZOLSettingsPage {
    Q_OBJECT
  public:
    explicit CZOLSettingsPage08(QWidget* parent);
    void Load(const SettingsValues& values) override;
    void Save(SettingsValues& values) const override;
    void SelectLanguage(const std::string& fullName);

  private:
    QComboBox* fontSize_ = nullptr;
    QComboBox* sortOrder_ = nullptr;
    QComboBox* language_ = nullptr;
};

// 7. Miscellaneous: quick-copy rules, file dates, filter colour, Change Language.
class CZOLSettingsPage04 : public CZOLSettingsPage {
    Q_OBJECT
  public:
    explicit CZOLSettingsPage04(QWidget* parent);
    void Load(const SettingsValues& values) override;
    void Save(SettingsValues& values) const override;

  Q_SIGNALS:
    void LanguageChanged();

  private:
    void UpdateCopyToTexts();

    QLineEdit* quickPath_ = nullptr;
    QCheckBox* uppercase_ = nullptr;
    QCheckBox* renameToSty_ = nullptr;
    QCheckBox* autoCorrect_ = nullptr;
    QCheckBox* filterColour_ = nullptr;
};

// 8. Developer page (NUV_SPECIAL_MENU): where the program's files are.
class CZOLSettingsPage99 : public CZOLSettingsPage {
    Q_OBJECT
  public:
    explicit CZOLSettingsPage99(QWidget* parent);
    void Load(const SettingsValues&) override {}
    void Save(SettingsValues&) const override {}
};

}  // namespace kelvane
