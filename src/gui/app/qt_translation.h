// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <memory>
#include <optional>

class QTranslator;

namespace tw::gui {

// Qt's own texts (the buttons of questions, file dialogs, the context menus of text fields)
// in the interface language, from the Qt translations installed on the system.

// The locale of the active language file: the value "locale" of its section "Description"
// ("de", "pt_BR"), else its name when that names a language in itself or in English
// ("Deutsch", "German", "de"). nullopt for the built-in English texts and for a language
// that neither tells.
std::optional<QLocale> interfaceLocale();

// The locale a language file's name stands for, as interfaceLocale() reads a name.
std::optional<QLocale> localeOfLanguageName(const QString& name);

// Installs Qt's translation for the locale into the running application and returns it
// (the caller keeps it for as long as the texts are shown); null when Qt has none for it.
std::unique_ptr<QTranslator> installQtTranslation(const QLocale& locale);

}  // namespace tw::gui
