// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/file_records.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "base/language.h"
#include "base/string_ids.h"
#include "core/formats/audio_format.h"
#include "core/formats/format_tags.h"
#include "core/list_session.h"
#include "core/mpeg_info.h"

namespace tw::cli {

bool readFiles(const std::vector<std::string>& paths, core::FileList& list, base::UserPort& port) {
    namespace fs = std::filesystem;
    core::MpegInfo mpeg;
    std::set<std::string> seen;
    bool allRead = true;
    for (const std::string& path : paths) {
        std::error_code error;
        const std::string full = fs::absolute(path, error).lexically_normal().string();
        std::unique_ptr<core::AudioFile> record;
        if (!error)
            record = core::AudioFile::create(full, full.rfind('/') + 1, mpeg);
        if (!record || record->unreadable()) {
            const std::string why = record ? base::worded(record->readFailure) : error.message();
            port.showMessage(base::UserPort::Severity::Error,
                             base::trf(base::ids::kMsgCannotReadFile, error ? path : full, why));
            allRead = false;
            continue;
        }
        if (seen.insert(full).second)
            list.add(std::move(record));
    }
    list.selectAll();
    return allRead;
}

bool readFilesOrFolder(const std::vector<std::string>& words, core::FileList& list,
                       core::AppOptions& options, base::UserPort& port) {
    std::error_code error;
    if (words.size() != 1 || !std::filesystem::is_directory(words.front(), error))
        return readFiles(words, list, port);
    core::ListSession session(list, options, port);
    if (!session.scanFolder(words.front(), false))
        return false;
    list.selectAll();
    return true;
}

bool selectId3v1Holders(core::FileList& list, base::UserPort& port) {
    std::vector<int> holders;
    for (int index = 0; index < list.size(); ++index) {
        const core::AudioFile& file = list.at(index);
        if (core::holdsId3v1(file.format))
            holders.push_back(index);
        else
            port.showMessage(
                base::UserPort::Severity::Warning,
                base::trf(base::ids::kCliNoId3v1Skipped, file.path, core::formatName(file.format)));
    }
    if (holders.empty())
        return false;
    list.selectOnly(holders.front());
    for (const int index : holders)
        list.selectAdd(index);
    return true;
}

}  // namespace tw::cli
