// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/rename/filename_to_tag_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include "base/language.h"
#include "base/string_ids.h"
#include "gui/common/accessible_names.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/window_placement.h"
#include "gui/qt_text.h"
#include "gui/rename/mask_selector.h"
#include "gui/views/column_header.h"
#include "gui/views/file_list_model.h"
#include "gui/views/file_list_view.h"

namespace tw::gui {

namespace ids = base::ids;

DlgFilenameToTag::DlgFilenameToTag(GuiContext& context, ShellPort& shell, QWidget* parent)
    : QDialog(parent),
      context_(context),
      command_(context.list, context.settings),
      masks_(
          new MaskSelector(context, shell, command_.maskList(), filenameToTagEditorSetup(), this)),
      model_(new FileListModel(copies_, context.options, this)),
      preview_(new QTableView(this)) {
    setWindowTitle(text(ids::kFilenameToTagCaption));

    auto* writeOptions = new QGroupBox(text(ids::kFilenameToTagWriteOptions), this);
    onlyBlank_ = new QRadioButton(text(ids::kFilenameToTagOnlyBlank), writeOptions);
    replaceAll_ = new QRadioButton(text(ids::kFilenameToTagReplaceAll), writeOptions);
    onlyBlank_->setObjectName(QStringLiteral("onlyBlank"));
    replaceAll_->setObjectName(QStringLiteral("replaceAll"));
    (command_.overwrite() ? replaceAll_ : onlyBlank_)->setChecked(true);
    auto* optionColumn = new QVBoxLayout(writeOptions);
    optionColumn->addWidget(onlyBlank_);
    optionColumn->addWidget(replaceAll_);

    auto* writeTags = new QGroupBox(text(ids::kFilenameToTagWriteTags), this);
    writeV1_ = new QCheckBox(text(ids::kFilenameToTagWriteV1), writeTags);
    writeV2_ = new QCheckBox(text(ids::kFilenameToTagWriteV2), writeTags);
    writeV1_->setObjectName(QStringLiteral("writeV1"));
    writeV2_->setObjectName(QStringLiteral("writeV2"));
    writeV1_->setChecked(command_.writeV1());
    writeV2_->setChecked(command_.writeV2());
    auto* tagColumn = new QVBoxLayout(writeTags);
    tagColumn->addWidget(writeV1_);
    tagColumn->addWidget(writeV2_);

    // The copies shown as the file list shows records, with its columns; never edited.
    preview_->setObjectName(QStringLiteral("preview"));
    nameControl(*preview_, ids::kNamePreview);
    // Tab leaves the preview as it leaves every other control; the arrow keys walk its cells.
    preview_->setTabKeyNavigation(false);
    auto* header = new ColumnHeader(listColumnDefaults(), preview_);
    preview_->setHorizontalHeader(header);
    preview_->setModel(model_);
    header->restoreLayout(context_.settings, FileListView::kLayoutSection,
                          FileListView::kLayoutSet);
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setSelectionBehavior(QAbstractItemView::SelectRows);
    preview_->verticalHeader()->hide();
    preview_->setWordWrap(false);

    auto* label = new QLabel(text(ids::kFilenameToTagTemplate), this);
    label->setBuddy(&masks_->field());

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0, 1, 2);
    layout->addWidget(masks_, 1, 0, 1, 2);
    layout->addWidget(writeOptions, 2, 0);
    layout->addWidget(writeTags, 2, 1);
    layout->addWidget(preview_, 3, 0, 1, 2);
    layout->addWidget(addOkCancel(*this).box, 4, 0, 1, 2);
    layout->setRowStretch(3, 1);
    resize(760, 460);

    connect(masks_, &MaskSelector::maskChanged, this, &DlgFilenameToTag::refreshPreview);
    for (QAbstractButton* option :
         std::initializer_list<QAbstractButton*>{onlyBlank_, replaceAll_, writeV1_, writeV2_})
        connect(option, &QAbstractButton::clicked, this, &DlgFilenameToTag::refreshPreview);
    refreshPreview();
    restoreDialogPlacement(*this, context_.settings, kSection);
}

DlgFilenameToTag::~DlgFilenameToTag() = default;

void DlgFilenameToTag::takeOptions() {
    command_.setOverwrite(replaceAll_->isChecked());
    command_.setWriteV1(writeV1_->isChecked());
    command_.setWriteV2(writeV2_->isChecked());
}

void DlgFilenameToTag::refreshPreview() {
    takeOptions();
    copies_ = command_.preview();
    model_->reload();
}

void DlgFilenameToTag::accept() {
    masks_->commit();
    takeOptions();
    changed_ = command_.run();
    QDialog::accept();
}

void DlgFilenameToTag::done(int result) {
    saveDialogPlacement(*this, context_.settings, kSection);
    QDialog::done(result);
}

}  // namespace tw::gui
