// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/tag_tabs_view.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabBar>
#include <algorithm>
#include <optional>
#include <utility>

#include "base/string_ids.h"
#include "core/effective_value.h"
#include "core/file_list.h"
#include "core/formats/format_tags.h"
#include "core/list_cells.h"
#include "core/list_rules.h"
#include "core/tag_suggestions.h"
#include "gui/common/accessible_names.h"
#include "gui/document/edit_document.h"
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

// The value that every file of the chain shares: empty for an empty chain, nullopt when
// two files differ.
template <typename Value, typename ValueOf>
std::optional<Value> sharedValue(const core::FileList& list, const std::vector<int>& chain,
                                 const ValueOf& valueOf) {
    if (chain.empty())
        return Value{};
    Value shared = valueOf(list.at(chain.front()));
    for (int index : chain)
        if (valueOf(list.at(index)) != shared)
            return std::nullopt;
    return shared;
}

std::function<std::string(const core::AudioFile&)> effective(core::EffectiveField field) {
    return [field](const core::AudioFile& file) { return core::EffectiveValue(file, field); };
}

std::function<std::string(const core::AudioFile&)> v2Text(std::string core::TagV2Fields::*field) {
    return [field](const core::AudioFile& file) { return file.id3v2.*field; };
}

// The genre the genre field shows for a file: its number and the free genre of its main tag.
using ShownGenre = std::pair<std::int32_t, std::string>;
ShownGenre shownGenre(const core::AudioFile& file) {
    return {core::preferredGenre(file), file.id3v2.freeGenre};
}

}  // namespace

TagTabsView::TagTabsView(GuiContext& context, QWidget* parent)
    : QTabWidget(parent), context_(context) {
    addTab(makeStandardPage(), text(ids::kTabStandard));
    addTab(makeExtendedPage(), text(ids::kTabExtended));
    lyrics_ = new LyricsPage(context_, this);
    addTab(lyrics_, text(ids::kTabLyrics));
    pictures_ = new PicturePage(context_, this);
    addTab(pictures_, text(ids::kTabPicture));
    // Tab leads from the file list straight into the fields of the page in front; the pages
    // are brought to front by Alt+2 to Alt+5 or by a click.
    setFocusPolicy(Qt::NoFocus);
    tabBar()->setFocusPolicy(Qt::NoFocus);

    EditDocument& document = context_.document;
    connect(&document, &EditDocument::recordsEdited, this, &TagTabsView::refresh);
    connect(&document, &EditDocument::selectionChanged, this, &TagTabsView::refresh);
    connect(&document, &EditDocument::rowsReordered, this, &TagTabsView::refresh);
    connect(&document, &EditDocument::allRowsChanged, this, [this] {
        refillSuggestions();
        refresh();
    });
    // Keystrokes into one field are one step of the history until the focus leaves it. The
    // focus also moves while this view is being destroyed, so the slot must not touch it.
    connect(qApp, &QApplication::focusChanged, this, [&document] { document.endTyping(); });
    refillSuggestions();
    refresh();
}

TagTabsView::~TagTabsView() = default;

SuggestionField* TagTabsView::addField(QGridLayout& layout, int row, int labelId, const char* name,
                                       BatchSetter setter, ValueOf value, bool clearButton) {
    QWidget* page = layout.parentWidget();
    auto* field = new SuggestionField(
        clearButton ? SuggestionField::ClearButton::Shown : SuggestionField::ClearButton::None,
        page);
    field->setObjectName(QString::fromLatin1(name));
    auto* label = new QLabel(text(labelId), page);
    label->setBuddy(field);
    // The focus goes into the field's combo box, past the reach of the label's buddy.
    nameAfterLabel(field->comboBox(), *label);
    layout.addWidget(label, row, 0);
    layout.addWidget(field, row, 1);
    fields_.push_back(field);
    textFields_.push_back({field, std::move(value)});
    connect(field, &SuggestionField::edited, this, [this, setter, labelId](const QString& edited) {
        if (!context_.list.first())
            return;
        const QScopedValueRollback guard(editing_, true);
        context_.document.editSelected(
            EditDocument::setFieldName(labelId, context_.list.selectedCount()),
            [&] { (context_.list.*setter)(utf8(edited)); }, labelId);
    });
    return field;
}

QPushButton* TagTabsView::makeSaveButton(QWidget* page) {
    auto* save = new QPushButton(text(ids::kButtonSaveChanges), page);
    save->setObjectName(QStringLiteral("saveChanges"));
    saveButtons_.push_back(save);
    connect(save, &QPushButton::clicked, &context_.document, &EditDocument::save);
    return save;
}

