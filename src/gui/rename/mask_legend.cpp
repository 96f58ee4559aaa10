// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/rename/mask_legend.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

// Limits the digits that can be typed into a spin box, on top of its range.
void limitDigits(QSpinBox& box, int digits) {
    if (auto* field = box.findChild<QLineEdit*>())
        field->setMaxLength(digits);
}

}  // namespace

const rename::MaskToken* tokenOfButton(int buttonId) {
    for (const rename::MaskToken& token : rename::maskTokens())
        if (token.buttonId == buttonId)
            return &token;
    return nullptr;
}

MaskLegend::MaskLegend(const std::vector<LegendButton>& buttons, bool counterOptions,
                       QWidget* parent)
    : QGroupBox(text(ids::kMaskLegend), parent) {
    auto* tokens = new QGridLayout;
    auto* folders = new QHBoxLayout;
    int tokenCount = 0;
    for (const LegendButton& entry : buttons) {
        const rename::MaskToken* token = tokenOfButton(entry.buttonId);
        const bool folderButton =
            !token || entry.buttonId == kSubFolderButtonId || entry.buttonId == kUpLevelButtonId;
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("button%1").arg(entry.buttonId));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, id = entry.buttonId] { Q_EMIT buttonClicked(id); });
        if (folderButton) {
            const int captionId =
                entry.captionId ? entry.captionId : (token ? token->legendId : ids::kLegendAbsPath);
            button->setText(text(captionId));
            folders->addWidget(button);
            continue;
        }
        button->setText(qs(token->text));
        const int row = tokenCount / 2;
        const int column = (tokenCount % 2) * 2;
        tokens->addWidget(button, row, column);
        if (token->legendId)
            tokens->addWidget(new QLabel(text(token->legendId), this), row, column + 1);
        ++tokenCount;
    }
    folders->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tokens);
    layout->addLayout(folders);
    if (counterOptions)
        layout->addWidget(makeCounterOptions());
}

QWidget* MaskLegend::makeCounterOptions() {
    auto* group = new QGroupBox(text(ids::kMaskCounterOptions), this);
    counterStart_ = new QSpinBox(group);
    counterStart_->setObjectName(QStringLiteral("counterStart"));
    counterStart_->setRange(0, rename::MaskList::kCounterStartMax);
    limitDigits(*counterStart_, 5);
    counterLength_ = new QSpinBox(group);
    counterLength_->setObjectName(QStringLiteral("counterLength"));
    counterLength_->setRange(rename::MaskList::kCounterLengthMin,
                             rename::MaskList::kCounterLengthMax);
    limitDigits(*counterLength_, 1);
    auto* form = new QFormLayout(group);
    form->addRow(text(ids::kMaskCounterStartAt), counterStart_);
    form->addRow(text(ids::kMaskCounterLength), counterLength_);
    return group;
}

void MaskLegend::setCounter(int start, int length) {
    if (!hasCounterOptions())
        return;
    counterStart_->setValue(start);
    counterLength_->setValue(length);
}

int MaskLegend::counterStart() const {
    return counterStart_ ? counterStart_->value() : 0;
}

int MaskLegend::counterLength() const {
    return counterLength_ ? counterLength_->value() : 1;
}

}  // namespace tw::gui
