// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/log_pane.h"

#include <QStyle>
#include <ctime>

#include "base/string_ids.h"
#include "freedb/freedb_log.h"
#include "gui/common/accessible_names.h"
#include "gui/qt_text.h"

namespace tw::gui {

using freedb::LogEntry;

namespace {

const char* prefixOf(int level) {
    switch (level) {
        case LogEntry::Info:
            return "[INF]";
        case LogEntry::Error:
            return "[ERR]";
        case LogEntry::Debug:
            return "[DBG]";
        default:
            return "";
    }
}

}  // namespace

LogPane::LogPane(QWidget* parent) : QListWidget(parent) {
    setObjectName(QStringLiteral("logPane"));
    nameControl(*this, base::ids::kNameLog);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    batch_.setSingleShot(true);
    batch_.setInterval(kBatchIntervalMs);
    connect(&batch_, &QTimer::timeout, this, &LogPane::flush);
}

void LogPane::addLine(const QString& line) {
    pending_ << line;
    if (!batch_.isActive())
        batch_.start();
}

void LogPane::flush() {
    if (pending_.isEmpty())
        return;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    for (const QString& line : pending_) {
        const LogEntry entry = freedb::MakeLogEntry(utf8(line), local);
        auto* item = new QListWidgetItem(qs(entry.text), this);
        item->setData(kLevelRole, static_cast<int>(entry.level));
        switch (entry.level) {
            case LogEntry::Info:
                item->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
                break;
            case LogEntry::Error:
                item->setIcon(style()->standardIcon(QStyle::SP_MessageBoxCritical));
                item->setForeground(Qt::darkRed);
                break;
            case LogEntry::Debug:
                item->setForeground(Qt::darkGray);
                break;
            case LogEntry::Plain:
                break;
        }
    }
    pending_.clear();
    while (count() > kMaxLines)
        delete takeItem(0);
    scrollToBottom();
}

QString LogPane::text() const {
    QString all;
    for (int i = 0; i < count(); ++i) {
        const QListWidgetItem* line = item(i);
        all += QLatin1String(prefixOf(line->data(kLevelRole).toInt())) + line->text() +
               QLatin1Char('\n');
    }
    return all;
}

}  // namespace tw::gui
