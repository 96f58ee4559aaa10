// SPDX-License-Identifier: GPL-2.0-or-later
// The template splitter and the filling of record blocks over hostile templates and values.
// Input: a control byte, then '\x01'-separated fields: the template text, then title,
// artist, album, comment, lyrics and URL.

#include <cstdlib>

#include "base/text.h"
#include "core/audio_file.h"
#include "core/file_list.h"
#include "export/template_export.h"
#include "export/template_parts.h"
#include "export/text_sink.h"
#include "fuzz_fields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tw;
    if (size == 0)
        return 0;
    const std::uint8_t control = data[0];
    const std::vector<std::string> fields = fuzz::splitFields(data + 1, size - 1);
    const std::string text = fuzz::fieldAt(fields, 0);

    const std::optional<exports::TemplateParts> parts = exports::SplitTemplate(text);
    if (!parts)
        return 0;
    // The first start marker ends the head, the first end marker after it ends record 1.
    if (parts->head.find(exports::kRecordStart) != std::string_view::npos ||
        parts->record1.find(exports::kRecordEnd) != std::string_view::npos ||
        parts->record2.find(exports::kRecordEnd) != std::string_view::npos)
        std::abort();

    core::FileList list;
    for (int i = 0; i < 1 + control % 3; ++i) {
        auto file = std::make_unique<core::AudioFile>();
        file->id3v2.title = fuzz::fieldAt(fields, 1);
        file->id3v1.artist = fuzz::fieldAt(fields, 2);
        file->id3v2.album = fuzz::fieldAt(fields, 3);
        file->id3v1.comment = fuzz::fieldAt(fields, 4);
        file->lyrics.text = fuzz::fieldAt(fields, 5);
        file->id3v2.url = fuzz::fieldAt(fields, 6);
        file->fileName = file->id3v2.title + ".mp3";
        file->id3v1.track = control;
        list.add(std::move(file));
    }
    const auto kind = (control & 0x80) ? exports::DocumentKind::Rtf : exports::DocumentKind::Html;
    exports::StringSink sink;
    exports::WriteTemplateList(sink, list, *parts, kind);

    // Well-formed text in, plain ASCII out.
    bool wellFormed = true;
    for (const std::string& field : fields)
        wellFormed = wellFormed && base::isValidUtf8(field);
    if (kind == exports::DocumentKind::Rtf && wellFormed) {
        for (char c : sink.text()) {
            if (static_cast<unsigned char>(c) >= 0x80)
                std::abort();
        }
    }
    return 0;
}
