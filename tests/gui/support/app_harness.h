// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/memory_settings_store.h"
#include "gui/support/scripted_desktop_port.h"
#include "gui/support/scripted_shell_port.h"
#include "support/fake_user_port.h"
#include "support/id3v1_bytes.h"
#include "support/temp_dir.h"

class QAction;

namespace tw::core {
struct AudioFile;
}

namespace tw::gui {
class Application;
class ProgressDialog;
class MainWindow;
}  // namespace tw::gui

namespace tw::test {

// The whole program started as a user would start it, on a temporary music folder with
// generated MP3 files, an in-memory settings store and scripted dialogs.
//
// Each harness points the program's data folders at its own temporary folders (so language
// files are the test's) and starts with the built-in texts. Owns everything it makes.
// A scripted port that can act while an operation shows progress, as the real progress
// window lets events through then.
// With showsProgressWindow, it also shows the program's own progress window as the real
// port does (a window of its own, without a parent), for tests of what its coming and going
// does to the keyboard.
class ProgressHookPort : public FakeUserPort {
public:
    ProgressHookPort();
    ~ProgressHookPort() override;

    std::function<void()> duringProgress;
    bool showsProgressWindow = false;

    void startProgress(std::string_view title, int total) override;
    void advanceProgress(std::string_view label) override;
    void finishProgress() override;

private:
    std::unique_ptr<gui::ProgressDialog> window_;
};

class AppHarness {
public:
    AppHarness();
    ~AppHarness();

    // An MP3 file in the music folder with an ID3v1 tag holding `title` (no tag when empty).
    std::string addFile(const std::string& name, const std::string& title = {});
    // An MP3 file in the music folder with this ID3v1 tag.
    std::string addFile(const std::string& name, const Id3v1Spec& tag);
    // With TW_E2E_FOLDER naming a folder of MP3 files (a make-corpus folder), copies its
    // first `count` files (by name) into the music folder; their names, or none when the
    // variable is not set.
    std::vector<std::string> addCorpusFiles(std::size_t count);
    // A language file "<name>" in the installed data folder's Lng folder.
    void addLanguageFile(const std::string& fileName, const std::string& content);
    // The music folder, with its trailing "/".
    std::string musicFolder() const { return music.folder(); }
    // A file of the music folder as it is on disk now, read into a fresh record; null when
    // it cannot be read.
    std::unique_ptr<core::AudioFile> reread(const std::string& name) const;

    // Starts the program with the given arguments: the last work folder is the music
    // folder unless the store says otherwise. False when start-up failed.
    bool start(const QStringList& arguments = {});

    gui::Application& app() const { return *app_; }
    gui::MainWindow& window() const;
    QAction* action(int commandId) const;
    bool isEnabled(int commandId) const;
    bool trigger(int commandId) const;
    // The display names of the list's records, in list order, "*" marking selected ones.
    std::string listText() const;

    TempDir music;
    TempDir data;
    base::MemorySettingsStore store;
    ProgressHookPort port;
    ScriptedShellPort shell;
    ScriptedDesktopPort desktop;

private:
    std::unique_ptr<gui::Application> app_;
};

}  // namespace tw::test
