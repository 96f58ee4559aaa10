// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>
#include <vector>

#include "gui/freedb/freedb_window_context.h"
#include "gui/freedb/settings_pages.h"

class QTabWidget;

namespace tw::gui {

// "Settings" of the album window: the connection, advanced, retrieving order and album tree
// pages, with "Default" for the page shown (after asking). OK stores every page at once:
// the connection values in the CD-player file and the rest in the settings store.
//
// Owns its pages; borrows the context's store and ports.
class FreeDbSettingsDialog : public QDialog {
    Q_OBJECT
public:
    FreeDbSettingsDialog(const FreeDbWindowContext& context, QWidget* parent = nullptr);

    QTabWidget& pages() const { return *tabs_; }
    // What OK stored (the loaded values before).
    const FreeDbSettingsValues& values() const { return values_; }

    void restoreDefaultsOfCurrentPage();
    void accept() override;

private:
    FreeDbWindowContext context_;
    FreeDbSettingsValues values_;
    QTabWidget* tabs_;
    std::vector<SettingsPage*> pages_;
};

}  // namespace tw::gui
