#include "cli/file_records.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "core/mpeg_info.h"

namespace tw::cli {

bool readFiles(const std::vector<std::string>& paths, core::FileList& list, base::UserPort& port) {
    namespace fs = std::filesystem;
    core::MpegInfo mpeg;
    std::set<std::string> seen;
    bool allRead = true;
    for (const std::string& path : paths) {
        std::error_code error;
        const std::string full = fs::absolute(path, error).string();
        std::unique_ptr<core::AudioFile> record;
        if (!error && fs::is_regular_file(full, error))
            record = core::AudioFile::create(full, full.rfind('/') + 1, mpeg);
        if (!record) {
            port.showMessage(base::UserPort::Severity::Error, "cannot read the file " + path);
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
