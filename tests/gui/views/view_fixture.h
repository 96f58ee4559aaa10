// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QStringList>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/memory_settings_store.h"
#include "core/app_options.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "gui/document/edit_document.h"
#include "gui/gui_context.h"
#include "support/fake_user_port.h"
#include "support/id3v1_bytes.h"
#include "support/temp_dir.h"

namespace tw::test {

// The ID3v2 text frames ("TIT2", ...) of a file a view test writes.
using Frames = std::vector<std::pair<std::string, std::string>>;

// Texts for Qt lists in tests, which build without implicit conversions from char*.
QStringList texts(std::initializer_list<const char*> items);

// The files of a folder and its sub-folders, by their paths from it, sorted.
QStringList filesIn(const std::filesystem::path& folder);

// A work folder of MP3 files read into a FileList, with the rest of what the views work on:
// a settings store, a scripted user port and the options (restored when the fixture goes).
class ViewFixture {
public:
    ViewFixture();
    ~ViewFixture();
    ViewFixture(const ViewFixture&) = delete;
    ViewFixture& operator=(const ViewFixture&) = delete;

    // Puts the work folder into a new sub-folder of the temporary folder (for tests that
    // need its name), before any file is written.
    void useSubFolder(const std::string& name);
    // The work folder, ending with the separator.
    std::string folder() const { return folder_; }

    // Writes an MP3 file of ten frames with these tags (none when not given); returns its path.
    std::string write(const std::string& name, const std::optional<Id3v1Spec>& v1 = {},
                      const Frames& v2 = {});
    // Reads the folder into the list as opening it does (every file selected, in natural
    // order of the file names).
    void scan();
    // The file as it now is on disk, read into a fresh record.
    std::unique_ptr<core::AudioFile> reread(const std::string& fileName) const;
    // Selects exactly these rows, in the list's chain.
    void select(std::initializer_list<int> rows);

    TempDir dir;
    core::FileList list;
    base::MemorySettingsStore settings;
    FakeUserPort port;
    gui::EditDocument document{list, port};
    gui::GuiContext context{list, core::options(), settings, port, document};

private:
    core::AppOptions savedOptions_;
    std::string folder_ = dir.folder();
};

}  // namespace tw::test
