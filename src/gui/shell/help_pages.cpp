// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/shell/help_pages.h"

#include <QKeyEvent>
#include <QWidget>
#include <filesystem>

#include "base/app_paths.h"
#include "gui/shell/desktop_open.h"
#include "gui/shell/desktop_port.h"
#include "gui/shell/local_url.h"

namespace tw::gui {

std::string_view helpPageOf(const QWidget* window, WindowHelpPages pages) {
    for (const QWidget* w = window; w; w = w->parentWidget())
        for (const WindowHelpPage& entry : pages)
            if (w->metaObject()->inherits(entry.window))
                return entry.page;
    return help::kIntroduction;
}

QUrl helpPageUrl(std::string_view page) {
    for (const std::filesystem::path& folder : base::dataFolders()) {
        const std::filesystem::path path = folder / "help" / page;
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error))
            return localUrl(path.string());
    }
    return localUrl((base::appPaths().installDataFolder / "help" / page).string());
}

void openHelpPage(DesktopPort& port, base::UserPort& user, std::string_view page) {
    openOnDesktop(port, user, helpPageUrl(page));
}

HelpKey::HelpKey(DesktopPort& port, base::UserPort& user, WindowHelpPages pages, QObject* parent)
    : QObject(parent), port_(port), user_(user), pages_(pages) {}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    openHelpPage(port_, user_, helpPageOf(static_cast<QWidget*>(watched)->window(), pages_));
    return true;
}

}  // namespace tw::gui
