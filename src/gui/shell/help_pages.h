// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QUrl>
#include <span>
#include <string_view>

class QWidget;
struct QMetaObject;

namespace tw::base {
class UserPort;
}

namespace tw::gui {

class DesktopPort;

// The help: HTML pages in the "help" folder of the program's data, opened in the desktop's
// browser. F1 opens the page of the window the user is in.
namespace help {
inline constexpr std::string_view kIntroduction = "01_introduction.htm";
inline constexpr std::string_view kRenaming = "02_renaming_files.htm";
inline constexpr std::string_view kFilenameToTag = "03_synchronize_filename_id3_tag.htm";
inline constexpr std::string_view kChangeCase = "03_change_case.htm";
inline constexpr std::string_view kPlaylist = "03_create_playlist.htm";
inline constexpr std::string_view kExport = "03_export.htm";
inline constexpr std::string_view kCdInfo = "03_get_cd_info.htm";
inline constexpr std::string_view kCddbWindow = "05_freedb.htm";
inline constexpr std::string_view kCddbSettings = "05_freedb_settings.htm";
inline constexpr std::string_view kHotKeys = "08_hot_keys.htm";
}  // namespace help

// A window class that has a page of its own. The list of them is the wiring's (it knows every
// window), so the help knows none of them.
struct WindowHelpPage {
    const QMetaObject* window;
    std::string_view page;
};
using WindowHelpPages = std::span<const WindowHelpPage>;

// The page of a window: the page listed for its class, else the page of the window it
// belongs to, else the introduction.
std::string_view helpPageOf(const QWidget* window, WindowHelpPages pages);

// The address of a page: the first data folder's "help" folder that holds it (the user's
// folder before the installed one).
QUrl helpPageUrl(std::string_view page);

// Opens a page in the desktop's browser; tells the user where the page is when it does not
// open.
void openHelpPage(DesktopPort& port, base::UserPort& user, std::string_view page);

// F1 in any window of the program opens the page of that window. Installed on the
// application, so dialogs get it too; the main window's own "Help" command carries F1 there.
//
// Borrows the ports and the list of pages, which must outlive it.
class HelpKey : public QObject {
    Q_OBJECT
public:
    HelpKey(DesktopPort& port, base::UserPort& user, WindowHelpPages pages,
            QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DesktopPort& port_;
    base::UserPort& user_;
    WindowHelpPages pages_;
};

}  // namespace tw::gui
