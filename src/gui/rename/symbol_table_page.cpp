// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/rename/symbol_table_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "gui/common/accessible_names.h"
#include "gui/qt_text.h"
#include "gui/rename/symbol_pair_dialog.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

// The pair each row stands for, kept in the row itself so the shown form never has to be
// read back.
constexpr int kSearchRole = Qt::UserRole;
constexpr int kReplacementRole = Qt::UserRole + 1;

}  // namespace

SymbolTablePage::SymbolTablePage(base::UserPort& port, QWidget* parent)
    : QWidget(parent), port_(port), pairs_(new QTreeWidget(this)) {
    pairs_->setObjectName(QStringLiteral("pairs"));
    nameControl(*pairs_, ids::kSymbolReplacementPage);
    pairs_->setRootIsDecorated(false);
    pairs_->setHeaderLabels({text(ids::kSymbolColumnBefore), text(ids::kSymbolColumnAfter)});
    pairs_->header()->setSectionResizeMode(QHeaderView::Stretch);

    auto* add = new QPushButton(text(ids::kSymbolAddNew), this);
    add->setObjectName(QStringLiteral("addPair"));
    add->setAutoDefault(false);
    delete_ = new QPushButton(text(ids::kSymbolDelete), this);
    delete_->setObjectName(QStringLiteral("deletePair"));
    delete_->setAutoDefault(false);
    delete_->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(delete_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pairs_, 1);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, &SymbolTablePage::addPair);
    connect(delete_, &QPushButton::clicked, this, &SymbolTablePage::deleteSelected);
    connect(pairs_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { editPair(item); });
    connect(pairs_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { delete_->setEnabled(current != nullptr); });
}

void SymbolTablePage::load(const base::SettingsStore& store, std::string_view key) {
    key_ = std::string(key);
    show(rename::SymbolTable::load(store, key_));
}

void SymbolTablePage::apply(base::SettingsStore& store) const {
    table().save(store, key_);
}

void SymbolTablePage::restoreDefaults() {
    show(rename::SymbolTable::defaults());
}

rename::SymbolTable SymbolTablePage::table() const {
    rename::SymbolTable table;
    for (int row = 0; row < pairs_->topLevelItemCount(); ++row)
        table.pairs.push_back(pairOf(*pairs_->topLevelItem(row)));
    return table;
}

void SymbolTablePage::show(const rename::SymbolTable& table) {
    pairs_->clear();
    for (const rename::SymbolPair& pair : table.pairs)
        setRow(*new QTreeWidgetItem(pairs_), pair);  // owned by the list
}

void SymbolTablePage::setRow(QTreeWidgetItem& item, const rename::SymbolPair& pair) {
    item.setText(0, qs(rename::toDisplayForm(pair.search)));
    item.setText(1, qs(rename::toDisplayForm(pair.replacement)));
    item.setData(0, kSearchRole, qs(pair.search));
    item.setData(0, kReplacementRole, qs(pair.replacement));
}

rename::SymbolPair SymbolTablePage::pairOf(const QTreeWidgetItem& item) const {
    return {utf8(item.data(0, kSearchRole).toString()),
            utf8(item.data(0, kReplacementRole).toString())};
}

void SymbolTablePage::addPair() {
    SymbolPairDialog dialog(port_, std::nullopt, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    auto* item = new QTreeWidgetItem(pairs_);  // owned by the list
    setRow(*item, dialog.pair());
    pairs_->setCurrentItem(item);
}

void SymbolTablePage::editPair(QTreeWidgetItem* item) {
    if (!item)
        return;
    SymbolPairDialog dialog(port_, pairOf(*item), this);
    if (dialog.exec() == QDialog::Accepted)
        setRow(*item, dialog.pair());
}

void SymbolTablePage::deleteSelected() {
    delete pairs_->currentItem();
}

}  // namespace tw::gui
