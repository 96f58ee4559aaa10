#pragma once

#include <string>

namespace tw::core::texts {

// The user-visible texts of the list operations.
std::string addingFiles();        // progress title of a folder scan
std::string savingFiles();        // progress title of saveAll
std::string confirmDelete();      // question before files are deleted from the disk
std::string confirmDiscard();     // question before dirty records are dropped; the folder follows
std::string failedFilesTitle();   // title of the failed-files report
std::string cannotWriteFiles();   // text above the files a save failed for
std::string cannotDeleteFiles();  // text above the files a deletion failed for

}  // namespace tw::core::texts
