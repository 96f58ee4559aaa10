// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "base/settings_store.h"

namespace tw::base {

// The per-user settings of the applications, kept by QSettings: under organisation and
// application "Tunewright" (an INI file in the user's config folder on Linux, the registry
// on Windows), or in a given INI file.
//
// Names compare without regard to case although QSettings' INI files do not: every section
// and value name is stored in ASCII lower case, so "Templates\PL" and "templates\pl" are one
// section. "\" in a section name makes sub-sections (QSettings groups); "/", "\" and "%"
// inside a single name are percent-encoded so that they cannot change the tree. The empty
// section is the root of the store.
//
// An INI file keeps no types: a number stored as text reads back as that number and the
// other way round; values that do not parse as the type asked for (hand edits, junk) read
// as the caller's default. Byte arrays are stored as QSettings byte arrays.
//
// Owns its QSettings. Writes reach the file when the store is destroyed or sync() is called.
// Used from one thread at a time.
class QSettingsStore : public SettingsStore {
public:
    // The applications' store.
    QSettingsStore();
    // A store in the INI file at `iniPath` (tests, portable setups).
    explicit QSettingsStore(const QString& iniPath);
    ~QSettingsStore() override;

    std::int32_t getInt(std::string_view section, std::string_view name,
                        std::int32_t fallback) const override;
    std::string getString(std::string_view section, std::string_view name,
                          std::string_view fallback) const override;
    std::vector<std::uint8_t> getBinary(std::string_view section,
                                        std::string_view name) const override;
    bool hasValue(std::string_view section, std::string_view name) const override;

    void setInt(std::string_view section, std::string_view name, std::int32_t value) override;
    void setString(std::string_view section, std::string_view name,
                   std::string_view value) override;
    void setBinary(std::string_view section, std::string_view name,
                   const std::vector<std::uint8_t>& value) override;
    void removeSection(std::string_view section) override;

    // Writes pending changes; false when the file cannot be written.
    [[nodiscard]] bool sync();

    // Where the settings live (a file path, or a registry path on Windows).
    QString location() const;

private:
    static QString groupOf(std::string_view section);
    static QString keyOf(std::string_view section, std::string_view name);

    std::unique_ptr<QSettings> settings_;
};

}  // namespace tw::base
