#include "cli/file_records.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "base/language.h"
#include "base/string_ids.h"
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
            const std::string why = record ? record->readFailure : error.message();
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

}  // namespace tw::cli
