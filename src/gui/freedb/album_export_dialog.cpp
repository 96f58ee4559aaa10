// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/album_export_dialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <algorithm>

#include "base/string_ids.h"
#include "gui/common/file_filter.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

const QStringList kExtensions = {QStringLiteral("txt"), QStringLiteral("rtf"),
                                 QStringLiteral("htm")};

}  // namespace

AlbumExportDialog::AlbumExportDialog(QWidget* parent, const QString& suggested, int filterIndex,
                                     bool openAfterwards)
    : QFileDialog(parent, text(ids::kExportAlbumCaption)),
      openAfterwards_(new QCheckBox(text(ids::kExportAlbumOpenFile), this)) {
    // The box needs the dialog's own widgets; a native dialog has none to add to.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setNameFilters(qtFileFilter(text(ids::kFilterExportAlbum)).split(QStringLiteral(";;")));
    const int index = std::clamp(filterIndex, 1, static_cast<int>(kExtensions.size()));
    selectNameFilter(nameFilters().value(index - 1));
    setDefaultSuffix(kExtensions.at(index - 1));
    connect(this, &QFileDialog::filterSelected, this, [this](const QString& filter) {
        const auto at = nameFilters().indexOf(filter);
        if (at >= 0)
            setDefaultSuffix(kExtensions.value(static_cast<int>(at)));
    });
    selectFile(suggested);
    openAfterwards_->setObjectName(QStringLiteral("openExported"));
    openAfterwards_->setChecked(openAfterwards);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(openAfterwards_, grid->rowCount(), 0, 1, grid->columnCount());
}

AlbumExportChoice AlbumExportDialog::choice() const {
    AlbumExportChoice choice;
    const QStringList files = selectedFiles();
    choice.path = files.isEmpty() ? std::string() : utf8(files.first());
    choice.filterIndex = static_cast<int>(nameFilters().indexOf(selectedNameFilter())) + 1;
    if (choice.filterIndex < 1)
        choice.filterIndex = 1;
    choice.openAfterwards = openAfterwards_->isChecked();
    return choice;
}

}  // namespace tw::gui
