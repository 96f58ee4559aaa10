// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/picture_data.h"

#include <fcntl.h>
#include <taglib/attachedpictureframe.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <string_view>

#include "base/unique_fd.h"
#include "core/byte_window.h"
#include "core/file_facts.h"
#include "core/formats/format_reader.h"
#include "core/id3v2_header.h"
#include "core/id3v2_tag.h"

namespace tw::core {

namespace {

constexpr std::array<std::string_view, 1> kPictureIds = {"APIC"};

base::Failure failed(const std::string& path, int error) {
    return base::Failure::ofSystem(path, {error, std::system_category()});
}

}  // namespace

base::Result<std::vector<PictureBytes>> readPictureData(const std::string& path,
                                                        std::uint64_t limit) {
    const base::UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid())
        return failed(path, errno);
    const auto facts = factsOf(fd.get());
    if (!facts)
        return failed(path, errno);
    if (!facts->regular)
        return failed(path, EINVAL);
    ByteWindow window;
    window.reset(fd.get(), facts->size);
    if (const AudioFormat format = audioFormatOf(window); format != AudioFormat::Mpeg) {
        return readFormatPictures(format, fd.get(), facts->size, limit, path);
    }
    std::vector<PictureBytes> out;
    const auto header = Id3v2Header::parse(window.bytesAt(0, Id3v2Header::kSize));
    if (!header)
        return out;
    const Id3v2Tag tag(*header, window, std::min(header->tagSize(), std::uint64_t{kId3v2ReadLimit}),
                       kPictureIds);
    if (window.failed())
        return failed(path, window.error() != 0 ? window.error() : EIO);
    for (std::size_t i = 0; i < tag.pictures().size(); ++i) {
        const auto* frame =
            dynamic_cast<const TagLib::ID3v2::AttachedPictureFrame*>(tag.pictureFrame(i));
        if (!frame || frame->picture().size() > limit) {
            out.emplace_back();
            continue;
        }
        const TagLib::ByteVector data = frame->picture();
        out.push_back(std::make_shared<const std::string>(data.data(), data.size()));
    }
    return out;
}

PictureBytes pictureBytes(const AudioFile& record, std::size_t index,
                          const std::vector<PictureBytes>& loaded) {
    if (index >= record.pictures.items.size())
        return nullptr;
    const Picture& picture = record.pictures.items[index];
    if (picture.data)
        return picture.data;
    const auto at = static_cast<std::size_t>(picture.fileIndex);
    return picture.fileIndex >= 0 && at < loaded.size() ? loaded[at] : nullptr;
}

}  // namespace tw::core
