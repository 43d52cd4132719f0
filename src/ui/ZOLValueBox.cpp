#include "ui/ZOLValueBox.h"

#include <QAbstractItemView>
#include <algorithm>

#include "ui/NuvQtText.h"

namespace kelvane {
namespace {

constexpr int kDropDownExtra = 22;  // room for the drop-down's scroll bar

}  // namespace

QComboBox* NewValueCombo(QWidget* parent, const std::vector<std::string>& values,
                         const std::string& initial) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(20);
    int widest = 0;
    const QFontMetrics metrics = box->fontMetrics();
    for (const std::string& value : values) {
        const QString text = ToQt(value);
        box->addItem(text, QByteArray::fromStdString(value));
        widest = std::max(widest, metrics.horizontalAdvance(text));
    }
    box->view()->setMinimumWidth(widest + kDropDownExtra);
    box->setCurrentIndex(-1);
    box->setEditText(ToQt(initial));
    return box;
}

std::string ValueComboBytes(const QComboBox& box, const std::string& initial) {
    const QString text = box.currentText();
    if (text == ToQt(initial)) {
        return initial;
    }
    const int index = box.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        return box.itemData(index).toByteArray().toStdString();
    }
    return TextFromQt(text);
}

QLineEdit* NewValueEdit(QWidget* parent, const std::string& initial) {
    return new QLineEdit(ToQt(initial), parent);
}

std::string ValueEditBytes(const QLineEdit& edit, const std::string& initial) {
    return edit.text() == ToQt(initial) ? initial : TextFromQt(edit.text());
}

std::string ValueInputBytes(const QWidget* input, const std::string& initial) {
    if (const auto* box = qobject_cast<const QComboBox*>(input)) {
        return ValueComboBytes(*box, initial);
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(input)) {
        return ValueEditBytes(*edit, initial);
    }
    return {};
}

}  // namespace kelvane
