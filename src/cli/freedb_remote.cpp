// SPDX-License-Identifier: GPL-2.0-or-later
// freedb read|sites|stat|search|submit: the commands that only talk to the server or the
// web site.

#include <sstream>

#include "base/user_port.h"
#include "cli/freedb_output.h"
#include "cli/freedb_subcommands.h"
#include "freedb/album_path_check.h"
#include "freedb/file_lines.h"
#include "freedb/freedb_category.h"
#include "freedb/local_album_database.h"
#include "freedb/retrieve_tracks_job.h"
#include "freedb/server_jobs.h"
#include "freedb/text_util.h"
#include "freedb/xmcd_reader.h"
#include "freedb/xmcd_writer.h"

namespace tw::cli {

namespace {

std::vector<std::string> wordsAfterName(const Args& args) {
    return {args.positional().begin() + 1, args.positional().end()};
}

void reportError(CommandContext& context, const std::string& text) {
    context.port.showMessage(base::UserPort::Severity::Error, text);
}

// "artist,title,track,rest" into the search switches; nullopt for an unknown name.
std::optional<freedb::SearchFields> parseFields(const std::string& list) {
    freedb::SearchFields fields{false, false, false, false};
    std::stringstream in(list);
    std::string name;
    while (std::getline(in, name, ',')) {
        if (name == "artist") {
            fields.artists = true;
        } else if (name == "title") {
            fields.titles = true;
        } else if (name == "track") {
            fields.trackTitles = true;
        } else if (name == "rest") {
            fields.trackExtras = true;
        } else {
            return std::nullopt;
        }
    }
    return fields;
}

// The lines of an xmcd file for the reader, noting its DISCID on the way (the reader takes
// the disc id from where a record was found, which a loose file does not say).
class XmcdFileLines final : public freedb::LineSource {
public:
    explicit XmcdFileLines(const std::string& path) : lines_(path) {}

    bool isOpen() const { return lines_.isOpen(); }
    bool receiveLine(std::string& line) override {
        if (!lines_.receiveLine(line))
            return false;
        if (line.starts_with("DISCID="))
            discId = freedb::Trim(std::string_view(line).substr(7));
        return true;
    }

    std::string discId;

private:
    freedb::DatabaseFileLines lines_;
};

// A record file that carries a revision is a correction of that revision, unless it is the
// local database's copy of the same revision, unchanged: then it is measured against that.
void markAgainstLocalCopy(freedb::AlbumInfo& album, const freedb::StoreConfig& config) {
    if (!album.revision())
        return;
    freedb::LocalAlbumDatabase database(config.localDb);
    freedb::AlbumInfo stored;
    stored.setCategory(album.category());
    stored.setDiscId(album.discId());
    if (database.read(stored) && stored.revision() == album.revision())
        album.markAsReadAs(stored);
}

}  // namespace

int freedbRead(CommandContext& context, const Args& args, const freedb::StoreConfig& config) {
    const std::vector<std::string> words = wordsAfterName(args);
    if (words.size() != 2)
        return usageProblem(context, "give CATEGORY and DISCID");
    if (!freedb::IsSafeCategoryName(words[0]) || !freedb::IsValidDiscId(words[1]))
        return usageProblem(context, "not a category and disc id: " + words[0] + " " + words[1]);
    freedb::AlbumInfo match;
    match.setCategory(words[0]);
    match.setDiscId(words[1]);
    CliJobObserver observer(context.err);
    freedb::RetrieveTracksJob(config, observer, {match}).Wait();
    if (observer.updated().empty())
        return kExitFailed;
    context.out << freedb::WriteXmcd(observer.updated().front());
    return kExitOk;
}

int freedbSites(CommandContext& context, const Args& args, const freedb::StoreConfig& config) {
    if (args.positional().size() != 1)
        return usageProblem(context, "sites takes no words");
    CliJobObserver observer(context.err);
    const freedb::StoreKind kind =
        config.freedb.useHttp() ? freedb::StoreKind::CddbHttp : freedb::StoreKind::CddbTcp;
    freedb::GetServerListJob(config, observer, config.freedb.remoteServer, config.freedb.remotePort,
                             kind)
        .Wait();
    for (const freedb::ServerRecord& server : observer.servers())
        context.out << freedb::FormatServerLine(server) << '\n';
    return observer.success() ? kExitOk : kExitFailed;
}

int freedbStat(CommandContext& context, const Args& args, const freedb::StoreConfig& config) {
    if (args.positional().size() != 1)
        return usageProblem(context, "stat takes no words");
    CliJobObserver observer(context.err);
    freedb::StatisticsJob(config, observer).Wait();
    if (!observer.statistics())
        return kExitFailed;
    context.out << withLineFeeds(freedb::FormatServerStatistics(*observer.statistics())) << '\n';
    return kExitOk;
}

int freedbSearch(CommandContext& context, const Args& args, const freedb::StoreConfig& config) {
    const std::vector<std::string> words = wordsAfterName(args);
    if (words.empty())
        return usageProblem(context, "give the words to search for");
    freedb::SearchFields fields;
    if (const std::string* list = args.value("fields")) {
        const auto parsed = parseFields(*list);
        if (!parsed || !parsed->any())
            return usageProblem(context, "--fields takes artist,title,track,rest");
        fields = *parsed;
    }
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : " ") + word;
    CliJobObserver observer(context.err);
    freedb::SearchJob(config, observer, text, fields).Wait();
    for (std::size_t i = 0; i < observer.found().size(); ++i)
        printAlbumLine(context.out, i + 1, observer.found()[i]);
    return observer.success() ? kExitOk : kExitFailed;
}

int freedbSubmit(CommandContext& context, const Args& args, const freedb::StoreConfig& config) {
    const std::vector<std::string> words = wordsAfterName(args);
    if (words.size() != 1)
        return usageProblem(context, "give one xmcd file");
    XmcdFileLines lines(words[0]);
    freedb::AlbumInfo album;
    if (!lines.isOpen() || !freedb::ReadXmcd(album, lines, nullptr)) {
        reportError(context, "cannot read an xmcd record from " + words[0]);
        return kExitFailed;
    }
    const std::string* category = args.value("category");
    const auto known = freedb::FindFreeDbCategory(album.genre());
    if (category == nullptr && !known)
        return usageProblem(context, "the record's genre is no category; give --category");
    const std::string name =
        category ? *category : std::string(freedb::FreeDbCategories()[*known].name);
    if (!freedb::FindFreeDbCategory(name))
        return usageProblem(context, "unknown category " + name);
    album.setCategory(name);
    if (freedb::IsValidDiscId(lines.discId))
        album.setDiscId(lines.discId);
    markAgainstLocalCopy(album, config);
    CliJobObserver observer(context.err);
    freedb::SubmitJob(config, observer, album).Wait();
    return observer.success() ? kExitOk : kExitFailed;
}

}  // namespace tw::cli
