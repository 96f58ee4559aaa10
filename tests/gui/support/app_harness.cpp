// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/support/app_harness.h"

#include <QAction>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/app_paths.h"
#include "base/language.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "core/mpeg_info.h"
#include "gui/actions/command_set.h"
#include "gui/app/application.h"
#include "gui/common/progress_dialog.h"
#include "gui/mainwindow/main_window.h"
#include "support/id3v1_bytes.h"
#include "support/mp3_file.h"

namespace tw::test {

ProgressHookPort::ProgressHookPort() = default;
ProgressHookPort::~ProgressHookPort() = default;

void ProgressHookPort::startProgress(std::string_view title, int total) {
    FakeUserPort::startProgress(title, total);
    if (!showsProgressWindow)
        return;
    if (!window_)
        window_ = std::make_unique<gui::ProgressDialog>();
    window_->start(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())), total);
}

void ProgressHookPort::advanceProgress(std::string_view label) {
    FakeUserPort::advanceProgress(label);
    if (window_)
        window_->advance(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
    if (duringProgress)
        duringProgress();
}

void ProgressHookPort::finishProgress() {
    FakeUserPort::finishProgress();
    if (window_)
        window_->finish();
}

AppHarness::AppHarness() {
    base::AppPaths paths;
    paths.programFolder = data.path() / "bin";
    paths.installDataFolder = data.path() / "share";
    paths.userDataFolder = data.path() / "user";
    paths.userConfigFolder = data.path() / "config";
    paths.userStateFolder = data.path() / "state";
    std::filesystem::create_directories(paths.installDataFolder / "Lng");
    base::setAppPaths(paths);
    base::SetLanguage("");
}

AppHarness::~AppHarness() {
    app_.reset();
    base::SetLanguage("");
}

std::string AppHarness::addFile(const std::string& name, const std::string& title) {
    if (!title.empty())
        return addFile(name, Id3v1Spec{.title = title});
    Mp3Parts parts;
    parts.audio = defaultAudio();
    return writeMp3(music, name, parts);
}

std::string AppHarness::addFile(const std::string& name, const Id3v1Spec& tag) {
    Mp3Parts parts;
    parts.audio = defaultAudio();
    parts.id3v1 = id3v1Tag(tag);
    return writeMp3(music, name, parts);
}

std::vector<std::string> AppHarness::addCorpusFiles(std::size_t count) {
    std::vector<std::string> names;
    const char* corpus = std::getenv("TW_E2E_FOLDER");
    if (!corpus)
        return names;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        if (entry.path().extension() == ".mp3")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    files.resize(std::min(files.size(), count));
    for (const std::filesystem::path& file : files) {
        std::filesystem::copy_file(file, music / file.filename().string());
        names.push_back(file.filename().string());
    }
    return names;
}

void AppHarness::addLanguageFile(const std::string& fileName, const std::string& content) {
    std::ofstream(data.path() / "share" / "Lng" / fileName, std::ios::binary) << content;
}

std::unique_ptr<core::AudioFile> AppHarness::reread(const std::string& name) const {
    core::MpegInfo mpeg;
    return core::AudioFile::create(musicFolder() + name, musicFolder().size(), mpeg);
}

bool AppHarness::start(const QStringList& arguments) {
    if (!store.hasValue("Settings", "D"))
        store.setString("Settings", "D", musicFolder());
    app_ =
        std::make_unique<gui::Application>(store, gui::ApplicationPorts{&port, &shell, &desktop});
    return app_->initInstance(arguments);
}

gui::MainWindow& AppHarness::window() const {
    return app_->window();
}

QAction* AppHarness::action(int commandId) const {
    return app_->commands().action(commandId);
}

bool AppHarness::isEnabled(int commandId) const {
    app_->commands().updateStates();
    return action(commandId)->isEnabled();
}

bool AppHarness::trigger(int commandId) const {
    return app_->commands().trigger(commandId);
}

std::string AppHarness::listText() const {
    const core::FileList& list = app_->list();
    std::string text;
    for (int i = 0; i < list.size(); ++i) {
        if (!text.empty())
            text += ' ';
        text += list.at(i).fileName;
        if (list.at(i).selected)
            text += '*';
    }
    return text;
}

}  // namespace tw::test
