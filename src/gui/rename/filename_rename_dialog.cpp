// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/rename/filename_rename_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "base/language.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/app_options.h"
#include "gui/common/accessible_names.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/window_placement.h"
#include "gui/qt_text.h"
#include "gui/rename/mask_selector.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

enum Column { kBefore, kAfter, kFolder, kStatus };

QString statusText(const rename::RenameCheck& check) {
    switch (check.status) {
        case rename::RenameStatus::Rename:
            return {};
        case rename::RenameStatus::Unchanged:
            return text(ids::kRenameStatusUnchanged);
        case rename::RenameStatus::NewFolder:
            return text(ids::kRenameStatusNewFolder);
        default:
            return qs(base::worded(check.reason));
    }
}

}  // namespace

DlgFilenameRename::DlgFilenameRename(GuiContext& context, ShellPort& shell, QWidget* parent)
    : QDialog(parent),
      context_(context),
      command_(context.list, context.settings),
      masks_(new MaskSelector(context, shell, command_.maskList(),
                              renamingEditorSetup(command_.permissions()), this)),
      createFolders_(new QCheckBox(text(ids::kRenameCreateFolders), this)),
      preview_(new QTreeWidget(this)) {
    setWindowTitle(text(ids::kRenameCaption));
    createFolders_->setObjectName(QStringLiteral("createFolders"));
    createFolders_->setChecked(command_.createFolders());
    preview_->setObjectName(QStringLiteral("preview"));
    nameControl(*preview_, ids::kNamePreview);
    preview_->setRootIsDecorated(false);
    preview_->setUniformRowHeights(true);
    preview_->setHeaderLabels({text(ids::kRenameColumnBefore), text(ids::kRenameColumnAfter),
                               text(ids::kRenameColumnFolder), text(ids::kRenameColumnStatus)});

    auto* label = new QLabel(text(ids::kRenameMaskLabel), this);
    label->setBuddy(&masks_->field());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(masks_);
    layout->addWidget(createFolders_);
    layout->addWidget(preview_, 1);
    layout->addWidget(addOkCancel(*this, ids::kRenameOk).box);
    resize(720, 420);

    connect(masks_, &MaskSelector::maskChanged, this, &DlgFilenameRename::refreshPreview);
    connect(createFolders_, &QCheckBox::clicked, this, [this](bool on) {
        command_.setCreateFolders(on);
        refreshPreview();
    });
    refreshPreview();
    restoreDialogPlacement(*this, context_.settings, kSection);
}

void DlgFilenameRename::refreshPreview() {
    showRows(command_.preview());
}

void DlgFilenameRename::showRows(const std::vector<rename::RenamePreviewRow>& rows) {
    // The rows are made once; later fills rewrite what the mask decides.
    const bool first = preview_->topLevelItemCount() == 0;
    const QIcon failing = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const rename::RenamePreviewRow& row = rows[i];
        QTreeWidgetItem* item = first ? new QTreeWidgetItem(preview_)  // owned by the list
                                      : preview_->topLevelItem(static_cast<int>(i));
        if (!item)
            break;
        if (first)
            item->setText(kBefore, qs(row.before));
        item->setText(kAfter, qs(row.after));
        item->setText(kFolder, qs(row.check.folder));
        item->setText(kStatus, statusText(row.check));
        item->setIcon(kStatus, row.check.fails() ? failing : QIcon());
    }
    for (int column = kBefore; column <= kStatus; ++column)
        preview_->resizeColumnToContents(column);
}

void DlgFilenameRename::accept() {
    masks_->commit();
    const std::vector<rename::RenamePreviewRow> rows = command_.preview();
    showRows(rows);
    const auto failing =
        std::count_if(rows.begin(), rows.end(), [](const auto& row) { return row.check.fails(); });
    const bool anyMoves =
        std::any_of(rows.begin(), rows.end(), [](const auto& row) { return row.check.moves(); });
    if (failing > 0 && !anyMoves) {
        // There are no others to rename: asking would promise what cannot happen.
        context_.port.showMessage(base::UserPort::Severity::Error,
                                  base::trf(ids::kRenameNoneCanMove, static_cast<int>(failing)));
        return;
    }
    if (failing > 0 &&
        context_.port.askYesNo(base::trf(ids::kRenameAskFailing, static_cast<int>(failing))) !=
            base::UserPort::Answer::Yes)
        return;
    const rename::RenameOutcome outcome = command_.run(context_.port, context_.options.workFolder);
    changed_ = outcome.renamed > 0;
    QDialog::accept();
}

void DlgFilenameRename::done(int result) {
    saveDialogPlacement(*this, context_.settings, kSection);
    QDialog::done(result);
}

}  // namespace tw::gui
