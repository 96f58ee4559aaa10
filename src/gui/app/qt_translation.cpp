// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/app/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "base/language.h"
#include "base/language_file.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace {

// A locale name as "de" or "pt_BR"; QLocale turns anything it cannot read into "C".
std::optional<QLocale> localeOfCode(const QString& code) {
    const QLocale locale(code);
    if (code.isEmpty() || locale.language() == QLocale::C)
        return std::nullopt;
    return locale;
}

}  // namespace

std::optional<QLocale> localeOfLanguageName(const QString& name) {
    if (auto locale = localeOfCode(name))
        return locale;
    for (int value = QLocale::C + 1; value <= QLocale::LastLanguage; ++value) {
        const auto language = static_cast<QLocale::Language>(value);
        const QLocale locale(language);
        if (locale.language() != language)
            continue;  // Qt holds no data for it
        if (name.compare(locale.nativeLanguageName(), Qt::CaseInsensitive) == 0 ||
            name.compare(QLocale::languageToString(language), Qt::CaseInsensitive) == 0)
            return locale;
    }
    return std::nullopt;
}

std::optional<QLocale> interfaceLocale() {
    const std::filesystem::path path = base::LanguagePath();
    if (path.empty())
        return std::nullopt;
    if (const auto file = base::LanguageFile::load(path)) {
        if (const auto code = file->value("Description", "locale"))
            if (auto locale = localeOfCode(qs(*code).trimmed()))
                return locale;
    }
    return localeOfLanguageName(qs(base::LanguageName()));
}

std::unique_ptr<QTranslator> installQtTranslation(const QLocale& locale) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

}  // namespace tw::gui
