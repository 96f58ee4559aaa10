// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/fake_cddb_database.h"

#include <cstdlib>
#include <sstream>

namespace tw::test {

namespace {

std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> out;
    std::istringstream in{std::string(line)};
    std::string word;
    while (in >> word)
        out.push_back(word);
    return out;
}

// UTF-8 text as ISO-8859-1 bytes; characters beyond it become "?". Bytes that are no UTF-8
// pass as they are.
std::string latin1(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80    ? 1
                             : lead >= 0xF0 ? 4
                             : lead >= 0xE0 ? 3
                             : lead >= 0xC0 ? 2
                                            : 0;
        if (length <= 1 || i + length > text.size()) {
            out += text[i];
            continue;
        }
        unsigned codePoint = lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += codePoint < 0x100 ? static_cast<char>(codePoint) : '?';
        i += length - 1;
    }
    return out;
}

}  // namespace

std::vector<std::string> MakeFakeXmcd(const std::string& discId, const std::string& discTitle,
                                      int tracks) {
    std::vector<std::string> lines = {"# xmcd", "#", "# Track frame offsets:"};
    for (int i = 0; i < tracks; ++i)
        lines.push_back("#\t" + std::to_string(150 + i * 15000));
    lines.push_back("#");
    lines.push_back("# Disc length: " + std::to_string(2 + tracks * 200) + " seconds");
    lines.push_back("#");
    lines.push_back("DISCID=" + discId);
    lines.push_back("DTITLE=" + discTitle);
    lines.push_back("DYEAR=1999");
    lines.push_back("DGENRE=Rock");
    for (int i = 0; i < tracks; ++i)
        lines.push_back("TTITLE" + std::to_string(i) + "=Track " + std::to_string(i + 1));
    lines.push_back("EXTD=");
    for (int i = 0; i < tracks; ++i)
        lines.push_back("EXTT" + std::to_string(i) + "=");
    lines.push_back("PLAYORDER=");
    return lines;
}

void FakeCddbDatabase::add(FakeAlbum album) {
    const std::lock_guard lock(mutex_);
    albums_.push_back(std::move(album));
}

void FakeCddbDatabase::setScript(Script script) {
    const std::lock_guard lock(mutex_);
    script_ = std::move(script);
}

void FakeCddbDatabase::setSites(std::vector<std::string> lines) {
    const std::lock_guard lock(mutex_);
    sites_ = std::move(lines);
}

void FakeCddbDatabase::setStatLines(std::vector<std::string> lines) {
    const std::lock_guard lock(mutex_);
    statLines_ = std::move(lines);
}

void FakeCddbDatabase::setHighestProtocolLevel(int level) {
    const std::lock_guard lock(mutex_);
    highestLevel_ = level;
}

int FakeCddbDatabase::highestProtocolLevel() const {
    const std::lock_guard lock(mutex_);
    return highestLevel_;
}

std::vector<std::string> FakeCddbDatabase::commands() const {
    const std::lock_guard lock(mutex_);
    return commands_;
}

int FakeCddbDatabase::readCount(const std::string& category, const std::string& discId) const {
    const std::lock_guard lock(mutex_);
    const auto it = reads_.find(category + " " + discId);
    return it == reads_.end() ? 0 : it->second;
}

std::vector<std::string> FakeCddbDatabase::reply(std::string_view command, int& level) {
    std::vector<std::string> lines = answer(command, level);
    if (level < 6)
        for (std::string& line : lines)
            line = latin1(line);
    return lines;
}

std::vector<std::string> FakeCddbDatabase::protocolLevel(const std::vector<std::string>& w,
                                                         int& level) {
    const int highest = highestProtocolLevel();
    if (w.size() == 1)
        return {"200 CDDB protocol level: current " + std::to_string(level) + ", supported " +
                std::to_string(highest)};
    const int wanted = std::atoi(w[1].c_str());
    if (wanted < 1 || wanted > highest)
        return {"501 Illegal protocol level."};
    if (wanted == level)
        return {"502 Protocol level already " + std::to_string(level) + "."};
    level = wanted;
    return {"201 OK, CDDB protocol level now: " + std::to_string(level)};
}

std::vector<std::string> FakeCddbDatabase::answer(std::string_view command, int& level) {
    Script script;
    {
        const std::lock_guard lock(mutex_);
        commands_.emplace_back(command);
        script = script_;
    }
    if (script) {
        if (auto scripted = script(command))
            return *scripted;
    }
    const std::vector<std::string> w = words(command);
    if (w.empty())
        return {"500 Unrecognized command."};
    if (w[0] == "quit")
        return {"230 Goodbye."};
    if (w[0] == "proto")
        return protocolLevel(w, level);
    if (w[0] == "sites") {
        const std::lock_guard lock(mutex_);
        std::vector<std::string> lines = {
            "210 OK, site information follows (until terminating `.')"};
        lines.insert(lines.end(), sites_.begin(), sites_.end());
        lines.emplace_back(".");
        return lines;
    }
    if (w[0] == "stat") {
        const std::lock_guard lock(mutex_);
        std::vector<std::string> lines = {
            "210 OK, status information follows (until terminating `.')"};
        lines.insert(lines.end(), statLines_.begin(), statLines_.end());
        lines.emplace_back(".");
        return lines;
    }
    if (w[0] != "cddb" || w.size() < 2)
        return {"500 Unrecognized command."};
    if (w[1] == "hello")
        return {"200 Hello and welcome."};
    if (w[1] == "query" && w.size() >= 3)
        return query(w[2]);
    if (w[1] == "read" && w.size() >= 4)
        return read(w[2], w[3]);
    return {"500 Command syntax error."};
}

std::vector<std::string> FakeCddbDatabase::query(std::string_view discId) {
    const std::lock_guard lock(mutex_);
    std::vector<std::string> matches;
    for (const FakeAlbum& album : albums_)
        if (album.discId == discId)
            matches.push_back(album.category + " " + album.discId + " " + album.discTitle);
    if (matches.empty())
        return {"202 No match found."};
    if (matches.size() == 1)
        return {"200 " + matches.front()};
    std::vector<std::string> lines = {
        "211 Found inexact matches, list follows (until terminating `.')"};
    lines.insert(lines.end(), matches.begin(), matches.end());
    lines.emplace_back(".");
    return lines;
}

std::vector<std::string> FakeCddbDatabase::read(const std::string& category,
                                                const std::string& discId) {
    const std::lock_guard lock(mutex_);
    for (const FakeAlbum& album : albums_) {
        if (album.category != category || album.discId != discId)
            continue;
        ++reads_[category + " " + discId];
        std::vector<std::string> lines = {"210 " + category + " " + discId +
                                          " CD database entry follows (until terminating `.')"};
        lines.insert(lines.end(), album.xmcd.begin(), album.xmcd.end());
        lines.emplace_back(".");
        return lines;
    }
    return {"401 " + category + " " + discId + " No such CD entry in database."};
}

}  // namespace tw::test
