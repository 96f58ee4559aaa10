// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/picture_page.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>

#include "base/file_ops.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "core/picture_types.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;
using Severity = base::UserPort::Severity;

namespace {

constexpr int kThumbnailSize = 64;

QString sizeText(std::uint64_t bytes) {
    return QLocale().toString(static_cast<qulonglong>(bytes));
}

// The local file a drop or a paste names, if any.
QString localFileOf(const QMimeData& data) {
    if (!data.hasUrls() || data.urls().isEmpty() || !data.urls().front().isLocalFile())
        return {};
    return data.urls().front().toLocalFile();
}

}  // namespace

PicturePage::PicturePage(GuiContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      view_(new QLabel(this)),
      info_(new QLabel(this)),
      thumbnails_(new QListWidget(this)),
      type_(new QComboBox(this)),
      description_(new QLineEdit(this)),
      open_(new QPushButton(text(ids::kButtonOpenPicture), this)),
      paste_(new QPushButton(text(ids::kButtonPastePicture), this)),
      replace_(new QPushButton(text(ids::kButtonReplacePicture), this)),
      remove_(new QPushButton(text(ids::kButtonDeletePicture), this)),
      save_(new QPushButton(text(ids::kButtonSavePicture), this)),
      apply_(new QPushButton(text(ids::kButtonApplyPictureToAll), this)) {
    setAcceptDrops(true);
    view_->setObjectName(QStringLiteral("pictureView"));
    view_->setFrameShape(QFrame::StyledPanel);
    view_->setFrameShadow(QFrame::Sunken);
    view_->setAlignment(Qt::AlignCenter);
    view_->setMinimumSize(160, 120);
    view_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    info_->setObjectName(QStringLiteral("pictureInfo"));
    info_->setWordWrap(true);
    thumbnails_->setObjectName(QStringLiteral("pictureThumbnails"));
    thumbnails_->setViewMode(QListView::IconMode);
    thumbnails_->setFlow(QListView::LeftToRight);
    thumbnails_->setWrapping(false);
    thumbnails_->setIconSize(QSize(kThumbnailSize, kThumbnailSize));
    thumbnails_->setFixedHeight(kThumbnailSize + 24);
    thumbnails_->hide();
    type_->setObjectName(QStringLiteral("pictureType"));
    for (int number = 0; number < core::kPictureTypeCount; ++number)
        type_->addItem(qs(core::pictureTypeName(number)), number);
    type_->setCurrentIndex(core::kFrontCover);
    description_->setObjectName(QStringLiteral("pictureDescription"));
    open_->setObjectName(QStringLiteral("openPicture"));
    paste_->setObjectName(QStringLiteral("pastePicture"));
    replace_->setObjectName(QStringLiteral("replacePicture"));
    remove_->setObjectName(QStringLiteral("deletePicture"));
    save_->setObjectName(QStringLiteral("savePicture"));
    apply_->setObjectName(QStringLiteral("applyPicture"));

    auto* typeLabel = new QLabel(text(ids::kTagLabelPictureType), this);
    typeLabel->setBuddy(type_);
    auto* descriptionLabel = new QLabel(text(ids::kPictureLabelDescription), this);
    descriptionLabel->setBuddy(description_);

    auto* layout = new QGridLayout(this);
    layout->addWidget(view_, 0, 0, 8, 1);
    layout->addWidget(thumbnails_, 8, 0);
    layout->addWidget(info_, 9, 0, 1, 3);
    layout->addWidget(typeLabel, 0, 1);
    layout->addWidget(type_, 0, 2);
    layout->addWidget(descriptionLabel, 1, 1);
    layout->addWidget(description_, 1, 2);
    layout->addWidget(open_, 2, 1, 1, 2);
    layout->addWidget(paste_, 3, 1, 1, 2);
    layout->addWidget(replace_, 4, 1, 1, 2);
    layout->addWidget(remove_, 5, 1, 1, 2);
    layout->addWidget(save_, 6, 1, 1, 2);
    layout->addWidget(apply_, 7, 1, 1, 2);
    layout->setRowStretch(8, 1);
    layout->setColumnStretch(0, 1);

    connect(open_, &QPushButton::clicked, this, &PicturePage::chooseAndAdd);
    connect(paste_, &QPushButton::clicked, this, &PicturePage::paste);
    connect(replace_, &QPushButton::clicked, this, &PicturePage::replacePicture);
    connect(remove_, &QPushButton::clicked, this, &PicturePage::deletePicture);
    connect(save_, &QPushButton::clicked, this, &PicturePage::savePicture);
    connect(apply_, &QPushButton::clicked, this, &PicturePage::applyToAllSelected);
    connect(thumbnails_, &QListWidget::currentRowChanged, this, &PicturePage::showCurrent);
    connect(&loader_, &PictureLoader::loaded, this, &PicturePage::showLoaded);
    auto* pasteKey = new QShortcut(QKeySequence::Paste, this);
    pasteKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(pasteKey, &QShortcut::activated, this, &PicturePage::paste);
    enableButtons();
}

void PicturePage::refresh() {
    stale_ = true;
    loader_.cancel();
    if (isVisible())
        load();
}

void PicturePage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_)
        load();
}

