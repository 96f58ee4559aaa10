// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/freedb_log.h"

#include <cstdio>

#include "base/string_ids.h"
#include "freedb/cddb_error.h"

namespace tw::freedb {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string finishLine(std::string_view text) {
    std::string line;
    line.reserve(text.size() + 16);
    for (char c : text) {
        if (c == '\r' || c == '\n')
            continue;
        if (c == '\t') {
            line += "     ";
        } else {
            line += c;
        }
    }
    return line;
}

// Whether the text begins a line of its own rather than continuing a held progress text.
bool beginsLine(std::string_view text) {
    return text.starts_with("[INF]") || text.starts_with("[ERR]") || text.starts_with("[DBG]") ||
           text.starts_with('\t');
}

}  // namespace

FreeDbLog::FreeDbLog(Output output, std::stop_token stop, bool fullLogging)
    : output_(std::move(output)), stop_(std::move(stop)), fullLogging_(fullLogging) {}

FreeDbLog::~FreeDbLog() {
    flush();
}

void FreeDbLog::log(std::string_view text) {
    if (text.find(kLineEnd) == std::string_view::npos) {
        if (!held_.empty() && beginsLine(text))
            finishHeld({});
        held_ += text;
        return;
    }
    std::string line = text.find("[ERR]") != std::string_view::npos && stop_.stop_requested()
                           ? CddbErrorLine(CddbErrorCode::UserBreak)
                           : std::string(text);
    if (!held_.empty() && beginsLine(line)) {
        waiting_.push_back(std::move(line));
        return;
    }
    finishHeld(line);
}

void FreeDbLog::finishHeld(std::string_view ending) {
    std::string line = std::move(held_);
    held_.clear();
    line += ending;
    flushDebug();
    if (!line.empty())
        emit(finishLine(line));
    std::vector<std::string> waiting;
    waiting.swap(waiting_);
    for (const std::string& next : waiting)
        emit(finishLine(next));
}

void FreeDbLog::traceLine(Direction direction, std::string_view text) {
    if (!fullLogging_)
        return;
    heldDebug_ += "[DBG]";
    heldDebug_ += direction == Direction::Sent       ? " -> "
                  : direction == Direction::Received ? " <- "
                                                     : "    ";
    heldDebug_ += text;
    heldDebug_ += kLineEnd;
    if (heldDebug_.size() > kHeldDebugLimit)
        flushDebug();
}

void FreeDbLog::flushDebug() {
    std::size_t start = 0;
    while (start < heldDebug_.size()) {
        std::size_t end = heldDebug_.find(kLineEnd, start);
        if (end == std::string::npos)
            end = heldDebug_.size();
        emit(finishLine(std::string_view(heldDebug_).substr(start, end - start)));
        start = end + kLineEnd.size();
    }
    heldDebug_.clear();
}

void FreeDbLog::flush() {
    finishHeld({});
}

void FreeDbLog::emit(std::string line) {
    if (output_)
        output_(line);
}

LogEntry MakeLogEntry(std::string_view line, const std::tm& localTime) {
    LogEntry entry;
    const std::pair<std::string_view, LogEntry::Level> prefixes[] = {
        {"[INF]", LogEntry::Info}, {"[ERR]", LogEntry::Error}, {"[DBG]", LogEntry::Debug}};
    for (const auto& [prefix, level] : prefixes) {
        if (line.substr(0, prefix.size()) == prefix) {
            entry.level = level;
            line.remove_prefix(prefix.size());
            break;
        }
    }
    char stamp[64];
    std::snprintf(
        stamp, sizeof stamp, "(%02u.%02u.%u, %02u:%02u:%02u) ",
        static_cast<unsigned>(localTime.tm_mday), static_cast<unsigned>(localTime.tm_mon + 1),
        static_cast<unsigned>(localTime.tm_year + 1900), static_cast<unsigned>(localTime.tm_hour),
        static_cast<unsigned>(localTime.tm_min), static_cast<unsigned>(localTime.tm_sec));
    entry.text = stamp;
    entry.text += line;
    return entry;
}

}  // namespace tw::freedb
