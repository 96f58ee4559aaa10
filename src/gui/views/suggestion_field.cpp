#include "gui/views/suggestion_field.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

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

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(combo_);
    if (clearButton == ClearButton::Shown) {
        clear_ = new QToolButton(this);
        clear_->setIcon(style()->standardIcon(QStyle::SP_LineEditClearButton));
        clear_->setAutoRaise(true);
        clear_->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(clear_);
        connect(clear_, &QToolButton::clicked, this, [this] {
            combo_->setEditText(QString());
            Q_EMIT edited(QString());
        });
    }
    setFocusProxy(combo_);

    connect(combo_->lineEdit(), &QLineEdit::textEdited, this, &SuggestionField::edited);
    connect(combo_, &QComboBox::activated, this,
            [this](int index) { Q_EMIT edited(combo_->itemText(index)); });
}

QString SuggestionField::text() const {
    return combo_->currentText();
}

void SuggestionField::showText(const QString& text) {
    if (combo_->currentText() != text)
        combo_->setEditText(text);
}

void SuggestionField::setSuggestions(const QStringList& suggestions) {
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
