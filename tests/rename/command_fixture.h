// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "base/memory_settings_store.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "support/fake_user_port.h"
#include "support/file_text.h"
#include "support/temp_dir.h"

namespace tw::rename::test {

// A work folder of small files, each with a record in `list` whose tags the test sets.
// The files hold their own name as content, so a test can tell them apart after a move.
class CommandFixture {
public:
    core::AudioFile& addFile(const std::string& fileName) {
        std::ofstream(dir / fileName) << fileName;
        auto record = std::make_unique<core::AudioFile>();
        record->path = dir.folder() + fileName;
        record->fileName = fileName;
        record->baseName = fileName.substr(0, fileName.size() - 4);
        record->id3v1.present = record->id3v2.present = true;
        list.add(std::move(record));
        return list.at(list.size() - 1);
    }

    // The content of a file of the work folder, or "<missing>".
    std::string content(const std::string& relative) const {
        return tw::test::fileText(dir / relative);
    }

    tw::test::TempDir dir;
    core::FileList list;
    base::MemorySettingsStore store;
    tw::test::FakeUserPort port;
};

}  // namespace tw::rename::test
