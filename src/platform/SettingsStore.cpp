#include "platform/SettingsStore.h"

#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdlib>

namespace kelvane {
namespace {

// QSettings keeps keys outside any group in the [General] section of the file, so the section
// of that name maps to plain keys; every other section is a group.
QString KeyOf(const std::string& section, const std::string& key) {
    if (section == "General") {
        return QString::fromStdString(key);
    }
    return QString::fromStdString(section + "/" + key);
}

// Texts are bytes: UTF-8 texts are stored readable, anything else as a byte array so that no
// byte is lost.
QVariant ToVariant(const std::string& value) {
    const QByteArray bytes(value.data(), static_cast<qsizetype>(value.size()));
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() == bytes) {
        return text;
    }
    return bytes;
}

std::string FromVariant(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray) {
        return value.toByteArray().toStdString();
    }
    if (value.typeId() == QMetaType::QStringList) {
        // A hand-written value holding commas is read back as a list.
        return value.toStringList().join(QStringLiteral(", ")).toUtf8().toStdString();
    }
    return value.toString().toUtf8().toStdString();
}

std::unique_ptr<QSettings> OpenSettings(const std::string& company) {
    if (const char* file = std::getenv("KELVANE_SETTINGS"); file != nullptr && *file != '\0') {
        return std::make_unique<QSettings>(QString::fromLocal8Bit(file), QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QString::fromStdString(company),
                                       QString::fromLatin1(settings::kApplication));
}

}  // namespace

NuvSettingsStore::NuvSettingsStore() = default;
NuvSettingsStore::~NuvSettingsStore() = default;

NuvSettingsStore& SettingsStore() {
    static NuvSettingsStore store;
    return store;
}

std::string SettingsFileOf(const std::string& company) {
    QSettings probe(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(company),
                    QString::fromLatin1(settings::kApplication));
    return probe.fileName().toStdString();
}

std::string ChooseSettingsCompany() {
    const bool wizard =
        QFileInfo::exists(QString::fromStdString(SettingsFileOf(settings::kWizardCompany)));
    const bool own = QFileInfo::exists(QString::fromStdString(SettingsFileOf(settings::kCompany)));
    return wizard && !own ? settings::kWizardCompany : settings::kCompany;
}

void NuvSettingsStore::Open(const std::string& company) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    company_ = company;
    settings_ = OpenSettings(company_);
    failed_ = false;
}

QSettings& NuvSettingsStore::Settings() const {
    if (!settings_) {
        settings_ = OpenSettings(company_);
    }
    return *settings_;
}

std::string NuvSettingsStore::FileName() const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return Settings().fileName().toStdString();
}

std::string NuvSettingsStore::ReadText(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    const QVariant value = Settings().value(KeyOf(section, key));
    return value.isValid() ? FromVariant(value) : defaultValue;
}

int NuvSettingsStore::ReadInt(const std::string& section, const std::string& key,
                              int defaultValue) const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    const QVariant value = Settings().value(KeyOf(section, key));
    if (!value.isValid()) {
        return defaultValue;
    }
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

bool NuvSettingsStore::Contains(const std::string& section, const std::string& key) const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return Settings().contains(KeyOf(section, key));
}

int NuvSettingsStore::Status() const {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    switch (Settings().status()) {
        case QSettings::NoError:
            return 0;
        case QSettings::FormatError:
            return settings::kFormatError;
        case QSettings::AccessError:
            break;
    }
    return settings::kAccessError;
}

QSettings& NuvSettingsStore::SettingsForWrite() {
    if (failed_) {
        settings_ = OpenSettings(company_);
        failed_ = false;
    }
    return Settings();
}

int NuvSettingsStore::SyncLocked() {
    QSettings& store = Settings();
    store.sync();
    const QSettings::Status result = store.status();
    if (result == QSettings::NoError) {
        return 0;
    }
    // QSettings keeps its first error for good, so the next write starts with a fresh object.
    // The unsaved values stay pending in Qt's shared cache and go out with the next good sync.
    failed_ = true;
    return result == QSettings::FormatError ? settings::kFormatError : settings::kAccessError;
}

int NuvSettingsStore::WriteText(const std::string& section, const std::string& key,
                                const std::string& value) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    SettingsForWrite().setValue(KeyOf(section, key), ToVariant(value));
    return SyncLocked();
}

int NuvSettingsStore::WriteInt(const std::string& section, const std::string& key, int value) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    SettingsForWrite().setValue(KeyOf(section, key), value);
    return SyncLocked();
}

int NuvSettingsStore::Remove(const std::string& section, const std::string& key) {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    SettingsForWrite().remove(KeyOf(section, key));
    return SyncLocked();
}

}  // namespace kelvane
