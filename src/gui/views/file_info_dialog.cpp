// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/file_info_dialog.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "base/language.h"
#include "base/string_ids.h"
#include "core/file_list.h"
#include "core/formats/format_tags.h"
#include "core/genre_table.h"
#include "core/tag_edit.h"
#include "core/text_genre.h"
#include "gui/common/accessible_names.h"
#include "gui/common/dialog_buttons.h"
#include "gui/qt_text.h"
#include "gui/views/genre_selector.h"
#include "gui/views/link_target.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

// A number field: the number, or nothing for 0.
QString numberText(std::int32_t number) {
    return number == 0 ? QString() : QString::number(number);
}

// Takes a group's check state into its tag. False when the tag is not to exist: an
// unchecked tag that is in the file is removed at the next save, and one that exists only
// in memory goes at once. A checked tag exists afterwards, also one the user had cleared.
bool applyCheckState(core::TagFields& tag, bool checked) {
    if (!checked) {
        if (tag.inFile)
            tag.changed = true;
        tag.present = false;
        return false;
    }
    if (!tag.inFile || !tag.present)
        tag.makePresent();
    return true;
}

void applyGenre(const GenreSelector& genre, core::TagFields& tag) {
    if (!genre.textGenres()) {
        tag.setGenre(genre.genre());
        return;
    }
    // A genre the box cannot show as it is (a number past the table's) stays unless retyped.
    const QString typed = genre.currentText();
    if (typed != GenreSelector::textOf(tag.genre, qs(tag.freeGenre)))
        core::setTextGenre(tag, utf8(typed));
}

// The caption of the group of the ID3v2 fields: the tag that holds them in such a file.
QString mainTagCaption(core::AudioFormat format) {
    switch (core::mainTagOf(format)) {
        case core::MainTag::VorbisComment:
            return text(ids::kInfoVorbisGroup);
        case core::MainTag::Mp4Tags:
            return text(ids::kInfoMp4Group);
        case core::MainTag::Id3v2:
            break;
    }
    return text(ids::kInfoV2Group);
}

}  // namespace

FileInfoDialog::FileInfoDialog(GuiContext& context, int index, QWidget* parent)
    : QDialog(parent), context_(context) {
    setWindowTitle(text(ids::kInfoDlgCaption));
    setModal(true);

    QGroupBox* v1Group = makeTagGroup(v1_, ids::kInfoV1Group, QStringLiteral("v1"));
    QGroupBox* v2Group = makeTagGroup(v2_, ids::kInfoV2Group, QStringLiteral("v2"));
    auto* v2Form = static_cast<QFormLayout*>(v2Group->layout());
    composer_ = addLine(*v2Form, ids::kListColumnComposer, QStringLiteral("v2Composer"));
    origArtist_ = addLine(*v2Form, ids::kInfoOrigArtistLabel, QStringLiteral("v2OrigArtist"));
    copyright_ = addLine(*v2Form, ids::kListColumnCopyright, QStringLiteral("v2Copyright"));
    // The URL row carries its open button.
    url_ = new QLineEdit(v2Group);
    url_->setObjectName(QStringLiteral("v2Url"));
    openUrl_ = new QToolButton(v2Group);
    openUrl_->setObjectName(QStringLiteral("openUrl"));
    openUrl_->setIcon(style()->standardIcon(QStyle::SP_DirLinkIcon));
    nameControl(*openUrl_, ids::kNameOpenAddress);
    auto* urlRow = new QHBoxLayout;
    urlRow->addWidget(url_);
    urlRow->addWidget(openUrl_);
    v2Form->addRow(text(ids::kListColumnUrl), urlRow);
    encodedBy_ = addLine(*v2Form, ids::kListColumnEncodedBy, QStringLiteral("v2EncodedBy"));
    publisher_ = addLine(*v2Form, ids::kListColumnPublisher, QStringLiteral("v2Publisher"));

    copyToV2_ = new QPushButton(text(ids::kInfoCopyToV2), this);
    copyToV1_ = new QPushButton(text(ids::kInfoCopyToV1), this);
    copyToV2_->setObjectName(QStringLiteral("copyToV2"));
    copyToV1_->setObjectName(QStringLiteral("copyToV1"));

    auto* mpegGroup = new QGroupBox(text(ids::kInfoMpegGroup), this);
    mpeg_ = new QPlainTextEdit(mpegGroup);
    mpeg_->setObjectName(QStringLiteral("mpeg"));
    mpeg_->setReadOnly(true);
    mpeg_->setLineWrapMode(QPlainTextEdit::NoWrap);
    mpeg_->setTabStopDistance(mpeg_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 8);
    (new QVBoxLayout(mpegGroup))->addWidget(mpeg_);

    QDialogButtonBox* buttons = addOkCancel(*this).box;

    auto* layout = new QGridLayout(this);
    layout->addWidget(v1Group, 0, 0);
    layout->addWidget(v2Group, 0, 1, 3, 1);
    layout->addWidget(copyToV2_, 1, 0);
    layout->addWidget(mpegGroup, 2, 0);
    layout->addWidget(copyToV1_, 3, 1);
    layout->addWidget(makeNavigation(), 4, 0);
    layout->addWidget(buttons, 4, 1);

    connect(copyToV2_, &QPushButton::clicked, this, &FileInfoDialog::copyToV2);
    connect(copyToV1_, &QPushButton::clicked, this, &FileInfoDialog::copyToV1);
    connect(url_, &QLineEdit::textChanged, this,
            [this](const QString& link) { openUrl_->setEnabled(!link.isEmpty()); });
    connect(openUrl_, &QToolButton::clicked, this, [this] {
        const QUrl link = linkTarget(url_->text());
        if (link.isValid())
            QDesktopServices::openUrl(link);
    });

    const int count = context_.list.size();
    index_ = std::clamp(index, 0, std::max(count - 1, 0));
    showRecord();
}

