// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/folder_selection.h"

#include <algorithm>

#include "base/user_port.h"
#include "core/app_options.h"
#include "core/list_session.h"
#include "core/relative_folder.h"

namespace tw::cli {

namespace {

// The index of the file `name` names: its path relative to the work folder, else its file
// name or the last part of a path to it.
int indexOfFile(const core::FileList& list, std::string_view workFolder, std::string_view name) {
    const std::size_t slash = name.rfind('/');
    const std::string_view fileName =
        slash == std::string_view::npos ? name : name.substr(slash + 1);
    int byFileName = -1;
    for (int i = 0; i < list.size(); ++i) {
        if (core::relativeName(list.at(i), workFolder) == name)
            return i;
        if (byFileName < 0 && list.at(i).fileName == fileName)
            byFileName = i;
    }
    return byFileName;
}

}  // namespace

void takeRecursiveOption(CommandContext& context, const Args& args) {
    context.options.includeSubfolders = args.has(kRecursiveOption.name);
}

int loadFolderSelection(CommandContext& context, const Args& args, core::FileList& list) {
    const std::vector<std::string>& words = args.positional();
    if (words.empty())
        return usageProblem(context, "give the folder");
    std::vector<std::string> names(words.begin() + 1, words.end());
    if (const std::string* first = args.value("files"))
        names.insert(names.begin(), *first);
    if (args.has("files") && names.empty())
        return usageProblem(context, "--files needs at least one file name");

    takeRecursiveOption(context, args);
    core::ListSession session(list, context.options, context.port);
    if (!session.scanFolder(words.front(), false))
        return kExitFailed;
    if (names.empty())
        return kExitOk;

    std::vector<int> chosen;
    for (const std::string& name : names) {
        const int index = indexOfFile(list, context.options.workFolder, name);
        if (index < 0) {
            context.port.showMessage(base::UserPort::Severity::Error,
                                     "no MP3 file " + name + " in " + context.options.workFolder);
            return kExitFailed;
        }
        chosen.push_back(index);
    }
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    list.selectOnly(chosen.front());
    for (std::size_t i = 1; i < chosen.size(); ++i)
        list.selectAdd(chosen[i]);
    return kExitOk;
}

}  // namespace tw::cli
