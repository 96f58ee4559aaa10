// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QGroupBox>
#include <vector>

#include "gui/rename/mask_editor_setup.h"

class QSpinBox;

namespace tw::gui {

// The token of an insert button's control id (the folder buttons 1030 and 1031 included);
// null for ids the token table does not hold (the absolute folder button).
const rename::MaskToken* tokenOfButton(int buttonId);

// The "Legend:" of the mask editor: an insert button per LegendButton (a token button with
// its legend text beside it, or a folder button with its caption), and where the setup asks
// for it the "Counter options": "Start at:" (0 to 32767, five digits at most) and "Length:"
// (1 to 6, one digit).
//
// Owns its widgets. It inserts nothing itself: a click is passed on as buttonClicked.
class MaskLegend : public QGroupBox {
    Q_OBJECT
public:
    MaskLegend(const std::vector<LegendButton>& buttons, bool counterOptions,
               QWidget* parent = nullptr);

    bool hasCounterOptions() const { return counterStart_ != nullptr; }
    void setCounter(int start, int length);
    int counterStart() const;
    int counterLength() const;

Q_SIGNALS:
    void buttonClicked(int buttonId);

private:
    QWidget* makeCounterOptions();

    QSpinBox* counterStart_ = nullptr;
    QSpinBox* counterLength_ = nullptr;
};

}  // namespace tw::gui
