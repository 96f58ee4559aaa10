// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/rename/change_case_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QTreeWidget>

#include "base/language.h"
#include "base/string_ids.h"
#include "core/app_options.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/window_placement.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

QTreeWidget* valueList(const QString& heading, const char* name, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setHeaderLabels({heading});
    list->setAccessibleName(heading);
    return list;
}

}  // namespace

DlgChangeCase::DlgChangeCase(GuiContext& context, rename::ChangeCaseTarget target, QWidget* parent)
    : QDialog(parent),
      context_(context),
      command_(context.list, context.settings, target),
      modes_(new QButtonGroup(this)) {
    const std::string field = command_.targetName();
    setWindowTitle(textf(ids::kChangeCaseCaption, field));
    before_ = valueList(textf(ids::kChangeCaseBefore, field), "before", this);
    after_ = valueList(textf(ids::kChangeCaseAfter, field), "after", this);

    // In the order of the choices, 0 "Upper first letter" to 4 "iNVERT cASE".
    const int labels[] = {ids::kChangeCaseUpperFirst, ids::kChangeCaseUpperAllFirst,
                          ids::kChangeCaseLowerAll, ids::kChangeCaseUpperAll,
                          ids::kChangeCaseInvert};
    QGroupBox* choices =
        addRadioChoices(*modes_, ids::kChangeCaseSelect, labels, QStringLiteral("mode"), this);
    if (QAbstractButton* chosen = modes_->button(static_cast<int>(command_.mode())))
        chosen->setChecked(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(before_, 0, 0);
    layout->addWidget(choices, 0, 1);
    layout->addWidget(after_, 0, 2);
    layout->addWidget(addOkCancel(*this).box, 1, 0, 1, 3);
    resize(720, 360);

    connect(modes_, &QButtonGroup::idClicked, this, [this](int id) {
        command_.setMode(static_cast<rename::ChangeCaseMode>(id));
        showRows();
    });
    showRows();
    restoreDialogPlacement(*this, context_.settings, kSection);
}

void DlgChangeCase::showRows() {
    const std::vector<rename::ChangeCaseRow> rows = command_.rows();
    const bool first = before_->topLevelItemCount() == 0;
    after_->clear();
    for (const rename::ChangeCaseRow& row : rows) {
        if (first)
            new QTreeWidgetItem(before_, {qs(row.before)});  // owned by the list
        new QTreeWidgetItem(after_, {qs(row.after)});        // owned by the list
    }
}

void DlgChangeCase::accept() {
    changed_ = command_.run(context_.port, context_.options.workFolder).changed > 0;
    QDialog::accept();
}

void DlgChangeCase::done(int result) {
    saveDialogPlacement(*this, context_.settings, kSection);
    QDialog::done(result);
}

}  // namespace tw::gui
