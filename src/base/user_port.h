// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::base {

// How an engine talks to the person using it. Engines never open windows; commands that
// must show progress, ask or report take a UserPort. The GUI answers with Qt dialogs, the
// CLI with the terminal and its flags, tests with a scripted fake (tests/support).
//
// Texts handed in are final (already looked up by id and formatted); the port shows them
// as they are.
class UserPort {
public:
    enum class Answer { Yes, No, Cancel };

    // The choices of the "file already exists" question.
    enum class OverwriteChoice { Overwrite, OverwriteAll, Rename, Skip, SkipAll, Cancel };

    // Which kind of message box a message is.
    enum class Severity { Information, Warning, Error };

    virtual ~UserPort() = default;

    // A long operation: start with a title and the number of steps, advance once per step
    // (an empty label keeps the previous one), finish once at the end.
    virtual void startProgress(std::string_view title, int total) = 0;
    virtual void advanceProgress(std::string_view label) = 0;
    virtual void finishProgress() = 0;

    // A yes/no question; answers Yes or No.
    virtual Answer askYesNo(std::string_view text) = 0;
    // A yes/no/cancel question.
    virtual Answer askYesNoCancel(std::string_view text) = 0;
    // A yes/no question that the user may silence with the box "Do not ask about this in
    // the future."; `dontAskAgain` comes back ticked or not. A port without such a box asks
    // askYesNo and leaves it unticked.
    virtual Answer askYesNoSilenceable(std::string_view text, bool& dontAskAgain) {
        dontAskAgain = false;
        return askYesNo(text);
    }
    // The overwrite question for an existing file (text names the file).
    virtual OverwriteChoice askOverwrite(std::string_view text) = 0;
    // Asks for a file path to save to, starting at `suggested`; nullopt when cancelled.
    // `filter` is "Description (*.ext)" and `defaultExtension` has no dot.
    virtual std::optional<std::string> askSavePath(std::string_view suggested,
                                                   std::string_view filter,
                                                   std::string_view defaultExtension) = 0;

    // Asks for an existing file to open, starting in `folder`; nullopt when cancelled (and
    // from ports that cannot ask). `filter` is "Description (*.ext *.ext2)".
    virtual std::optional<std::string> askOpenPath(std::string_view folder,
                                                   std::string_view filter) {
        (void)folder;
        (void)filter;
        return std::nullopt;
    }
    virtual void showMessage(Severity severity, std::string_view text) = 0;
    // The list of files a command could not change, shown once at its end:
    // a window titled `title` with `text` above the names.
    virtual void showFailedFiles(std::string_view title, std::string_view text,
                                 const std::vector<std::string>& names) = 0;
    // The same for files of one folder, which a window shows in a field of its own; ports
    // without one put it on the line below `text`.
    virtual void showFailedFilesIn(std::string_view title, std::string_view text,
                                   std::string_view folder, const std::vector<std::string>& names) {
        showFailedFiles(title, std::string(text) + "\n" + std::string(folder), names);
    }
    // A short text for the status bar ("Completed successfully").
    virtual void showStatus(std::string_view text) = 0;
    // Opens a written document with the desktop's default handler.
    virtual void openDocument(std::string_view path) = 0;
};

}  // namespace tw::base
