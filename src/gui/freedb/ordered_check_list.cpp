// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/ordered_check_list.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "gui/common/accessible_names.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

constexpr int kKeyRole = Qt::UserRole + 1;

QToolButton* makeButton(QWidget& parent, QStyle::StandardPixmap icon, int tipId,
                        const QString& name) {
    auto* button = new QToolButton(&parent);
    button->setObjectName(name);
    button->setIcon(parent.style()->standardIcon(icon));
    button->setToolTip(text(tipId));
    nameControl(*button, tipId);
    return button;
}

}  // namespace

OrderedCheckList::OrderedCheckList(QWidget* parent)
    : QWidget(parent), list_(new QListWidget(this)) {
    list_->setObjectName(QStringLiteral("orderList"));
    QToolButton* up =
        makeButton(*this, QStyle::SP_ArrowUp, ids::kListMoveItemUp, QStringLiteral("moveUp"));
    QToolButton* down =
        makeButton(*this, QStyle::SP_ArrowDown, ids::kListMoveItemDown, QStringLiteral("moveDown"));
    QToolButton* toggle = makeButton(*this, QStyle::SP_DialogApplyButton, ids::kListToggleItem,
                                     QStringLiteral("toggle"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(up);
    buttons->addWidget(down);
    buttons->addWidget(toggle);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    connect(up, &QToolButton::clicked, this, [this] { moveCurrent(-1); });
    connect(down, &QToolButton::clicked, this, [this] { moveCurrent(1); });
    connect(toggle, &QToolButton::clicked, this, &OrderedCheckList::toggleCurrent);
}

void OrderedCheckList::setEntries(const std::vector<Entry>& entries) {
    list_->clear();
    for (const Entry& entry : entries) {
        auto* item = new QListWidgetItem(entry.label, list_);
        item->setData(kKeyRole, entry.key);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
    }
    list_->setCurrentRow(0);
}

std::vector<OrderedCheckList::Entry> OrderedCheckList::entries() const {
    std::vector<Entry> result;
    for (int i = 0; i < list_->count(); ++i) {
        const QListWidgetItem* item = list_->item(i);
        result.push_back(
            {item->data(kKeyRole).toInt(), item->text(), item->checkState() == Qt::Checked});
    }
    return result;
}

void OrderedCheckList::moveCurrent(int by) {
    const int row = list_->currentRow();
    const int target = row + by;
    if (row < 0 || target < 0 || target >= list_->count())
        return;
    QListWidgetItem* item = list_->takeItem(row);
    list_->insertItem(target, item);
    list_->setCurrentRow(target);
}

void OrderedCheckList::toggleCurrent() {
    if (QListWidgetItem* item = list_->currentItem())
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

}  // namespace tw::gui
