#include "gui/app/window_placement.h"

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

bool hasStoredPlace(const base::SettingsStore& store) {
    for (const char* name : {"x", "y", "cx", "cy"})
        if (!store.hasValue(kSection, name))
            return false;
    return true;
}

int storedCoordinate(const base::SettingsStore& store, std::string_view name, int fallback) {
    return std::clamp(store.getInt(kSection, name, fallback), -kCoordinateLimit, kCoordinateLimit);
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
    const QRect wanted = hasStoredPlace(store)
                             ? QRect(storedCoordinate(store, "x", kDefaultX),
                                     storedCoordinate(store, "y", kDefaultY),
                                     storedCoordinate(store, "cx", kDefaultWidth),
                                     storedCoordinate(store, "cy", kDefaultHeight))
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
    const QRect place = window.geometry();
    store.setInt(kSection, "Max", 0);
    store.setInt(kSection, "x", place.x());
    store.setInt(kSection, "y", place.y());
    store.setInt(kSection, "cx", place.width());
    store.setInt(kSection, "cy", place.height());
}

}  // namespace tw::gui
