// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QFileDialog>

#include "gui/common/shell_port.h"

class QCheckBox;

namespace tw::gui {

// "Export album": the save dialog with the three layouts as its filter (text, RTF, HTML)
// and the box "Open the exported file.". A name typed without an extension gets the chosen
// layout's.
//
// Owns its widgets.
class AlbumExportDialog : public QFileDialog {
    Q_OBJECT
public:
    AlbumExportDialog(QWidget* parent, const QString& suggested, int filterIndex,
                      bool openAfterwards);

    // The file, the layout (1 text, 2 RTF, 3 HTML) and the box, once accepted.
    AlbumExportChoice choice() const;

private:
    QCheckBox* openAfterwards_;
};

}  // namespace tw::gui
