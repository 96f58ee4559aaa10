// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QLabel>

namespace tw::gui {

// A one-line label that never widens its window: a text longer than the room it is given
// ends in "…", and the whole text is its tool tip. An album title of hundreds of characters
// must not push a window past the screen.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    QString fullText() const { return fullText_; }

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString fullText_;
};

}  // namespace tw::gui
