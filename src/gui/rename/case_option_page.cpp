// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/rename/case_option_page.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "gui/common/dialog_buttons.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

CaseOptionPage::CaseOptionPage(QWidget* parent) : QWidget(parent), modes_(new QButtonGroup(this)) {
    // In the order of the case modes, 0 "As is" to 6 "iNVERT cASE".
    const int labels[] = {ids::kCaseModeAsIs,          ids::kCaseModeUpperFirst,
                          ids::kCaseModeUpperAllFirst, ids::kCaseModeLowerAll,
                          ids::kCaseModeUpperAll,      ids::kCaseModeRandomize,
                          ids::kCaseModeInvert};
    QGroupBox* group =
        addRadioChoices(*modes_, ids::kMaskCaseOptions, labels, QStringLiteral("caseMode"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    connect(modes_, &QButtonGroup::idClicked, this,
            [this](int id) { Q_EMIT modeChosen(static_cast<rename::CaseMode>(id)); });
    load(rename::CaseMode::AsIs);
}

void CaseOptionPage::load(rename::CaseMode mode) {
    if (QAbstractButton* button = modes_->button(static_cast<int>(mode)))
        button->setChecked(true);
}

rename::CaseMode CaseOptionPage::mode() const {
    return static_cast<rename::CaseMode>(std::max(modes_->checkedId(), 0));
}

void CaseOptionPage::restoreDefaults() {
    load(rename::CaseMode::AsIs);
}

}  // namespace tw::gui
