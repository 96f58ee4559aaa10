// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/common/progress_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace tw::gui {

ProgressDialog::ProgressDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      title_(new QLabel(this)),
      label_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);  // owned by this dialog
    layout->addWidget(title_);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    label_->setMinimumWidth(360);
    label_->setTextFormat(Qt::PlainText);
    title_->setTextFormat(Qt::PlainText);
    bar_->setTextVisible(false);
}

void ProgressDialog::start(const QString& title, int total) {
    total_ = std::max(0, total);
    position_ = 0;
    pendingLabel_.clear();
    title_->setText(title);
    setWindowTitle(title);
    label_->clear();
    bar_->setRange(0, std::max(1, total_));
    bar_->setValue(0);
    if (!isVisible())
        previous_ = QApplication::activeWindow();
    show();
    repaintNow();
}

void ProgressDialog::advance(const QString& label) {
    if (position_ < total_)
        ++position_;
    if (!label.isEmpty())
        pendingLabel_ = label;
    if (sinceRepaint_.elapsed() >= kRepaintIntervalMs || position_ == total_)
        repaintNow();
}

void ProgressDialog::finish() {
    hide();
    // Nothing hands the activation back to a window that had it: without this the keyboard
    // stayed on no window at all after every save, scan and renaming.
    QWidget* previous = previous_.data();
    previous_ = nullptr;
    if (previous && previous->isVisible())
        previous->activateWindow();
}

void ProgressDialog::repaintNow() {
    bar_->setValue(position_);
    label_->setText(pendingLabel_);
    // Paint and serve the window system, but take no input: the command is not finished.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceRepaint_.start();
}

QString ProgressDialog::title() const {
    return title_->text();
}

QString ProgressDialog::label() const {
    return pendingLabel_;
}

}  // namespace tw::gui
