// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/freedb_output.h"

#include "cli/tsv_text.h"

namespace tw::cli {

void CliJobObserver::onLogLine(std::string_view line) {
    err_ << line << '\n';
}

void CliJobObserver::onStatus(std::string_view text) {
    err_ << "status: " << text << '\n';
}

void CliJobObserver::onAlbumFound(freedb::FoundIn where, const freedb::AlbumInfo& album) {
    found_.push_back({where, album});
}

void CliJobObserver::onAlbumStored(freedb::FoundIn where, const freedb::AlbumInfo& album) {
    err_ << "stored in " << sourceName(where) << ": " << album.category() << ' ' << album.discId()
         << '\n';
}

void CliJobObserver::onAlbumUpdated(const freedb::AlbumInfo& album) {
    updated_.push_back(album);
    for (FoundAlbum& found : found_) {
        const bool remote =
            found.where == freedb::FoundIn::FreeDb || found.where == freedb::FoundIn::WebSearch;
        if (remote && found.album.discId() == album.discId() &&
            found.album.category() == album.category())
            found.album = album;
    }
}

void CliJobObserver::onMessage(Severity severity, std::string_view text) {
    err_ << (severity == Severity::Error ? "error: " : "") << text << '\n';
}

void CliJobObserver::onServerList(const std::vector<freedb::ServerRecord>& servers) {
    servers_ = servers;
}

void CliJobObserver::onServerStatistics(const freedb::ServerStatistics& statistics) {
    statistics_ = statistics;
}

std::string_view sourceName(freedb::FoundIn where) {
    switch (where) {
        case freedb::FoundIn::CdPlayerIni:
            return "cdplayer";
        case freedb::FoundIn::LocalDatabase:
            return "localdb";
        case freedb::FoundIn::FreeDb:
            return "freedb";
        case freedb::FoundIn::WebSearch:
            return "search";
    }
    return "";
}

void printAlbumLine(std::ostream& out, std::size_t number, const FoundAlbum& found) {
    const freedb::AlbumInfo& a = found.album;
    out << number << '\t' << sourceName(found.where) << '\t' << tsvField(a.category()) << '\t'
        << tsvField(a.discId()) << '\t' << tsvField(a.artist()) << '\t' << tsvField(a.title())
        << '\t' << a.trackCount() << '\n';
}

std::string withLineFeeds(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c;
    return out;
}

}  // namespace tw::cli
