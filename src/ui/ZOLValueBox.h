// The edit controls of the modify dialogs. A combo box lists the values a field already has
// among the loaded records; its texts are the records' bytes decoded for display, and what the
// user leaves or picks goes back as those bytes, so that an unchanged value stays the same
// bytes whatever code page it was written in.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <string>
#include <vector>

namespace kelvane {

// An editable combo box holding `values` with `initial` as its text; its drop-down is as wide
// as the widest value plus 22 pixels.
QComboBox* NewValueCombo(QWidget* parent, const std::vector<std::string>& values,
                         const std::string& initial);

// The text of the box as bytes: the initial value or a listed value when the text shows one of
// them unchanged, else the typed text (UTF-8).
std::string ValueComboBytes(const QComboBox& box, const std::string& initial);

// A line edit with `initial`; its text as bytes by the same rule.
QLineEdit* NewValueEdit(QWidget* parent, const std::string& initial);
std::string ValueEditBytes(const QLineEdit& edit, const std::string& initial);

// The bytes of an input that is one of the two (empty for any other widget).
std::string ValueInputBytes(const QWidget* input, const std::string& initial);

}  // namespace kelvane
