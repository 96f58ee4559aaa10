// SPDX-License-Identifier: GPL-2.0-or-later
#include "view_fixture.h"

#include <stdexcept>

#include "core/list_session.h"
#include "core/mpeg_info.h"
#include "support/id3v2_builder.h"
#include "support/mp3_file.h"

namespace tw::test {

QStringList texts(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

QStringList filesIn(const std::filesystem::path& folder) {
    QStringList names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            names << QString::fromStdString(entry.path().lexically_relative(folder).string());
    names.sort();
    return names;
}

ViewFixture::ViewFixture() : savedOptions_(core::options()) {
    core::options().allowEditInList = true;
    core::options().autosizeColumns = false;
    core::options().showExtension = false;
}

ViewFixture::~ViewFixture() {
    core::options() = savedOptions_;
}

void ViewFixture::useSubFolder(const std::string& name) {
    std::filesystem::create_directory(dir / name);
    folder_ = (dir / name).string() + "/";
}

std::string ViewFixture::write(const std::string& name, const std::optional<Id3v1Spec>& v1,
                               const Frames& v2) {
    Mp3Parts parts;
    if (!v2.empty()) {
        Id3v2Builder builder(3);
        for (const auto& [id, value] : v2)
            builder.text(id, value);
        parts.id3v2 = builder.build();
    }
    parts.audio = defaultAudio();
    if (v1)
        parts.id3v1 = id3v1Tag(*v1);
    const std::string path = folder_ + name;
    writeBytes(path, parts.bytes());
    return path;
}

void ViewFixture::scan() {
    core::ListSession session(list, core::options(), port);
    if (!session.scanFolder(folder_, false))
        throw std::runtime_error("cannot scan the test folder");
    list.selectAll();
}

std::unique_ptr<core::AudioFile> ViewFixture::reread(const std::string& fileName) const {
    core::MpegInfo mpeg;
    return core::AudioFile::create(folder_ + fileName, folder_.size(), mpeg);
}

void ViewFixture::select(std::initializer_list<int> rows) {
    bool first = true;
    for (int row : rows) {
        if (first)
            list.selectOnly(row);
        else
            list.selectAdd(row);
        first = false;
    }
}

}  // namespace tw::test
