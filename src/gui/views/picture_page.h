#pragma once

#include <QWidget>

#include "gui/gui_context.h"

namespace tw::gui {

// The "Picture" tab. Pictures are neither read nor written: the display stays empty, the
// type selector and the save and open buttons are disabled, and "Delete Picture ..." only
// asks (with exactly one file selected) and changes nothing either way.
//
// Reads context.list for the selection count; owns only its widgets.
class PicturePage : public QWidget {
    Q_OBJECT
public:
    explicit PicturePage(GuiContext& context, QWidget* parent = nullptr);

    void deletePicture();

private:
    GuiContext& context_;
};

}  // namespace tw::gui
