// SPDX-License-Identifier: GPL-2.0-or-later
// picture list|export|add|delete: the attached pictures of files.

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>

#include "base/file_ops.h"
#include "base/unique_fd.h"
#include "base/user_port.h"
#include "cli/commands.h"
#include "cli/file_records.h"
#include "cli/int_option.h"
#include "core/id3v2_header.h"
#include "core/picture_data.h"
#include "core/picture_types.h"
#include "core/tag_save.h"

namespace tw::cli {

namespace {

constexpr std::array kOptions = {
    OptionSpec{"out", true},  OptionSpec{"index", true},       OptionSpec{"image", true},
    OptionSpec{"type", true}, OptionSpec{"description", true}, OptionSpec{"all"},
};

void report(CommandContext& context, const std::string& message) {
    context.port.showMessage(base::UserPort::Severity::Error, message);
}

std::string typeKey(int type) {
    const auto known = core::pictureType(type);
    return known ? std::string(known->key) : std::to_string(type);
}

// The one file a subcommand reads; null (reported) when it cannot be read.
std::unique_ptr<core::FileList> oneFile(CommandContext& context, const Args& args) {
    auto list = std::make_unique<core::FileList>();
    if (!readFiles({args.positional()[1]}, *list, context.port) || list->empty())
        return nullptr;
    return list;
}

int listPictures(CommandContext& context, const Args& args) {
    const auto list = oneFile(context, args);
    if (!list)
        return kExitFailed;
    const core::PictureList& pictures = list->at(0).pictures;
    for (std::size_t i = 0; i < pictures.items.size(); ++i) {
        const core::PictureInfo& info = pictures.items[i].info;
        context.out << i + 1 << '\t' << typeKey(info.type) << '\t' << info.mime << '\t'
                    << info.byteSize << '\t' << info.description << '\n';
    }
    return kExitOk;
}

int exportPicture(CommandContext& context, const Args& args) {
    const std::string* out = args.value("out");
    if (!out)
        return usageProblem(context, "give --out PATH");
    const auto index = intOption(args, "index", 1, 1, 1 << 20);
    if (!index)
        return usageProblem(context, "--index is a picture number from 1");
    const auto list = oneFile(context, args);
    if (!list)
        return kExitFailed;
    const core::AudioFile& file = list->at(0);
    const auto loaded = core::readPictureData(file.path, core::kId3v2ReadLimit);
    if (!loaded) {
        report(context, "cannot read the pictures of " + file.path + ": " +
                            base::worded(loaded.failure().why));
        return kExitFailed;
    }
    const core::PictureBytes bytes =
        core::pictureBytes(file, static_cast<std::size_t>(*index - 1), loaded.value());
    if (!bytes) {
        report(context, file.path + " has no readable picture " + std::to_string(*index));
        return kExitFailed;
    }
    // Never over another file.
    const base::UniqueFd fd(::open(out->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    const std::error_code ec =
        fd.valid()
            ? base::writeAt(fd.get(), 0,
                            {reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()})
            : std::error_code(errno, std::generic_category());
    if (ec) {
        report(context, "cannot write " + *out + ": " + ec.message());
        if (fd.valid())
            ::unlink(out->c_str());  // the partial file this command made
        return kExitFailed;
    }
    return kExitOk;
}

std::optional<std::string> readImage(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > core::kPictureReadLimit)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size)))
        return std::nullopt;
    return bytes;
}

std::optional<int> typeOption(const Args& args, int fallback) {
    const std::string* key = args.value("type");
    return key ? core::pictureTypeByKey(*key) : fallback;
}

// Reads the files the command names, edits each, and saves them.
template <typename Edit>
int saveFiles(CommandContext& context, const Args& args, core::FileList& list, Edit edit) {
    const std::vector<std::string> files(args.positional().begin() + 1, args.positional().end());
    const bool allRead = readFiles(files, list, context.port);
    list.forEachSelected(edit);
    const bool allSaved = core::saveAll(list, context.port).empty();
    return allRead && allSaved ? kExitOk : kExitFailed;
}

int addPicture(CommandContext& context, const Args& args) {
    const std::string* image = args.value("image");
    if (!image)
        return usageProblem(context, "give --image PATH");
    const auto type = typeOption(args, core::kFrontCover);
    if (!type)
        return usageProblem(context, "unknown --type " + *args.value("type"));
    const auto bytes = readImage(*image);
    const std::string_view mime = bytes ? core::imageMimeType(*bytes) : std::string_view();
    if (mime.empty()) {
        report(context, "cannot add " + *image + ": only JPEG and PNG images up to 16 MB");
        return kExitFailed;
    }
    const std::string* description = args.value("description");
    const core::PictureInfo info{*type, std::string(mime),
                                 description ? *description : std::string(), bytes->size()};
    const auto data = std::make_shared<const std::string>(*bytes);
    // Other pictures stay, whatever their type; a picture that ID3v2 allows no second of
    // beside the new one is replaced, and the user is told once the file is saved (a file
    // whose save failed keeps its edit in memory, still dirty).
    std::set<std::string> replaced;
    core::FileList list;
    const int status = saveFiles(context, args, list, [&](core::AudioFile& file) {
        if (file.pictures.add(info, data))
            replaced.insert(file.path);
    });
    list.forEachSelected([&](const core::AudioFile& file) {
        if (replaced.contains(file.path) && !file.pictures.dirty())
            context.port.showMessage(base::UserPort::Severity::Information,
                                     file.path + ": replaced its " + typeKey(info.type) +
                                         " picture described \"" + info.description + "\"");
    });
    return status;
}

int deletePictures(CommandContext& context, const Args& args) {
    if (args.has("all") == args.has("type"))
        return usageProblem(context, "give --type T or --all");
    const auto type = typeOption(args, -1);
    if (!type)
        return usageProblem(context, "unknown --type " + *args.value("type"));
    core::FileList list;
    return saveFiles(context, args, list,
                     [&](core::AudioFile& file) { file.pictures.removeType(*type); });
}

int run(CommandContext& context, const Args& args) {
    const std::vector<std::string>& words = args.positional();
    const std::string verb = words.empty() ? std::string() : words.front();
    if (words.size() < 2)
        return usageProblem(context, "give list, export, add or delete and a file");
    if ((verb == "list" || verb == "export") && words.size() != 2)
        return usageProblem(context, verb + " takes one file");
    if (verb == "list")
        return listPictures(context, args);
    if (verb == "export")
        return exportPicture(context, args);
    if (verb == "add")
        return addPicture(context, args);
    if (verb == "delete")
        return deletePictures(context, args);
    return usageProblem(context, "unknown picture command " + verb);
}

}  // namespace

const Command kPictureCommand{
    .name = "picture",
    .synopsis =
        "picture list FILE | picture export FILE --out PATH [--index N] | "
        "picture add FILE... --image PATH [--type T] [--description D] | "
        "picture delete FILE... --type T|--all",
    .summary =
        "list, export, add or delete the attached pictures (add keeps the others and replaces "
        "only one of the same type and description); T is one of other, icon, "
        "other-icon, front (the default), back, leaflet, media, lead-artist, artist, "
        "conductor, band, composer, lyricist, location, recording, performance, video, "
        "fish, illustration, band-logo, publisher-logo",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
