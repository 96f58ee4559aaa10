// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/lyrics_page.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include "base/code_page.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "core/lyrics_save.h"
#include "gui/common/accessible_names.h"
#include "gui/common/file_filter.h"
#include "gui/document/edit_document.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

LyricsPage::LyricsPage(GuiContext& context, QWidget* parent)
    : QWidget(parent), context_(context), text_(new QPlainTextEdit(this)) {
    text_->setObjectName(QStringLiteral("lyricsText"));
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab walks on through the page as in every other field; a tab typed into lyrics was
    // invisible, yet it made the file changed.
    text_->setTabChangesFocus(true);
    setFocusProxy(text_);
    nameControl(*text_, ids::kTabLyrics);

    auto* save = new QPushButton(text(ids::kButtonSaveLyrics), this);
    auto* open = new QPushButton(text(ids::kButtonOpenLyrics), this);
    auto* remove = new QPushButton(text(ids::kButtonDeleteLyrics), this);
    save->setObjectName(QStringLiteral("saveLyrics"));
    open->setObjectName(QStringLiteral("openLyrics"));
    remove->setObjectName(QStringLiteral("deleteLyrics"));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(open);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, &LyricsPage::saveLyrics);
    connect(open, &QPushButton::clicked, this, &LyricsPage::chooseLyricsFile);
    connect(remove, &QPushButton::clicked, this, &LyricsPage::deleteLyrics);
    connect(text_, &QPlainTextEdit::textChanged, this, &LyricsPage::onTextEdited);
}

void LyricsPage::refresh() {
    if (typing_)
        return;
    const core::AudioFile* first = context_.list.first();
    showText(first ? qs(first->lyrics.text) : QString());
    text_->setEnabled(first != nullptr);
}

void LyricsPage::showText(const QString& text) {
    const QScopedValueRollback guard(showing_, true);
    if (text != shown_ || text_->toPlainText() != filled_)
        text_->setPlainText(text);
    shown_ = text;
    filled_ = text_->toPlainText();
}

void LyricsPage::onTextEdited() {
    core::AudioFile* first = context_.list.first();
    // The field holds line breaks its own way ("\r\n" reads back as "\n"), and it reports
    // changes that are none (an input method greeting the focus): only a text other than
    // the one filled in is the user's.
    const QString typed = text_->toPlainText();
    if (showing_ || !first || typed == filled_)
        return;
    shown_ = filled_ = typed;
    const QScopedValueRollback guard(typing_, true);
    editFirst([&] { core::replaceLyrics(*first, utf8(typed)); }, ids::kTabLyrics);
}

void LyricsPage::editFirst(const std::function<void()>& change, int mergeKey) {
    context_.document.editRow(EditDocument::setFieldName(ids::kTabLyrics, 1),
                              context_.list.firstSelected(), change, mergeKey);
}

void LyricsPage::chooseLyricsFile() {
    const auto path = context_.port.askOpenPath(context_.options.workFolder,
                                                utf8(qtFileFilter(text(ids::kFilterTextFile))));
    if (path)
        (void)loadLyricsFile(qs(*path));  // a failure is told there
}

bool LyricsPage::loadLyricsFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxLyricsFileSize) {
        context_.port.showMessage(base::UserPort::Severity::Error,
                                  base::tr(ids::kMsgCannotReadTextFile) + utf8(path));
        return false;
    }
    const QByteArray bytes = file.read(kMaxLyricsFileSize);
    const std::string lyrics =
        base::decodeLinesUnlessUtf8(std::string_view(bytes.constData(), bytes.size()));
    if (core::AudioFile* first = context_.list.first()) {
        showText(qs(lyrics));
        editFirst([&] { core::replaceLyrics(*first, lyrics); });
    }
    return true;
}

void LyricsPage::saveLyrics() {
    core::AudioFile* first = context_.list.first();
    if (!first || !core::saveLyrics(*first))
        context_.port.showMessage(base::UserPort::Severity::Error,
                                  base::tr(ids::kMsgSaveLyricsFailed));
    context_.document.recordsWritten();
}

void LyricsPage::deleteLyrics() {
    if (context_.port.askYesNo(base::tr(ids::kMsgConfirmDeleteLyrics)) !=
        base::UserPort::Answer::Yes)
        return;
    if (core::AudioFile* first = context_.list.first())
        editFirst([&] { core::deleteLyrics(*first); });
    showText(QString());
}

}  // namespace tw::gui