FileInfoDialog::~FileInfoDialog() = default;

QLineEdit* FileInfoDialog::addLine(QFormLayout& form, int labelId, const QString& name) {
    auto* line = new QLineEdit(form.parentWidget());
    line->setObjectName(name);
    form.addRow(text(labelId), line);
    return line;
}

QGroupBox* FileInfoDialog::makeTagGroup(TagControls& controls, int titleId, const QString& name) {
    // A checkable group box disables its fields while it is unchecked.
    controls.box = new QGroupBox(text(titleId), this);
    controls.box->setObjectName(name + QStringLiteral("Box"));
    controls.box->setCheckable(true);
    auto* form = new QFormLayout(controls.box);
    controls.track = addLine(*form, ids::kInfoTrackLabel, name + QStringLiteral("Track"));
    controls.title = addLine(*form, ids::kListColumnTitle, name + QStringLiteral("Title"));
    controls.artist = addLine(*form, ids::kListColumnArtist, name + QStringLiteral("Artist"));
    controls.album = addLine(*form, ids::kListColumnAlbum, name + QStringLiteral("Album"));
    controls.year = addLine(*form, ids::kListColumnYear, name + QStringLiteral("Year"));
    controls.genre = new GenreSelector(controls.box);
    controls.genre->setObjectName(name + QStringLiteral("Genre"));
    form->addRow(text(ids::kListColumnGenre), controls.genre);
    controls.comment = addLine(*form, ids::kListColumnComments, name + QStringLiteral("Comment"));
    return controls.box;
}

QWidget* FileInfoDialog::makeNavigation() {
    auto* navigation = new QWidget(this);
    previous_ = new QToolButton(navigation);
    previous_->setObjectName(QStringLiteral("previous"));
    previous_->setArrowType(Qt::LeftArrow);
    nameControl(*previous_, ids::kNamePreviousFile);
    next_ = new QToolButton(navigation);
    next_->setObjectName(QStringLiteral("next"));
    next_->setArrowType(Qt::RightArrow);
    nameControl(*next_, ids::kNameNextFile);
    files_ = new QComboBox(navigation);
    files_->setObjectName(QStringLiteral("fileSelector"));
    files_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    files_->setMinimumContentsLength(20);
    for (int i = 0; i < context_.list.size(); ++i) {
        const core::AudioFile& file = context_.list.at(i);
        files_->addItem(icons_.of(file.dirty()), qs(file.fileName));
    }
    auto* row = new QHBoxLayout(navigation);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(previous_);
    row->addWidget(files_, 1);
    row->addWidget(next_);

    connect(previous_, &QToolButton::clicked, this, &FileInfoDialog::showPrevious);
    connect(next_, &QToolButton::clicked, this, &FileInfoDialog::showNext);
    connect(files_, &QComboBox::activated, this, &FileInfoDialog::showFile);
    return navigation;
}

core::AudioFile* FileInfoDialog::record() const {
    return index_ < context_.list.size() ? &context_.list.at(index_) : nullptr;
}

