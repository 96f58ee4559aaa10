// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/support/modal_answer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QWidget>

#include "gui/common/progress_dialog.h"

namespace tw::test {

namespace {
constexpr int kPollMs = 10;
}

ModalAnswer::ModalAnswer(std::function<void(QWidget&)> answer, int timeoutMs)
    : answer_(std::move(answer)), remainingPolls_(timeoutMs / kPollMs) {
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        // A long step shows the progress window first; on a loaded machine it can be the
        // modal window when the poll comes, and it is never the one a test means to answer.
        if (modal && !qobject_cast<gui::ProgressDialog*>(modal)) {
            poll_.stop();
            answered_ = true;
            answer_(*modal);
        } else if (--remainingPolls_ <= 0) {
            poll_.stop();
        }
    });
    poll_.start();
}

void clickButton(QWidget& window, const QString& label) {
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (QString(button->text()).remove(QLatin1Char('&')) == label) {
            button->click();
            return;
        }
    }
}

}  // namespace tw::test
