// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/rename/mask_selector.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

#include "base/string_ids.h"
#include "gui/qt_text.h"
#include "gui/rename/mask_editor.h"
#include "rename/mask_list.h"

namespace tw::gui {

namespace ids = base::ids;

MaskSelector::MaskSelector(GuiContext& context, ShellPort& shell, rename::MaskList& list,
                           MaskEditorSetup setup, QWidget* parent)
    : QWidget(parent),
      context_(context),
      shell_(shell),
      list_(list),
      setup_(std::move(setup)),
      field_(new QComboBox(this)),
      editorButton_(new QToolButton(this)) {
    field_->setObjectName(QStringLiteral("maskField"));
    field_->setEditable(true);
    field_->setInsertPolicy(QComboBox::NoInsert);
    field_->setCompleter(nullptr);  // a mask is typed as it is, never completed to another
    field_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    field_->lineEdit()->installEventFilter(this);
    editorButton_->setObjectName(QStringLiteral("openEditor"));
    editorButton_->setText(QStringLiteral("..."));
    editorButton_->setToolTip(text(ids::kMaskEditorPage));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(field_, 1);
    row->addWidget(editorButton_);

    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] {
        if (takeText())
            Q_EMIT maskChanged();
    });
    connect(field_->lineEdit(), &QLineEdit::textEdited, this, [this] { settle_.start(); });
    // A pick from the list, or the focus leaving on a text that names an entry: only the
    // first changes the mask.
    connect(field_, &QComboBox::activated, this, [this] {
        settle_.stop();
        if (takeText())
            Q_EMIT maskChanged();
    });
    connect(editorButton_, &QToolButton::clicked, this, &MaskSelector::openEditor);
    showList();
}

void MaskSelector::showList() {
    const QSignalBlocker quiet(field_);
    field_->clear();
    for (const std::string& mask : list_.masks())
        field_->addItem(qs(mask));
    field_->setCurrentIndex(list_.selectedIndex());
    field_->setEditText(qs(list_.currentMask()));
}

bool MaskSelector::takeText() {
    const std::string text = utf8(field_->currentText());
    if (text == list_.currentMask())
        return false;
    list_.setCurrentMask(text);
    return true;
}

void MaskSelector::commit() {
    settle_.stop();
    takeText();
}

void MaskSelector::openEditor() {
    commit();
    MaskEditor editor(context_, shell_, list_, setup_, window());
    if (editor.exec() != QDialog::Accepted)
        return;
    showList();
    Q_EMIT maskChanged();
}

bool MaskSelector::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            settle_.stop();
            if (takeText())
                Q_EMIT maskChanged();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tw::gui
