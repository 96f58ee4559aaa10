// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/qt/qsettings_store.h"

#include <QByteArray>
#include <QVariant>

#include "base/ascii.h"

namespace tw::base {

namespace {

constexpr const char* kOrganisation = "Tunewright";
constexpr const char* kApplication = "Tunewright";

// One name (a section level or a value name) as stored: lower case, with the characters that
// QSettings gives a meaning percent-encoded.
QString storedName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (char c : name) {
        switch (c) {
            case '%':
                out += "%25";
                break;
            case '/':
                out += "%2f";
                break;
            case '\\':
                out += "%5c";
                break;
            default:
                out += asciiLower(c);
        }
    }
    return QString::fromStdString(out);
}

QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

QSettingsStore::QSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QString::fromLatin1(kOrganisation),
                                            QString::fromLatin1(kApplication))) {}

QSettingsStore::QSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

QSettingsStore::~QSettingsStore() = default;

QString QSettingsStore::groupOf(std::string_view section) {
    QString group;
    while (!section.empty()) {
        std::size_t cut = section.find('\\');
        std::string_view level = section.substr(0, cut);
        section.remove_prefix(cut == std::string_view::npos ? section.size() : cut + 1);
        if (level.empty())
            continue;
        if (!group.isEmpty())
            group += QLatin1Char('/');
        group += storedName(level);
    }
    return group;
}

QString QSettingsStore::keyOf(std::string_view section, std::string_view name) {
    QString group = groupOf(section);
    return group.isEmpty() ? storedName(name) : group + QLatin1Char('/') + storedName(name);
}

std::int32_t QSettingsStore::getInt(std::string_view section, std::string_view name,
                                    std::int32_t fallback) const {
    QVariant v = settings_->value(keyOf(section, name));
    if (v.typeId() == QMetaType::Int)
        return v.toInt();
    if (v.typeId() != QMetaType::QString)
        return fallback;
    bool ok = false;
    int value = v.toString().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

std::string QSettingsStore::getString(std::string_view section, std::string_view name,
                                      std::string_view fallback) const {
    QVariant v = settings_->value(keyOf(section, name));
    if (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::Int)
        return v.toString().toStdString();
    return std::string(fallback);
}

std::vector<std::uint8_t> QSettingsStore::getBinary(std::string_view section,
                                                    std::string_view name) const {
    QVariant v = settings_->value(keyOf(section, name));
    if (v.typeId() != QMetaType::QByteArray)
        return {};
    QByteArray bytes = v.toByteArray();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool QSettingsStore::hasValue(std::string_view section, std::string_view name) const {
    return settings_->contains(keyOf(section, name));
}

void QSettingsStore::setInt(std::string_view section, std::string_view name, std::int32_t value) {
    settings_->setValue(keyOf(section, name), value);
}

void QSettingsStore::setString(std::string_view section, std::string_view name,
                               std::string_view value) {
    settings_->setValue(keyOf(section, name), toQString(value));
}

void QSettingsStore::setBinary(std::string_view section, std::string_view name,
                               const std::vector<std::uint8_t>& value) {
    QByteArray bytes(reinterpret_cast<const char*>(value.data()),
                     static_cast<qsizetype>(value.size()));
    settings_->setValue(keyOf(section, name), bytes);
}

void QSettingsStore::removeSection(std::string_view section) {
    QString group = groupOf(section);
    if (!group.isEmpty()) {
        settings_->remove(group);
        return;
    }
    // The root section: its own values go, the other sections stay (QSettings would take
    // everything for an empty key).
    for (const QString& key : settings_->childKeys())
        settings_->remove(key);
}

bool QSettingsStore::sync() {
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

QString QSettingsStore::location() const {
    return settings_->fileName();
}

}  // namespace tw::base