void FileInfoDialog::showRecord() {
    const int last = context_.list.size() - 1;
    previous_->setEnabled(index_ > 0);
    next_->setEnabled(index_ < last);
    files_->setCurrentIndex(index_);

    const core::AudioFile* file = record();
    v1_.box->setEnabled(file != nullptr);
    v2_.box->setEnabled(file != nullptr);
    if (!file)
        return;

    // Files of the other formats hold their own tag in place of ID3v2, and no ID3v1 tag.
    const bool holdsV1 = core::holdsId3v1(file->format);
    v1_.box->setEnabled(holdsV1);
    v1_.box->setToolTip(holdsV1 ? QString()
                                : textf(ids::kTipNoId3v1, core::formatName(file->format)));
    copyToV1_->setEnabled(holdsV1);
    copyToV2_->setEnabled(holdsV1);
    v2_.box->setTitle(mainTagCaption(file->format));
    v2_.genre->setTextGenres(core::holdsTextGenre(file->format));

    v1_.box->setChecked(file->id3v1.present);
    showCommonFields(v1_, file->id3v1);
    v1_.track->setText(numberText(file->id3v1.track));

    const core::TagV2Fields& v2 = file->id3v2;
    v2_.box->setChecked(v2.present);
    showCommonFields(v2_, v2);
    v2_.track->setText(qs(core::composeTrackText(v2)));
    composer_->setText(qs(v2.composer));
    origArtist_->setText(qs(v2.origArtist));
    copyright_->setText(qs(v2.copyright));
    url_->setText(qs(v2.url));
    encodedBy_->setText(qs(v2.encodedBy));
    publisher_->setText(qs(v2.publisher));
    openUrl_->setEnabled(!url_->text().isEmpty());

    QString info = qs(file->infoText);
    info.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    mpeg_->setPlainText(info);
}

void FileInfoDialog::showCommonFields(const TagControls& controls, const core::TagFields& tag) {
    controls.title->setText(qs(tag.title));
    controls.artist->setText(qs(tag.artist));
    controls.album->setText(qs(tag.album));
    controls.comment->setText(qs(tag.comment));
    controls.genre->showGenre(tag.genre, qs(tag.freeGenre));
    controls.year->setText(numberText(tag.year));
}

void FileInfoDialog::apply(bool markInSelector) {
    core::AudioFile* file = record();
    if (!file)
        return;

    if (applyCheckState(file->id3v1, v1_.box->isChecked())) {
        applyCommonFields(v1_, file->id3v1);
        file->id3v1.setTrackText(utf8(v1_.track->text()));
    }

    core::TagV2Fields& v2 = file->id3v2;
    if (applyCheckState(v2, v2_.box->isChecked())) {
        applyCommonFields(v2_, v2);
        // The field shows "track/total"; only a text the user changed is taken.
        const std::string track = utf8(v2_.track->text());
        if (track != core::composeTrackText(v2))
            v2.setTrackText(track);
        v2.setComposer(utf8(composer_->text()));
        v2.setCopyright(utf8(copyright_->text()));
        v2.setEncodedBy(utf8(encodedBy_->text()));
        v2.setOrigArtist(utf8(origArtist_->text()));
        v2.setUrl(utf8(url_->text()));
        v2.setPublisher(utf8(publisher_->text()));
    }

    if (markInSelector)
        markEntry(index_);
}

void FileInfoDialog::applyCommonFields(const TagControls& controls, core::TagFields& tag) {
    tag.setTitle(utf8(controls.title->text()));
    tag.setComment(utf8(controls.comment->text()));
    tag.setArtist(utf8(controls.artist->text()));
    tag.setAlbum(utf8(controls.album->text()));
    applyGenre(*controls.genre, tag);
    tag.setYearText(utf8(controls.year->text()));
}

void FileInfoDialog::markEntry(int index) {
    if (index < context_.list.size())
        files_->setItemIcon(index, icons_.of(context_.list.at(index).dirty()));
}

void FileInfoDialog::showPrevious() {
    apply(true);
    if (index_ > 0)
        --index_;
    showRecord();
}

void FileInfoDialog::showNext() {
    apply(true);
    if (index_ < context_.list.size() - 1)
        ++index_;
    showRecord();
}

void FileInfoDialog::showFile(int index) {
    apply(true);
    if (index >= 0 && index < context_.list.size())
        index_ = index;
    showRecord();
}

void FileInfoDialog::copyToV2() {
    apply(true);
    if (core::AudioFile* file = record()) {
        core::fillV2FromV1(*file, true);
        markEntry(index_);
    }
    showRecord();
}

void FileInfoDialog::copyToV1() {
    apply(true);
    if (core::AudioFile* file = record()) {
        core::fillV1FromV2(*file, true);
        markEntry(index_);
    }
    showRecord();
}

void FileInfoDialog::accept() {
    apply(false);
    QDialog::accept();
}

}  // namespace tw::gui
