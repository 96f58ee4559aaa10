// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "freedb/cddb_reply.h"
#include "freedb/freedb_settings.h"
#include "gui/freedb/freedb_window_context.h"

class QLabel;
class QListWidget;

namespace tw::gui {

class JobRunner;

// The list of CDDB servers: asks the server the connection page names for its list of
// servers (on a worker thread, as soon as the window shows), lists them as "01 - site:port
// (protocol) description", and on OK keeps the list in the CD-player file; the server the
// user picked is chosen on the connection page.
//
// Owns its widgets and the job (stopped when the window closes).
class ServerListDialog : public QDialog {
    Q_OBJECT
public:
    ServerListDialog(const FreeDbWindowContext& context, const freedb::FreeDbSettings& connection,
                     QWidget* parent = nullptr);
    ~ServerListDialog() override;

    const std::vector<freedb::ServerRecord>& servers() const { return servers_; }
    // The row the user picked, or -1.
    int chosenIndex() const;

    void accept() override;

private:
    FreeDbWindowContext context_;
    std::vector<freedb::ServerRecord> servers_;
    QListWidget* list_;
    QLabel* status_;
    std::unique_ptr<JobRunner> jobs_;
};

}  // namespace tw::gui
