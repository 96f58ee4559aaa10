// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/export/playlist_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "core/app_options.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/window_placement.h"
#include "gui/qt_text.h"
#include "gui/rename/mask_legend.h"
#include "gui/rename/mask_selector.h"
#include "rename/mask_tokens.h"

namespace tw::gui {

namespace ids = base::ids;
using exports::PlaylistType;

namespace {

constexpr PlaylistType kTypes[] = {PlaylistType::M3u, PlaylistType::M3uExtended, PlaylistType::Pls};

// The insert button of a token of the mask language.
int buttonOf(std::string_view token) {
    for (const rename::MaskToken& known : rename::maskTokens())
        if (known.text == token)
            return known.buttonId;
    return 0;
}

// The mask editor of the playlist's name: the playlist tokens the selection allows (no
// "<artist>" when it has several artists) with the first selected file's values as
// examples, then the sub-folder and up-level buttons (the window has its own folder field,
// so an absolute folder has no place in the name).
MaskEditorSetup playlistEditorSetup(const exports::PlaylistCommand& command) {
    MaskEditorSetup setup;
    setup.titleId = ids::kMaskTitlePlaylistFilenameFormat;
    setup.permissions = rename::TokenPermissions::forPlaylist(command.severalArtists());
    setup.examples = exports::playlistExampleValues(command.values());
    for (const rename::ExampleValue& example : setup.examples)
        setup.legend.push_back({buttonOf(example.token)});
    for (int id : {kSubFolderButtonId, kUpLevelButtonId})
        setup.legend.push_back({id});
    setup.extension = exports::playlistExtension(command.type());
    setup.defaultMasks = rename::playlistDefaultMasks();
    return setup;
}

}  // namespace

PlaylistDialog::PlaylistDialog(GuiContext& context, ShellPort& shell, QWidget* parent)
    : QDialog(parent),
      context_(context),
      command_(context.list, context.settings, context.options.workFolder),
      type_(new QComboBox(this)),
      extension_(new QLabel(this)),
      folder_(new QLineEdit(this)),
      masks_(new MaskSelector(context, shell, command_.maskList(), playlistEditorSetup(command_),
                              this)),
      target_(new QLineEdit(this)) {
    setWindowTitle(text(ids::kPlaylistCaption));
    type_->setObjectName(QStringLiteral("type"));
    for (PlaylistType type : kTypes)
        type_->addItem(text(exports::playlistTypeNameId(type)));
    type_->setCurrentIndex(static_cast<int>(command_.type()));
    extension_->setObjectName(QStringLiteral("extension"));
    extension_->setText(qs(exports::playlistExtension(command_.type())));
    folder_->setObjectName(QStringLiteral("folder"));
    folder_->setReadOnly(true);
    folder_->setText(qs(command_.outputDirectory()));
    target_->setObjectName(QStringLiteral("target"));
    target_->setReadOnly(true);
    target_->setFocusPolicy(Qt::ClickFocus);

    auto* nameLabel = new QLabel(text(ids::kPlaylistNameLabel), this);
    nameLabel->setBuddy(&masks_->field());
    auto* folderLabel = new QLabel(text(ids::kPlaylistFolderLabel), this);
    folderLabel->setBuddy(folder_);
    auto* typeLabel = new QLabel(text(ids::kPlaylistTypeLabel), this);
    typeLabel->setBuddy(type_);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(masks_, 1);
    nameRow->addWidget(extension_);

    auto* group = new QGroupBox(text(ids::kPlaylistFilenameLabel), this);
    auto* form = new QFormLayout(group);
    form->addRow(folderLabel, folder_);
    form->addRow(nameLabel, nameRow);
    form->addRow(typeLabel, type_);
    form->addRow(text(ids::kPlaylistWritesTo), target_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    layout->addWidget(addOkCancel(*this).box);
    resize(560, sizeHint().height());

    connect(masks_, &MaskSelector::maskChanged, this, &PlaylistDialog::refreshTarget);
    connect(type_, &QComboBox::activated, this, &PlaylistDialog::typeChosen);
    refreshTarget();
    restoreDialogPlacement(*this, context_.settings, kSection);
}

QString PlaylistDialog::target() const {
    return target_->text();
}

void PlaylistDialog::typeChosen(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kTypes)))
        return;
    command_.setType(kTypes[index]);
    const std::string extension(exports::playlistExtension(command_.type()));
    extension_->setText(qs(extension));
    masks_->setExtension(extension);
    refreshTarget();
}

void PlaylistDialog::refreshTarget() {
    const exports::PlaylistLocation where = command_.location();
    target_->setText(where.safe ? qs(where.path) : text(ids::kRenameLeavesFolders));
}

void PlaylistDialog::accept() {
    masks_->commit();
    refreshTarget();
    const exports::PlaylistOutcome outcome = command_.CreatePlaylist(context_.port);
    if (outcome.result == exports::PlaylistOutcome::Result::Written)
        QDialog::accept();
}

void PlaylistDialog::done(int result) {
    saveDialogPlacement(*this, context_.settings, kSection);
    QDialog::done(result);
}

}  // namespace tw::gui
