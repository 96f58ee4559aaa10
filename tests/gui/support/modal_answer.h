// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class QWidget;

namespace tw::test {

// Answers the next modal window (other than a progress window) that opens while this object lives
// (within a time-out): `answer` gets the window and is expected to close it, as a user clicking a
// button would. For tests of the real dialogs, whose exec() would otherwise wait for ever.
class ModalAnswer : public QObject {
    Q_OBJECT
public:
    explicit ModalAnswer(std::function<void(QWidget&)> answer, int timeoutMs = 5000);

    bool answered() const { return answered_; }

private:
    std::function<void(QWidget&)> answer_;
    QTimer poll_;
    int remainingPolls_;
    bool answered_ = false;
};

// Clicks the button of a message box or dialog whose text (without "&") is `label`.
void clickButton(QWidget& window, const QString& label);

}  // namespace tw::test
