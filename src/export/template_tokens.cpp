// SPDX-License-Identifier: GPL-2.0-or-later
#include "export/template_tokens.h"

#include <array>

#include "rename/bounded_replace.h"

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
    // One pass over the record finds the tokens it holds; only a value that brings a "<" of
    // its own makes the later tokens worth searching for again.
    std::array<bool, kTokens.size()> present{};
    for (std::size_t at = record.find('<'); at != std::string_view::npos;
         at = record.find('<', at + 1)) {
        const std::string_view rest = record.substr(at);
        for (std::size_t i = 0; i < kTokens.size(); ++i) {
            const std::string_view token = kTokens[i].text;
            if (rest.size() >= token.size() && rest[1] == token[1] && rest.starts_with(token))
                present[i] = true;
        }
    }
    std::string text(record);
    const std::size_t limit = record.size() + kMaxRecordGrowth;
    bool valuesHoldTokens = false;
    std::string value;
    for (std::size_t i = 0; i < kTokens.size(); ++i) {
        if (!present[i] && !(valuesHoldTokens && text.find(kTokens[i].text) != std::string::npos))
            continue;
        value.clear();
        appendEscaped(value, recordValue(file, kTokens[i].value), escape);
        if (rename::replaceToken(text, kTokens[i].text, value, limit))
            valuesHoldTokens = valuesHoldTokens || value.find('<') != std::string::npos;
    }
    return text;
}

}  // namespace tw::exports
