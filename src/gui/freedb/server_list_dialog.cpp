// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/server_list_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "base/user_port.h"
#include "freedb/server_jobs.h"
#include "freedb/settings_io.h"
#include "gui/common/accessible_names.h"
#include "gui/common/dialog_buttons.h"
#include "gui/freedb/job_runner.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

ServerListDialog::ServerListDialog(const FreeDbWindowContext& context,
                                   const freedb::FreeDbSettings& connection, QWidget* parent)
    : QDialog(parent),
      context_(context),
      list_(new QListWidget(this)),
      status_(new QLabel(this)),
      jobs_(std::make_unique<JobRunner>([context](std::string& user, std::string& password) {
          return context.answerProxyPrompt(user, password);
      })) {
    setWindowTitle(text(ids::kServerListCaption));
    list_->setObjectName(QStringLiteral("servers"));
    nameControl(*list_, ids::kServerListCaption);
    status_->setObjectName(QStringLiteral("status"));
    const DialogButtons buttons = addOkCancel(*this);
    QPushButton* ok = buttons.ok;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(status_);
    layout->addWidget(buttons.box);
    ok->setEnabled(false);

    freedb::StoreConfig config = context_.loadConfig();
    config.freedb = connection;
    const freedb::StoreKind kind =
        connection.useHttp() ? freedb::StoreKind::CddbHttp : freedb::StoreKind::CddbTcp;
    JobHandlers handlers;
    handlers.status = [this](const QString& text) { status_->setText(text); };
    handlers.serverList = [this, ok](const std::vector<freedb::ServerRecord>& servers) {
        servers_ = servers;
        for (std::size_t i = 0; i < servers.size(); ++i) {
            const freedb::ServerRecord& s = servers[i];
            list_->addItem(QStringLiteral("%1 - %2:%3 (%4) %5")
                               .arg(i + 1, 2, 10, QLatin1Char('0'))
                               .arg(qs(s.site), qs(s.port), qs(s.protocol), qs(s.description)));
        }
        ok->setEnabled(!servers.empty());
    };
    jobs_->start(
        [config, kind](freedb::JobObserver& observer, freedb::ProxyCredentialsPrompt) {
            return std::make_unique<freedb::GetServerListJob>(
                config, observer, config.freedb.remoteServer, config.freedb.remotePort, kind);
        },
        std::move(handlers));
}

ServerListDialog::~ServerListDialog() = default;

int ServerListDialog::chosenIndex() const {
    return list_->currentRow();
}

void ServerListDialog::accept() {
    status_->setText(text(ids::kStatusSavingServersList));
    if (!freedb::SaveServerList(context_.cdPlayerIni, servers_)) {
        context_.port.showMessage(base::UserPort::Severity::Error,
                                  base::tr(ids::kMsgWritingFailed));
        return;
    }
    QDialog::accept();
}

}  // namespace tw::gui
