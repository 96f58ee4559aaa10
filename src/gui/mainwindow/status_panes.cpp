// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/mainwindow/status_panes.h"

#include <QLabel>
#include <QStatusBar>

#include "base/string_ids.h"
#include "core/file_list.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

QLabel* countPane(QStatusBar& bar) {
    auto* pane = new QLabel(&bar);  // owned by the bar
    pane->setMinimumWidth(StatusPanes::kCountPaneWidth);
    pane->setAlignment(Qt::AlignCenter);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    bar.addPermanentWidget(pane);
    return pane;
}

}  // namespace

StatusPanes::StatusPanes(QStatusBar& bar) : QObject(&bar), message_(new QLabel(&bar)) {
    bar.addWidget(message_, 1);
    selected_ = countPane(bar);
    changed_ = countPane(bar);
    files_ = countPane(bar);
    showReady();
}

void StatusPanes::showMessage(const QString& message) {
    message_->setText(message);
    // Folder reads and other work that holds the event loop show their message at once.
    message_->repaint();
}

void StatusPanes::showReady() {
    showMessage(text(ids::kStatusReady));
}

void StatusPanes::showCounts(const core::FileList& list) {
    selected_->setText(textf(ids::kStatusSelectedCount, list.selectedCount()));
    changed_->setText(textf(ids::kStatusChangedCount, list.countDirty()));
    files_->setText(textf(ids::kStatusFileCount, list.size()));
}

QString StatusPanes::message() const {
    return message_->text();
}

QString StatusPanes::countsText() const {
    return selected_->text() + QStringLiteral(" | ") + changed_->text() + QStringLiteral(" | ") +
           files_->text();
}

}  // namespace tw::gui
