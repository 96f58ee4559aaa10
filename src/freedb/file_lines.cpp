// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/file_lines.h"

#include "freedb/text_util.h"

namespace tw::freedb {

FileLineReader::FileLineReader(const std::filesystem::path& path, std::size_t lineLimit)
    : file_(path, std::ios::binary), lineLimit_(lineLimit) {}

bool FileLineReader::next(std::string& line) {
    line.clear();
    if (!file_.is_open())
        return false;
    std::streambuf* buffer = file_.rdbuf();
    bool any = false;
    for (;;) {
        const auto c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof())
            break;
        any = true;
        if (c == '\n')
            return true;
        if (lineLimit_ == 0 || line.size() < lineLimit_)
            line += static_cast<char>(c);
    }
    file_.setstate(std::ios::eofbit);
    return any;
}

DatabaseFileLines::DatabaseFileLines(const std::filesystem::path& path)
    : reader_(path, kLineLimit), codePage_("ISO-8859-15") {}

bool DatabaseFileLines::receiveLine(std::string& line) {
    std::string raw;
    if (!reader_.next(raw)) {
        last_.clear();
        return false;
    }
    std::string_view text(raw);
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    last_ = WithoutControlCharacters(codePage_.decodeUnlessUtf8(text));
    line = last_;
    return true;
}

bool DatabaseFileLines::skipUntil(const std::function<bool(std::string_view)>& isWanted) {
    std::string raw;
    while (reader_.next(raw)) {
        if (isWanted(TrimRight(raw))) {
            last_ = TrimRight(raw);
            return true;
        }
    }
    last_.clear();
    return false;
}

}  // namespace tw::freedb
