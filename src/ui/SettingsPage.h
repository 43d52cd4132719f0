// A page of the settings sheet. Its controls come from a table of rows, one per settings
// value: a path box with its browse button, or a check box. Each control is named after its
// settings key, shows its value when the sheet opens and copies it back on OK; the sheet
// stores them all at once. A new setting of one of these kinds is one row in SettingsRows.cpp.
// Pages with controls of their own (SpecialSettingsPages.h) add them around their rows.
#pragma once

#include <QWidget>
#include <span>
#include <vector>

#include "app/ZOLSettingsValues.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QVBoxLayout;

namespace kelvane {

// The folder chooser opened on the folder in `edit` (Browse of a folder row); the choice
// replaces the text.
void BrowseFolder(QWidget* parent, QLineEdit* edit, const char* title);

enum class SettingControl {
    FolderPath,   // path box and browse button with the folder chooser
    ProgramPath,  // path box and browse button with the program file dialog
    CheckBox,
    FilePath,  // path box and browse button with a file dialog for the row's file filter
    Choice,    // one radio button of a choice: the rows of one key form the choice
};

enum class SettingModes { Both, Style, Midi };  // the run modes that show a row

struct SettingRow {
    const char* key;  // the settings key: the control's object name
    SettingControl control;
    // Path rows: the title and the description of their group. Check boxes: the title of the
    // group they stand in (nullptr: on the page itself; neighbours with one title share the
    // group) and their text.
    const char* title;
    const char* text;
    std::string SettingsValues::*path = nullptr;  // path rows
    int SettingsValues::*flag = nullptr;          // check boxes: 0 or 1
    const char* browseButton = nullptr;           // path rows: the button's text
    const char* browseTitle = nullptr;            // path rows: the title of the chooser
    SettingModes modes = SettingModes::Both;
    int choice = 0;                    // choice rows: the value of `flag` the button stands for
    const char* fileFilter = nullptr;  // file rows: the dialog's filter ("SoundFonts (*.sf2)")
};

class SettingsPage : public QWidget {
    Q_OBJECT

  public:
    // A page of `rows` only (those of the run mode), top-aligned.
    SettingsPage(QWidget* parent, const char* helpPage, std::span<const SettingRow> rows);

    virtual void Load(const SettingsValues& values);
    virtual void Save(SettingsValues& values) const;
    const char* HelpPage() const { return help_; }

  protected:
    // For pages that lay out controls of their own; they add their rows with AddRows.
    SettingsPage(QWidget* parent, const char* helpPage) : QWidget(parent), help_(helpPage) {}
    void AddRows(QVBoxLayout* layout, std::span<const SettingRow> rows);

  private:
    struct Control {
        const SettingRow* row;
        QLineEdit* edit;                // path rows
        QCheckBox* check;               // check boxes
        QRadioButton* radio = nullptr;  // choice rows
    };
    QLineEdit* AddPathGroup(QVBoxLayout* layout, const SettingRow& row);
    QVBoxLayout* GroupLayout(QVBoxLayout* layout, const SettingRow& row);

    const char* help_;
    std::vector<Control> controls_;
    const char* groupTitle_ = nullptr;  // the group box the check and choice rows go into
    QVBoxLayout* group_ = nullptr;
};

}  // namespace kelvane
