// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/database_info_dialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <optional>

#include "base/string_ids.h"
#include "freedb/database_info_text.h"
#include "freedb/server_jobs.h"
#include "gui/common/accessible_names.h"
#include "gui/freedb/job_runner.h"
#include "gui/freedb/save_text.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

// The texts come with "\r\n" line ends, which a text box shows as two breaks.
QString shownText(const std::string& text) {
    return qs(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A job whose body makes a text; the text is in `result` when the job reports its end.
std::unique_ptr<freedb::FreeDbJob> textJob(
    freedb::StoreConfig config, freedb::JobObserver& observer,
    std::shared_ptr<std::optional<std::string>> result,
    std::function<std::optional<std::string>(freedb::JobContext&)> make) {
    return std::make_unique<freedb::FreeDbJob>(
        std::move(config), observer, [result, make = std::move(make)](freedb::JobContext& context) {
            *result = make(context);
            return result->has_value();
        });
}

}  // namespace

DatabaseInfoDialog::DatabaseInfoDialog(const FreeDbWindowContext& context, QWidget* parent)
    : QDialog(parent),
      context_(context),
      tabs_(new QTabWidget(this)),
      runner_(std::make_unique<JobRunner>([context](std::string& user, std::string& password) {
          return context.answerProxyPrompt(user, password);
      })) {
    setWindowTitle(text(ids::kDbInfoCaption));
    tabs_->setObjectName(QStringLiteral("tabs"));
    const std::array<int, TabCount> titles = {ids::kDbInfoTabCdPlayer, ids::kDbInfoTabFreeDb,
                                              ids::kDbInfoTabLocalDb};
    for (std::size_t i = 0; i < TabCount; ++i) {
        texts_[i] = new QPlainTextEdit(tabs_);
        texts_[i]->setReadOnly(true);
        texts_[i]->setObjectName(QStringLiteral("info%1").arg(i));
        addNamedTab(*tabs_, *texts_[i], titles[i]);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* refresh =
        buttons->addButton(text(ids::kDbInfoRefresh), QDialogButtonBox::ActionRole);
    refresh->setObjectName(QStringLiteral("refresh"));
    QPushButton* save = buttons->addButton(text(ids::kDbInfoSave), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("save"));
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setText(text(ids::kButtonClose));
    connect(refresh, &QPushButton::clicked, this, &DatabaseInfoDialog::refresh);
    connect(save, &QPushButton::clicked, this, &DatabaseInfoDialog::save);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && index < TabCount && !gathered_[static_cast<std::size_t>(index)])
            gather(static_cast<Tab>(index));
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    // Room for the statistics' lines of categories without scrolling.
    resize(sizeHint().expandedTo(QSize(520, 440)));
    gather(CdPlayer);
}

DatabaseInfoDialog::~DatabaseInfoDialog() = default;

QString DatabaseInfoDialog::textOf(Tab tab) const {
    return texts_[tab]->toPlainText();
}

void DatabaseInfoDialog::refresh() {
    gather(static_cast<Tab>(tabs_->currentIndex()));
}

void DatabaseInfoDialog::showText(Tab tab, const QString& shown) {
    texts_[tab]->setPlainText(shown);
}

void DatabaseInfoDialog::gather(Tab tab) {
    if (runner_->isRunning(jobs_[tab]))
        return;
    gathered_[tab] = true;
    showText(tab, text(ids::kDbInfoRetrieving));
    auto result = std::make_shared<std::optional<std::string>>();
    JobHandlers handlers;
    handlers.statistics = [result](const freedb::ServerStatistics& statistics) {
        *result = freedb::FormatServerStatistics(statistics);
    };
    handlers.finished = [this, tab, result](bool) {
        showText(tab, *result ? shownText(**result) : text(ids::kDbInfoFailed));
    };
    const freedb::StoreConfig config = context_.loadConfig();
    jobs_[tab] = runner_->start(
        [tab, config, result](freedb::JobObserver& observer, freedb::ProxyCredentialsPrompt prompt)
            -> std::unique_ptr<freedb::FreeDbJob> {
            switch (tab) {
                case CdPlayer:
                    return textJob(config, observer, result, [config](freedb::JobContext&) {
                        return freedb::CdPlayerIniInfoText(config.cdPlayerIni);
                    });
                case LocalDatabase:
                    return textJob(config, observer, result, [config](freedb::JobContext& c) {
                        return freedb::LocalDbInfoText(config.localDb, c.stopToken());
                    });
                default:
                    return std::make_unique<freedb::StatisticsJob>(config, observer,
                                                                   std::move(prompt));
            }
        },
        std::move(handlers));
}

void DatabaseInfoDialog::save() {
    // SaveTextAs tells a failure itself.
    (void)SaveTextAs(context_.port, texts_[tabs_->currentIndex()]->toPlainText());
}

}  // namespace tw::gui
