// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/suggestion_field.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QStyle>
#include <QToolButton>

#include "base/string_ids.h"
#include "gui/common/accessible_names.h"
#include "gui/views/list_choice_only.h"

namespace tw::gui {

SuggestionField::SuggestionField(ClearButton clearButton, QWidget* parent)
    : QWidget(parent), combo_(new QComboBox(this)) {
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    // Completion would change the text while it is typed, and every change is written into
    // the selected files at once.
    combo_->setCompleter(nullptr);
    combo_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    combo_->setMaxVisibleItems(20);
    changeOnlyByListChoice(*combo_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(combo_);
    if (clearButton == ClearButton::Shown) {
        clear_ = new QToolButton(this);
        clear_->setIcon(style()->standardIcon(QStyle::SP_LineEditClearButton));
        clear_->setAutoRaise(true);
        clear_->setFocusPolicy(Qt::NoFocus);
        nameControl(*clear_, base::ids::kNameClearField);
        layout->addWidget(clear_);
        connect(clear_, &QToolButton::clicked, this, [this] {
            {
                const QScopedValueRollback guard(showing_, true);
                combo_->setEditText(QString());
            }
            userEdited(QString());
        });
    }
    setFocusProxy(combo_);
    // The combo box has the focus and hands its keys to its line edit.
    combo_->installEventFilter(this);
    combo_->lineEdit()->installEventFilter(this);

    // Only a change of the text counts. QComboBox's own "activated" is no user's choice: it
    // also comes when the field loses the focus while its text matches an entry, and the
    // shown text then went into every selected file.
    connect(combo_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (!showing_)
            userEdited(text);
    });
}

bool SuggestionField::eventFilter(QObject* watched, QEvent* event) {
    // The field's own undo would bring back the empty text that stands for differing values
    // and write it into every selected file; the keys go to the window's Undo and Redo,
    // which take back the field's whole edit.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SuggestionField::userEdited(const QString& text) {
    combo_->lineEdit()->setPlaceholderText(QString());
    Q_EMIT edited(text);
}

QString SuggestionField::text() const {
    return combo_->currentText();
}

void SuggestionField::showText(const QString& text) {
    const QScopedValueRollback guard(showing_, true);
    combo_->lineEdit()->setPlaceholderText(QString());
    if (combo_->currentText() != text)
        combo_->setEditText(text);
}

void SuggestionField::showPlaceholder(const QString& placeholder) {
    showText(QString());
    combo_->lineEdit()->setPlaceholderText(placeholder);
}

QString SuggestionField::placeholder() const {
    return combo_->lineEdit()->placeholderText();
}

void SuggestionField::setSuggestions(const QStringList& suggestions) {
    const QScopedValueRollback guard(showing_, true);
    const QString shown = combo_->currentText();
    combo_->clear();
    combo_->addItems(suggestions);
    combo_->setEditText(shown);
}

QStringList SuggestionField::suggestions() const {
    QStringList items;
    for (int i = 0; i < combo_->count(); ++i)
        items << combo_->itemText(i);
    return items;
}

}  // namespace tw::gui
