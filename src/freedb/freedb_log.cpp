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

}  // namespace

FreeDbLog::FreeDbLog(Output output, std::stop_token stop, bool fullLogging)
    : output_(std::move(output)), stop_(std::move(stop)), fullLogging_(fullLogging) {}

FreeDbLog::~FreeDbLog() {
    flush();
}

void FreeDbLog::log(std::string_view text) {
    if (text.find(kLineEnd) == std::string_view::npos) {
        held_ += text;
        return;
    }
    std::string line = text.find("[ERR]") != std::string_view::npos && stop_.stop_requested()
                           ? CddbErrorLine(CddbErrorCode::UserBreak)
                           : std::string(text);
    line.insert(0, held_);
    held_.clear();
    flushDebug();
    emit(finishLine(line));
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
    flushDebug();
    if (!held_.empty()) {
        emit(finishLine(held_));
        held_.clear();
    }
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