void PicturePage::load() {
    stale_ = false;
    loaded_ = {};
    std::vector<core::AudioFile> records;
    bool anyPicture = false;
    context_.list.forEachSelected([&](core::AudioFile& file) {
        anyPicture |= !file.pictures.items.empty();
        records.push_back(file);
    });
    if (!anyPicture) {
        showNothing(records.empty() ? QString() : text(ids::kPictureNone));
        return;
    }
    showNothing(text(ids::kPictureLoading));
    loader_.request(std::move(records));
}

void PicturePage::showNothing(const QString& note) {
    view_->clear();
    thumbnails_->clear();
    thumbnails_->hide();
    info_->setText(note);
    enableButtons();
}

void PicturePage::showLoaded(const LoadedPictures& result) {
    loaded_ = result;
    const QSignalBlocker quiet(thumbnails_);
    thumbnails_->clear();
    for (const LoadedPicture& picture : loaded_.pictures) {
        auto* item = new QListWidgetItem(thumbnails_);
        if (!picture.image.isNull())
            item->setIcon(QPixmap::fromImage(picture.image.scaled(
                kThumbnailSize, kThumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    thumbnails_->setVisible(loaded_.pictures.size() > 1);
    thumbnails_->setCurrentRow(loaded_.pictures.empty() ? -1 : 0);
    if (!loaded_.error.empty()) {
        const core::AudioFile* first = context_.list.first();
        context_.port.showMessage(
            Severity::Error, utf8(textf(ids::kMsgCannotLoadPictures,
                                        first ? first->fileName : std::string(), loaded_.error)));
    }
    showCurrent();
}

int PicturePage::shownIndex() const {
    const core::AudioFile* first = context_.list.first();
    const int row = thumbnails_->currentRow();
    if (!first || row < 0 || static_cast<std::size_t>(row) >= loaded_.pictures.size() ||
        static_cast<std::size_t>(row) >= first->pictures.items.size())
        return -1;
    return row;
}

void PicturePage::showCurrent() {
    const int index = shownIndex();
    if (index < 0) {
        showNothing(text(ids::kPictureNone));
        return;
    }
    const LoadedPicture& picture = loaded_.pictures[static_cast<std::size_t>(index)];
    const core::PictureInfo& info =
        context_.list.first()->pictures.items[static_cast<std::size_t>(index)].info;
    const QString type = qs(core::pictureTypeName(info.type));
    QString details;
    if (!picture.image.isNull()) {
        view_->setPixmap(QPixmap::fromImage(picture.image)
                             .scaled(view_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        details = textf(ids::kPictureDetails, utf8(type), info.mime, picture.pixels.width(),
                        picture.pixels.height(), utf8(sizeText(info.byteSize)));
    } else {
        view_->clear();
        details =
            picture.tooLarge
                ? textf(ids::kPictureNotShown, utf8(type), info.mime, utf8(sizeText(info.byteSize)))
                : textf(ids::kPictureUnreadable, utf8(type), utf8(sizeText(info.byteSize)));
    }
    if (!info.description.empty())
        details = qs(info.description) + QStringLiteral("\n") + details;
    if (!loaded_.samePictures)
        details = text(ids::kPictureDifferent) + QStringLiteral("\n") + details;
    info_->setText(details);
    enableButtons();
}

void PicturePage::enableButtons() {
    const int selected = context_.list.selectedCount();
    const bool shown = shownIndex() >= 0;
    const bool withBytes = shown && loaded_.pictures[static_cast<std::size_t>(shownIndex())].bytes;
    open_->setEnabled(selected > 0);
    paste_->setEnabled(selected > 0);
    type_->setEnabled(selected > 0);
    description_->setEnabled(selected > 0);
    replace_->setEnabled(shown);
    remove_->setEnabled(shown);
    save_->setEnabled(withBytes);
    apply_->setEnabled(withBytes && selected > 1);
}

void PicturePage::chooseAndAdd() {
    const auto path =
        context_.port.askOpenPath(context_.options.workFolder, utf8(text(ids::kPictureFileFilter)));
    if (path)
        addPictureFile(qs(*path));
}

bool PicturePage::addPictureFile(const QString& path) {
    QFile file(path);
    if (file.size() > static_cast<qint64>(core::kPictureReadLimit) ||
        !file.open(QIODevice::ReadOnly)) {
        context_.port.showMessage(Severity::Error,
                                  utf8(textf(ids::kMsgCannotReadImage, utf8(path))));
        return false;
    }
    const QByteArray bytes = file.readAll();
    return addPictureBytes(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                           path);
}

bool PicturePage::addPictureBytes(std::string bytes, const QString& source) {
    const std::string_view mime = core::imageMimeType(bytes);
    if (mime.empty() || bytes.size() > core::kPictureReadLimit) {
        context_.port.showMessage(Severity::Error,
                                  utf8(textf(ids::kMsgCannotReadImage, utf8(source))));
        return false;
    }
    const core::PictureInfo info{type_->currentData().toInt(), std::string(mime),
                                 utf8(description_->text()), bytes.size()};
    return putIntoSelected(info, std::make_shared<const std::string>(std::move(bytes)));
}

bool PicturePage::putIntoSelected(const core::PictureInfo& info, core::PictureBytes image) {
    bool taken = false;
    context_.list.forEachSelected([&](core::AudioFile& file) {
        taken |= std::any_of(file.pictures.items.begin(), file.pictures.items.end(),
                             [&](const core::Picture& p) { return p.info.type == info.type; });
    });
    if (context_.list.selectedCount() == 0)
        return false;
    if (taken && context_.port.askYesNo(utf8(
                     textf(ids::kMsgConfirmReplacePicture, core::pictureTypeName(info.type)))) !=
                     base::UserPort::Answer::Yes)
        return false;
    context_.list.forEachSelected([&](core::AudioFile& file) { file.pictures.put(info, image); });
    edited();
    return true;
}

void PicturePage::replacePicture() {
    const int index = shownIndex();
    if (index < 0)
        return;
    type_->setCurrentIndex(type_->findData(
        context_.list.first()->pictures.items[static_cast<std::size_t>(index)].info.type));
    chooseAndAdd();
}

void PicturePage::deletePicture() {
    const int index = shownIndex();
    if (index < 0)
        return;
    const int type =
        context_.list.first()->pictures.items[static_cast<std::size_t>(index)].info.type;
    if (context_.port.askYesNo(
            utf8(textf(ids::kMsgConfirmDeletePictureOf, core::pictureTypeName(type)))) !=
        base::UserPort::Answer::Yes)
        return;
    context_.list.forEachSelected([&](core::AudioFile& file) { file.pictures.removeType(type); });
    edited();
}

void PicturePage::savePicture() {
    const int index = shownIndex();
    if (index < 0 || !loaded_.pictures[static_cast<std::size_t>(index)].bytes)
        return;
    const std::string& bytes = *loaded_.pictures[static_cast<std::size_t>(index)].bytes;
    const bool png = core::imageMimeType(bytes) == "image/png";
    const std::string extension = png ? "png" : "jpg";
    const auto path = context_.port.askSavePath(context_.options.workFolder + "cover." + extension,
                                                utf8(text(ids::kPictureFileFilter)), extension);
    if (!path)
        return;
    // A file the user chose to replace keeps its old contents until the new ones are whole.
    base::ReplacementFile out(*path);
    std::error_code ec = out.error();
    if (!ec)
        ec = out.write(bytes.data(), bytes.size());
    if (!ec)
        ec = out.commit();
    if (ec)
        context_.port.showMessage(Severity::Error, utf8(textf(ids::kMsgCannotWriteImage, *path)));
}

void PicturePage::applyToAllSelected() {
    const int index = shownIndex();
    if (index < 0 || !loaded_.pictures[static_cast<std::size_t>(index)].bytes)
        return;
    const int count = context_.list.selectedCount();
    if (context_.port.askYesNo(utf8(textf(ids::kMsgConfirmApplyPicture, count))) !=
        base::UserPort::Answer::Yes)
        return;
    const core::AudioFile* first = context_.list.first();
    const core::PictureInfo info = first->pictures.items[static_cast<std::size_t>(index)].info;
    const core::PictureBytes image = loaded_.pictures[static_cast<std::size_t>(index)].bytes;
    context_.list.forEachSelected([&](core::AudioFile& file) {
        if (&file != first)
            file.pictures.put(info, image);
    });
    edited();
}

void PicturePage::paste() {
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    if (!clip || context_.list.selectedCount() == 0)
        return;
    const QString source = text(ids::kButtonPastePicture);
    for (const QString& format : {QStringLiteral("image/png"), QStringLiteral("image/jpeg")}) {
        if (clip->hasFormat(format)) {
            const QByteArray bytes = clip->data(format);
            addPictureBytes(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                            source);
            return;
        }
    }
    if (const QString file = localFileOf(*clip); !file.isEmpty()) {
        addPictureFile(file);
        return;
    }
    if (clip->hasImage()) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        qvariant_cast<QImage>(clip->imageData()).save(&buffer, "PNG");
        addPictureBytes(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        source);
        return;
    }
    context_.port.showMessage(Severity::Error, utf8(text(ids::kMsgNoImageInClipboard)));
}

void PicturePage::dragEnterEvent(QDragEnterEvent* event) {
    if (context_.list.selectedCount() > 0 && !localFileOf(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void PicturePage::dropEvent(QDropEvent* event) {
    const QString file = localFileOf(*event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    addPictureFile(file);
}

void PicturePage::edited() {
    Q_EMIT picturesChanged();
    refresh();
}

}  // namespace tw::gui
