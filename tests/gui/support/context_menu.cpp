// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/support/context_menu.h"

#include <QApplication>
#include <QMenu>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace tw::test {

namespace {

// A popup opens from the event loop of the click that asks for it; the steps wait for it.
constexpr int kStepDelayMs = 50;
constexpr int kMaxWaitsForPopup = 40;

void closeAllPopups() {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

void chooseStep(QStringList path, std::shared_ptr<bool> done, QMenu* previous, int waits) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu || menu == previous) {
        if (waits < kMaxWaitsForPopup)
            QTimer::singleShot(kStepDelayMs, [=] { chooseStep(path, done, previous, waits + 1); });
        else
            closeAllPopups();
        return;
    }
    const QString label = path.takeFirst();
    for (QAction* action : menu->actions()) {
        if (!action->isEnabled() || QString(action->text()).remove(QLatin1Char('&')) != label)
            continue;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        if (path.isEmpty())
            *done = true;
        else
            QTimer::singleShot(kStepDelayMs, [=] { chooseStep(path, done, menu, 0); });
        return;
    }
    closeAllPopups();
}

}  // namespace

std::shared_ptr<bool> ChooseFromNextPopup(const std::vector<std::string>& labels) {
    QStringList path;
    for (const std::string& label : labels)
        path << QString::fromStdString(label);
    auto done = std::make_shared<bool>(false);
    QTimer::singleShot(kStepDelayMs, [=] { chooseStep(path, done, nullptr, 0); });
    return done;
}

bool ChooseFromContextMenu(QTreeWidget& tree, QTreeWidgetItem* item, const QString& label) {
    tree.scrollToItem(item);
    QWidget* window = tree.window();
    const QPoint at = tree.viewport()->mapTo(window, tree.visualItemRect(item).center());
    const std::shared_ptr<bool> chosen = ChooseFromNextPopup({label.toStdString()});
    // The menu runs its own loop inside the click, where the timer answers it.
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, at);
    return *chosen;
}

}  // namespace tw::test