// The widgets are made in the order of the page, top to bottom and left to right, which is
// the order the Tab key walks them in.
QWidget* TagTabsView::makeStandardPage() {
    auto* page = new QWidget(this);
    auto* layout = new QGridLayout(page);
    using L = core::FileList;
    using F = core::EffectiveField;
    title_ =
        addField(*layout, 0, ids::kTagLabelTitle, "title", &L::setTitleAll, effective(F::Title));
    artist_ = addField(*layout, 1, ids::kTagLabelArtist, "artist", &L::setArtistAll,
                       effective(F::Artist));
    album_ =
        addField(*layout, 2, ids::kTagLabelAlbum, "album", &L::setAlbumAll, effective(F::Album));
    year_ =
        addField(*layout, 3, ids::kTagLabelYear, "year", &L::setYearAll, effective(F::Year), false);

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
    const auto editGenres = [this](const std::function<void()>& change, int mergeKey) {
        if (!context_.list.first())
            return;
        const QScopedValueRollback guard(editing_, true);
        context_.document.editSelected(
            EditDocument::setFieldName(ids::kTagLabelGenre, context_.list.selectedCount()), change,
            mergeKey);
    };
    connect(genre_, &GenreSelector::genreChosen, this, [this, editGenres](std::int32_t number) {
        editGenres([&] { context_.list.setGenreAll(number); }, 0);
    });
    // Typed like a text field: one step until the focus leaves.
    connect(genre_, &GenreSelector::genreTyped, this, [this, editGenres](const QString& typed) {
        editGenres([&] { context_.list.setTextGenreAll(utf8(typed)); }, ids::kTagLabelGenre);
    });

    comments_ = addField(*layout, 4, ids::kTagLabelComments, "comments", &L::setCommentAll,
                         effective(F::Comment));
    layout->addWidget(makeSaveButton(page), 5, 1, Qt::AlignRight);

    information_ = new QPlainTextEdit(page);
    information_->setObjectName(QStringLiteral("information"));
    information_->setReadOnly(true);
    nameControl(*information_, ids::kNameTotals);
    information_->setLineWrapMode(QPlainTextEdit::NoWrap);
    information_->setTabStopDistance(
        information_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 8);
    layout->addWidget(information_, 0, 2, 6, 1);
    layout->setColumnStretch(1, 3);
    layout->setColumnStretch(2, 2);
    layout->setRowStretch(6, 1);
    page->setFocusProxy(title_);
    return page;
}

QWidget* TagTabsView::makeExtendedPage() {
    auto* page = new QWidget(this);
    auto* layout = new QGridLayout(page);
    using L = core::FileList;
    using V2 = core::TagV2Fields;
    page->setFocusProxy(addField(*layout, 0, ids::kTagLabelComposer, "composer", &L::setComposerAll,
                                 v2Text(&V2::composer)));
    addField(*layout, 1, ids::kTagLabelOrigArtist, "origArtist", &L::setOrigArtistAll,
             v2Text(&V2::origArtist));
    addField(*layout, 2, ids::kTagLabelCopyright, "copyright", &L::setCopyrightAll,
             v2Text(&V2::copyright));
    addField(*layout, 3, ids::kTagLabelUrl, "url", &L::setUrlAll, v2Text(&V2::url));
    addField(*layout, 4, ids::kTagLabelPublisher, "publisher", &L::setPublisherAll,
             v2Text(&V2::publisher));
    layout->addWidget(makeSaveButton(page), 5, 1, Qt::AlignRight);
    layout->setRowStretch(6, 1);
    return page;
}

void TagTabsView::refresh() {
    if (!editing_)
        showFields();
    lyrics_->refresh();
    pictures_->refresh();
    showInformation();
    const bool canSave = core::canSave(context_.list);
    for (QPushButton* save : saveButtons_)
        save->setEnabled(canSave);
}

void TagTabsView::showFields() {
    const core::FileList& list = context_.list;
    const std::vector<int> chain = list.selectedIndices();
    for (QWidget* field : fields_)
        field->setEnabled(!chain.empty());
    const QString different = text(ids::kTagDifferentValues);
    for (const TextField& text : textFields_) {
        if (const auto shared = sharedValue<std::string>(list, chain, text.value))
            text.field->showText(qs(*shared));
        else
            text.field->showPlaceholder(different);
    }
    // Typed genres only where every selected file takes them; MP3 files keep the table's.
    genre_->setTextGenres(!chain.empty() && std::all_of(chain.begin(), chain.end(), [&](int i) {
        return core::holdsTextGenre(list.at(i).format);
    }));
    if (chain.empty())
        genre_->setGenre(-1);
    else if (const auto genre = sharedValue<ShownGenre>(list, chain, shownGenre))
        genre_->showGenre(genre->first, qs(genre->second));
    else
        genre_->showPlaceholder(different);
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

}  // namespace tw::gui
