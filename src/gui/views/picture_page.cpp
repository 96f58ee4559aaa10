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
#include <QScopedValueRollback>
#include <QShortcut>
#include <algorithm>

#include "base/file_ops.h"
#include "base/message.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "core/picture_types.h"
#include "gui/document/edit_document.h"
#include "gui/qt_text.h"
#include "gui/views/list_choice_only.h"

namespace tw::gui {

namespace ids = base::ids;
using Severity = base::UserPort::Severity;

namespace {

constexpr int kThumbnailSize = 64;
// The note above the picture's facts and the facts, with room to wrap.
constexpr int kInfoLines = 3;

QString sizeText(std::uint64_t bytes) {
    return QLocale().toString(static_cast<qulonglong>(bytes));
}

// The local file a drop or a paste names, if any.
QString localFileOf(const QMimeData& data) {
    if (!data.hasUrls() || data.urls().isEmpty() || !data.urls().front().isLocalFile())
        return {};
    return data.urls().front().toLocalFile();
}

// The picture at `index` with the facts `info` and its image `bytes`: a picture of the file
// becomes one written anew in place of its frame. The other pictures of its new type go,
// as a file keeps one picture per type.
void redescribe(core::PictureList& pictures, std::size_t index, const core::PictureInfo& info,
                const core::PictureBytes& bytes) {
    if (index >= pictures.items.size())
        return;
    std::size_t at = index;
    for (std::size_t i = pictures.items.size(); i-- > 0;) {
        if (i == index || pictures.items[i].info.type != info.type)
            continue;
        pictures.items.erase(pictures.items.begin() + static_cast<std::ptrdiff_t>(i));
        if (i < at)
            --at;
    }
    pictures.items[at] = core::Picture{info, -1, bytes};
    pictures.changed = true;
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
    info_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info_->setFixedHeight(info_->fontMetrics().lineSpacing() * kInfoLines);
    thumbnails_->setObjectName(QStringLiteral("pictureThumbnails"));
    thumbnails_->setViewMode(QListView::IconMode);
    thumbnails_->setFlow(QListView::LeftToRight);
    thumbnails_->setWrapping(false);
    thumbnails_->setIconSize(QSize(kThumbnailSize, kThumbnailSize));
    thumbnails_->setFixedHeight(kThumbnailSize + 24);
    // A file of several pictures shows the strip; its room stays when it goes, so the
    // buttons and the file list above do not move from one file to the next.
    QSizePolicy strip = thumbnails_->sizePolicy();
    strip.setRetainSizeWhenHidden(true);
    thumbnails_->setSizePolicy(strip);
    thumbnails_->hide();
    type_->setObjectName(QStringLiteral("pictureType"));
    for (int number = 0; number < core::kPictureTypeCount; ++number)
        type_->addItem(qs(core::pictureTypeName(number)), number);
    type_->setCurrentIndex(core::kFrontCover);
    changeOnlyByListChoice(*type_);
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
    connect(type_, &QComboBox::activated, this, [this] { describeShown(); });
    connect(description_, &QLineEdit::textEdited, this, [this] { describeShown(); });
    connect(&loader_, &PictureLoader::loaded, this, &PicturePage::showLoaded);
    auto* pasteKey = new QShortcut(QKeySequence::Paste, this);
    pasteKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(pasteKey, &QShortcut::activated, this, &PicturePage::paste);
    enableButtons();
}

void PicturePage::refresh() {
    // The page's own edit of a shown picture's facts: the display shows them already.
    if (describing_)
        return;
    stale_ = true;
    loader_.cancel();
    loaded_ = {};
    shownFile_ = -1;
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
    const core::FileList& list = context_.list;
    const std::vector<int> chain = list.selectedIndices();
    // The first selected file that holds pictures shows them, whichever place it has in the
    // selection; the loader compares the others with it.
    const auto withPictures = std::find_if(chain.begin(), chain.end(), [&](int index) {
        return !list.at(index).pictures.items.empty();
    });
    if (withPictures == chain.end()) {
        shownFile_ = -1;
        showNothing(chain.empty() ? QString() : text(ids::kPictureNone));
        return;
    }
    shownFile_ = *withPictures;
    std::vector<core::AudioFile> records{list.at(shownFile_)};
    for (int index : chain)
        if (index != shownFile_)
            records.push_back(list.at(index));
    showNothing(text(ids::kPictureLoading));
    loader_.request(std::move(records));
}

void PicturePage::showNothing(const QString& note) {
    view_->clear();
    thumbnails_->clear();
    thumbnails_->hide();
    info_->setText(note);
    if (showsPicture_) {
        // The fields go back to what a new picture takes by default.
        type_->setCurrentIndex(type_->findData(core::kFrontCover));
        description_->clear();
        showsPicture_ = false;
    }
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
        const core::AudioFile* shown = shownRecord();
        context_.port.showMessage(
            Severity::Error, utf8(textf(ids::kMsgCannotLoadPictures,
                                        shown ? shown->fileName : std::string(), loaded_.error)));
    }
    showCurrent();
}

core::AudioFile* PicturePage::shownRecord() const {
    if (shownFile_ < 0 || shownFile_ >= context_.list.size())
        return nullptr;
    return &context_.list.at(shownFile_);
}

int PicturePage::shownIndex() const {
    const core::AudioFile* shown = shownRecord();
    const int row = thumbnails_->currentRow();
    if (!shown || row < 0 || static_cast<std::size_t>(row) >= loaded_.pictures.size() ||
        static_cast<std::size_t>(row) >= shown->pictures.items.size())
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
        shownRecord()->pictures.items[static_cast<std::size_t>(index)].info;
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
    showsPicture_ = true;
    type_->setCurrentIndex(type_->findData(info.type));
    if (description_->text() != qs(info.description))
        description_->setText(qs(info.description));
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
    // A shown picture is described anew with its image, which must be at hand.
    type_->setEnabled(selected > 0 && (!shown || withBytes));
    description_->setEnabled(selected > 0 && (!shown || withBytes));
    replace_->setEnabled(shown);
    remove_->setEnabled(shown);
    save_->setEnabled(withBytes);
    apply_->setEnabled(withBytes && selected > 1);
}

void PicturePage::chooseAndAdd() {
    const auto path =
        context_.port.askOpenPath(context_.options.workFolder, utf8(text(ids::kPictureFileFilter)));
    if (path)
        (void)addPictureFile(qs(*path));  // which tells a failure
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
    core::PictureInfo info{type_->currentData().toInt(), std::string(mime),
                           utf8(description_->text()), bytes.size()};
    if (shownIndex() >= 0 && !replacing_) {
        // The fields describe the shown picture: a new one comes beside it.
        info.type = freeType();
        info.description.clear();
    }
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
    editPictures([&] {
        context_.list.forEachSelected(
            [&](core::AudioFile& file) { file.pictures.put(info, image); });
    });
    return true;
}

void PicturePage::replacePicture() {
    if (shownIndex() < 0)
        return;
    // The new image takes the shown picture's type and description from the fields.
    const QScopedValueRollback replacing(replacing_, true);
    chooseAndAdd();
}

int PicturePage::freeType() const {
    std::vector<bool> taken(core::kPictureTypeCount, false);
    context_.list.forEachSelected([&](const core::AudioFile& file) {
        for (const core::Picture& picture : file.pictures.items)
            if (picture.info.type >= 0 && picture.info.type < core::kPictureTypeCount)
                taken[static_cast<std::size_t>(picture.info.type)] = true;
    });
    // Covers first; the file icons (1 and 2) are for tiny images only.
    for (int type = core::kFrontCover; type < core::kPictureTypeCount; ++type)
        if (!taken[static_cast<std::size_t>(type)])
            return type;
    return 0;
}

void PicturePage::describeShown() {
    const int index = shownIndex();
    if (index < 0 || !loaded_.pictures[static_cast<std::size_t>(index)].bytes)
        return;  // the fields are what a new picture will take
    core::AudioFile* shown = shownRecord();
    core::PictureInfo info = shown->pictures.items[static_cast<std::size_t>(index)].info;
    const int oldType = info.type;
    info.type = type_->currentData().toInt();
    info.description = utf8(description_->text());
    if (info == shown->pictures.items[static_cast<std::size_t>(index)].info)
        return;
    // Every selected file holds the shown picture when they all hold the same; else only
    // the file it comes from.
    std::vector<core::AudioFile*> files;
    if (loaded_.samePictures)
        context_.list.forEachSelected([&](core::AudioFile& file) { files.push_back(&file); });
    else
        files.push_back(shown);
    const auto ownsAnother = [&](const core::AudioFile* file) {
        for (std::size_t i = 0; i < file->pictures.items.size(); ++i)
            if (i != static_cast<std::size_t>(index) &&
                file->pictures.items[i].info.type == info.type)
                return true;
        return false;
    };
    if (info.type != oldType && std::any_of(files.begin(), files.end(), ownsAnother) &&
        context_.port.askYesNo(
            utf8(textf(ids::kMsgConfirmReplacePicture, core::pictureTypeName(info.type)))) !=
            base::UserPort::Answer::Yes) {
        type_->setCurrentIndex(type_->findData(oldType));
        return;
    }
    const core::PictureBytes image = loaded_.pictures[static_cast<std::size_t>(index)].bytes;
    // Unless another picture of the type went, the display shows the new facts already.
    const QScopedValueRollback describing(describing_, info.type == oldType);
    editPictures([&] {
        for (core::AudioFile* file : files)
            redescribe(file->pictures, static_cast<std::size_t>(index), info, image);
    });
}

void PicturePage::deletePicture() {
    const int index = shownIndex();
    if (index < 0)
        return;
    const int type = shownRecord()->pictures.items[static_cast<std::size_t>(index)].info.type;
    if (context_.port.askYesNo(
            utf8(textf(ids::kMsgConfirmDeletePictureOf, core::pictureTypeName(type)))) !=
        base::UserPort::Answer::Yes)
        return;
    editPictures([&] {
        context_.list.forEachSelected(
            [&](core::AudioFile& file) { file.pictures.removeType(type); });
    });
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
        context_.port.showMessage(Severity::Error,
                                  base::withReason(utf8(textf(ids::kMsgCannotWriteImage, *path)),
                                                   base::Message::verbatim(ec.message())));
}

void PicturePage::applyToAllSelected() {
    const int index = shownIndex();
    if (index < 0 || !loaded_.pictures[static_cast<std::size_t>(index)].bytes)
        return;
    const int count = context_.list.selectedCount();
    if (context_.port.askYesNo(utf8(textf(ids::kMsgConfirmApplyPicture, count))) !=
        base::UserPort::Answer::Yes)
        return;
    const core::AudioFile* shown = shownRecord();
    const core::PictureInfo info = shown->pictures.items[static_cast<std::size_t>(index)].info;
    const core::PictureBytes image = loaded_.pictures[static_cast<std::size_t>(index)].bytes;
    editPictures([&] {
        context_.list.forEachSelected([&](core::AudioFile& file) {
            if (&file != shown)
                file.pictures.put(info, image);
        });
    });
}

void PicturePage::paste() {
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    if (!clip || context_.list.selectedCount() == 0)
        return;
    const QString source = text(ids::kButtonPastePicture);
    for (const QString& format : {QStringLiteral("image/png"), QStringLiteral("image/jpeg")}) {
        if (clip->hasFormat(format)) {
            const QByteArray bytes = clip->data(format);
            (void)addPictureBytes(  // which tells a failure
                std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), source);
            return;
        }
    }
    if (const QString file = localFileOf(*clip); !file.isEmpty()) {
        (void)addPictureFile(file);  // which tells a failure
        return;
    }
    if (clip->hasImage()) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        qvariant_cast<QImage>(clip->imageData()).save(&buffer, "PNG");
        (void)addPictureBytes(  // which tells a failure
            std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), source);
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
    (void)addPictureFile(file);  // which tells a failure
}

void PicturePage::editPictures(const std::function<void()>& change) {
    context_.document.editSelected(
        EditDocument::setFieldName(ids::kTabPicture, context_.list.selectedCount()), change);
}

}  // namespace tw::gui
