#include "gui/rename/case_option_page.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

CaseOptionPage::CaseOptionPage(QWidget* parent) : QWidget(parent), modes_(new QButtonGroup(this)) {
    auto* group = new QGroupBox(text(ids::kMaskCaseOptions), this);
    auto* column = new QVBoxLayout(group);
    // In the order of the case modes, 0 "As is" to 6 "iNVERT cASE".
    const int labels[] = {ids::kCaseModeAsIs,          ids::kCaseModeUpperFirst,
                          ids::kCaseModeUpperAllFirst, ids::kCaseModeLowerAll,
                          ids::kCaseModeUpperAll,      ids::kCaseModeRandomize,
                          ids::kCaseModeInvert};
    int mode = 0;
    for (int label : labels) {
        auto* button = new QRadioButton(text(label), group);
        button->setObjectName(QStringLiteral("caseMode%1").arg(mode));
        modes_->addButton(button, mode++);
        column->addWidget(button);
    }
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
