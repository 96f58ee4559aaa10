// SPDX-License-Identifier: GPL-2.0-or-later
#include "freedb/atomic_file.h"

namespace tw::freedb {

void AtomicFileWriter::append(std::string_view bytes) {
    if (ok() && !bytes.empty())
        failed_ = static_cast<bool>(file_.write(bytes.data(), bytes.size()));
}

bool AtomicFileWriter::commit() {
    return ok() && !file_.commit();
}

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view content) {
    AtomicFileWriter writer(target);
    writer.append(content);
    return writer.commit();
}

}  // namespace tw::freedb
