// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "gui/shell/desktop_port.h"

namespace tw::gui {

// The DesktopPort of the running program: Qt's desktop services, the freedesktop.org tools
// (xdg-open through Qt, xdg-mime for default applications) and the session bus.
//
// Holds nothing; D-Bus replies are waited for by watchers that delete themselves.
class QtDesktopPort : public DesktopPort {
public:
    [[nodiscard]] bool openUrl(const QUrl& url) override;
    QString defaultApplicationEntry(const QString& file) override;
    [[nodiscard]] bool startProgram(const QString& program, const QStringList& arguments) override;
    void callFileManager(const QString& method, const QStringList& uris,
                         std::function<void(bool taken)> done) override;
    bool systemTrayAvailable() override;
};

}  // namespace tw::gui
