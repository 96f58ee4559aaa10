// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/submit_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "freedb/freedb_category.h"
#include "freedb/server_jobs.h"
#include "gui/common/accessible_names.h"
#include "gui/common/dialog_buttons.h"
#include "gui/freedb/album_info_pane.h"
#include "gui/freedb/job_runner.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

QTreeWidget* trackTable(const freedb::AlbumInfo& album, QWidget* parent) {
    auto* table = new QTreeWidget(parent);
    table->setObjectName(QStringLiteral("tracks"));
    nameControl(*table, ids::kNameTracks);
    table->setRootIsDecorated(false);
    table->setHeaderLabels({text(ids::kTrackColumnNumber), text(ids::kTrackColumnTitle),
                            text(ids::kTrackColumnArtist), text(ids::kTrackColumnLength),
                            text(ids::kTrackColumnExtraInfo)});
    for (std::size_t i = 0; i < album.trackCount(); ++i) {
        const freedb::AlbumTrack& track = album.track(i);
        auto* row = new QTreeWidgetItem(table);
        row->setText(0, QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        row->setText(1, qs(track.title()));
        row->setText(2, qs(track.artist()));
        row->setText(3, qs(album.trackLengthText(i)));
        row->setText(4, qs(track.extraData()));
    }
    return table;
}

}  // namespace

SubmitDialog::SubmitDialog(const FreeDbWindowContext& context, const freedb::AlbumInfo& album,
                           std::function<void(const QString&)> log, QWidget* parent)
    : QDialog(parent),
      context_(context),
      album_(album),
      log_(std::move(log)),
      category_(new QComboBox(this)),
      status_(new QLabel(this)),
      submit_(new QPushButton(text(ids::kSubmitButton), this)),
      jobs_(std::make_unique<JobRunner>([context](std::string& user, std::string& password) {
          return context.answerProxyPrompt(user, password);
      })) {
    setWindowTitle(text(ids::kSubmitCaption));
    category_->setObjectName(QStringLiteral("category"));
    status_->setObjectName(QStringLiteral("status"));
    submit_->setObjectName(QStringLiteral("submit"));
    submit_->setToolTip(text(ids::kSubmitToolTip));
    // The album's own category is offered; one that is none of the eleven is not.
    const auto own = freedb::FindFreeDbCategory(album.category());
    for (const freedb::FreeDbCategory& category : freedb::FreeDbCategories())
        category_->addItem(text(category.displayNameId), qs(category.name));
    category_->setCurrentIndex(own ? static_cast<int>(*own) : -1);

    auto* info = new AlbumInfoPane(this);
    info->showAlbum(&album_);
    auto* form = new QFormLayout;
    form->addRow(text(ids::kSubmitCategory), category_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(submit_, QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setText(text(ids::kButtonClose));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(submit_, &QPushButton::clicked, this, &SubmitDialog::submit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addWidget(trackTable(album_, this));
    layout->addLayout(form);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    // Room for the album's texts and a dozen tracks.
    resize(sizeHint().expandedTo(QSize(640, 560)));
}

SubmitDialog::~SubmitDialog() = default;

bool SubmitDialog::isSubmitting() const {
    return jobs_->isRunning(job_);
}

void SubmitDialog::submit() {
    if (isSubmitting() || category_->currentIndex() < 0)
        return;
    freedb::AlbumInfo album = album_;
    album.setCategory(utf8(category_->currentData().toString()));
    submit_->setEnabled(false);
    submitted_ = false;
    JobHandlers handlers;
    handlers.logLine = log_;
    handlers.status = [this](const QString& text) { status_->setText(text); };
    handlers.finished = [this](bool success) {
        submitted_ = success;
        submit_->setEnabled(true);
    };
    job_ = jobs_->start(
        [config = context_.loadConfig(), album](freedb::JobObserver& observer,
                                                freedb::ProxyCredentialsPrompt prompt) {
            return std::make_unique<freedb::SubmitJob>(config, observer, album, std::move(prompt));
        },
        std::move(handlers));
}

}  // namespace tw::gui
