// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/export/export_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "gui/export/export_target.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

constexpr int kRowsPerColumn = 7;

QCheckBox*& boxOf(std::array<QCheckBox*, exports::kExportColumnCount>& boxes, int index) {
    return boxes[static_cast<std::size_t>(index - 1)];
}

}  // namespace

CPropertyPageExport::CPropertyPageExport(ShellPort& shell, QWidget* parent)
    : QWidget(parent), target_(new ExportTarget(shell, this)) {
    auto* information = new QGroupBox(text(ids::kExportInformation), this);
    auto* grid = new QGridLayout;
    int place = 0;
    for (const exports::ExportColumn& column : exports::exportColumns()) {
        auto* box = new QCheckBox(text(column.labelId), information);
        box->setObjectName(QStringLiteral("column%1").arg(column.index));
        box->setEnabled(column.index != exports::kPictureColumn);
        grid->addWidget(box, place % kRowsPerColumn, place / kRowsPerColumn);
        boxOf(columns_, column.index) = box;
        ++place;
    }
    auto* buttons = new QHBoxLayout;
    struct Action {
        int labelId;
        const char* name;
        void (CPropertyPageExport::*run)();
    };
    const Action actions[] = {
        {ids::kExportCheckAll, "checkAll", &CPropertyPageExport::checkAll},
        {ids::kExportUncheckAll, "uncheckAll", &CPropertyPageExport::uncheckAll},
        {ids::kExportInvertAll, "invertAll", &CPropertyPageExport::invertAll},
    };
    for (const Action& action : actions) {
        auto* button = new QPushButton(text(action.labelId), information);
        button->setObjectName(QLatin1String(action.name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, action.run);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* informationLayout = new QVBoxLayout(information);
    informationLayout->addLayout(grid);
    informationLayout->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(target_);
    layout->addWidget(information, 1);
}

void CPropertyPageExport::load(const base::SettingsStore& store, const std::string& folder) {
    target_->load(folder);
    showFlags(exports::ExportColumnFlags::load(store));
}

void CPropertyPageExport::apply(base::SettingsStore& store) const {
    shownFlags().save(store);
}

exports::ListExportRequest CPropertyPageExport::request() const {
    return {target_->folder(), target_->fileName(), shownFlags().columns()};
}

void CPropertyPageExport::checkAll() {
    change(&exports::ExportColumnFlags::checkAll);
}

void CPropertyPageExport::uncheckAll() {
    change(&exports::ExportColumnFlags::uncheckAll);
}

void CPropertyPageExport::invertAll() {
    change(&exports::ExportColumnFlags::invertAll);
}

void CPropertyPageExport::change(void (exports::ExportColumnFlags::*rule)()) {
    exports::ExportColumnFlags flags = shownFlags();
    (flags.*rule)();
    showFlags(flags);
}

exports::ExportColumnFlags CPropertyPageExport::shownFlags() const {
    exports::ExportColumnFlags flags;
    for (int index = 1; index <= exports::kExportColumnCount; ++index)
        flags.set(index, columns_[static_cast<std::size_t>(index - 1)]->isChecked());
    return flags;
}

void CPropertyPageExport::showFlags(const exports::ExportColumnFlags& flags) {
    for (int index = 1; index <= exports::kExportColumnCount; ++index)
        boxOf(columns_, index)->setChecked(flags.checked(index));
}

}  // namespace tw::gui
