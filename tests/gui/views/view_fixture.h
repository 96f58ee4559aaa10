#pragma once

#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/memory_settings_store.h"
#include "core/app_options.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "gui/gui_context.h"
#include "support/fake_user_port.h"
#include "support/id3v1_bytes.h"
#include "support/temp_dir.h"

namespace tw::test {

// The tags of one MP3 file a view test writes, built up by the calls below.
struct TestTags {
    TestTags& title1(const std::string& title) { return v1Field(&Id3v1Spec::title, title); }
    TestTags& year1(const std::string& year) { return v1Field(&Id3v1Spec::year, year); }
    TestTags& track1(std::uint8_t track) {
        id3v1().track = track;
        return *this;
    }
    TestTags& genre1(std::uint8_t genre) {
        id3v1().genre = genre;
        return *this;
    }
    // An ID3v2 text frame ("TIT2", ...).
    TestTags& frame(const std::string& id, const std::string& value) {
        v2.emplace_back(id, value);
        return *this;
    }
    TestTags& withLyrics(const std::string& text) {
        lyrics = text;
        return *this;
    }

    std::optional<Id3v1Spec> v1;                          // none: no ID3v1 tag
    std::vector<std::pair<std::string, std::string>> v2;  // none: no ID3v2 tag
    std::string lyrics;                                   // a USLT frame when not empty

private:
    Id3v1Spec& id3v1() {
        if (!v1)
            v1.emplace();
        return *v1;
    }
    TestTags& v1Field(std::string Id3v1Spec::*field, const std::string& value) {
        id3v1().*field = value;
        return *this;
    }
};

// Texts for Qt lists in tests, which build without implicit conversions from char*.
QStringList texts(std::initializer_list<const char*> items);

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

    // Writes an MP3 file of ten frames with the given tags; returns its path.
    std::string write(const std::string& name, const TestTags& tags = {});
    // Reads the folder into the list as opening it does (every file selected), in the
    // order of the file names.
    void scan();
    // The index of a file in the list; -1 when it is not there.
    int indexOf(const std::string& fileName) const;
    // The file as it now is on disk, read into a fresh record.
    std::unique_ptr<core::AudioFile> reread(const std::string& fileName) const;
    // Selects exactly these rows, in the list's chain.
    void select(std::initializer_list<int> rows);

    TempDir dir;
    core::FileList list;
    base::MemorySettingsStore settings;
    FakeUserPort port;
    gui::GuiContext context{list, core::options(), settings, port};

private:
    core::AppOptions savedOptions_;
    std::string folder_ = dir.folder();
};

}  // namespace tw::test
