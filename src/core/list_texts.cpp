#include "core/list_texts.h"

#include "base/string_ids.h"
#include "base/string_table.h"

namespace tw::core::texts {

namespace {
std::string text(int id) {
    return std::string(base::builtinText(id));
}
}  // namespace

std::string addingFiles() {
    return text(base::ids::kProgressAddingFiles);
}
std::string savingFiles() {
    return text(base::ids::kProgressSavingChanges);
}
std::string confirmDelete() {
    return text(base::ids::kMsgConfirmDeleteFiles);
}
std::string confirmDiscard() {
    return text(base::ids::kMsgConfirmDiscardChanges);
}
std::string failedFilesTitle() {
    return text(base::ids::kFailedFilesCaption);
}
std::string cannotWriteFiles() {
    return text(base::ids::kFailedFilesWritePermissions);
}
// Not in the string table yet.
std::string cannotDeleteFiles() {
    return "Unable to delete following audio file(s):";
}

}  // namespace tw::core::texts
