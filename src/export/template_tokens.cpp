#include "export/template_tokens.h"

#include <array>

#include "export/token_replace.h"

namespace tw::exports {

namespace {

// "<felename>" is spelled so: existing templates use that spelling.
constexpr std::array<TemplateToken, 21> kTokens = {{
    {"<number>", RecordValue::Track},
    {"<title>", RecordValue::Title},
    {"<artist>", RecordValue::Artist},
    {"<album>", RecordValue::Album},
    {"<year>", RecordValue::Year},
    {"<genre>", RecordValue::Genre},
    {"<comment>", RecordValue::Comment},
    {"<composer>", RecordValue::Composer},
    {"<orig_artist>", RecordValue::OrigArtist},
    {"<copyright>", RecordValue::Copyright},
    {"<url>", RecordValue::Url},
    {"<publisher>", RecordValue::Publisher},
    {"<encoded_by>", RecordValue::EncodedBy},
    {"<lyric>", RecordValue::Lyrics},
    {"<felename>", RecordValue::FileName},
    {"<created>", RecordValue::Created},
    {"<modified>", RecordValue::Changed},
    {"<size>", RecordValue::Size},
    {"<play_time>", RecordValue::PlayTime},
    {"<bitrate>", RecordValue::Bitrate},
    {"<channel_mode>", RecordValue::Channels},
}};

}  // namespace

std::span<const TemplateToken> templateTokens() {
    return kTokens;
}

std::string FillTemplateRecord(std::string_view record, const core::AudioFile& file,
                               TextEscape escape) {
    std::string text(record);
    const std::size_t limit = record.size() + kMaxRecordGrowth;
    std::string value;
    for (const TemplateToken& token : kTokens) {
        if (text.find(token.text) == std::string::npos)
            continue;  // most records use a few tokens; values are made only for those
        value.clear();
        appendEscaped(value, recordValue(file, token.value), escape);
        replaceToken(text, token.text, value, limit);
    }
    return text;
}

}  // namespace tw::exports
