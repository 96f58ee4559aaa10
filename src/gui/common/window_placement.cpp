// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/common/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "base/settings_store.h"

namespace tw::gui {

namespace {

constexpr std::string_view kSection = "Window";
constexpr int kDefaultX = 60;
constexpr int kDefaultY = 30;
constexpr int kDefaultWidth = 600;
constexpr int kDefaultHeight = 470;
// Far beyond any screen, yet far from overflowing the arithmetic of rectangles.
constexpr int kCoordinateLimit = 1 << 20;
// Without a stored place the window opens at a size that shows the list and the tag tabs
// comfortably, yet never larger than this share of the screen.
constexpr QSize kFirstStartSize(1100, 720);
constexpr double kFirstStartScreenShare = 0.8;

bool hasStoredPlace(const base::SettingsStore& store, std::string_view section) {
    for (const char* name : {"x", "y", "cx", "cy"})
        if (!store.hasValue(section, name))
            return false;
    return true;
}

int storedCoordinate(const base::SettingsStore& store, std::string_view section,
                     std::string_view name, int fallback) {
    return std::clamp(store.getInt(section, name, fallback), -kCoordinateLimit, kCoordinateLimit);
}

QRect storedPlace(const base::SettingsStore& store, std::string_view section) {
    return QRect(storedCoordinate(store, section, "x", kDefaultX),
                 storedCoordinate(store, section, "y", kDefaultY),
                 storedCoordinate(store, section, "cx", kDefaultWidth),
                 storedCoordinate(store, section, "cy", kDefaultHeight));
}

void storePlace(const QRect& place, base::SettingsStore& store, std::string_view section) {
    store.setInt(section, "x", place.x());
    store.setInt(section, "y", place.y());
    store.setInt(section, "cx", place.width());
    store.setInt(section, "cy", place.height());
}

// The screen area that holds the most of `rect`, else the primary screen's.
QRect screenAreaFor(const QRect& rect) {
    QRect best;
    int bestOverlap = -1;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const QRect overlap = area.intersected(rect);
        const int size = overlap.isValid() ? overlap.width() * overlap.height() : 0;
        if (size > bestOverlap) {
            best = area;
            bestOverlap = size;
        }
    }
    if (bestOverlap <= 0 && QGuiApplication::primaryScreen())
        best = QGuiApplication::primaryScreen()->availableGeometry();
    return best;
}

QRect fitted(QRect wanted, const QSize& minimum) {
    const QRect area = screenAreaFor(wanted);
    if (!area.isValid())
        return wanted;
    wanted.setWidth(
        std::clamp(wanted.width(), minimum.width(), std::max(minimum.width(), area.width())));
    wanted.setHeight(
        std::clamp(wanted.height(), minimum.height(), std::max(minimum.height(), area.height())));
    const int x = std::clamp(wanted.x(), area.left(),
                             std::max(area.left(), area.right() - wanted.width() + 1));
    const int y = std::clamp(wanted.y(), area.top(),
                             std::max(area.top(), area.bottom() - wanted.height() + 1));
    wanted.moveTo(x, y);
    return wanted;
}

// The first start's place: centred on the primary screen.
QRect firstStartPlace(const QSize& minimum) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QRect(QPoint(kDefaultX, kDefaultY), kFirstStartSize);
    const QRect area = screen->availableGeometry();
    const QSize size =
        kFirstStartSize.boundedTo(area.size() * kFirstStartScreenShare).expandedTo(minimum);
    QRect place(QPoint(), size);
    place.moveCenter(area.center());
    return place;
}

}  // namespace

void restoreWindowPlacement(QWidget& window, const base::SettingsStore& store) {
    const QRect wanted = hasStoredPlace(store, kSection) ? storedPlace(store, kSection)
                                                         : firstStartPlace(window.minimumSize());
    window.setGeometry(fitted(wanted, window.minimumSize()));
    if (store.getInt(kSection, "Max", 0) != 0)
        window.showMaximized();
    else
        window.show();
}

void saveWindowPlacement(const QWidget& window, base::SettingsStore& store) {
    if (window.isMaximized()) {
        store.setInt(kSection, "Max", 1);
        return;
    }
    store.setInt(kSection, "Max", 0);
    storePlace(window.geometry(), store, kSection);
}

void restoreDialogPlacement(QWidget& dialog, const base::SettingsStore& store,
                            std::string_view section) {
    if (hasStoredPlace(store, section))
        dialog.setGeometry(fitted(storedPlace(store, section), dialog.minimumSizeHint()));
}

void fitWithinScreen(QWidget& window) {
    const QRect place = fitted(window.geometry(), window.minimumSizeHint());
    if (place != window.geometry())
        window.setGeometry(place);
}

void saveDialogPlacement(const QWidget& dialog, base::SettingsStore& store,
                         std::string_view section) {
    storePlace(dialog.geometry(), store, section);
}

}  // namespace tw::gui
