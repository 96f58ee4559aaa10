// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>

#include "rename/case_conversion.h"

class QButtonGroup;

namespace tw::gui {

// The "Case Option" page: "Case options" with a radio button for each of the seven case
// modes of a mask list. The program's choice (load, restoreDefaults) is no click; a click
// is reported as modeChosen.
//
// Owns its widgets.
class CaseOptionPage : public QWidget {
    Q_OBJECT
public:
    explicit CaseOptionPage(QWidget* parent = nullptr);

    void load(rename::CaseMode mode);
    rename::CaseMode mode() const;
    // "As is".
    void restoreDefaults();

Q_SIGNALS:
    void modeChosen(rename::CaseMode mode);

private:
    QButtonGroup* modes_;
};

}  // namespace tw::gui
