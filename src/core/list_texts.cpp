#include "core/list_texts.h"

namespace tw::core::texts {

std::string addingFiles() { return "Adding audio file(s) into File List:"; }
std::string savingFiles() { return "Saving changes in file(s):"; }
std::string confirmDelete() { return "Are you sure you want to delete selected audio file(s)?"; }
std::string confirmDiscard() {
    return "You have edited several ID3 tags in the files.\nAre you sure to discard all you "
           "changes and reload all audio files from selected folder?\n\nWork folder:\n";
}
std::string failedFilesTitle() { return "Errors on file(s) modification"; }
std::string cannotWriteFiles() {
    return "Unable to get write permissions for following audio file(s):";
}
std::string cannotDeleteFiles() { return "Unable to delete following audio file(s):"; }

}  // namespace tw::core::texts
