// Texts between the program (bytes) and the widgets (QString). Program texts are decoded for
// display only (UTF-8 when valid, else Windows-1252); paths go through the file-name codec so
// that they name the same file again.
#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QMetaObject>
#include <QString>
#include <QThread>
#include <string>
#include <string_view>

#include "support/NUVLang.h"
#include "support/ZOLDisplayText.h"

namespace kelvane {

inline QString ToQt(const std::string& bytes) {
    return QString::fromStdString(DisplayTextUtf8(bytes));
}

// The same for texts drawn many times (list cells): no temporary byte string, and plain ASCII,
// the usual case, is copied straight in.
inline QString ToQtView(std::string_view bytes) {
    const auto size = static_cast<qsizetype>(bytes.size());
    bool ascii = true;
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        return QString::fromLatin1(bytes.data(), size);
    }
    if (IsValidUtf8(bytes)) {
        return QString::fromUtf8(bytes.data(), size);
    }
    QString text;
    text.reserve(size);
    for (const char c : bytes) {
        text.append(QChar(static_cast<char16_t>(Cp1252ToCodePoint(static_cast<unsigned char>(c)))));
    }
    return text;
}

// The translated text of an English key or tagged text.
inline QString Tr(const std::string& key) {
    return ToQt(Translate(key));
}

inline QString PathToQt(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

inline std::string PathFromQt(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

inline std::string TextFromQt(const QString& text) {
    return text.toStdString();
}

// Runs `function` on the user-interface thread and waits for it: directly when called there,
// else through a blocking queued call (the worker thread's boxes and status texts).
template <typename Function>
void RunOnUiThread(Function&& function) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread()) {
        function();
        return;
    }
    QMetaObject::invokeMethod(
        app, [&function] { function(); }, Qt::BlockingQueuedConnection);
}

}  // namespace kelvane
