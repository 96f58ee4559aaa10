#include "gui/views/tag_tabs_view.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>

#include "base/string_ids.h"
#include "core/effective_value.h"
#include "core/file_list.h"
#include "core/list_cells.h"
#include "core/list_rules.h"
#include "core/tag_save.h"
#include "core/tag_suggestions.h"
#include "gui/qt_text.h"
#include "gui/views/genre_selector.h"
#include "gui/views/lyrics_page.h"
#include "gui/views/picture_page.h"
#include "gui/views/suggestion_field.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

QStringList toQt(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts)
        list << qs(text);
    return list;
}

}  // namespace

TagTabsView::TagTabsView(GuiContext& context, QWidget* parent)
    : QTabWidget(parent), context_(context) {
    addTab(makeStandardPage(), text(ids::kTabStandard));
    addTab(makeExtendedPage(), text(ids::kTabExtended));
    lyrics_ = new LyricsPage(context_, this);
    addTab(lyrics_, text(ids::kTabLyrics));
    addTab(new PicturePage(context_, this), text(ids::kTabPicture));

    connect(lyrics_, &LyricsPage::lyricsChanged, this, &TagTabsView::recordsEdited);
    refillSuggestions();
    refresh();
}

TagTabsView::~TagTabsView() = default;

SuggestionField* TagTabsView::addField(QGridLayout& layout, int row, int labelId, const char* name,
                                       BatchSetter setter, bool clearButton) {
    QWidget* page = layout.parentWidget();
    auto* field = new SuggestionField(
        clearButton ? SuggestionField::ClearButton::Shown : SuggestionField::ClearButton::None,
        page);
    field->setObjectName(QString::fromLatin1(name));
    auto* label = new QLabel(text(labelId), page);
    label->setBuddy(field);
    layout.addWidget(label, row, 0);
    layout.addWidget(field, row, 1);
    fields_.push_back(field);
    connect(field, &SuggestionField::edited, this, [this, setter](const QString& value) {
        if (!context_.list.first())
            return;
        (context_.list.*setter)(utf8(value));
        recordsEdited();
    });
    return field;
}

QPushButton* TagTabsView::makeSaveButton(QWidget* page) {
    auto* save = new QPushButton(text(ids::kButtonSaveChanges), page);
    save->setObjectName(QStringLiteral("saveChanges"));
    saveButtons_.push_back(save);
    connect(save, &QPushButton::clicked, this, &TagTabsView::saveChanges);
    return save;
}

QWidget* TagTabsView::makeStandardPage() {
    auto* page = new QWidget(this);
    auto* layout = new QGridLayout(page);
    using L = core::FileList;
    title_ = addField(*layout, 0, ids::kTagLabelTitle, "title", &L::setTitleAll);
    artist_ = addField(*layout, 1, ids::kTagLabelArtist, "artist", &L::setArtistAll);
    album_ = addField(*layout, 2, ids::kTagLabelAlbum, "album", &L::setAlbumAll);
    year_ = addField(*layout, 3, ids::kTagLabelYear, "year", &L::setYearAll, false);
    comments_ = addField(*layout, 4, ids::kTagLabelComments, "comments", &L::setCommentAll);

    // Year and genre share a row: the year is short.
    layout->removeWidget(year_);
    genre_ = new GenreSelector(page);
    genre_->setObjectName(QStringLiteral("genre"));
    fields_.push_back(genre_);
    auto* genreLabel = new QLabel(text(ids::kTagLabelGenre), page);
    genreLabel->setBuddy(genre_);
    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(year_, 1);
    yearRow->addWidget(genreLabel);
    yearRow->addWidget(genre_, 2);
    layout->addLayout(yearRow, 3, 1);
    connect(genre_, &GenreSelector::genreChosen, this, [this](std::int32_t number) {
        if (!context_.list.first())
            return;
        context_.list.setGenreAll(number);
        recordsEdited();
    });

    information_ = new QPlainTextEdit(page);
    information_->setObjectName(QStringLiteral("information"));
    information_->setReadOnly(true);
    information_->setLineWrapMode(QPlainTextEdit::NoWrap);
    information_->setTabStopDistance(
        information_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 8);
    layout->addWidget(information_, 0, 2, 6, 1);
    layout->addWidget(makeSaveButton(page), 5, 1, Qt::AlignRight);
    layout->setColumnStretch(1, 3);
    layout->setColumnStretch(2, 2);
    layout->setRowStretch(6, 1);
    return page;
}

