// SPDX-License-Identifier: GPL-2.0-or-later
// playlist DIR --type m3u|m3u-ext|pls: writes a playlist of the folder's files.

#include <array>
#include <filesystem>

#include "base/qt/qsettings_store.h"
#include "cli/commands.h"
#include "cli/folder_selection.h"
#include "cli/forwarding_user_port.h"
#include "cli/rename_settings.h"
#include "core/app_options.h"
#include "core/file_list.h"
#include "export/playlist_command.h"

namespace tw::cli {

namespace {

using Choice = base::UserPort::OverwriteChoice;

constexpr std::array kOptions = {
    OptionSpec{"type", true},  OptionSpec{"mask", true}, OptionSpec{"out", true},
    OptionSpec{"files", true}, OptionSpec{"overwrite"},  OptionSpec{"skip"},
    kRecursiveOption,
};

std::optional<exports::PlaylistType> typeOf(const std::string* name) {
    if (!name)
        return std::nullopt;
    if (*name == "m3u")
        return exports::PlaylistType::M3u;
    if (*name == "m3u-ext")
        return exports::PlaylistType::M3uExtended;
    if (*name == "pls")
        return exports::PlaylistType::Pls;
    return std::nullopt;
}

// What answers the question about an existing playlist, told with it.
constexpr const char* kOverwriteHint = "\n(--overwrite replaces it; --skip keeps it and succeeds)";

// Answers the question about an existing playlist from --overwrite or --skip.
class OverwritePort final : public ForwardingUserPort {
public:
    OverwritePort(base::UserPort& inner, std::optional<Choice> choice)
        : ForwardingUserPort(inner), choice_(choice) {}

    OverwriteChoice askOverwrite(std::string_view text) override {
        if (!choice_)
            return ForwardingUserPort::askOverwrite(std::string(text) + kOverwriteHint);
        showMessage(Severity::Information, text);
        return *choice_;
    }

private:
    std::optional<Choice> choice_;
};

std::string folderWithSeparator(const std::string& folder) {
    std::string absolute = std::filesystem::absolute(folder).lexically_normal().string();
    if (absolute.empty() || absolute.back() != '/')
        absolute += '/';
    return absolute;
}

int run(CommandContext& context, const Args& args) {
    const auto type = typeOf(args.value("type"));
    if (!type)
        return usageProblem(context, "--type is m3u, m3u-ext or pls");
    if (args.has("overwrite") && args.has("skip"))
        return usageProblem(context, "give at most one of --overwrite and --skip");
    const std::string* out = args.value("out");
    if (out && out->empty())
        return usageProblem(context, "--out needs a folder");

    core::FileList list;
    if (const int status = loadFolderSelection(context, args, list); status != kExitOk)
        return status;

    // The user's symbol table and case rule apply; the command's own writes (mask list,
    // type) stay in memory.
    base::MemorySettingsStore store = renameSettings();
    const base::QSettingsStore user;
    store.setInt(rename::kPlaylistMaskSection, "CaseConversion",
                 user.getInt(rename::kPlaylistMaskSection, "CaseConversion", 0));
    exports::PlaylistCommand command(list, store,
                                     folderWithSeparator(out ? *out : context.options.workFolder));
    command.setType(*type);
    if (const std::string* mask = args.value("mask"))
        command.maskList().setCurrentMask(*mask);

    std::optional<Choice> choice;
    if (args.has("overwrite"))
        choice = Choice::Overwrite;
    else if (args.has("skip"))
        choice = Choice::Skip;
    OverwritePort port(context.port, choice);
    const exports::PlaylistOutcome outcome = command.CreatePlaylist(port);
    switch (outcome.result) {
        case exports::PlaylistOutcome::Result::Written:
            context.out << outcome.path << '\n';
            return kExitOk;
        case exports::PlaylistOutcome::Result::Cancelled:
            return args.has("skip") ? kExitOk : kExitFailed;
        case exports::PlaylistOutcome::Result::Failed:
            break;
    }
    return kExitFailed;
}

}  // namespace

const Command kPlaylistCommand{
    .name = "playlist",
    .synopsis =
        "playlist DIR --type m3u|m3u-ext|pls [--mask M] [--out DIR] [--files F...] "
        "[--overwrite|--skip] [--recursive]",
    .summary =
        "write a playlist of the files (all, or those named) into DIR or the --out folder, "
        "named by a mask over the first file's tags (default \"<album>\"; \"\\\" makes "
        "folders, a leading \"..\\\" goes up)",
    .options = kOptions,
    .run = run,
};

}  // namespace tw::cli
