// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <ctime>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "freedb/album_log.h"
#include "freedb/protocol_trace.h"

namespace tw::freedb {

// The operation log of one store: turns the texts a store writes into finished log lines.
//
// A text without "\r\n" (a progress text) is held and begins the next finished line, so
// "\tOpening connection ... " and "done.\r\n" make one line. Lines never run together: a
// text that begins a line of its own (with "[INF]", "[ERR]", "[DBG]" or a tab) never
// continues a held progress text. A whole line that comes while one is held waits until
// the progress line is finished and then follows it; another progress text ends the held
// one as a line of its own. Finished lines lose their carriage returns and line feeds, and
// every tab becomes five blanks. While the stop request
// is set, an error line becomes the "User break." error line. With full logging, the
// protocol lines traced since the last finished line come out first, each as a "[DBG]" line.
//
// Each store owns its log and uses it from its thread; the output function is called on that
// thread and must forward lines safely to wherever they are shown.
class FreeDbLog final : public AlbumLog, public ProtocolTrace {
public:
    using Output = std::function<void(std::string_view line)>;

    // Traced lines held beyond this many bytes go out at once, before the progress text.
    static constexpr std::size_t kHeldDebugLimit = 256 * 1024;

    FreeDbLog(Output output, std::stop_token stop, bool fullLogging);
    ~FreeDbLog() override;

    void log(std::string_view text) override;
    void traceLine(Direction direction, std::string_view text) override;

    // Passes on what is held: the traced lines, and a progress text that no line finished.
    void flush();

private:
    void emit(std::string line);
    void flushDebug();
    // Emits the held progress text as a line of its own, then the lines that waited for it.
    void finishHeld(std::string_view ending);

    Output output_;
    std::stop_token stop_;
    bool fullLogging_;
    std::string held_;
    std::vector<std::string> waiting_;  // whole lines that came while a text was held
    std::string heldDebug_;             // "[DBG]..." lines, each ended by "\r\n"
};

// A finished log line as the log pane shows it.
struct LogEntry {
    enum Level { Plain = 0, Info = 1, Error = 2, Debug = 3 };
    Level level = Plain;
    std::string text;  // "(dd.mm.yyyy, hh:mm:ss) " and the line without its level prefix
};

// Sorts the line by its prefix ("[INF]", "[ERR]", "[DBG]"; the prefix is removed) and puts
// the local time before it.
LogEntry MakeLogEntry(std::string_view line, const std::tm& localTime);

}  // namespace tw::freedb