QWidget* TagTabsView::makeExtendedPage() {
    auto* page = new QWidget(this);
    auto* layout = new QGridLayout(page);
    using L = core::FileList;
    composer_ = addField(*layout, 0, ids::kTagLabelComposer, "composer", &L::setComposerAll);
    origArtist_ =
        addField(*layout, 1, ids::kTagLabelOrigArtist, "origArtist", &L::setOrigArtistAll);
    copyright_ = addField(*layout, 2, ids::kTagLabelCopyright, "copyright", &L::setCopyrightAll);
    url_ = addField(*layout, 3, ids::kTagLabelUrl, "url", &L::setUrlAll);
    publisher_ = addField(*layout, 4, ids::kTagLabelPublisher, "publisher", &L::setPublisherAll);
    layout->addWidget(makeSaveButton(page), 5, 1, Qt::AlignRight);
    layout->setRowStretch(6, 1);
    return page;
}

void TagTabsView::refresh() {
    if (!editing_)
        showFields();
    lyrics_->refresh();
    showInformation();
    const bool canSave = core::canSave(context_.list);
    for (QPushButton* save : saveButtons_)
        save->setEnabled(canSave);
}

void TagTabsView::showFields() {
    const core::AudioFile* first = context_.list.first();
    for (QWidget* field : fields_)
        field->setEnabled(first != nullptr);
    if (!first) {
        for (SuggestionField* field : {title_, artist_, album_, year_, comments_, composer_,
                                       origArtist_, copyright_, url_, publisher_})
            field->showText(QString());
        genre_->setGenre(-1);
        return;
    }
    const core::TagFields& v1 = first->id3v1;
    const core::TagV2Fields& v2 = first->id3v2;
    title_->showText(qs(core::preferV2(v2.title, v1.title)));
    artist_->showText(qs(core::preferV2(v2.artist, v1.artist)));
    album_->showText(qs(core::preferV2(v2.album, v1.album)));
    year_->showText(qs(core::preferV2(v2.yearText, v1.yearText)));
    comments_->showText(qs(core::preferV2(v2.comment, v1.comment)));
    genre_->setGenre(core::preferredGenre(*first));
    composer_->showText(qs(v2.composer));
    origArtist_->showText(qs(v2.origArtist));
    copyright_->showText(qs(v2.copyright));
    url_->showText(qs(v2.url));
    publisher_->showText(qs(v2.publisher));
}

void TagTabsView::showInformation() {
    const core::FileList& list = context_.list;
    const core::AudioFile* first = list.first();
    QString info =
        qs(list.selectedCount() == 1 && first ? first->infoText : core::totalsText(list));
    info.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (information_->toPlainText() != info)
        information_->setPlainText(info);
}

void TagTabsView::refillSuggestions() {
    const core::TagSuggestions suggestions = core::collectSuggestions(context_.list);
    title_->setSuggestions(toQt(suggestions.titles));
    artist_->setSuggestions(toQt(suggestions.artists));
    album_->setSuggestions(toQt(suggestions.albums));
    year_->setSuggestions(toQt(suggestions.years));
    comments_->setSuggestions(toQt(suggestions.comments));
}

void TagTabsView::showPage(Page page) {
    setCurrentIndex(static_cast<int>(page));
    currentWidget()->setFocus();
}

void TagTabsView::saveChanges() {
    core::saveAll(context_.list, context_.port);
    Q_EMIT allRecordsChanged();
    refresh();
}

void TagTabsView::recordsEdited() {
    const QScopedValueRollback guard(editing_, true);
    Q_EMIT selectedRecordsEdited();
    refresh();
}

}  // namespace tw::gui
