// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <vector>

class QMenu;
class QMenuBar;

namespace tw::gui {

class CommandSet;

// The main menu bar: its popups with the commands' actions, the language entries, and the
// translation of titles and labels by the active language.
//
// The popups are keyed by position in a language file (the first at 57671), so a language
// file names them whatever their built-in titles. The menu is translated once when it is
// built and again whenever one of its popups opens.
//
// Borrows the bar and the command set, which outlive it; owns nothing else (the popups
// belong to the bar).
class MainMenu : public QObject {
    Q_OBJECT
public:
    MainMenu(QMenuBar& bar, CommandSet& commands);

    // The popup at a position of the bar (0 = "Fol&der").
    QMenu* popup(int position) const;
    int popupCount() const { return static_cast<int>(popups_.size()); }

    // Titles and labels from the active language (built-in where it has none).
    void translate();

private:
    void fillLanguageEntries(QMenu& menu);

    CommandSet& commands_;
    std::vector<QMenu*> popups_;
};

}  // namespace tw::gui
