// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/support/modal_answer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QWidget>

namespace tw::test {

namespace {
constexpr int kPollMs = 10;
}

ModalAnswer::ModalAnswer(std::function<void(QWidget&)> answer, int timeoutMs)
    : answer_(std::move(answer)), remainingPolls_(timeoutMs / kPollMs) {
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, [this] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
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
