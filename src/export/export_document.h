// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tw::base {
class UserPort;
}

namespace tw::exports {

class TextSink;

// The common end of the list and template exports: `write` fills the file at `path`
// (an OutputFile, so a failure leaves no half-written file); a file that cannot be created
// or written is reported with "Unable to create specified file:" and the path; a written
// file is opened with the desktop's default handler. The path, or nullopt on failure.
[[nodiscard]] std::optional<std::string> writeDocument(const std::string& path,
                                                       base::UserPort& port,
                                                       const std::function<void(TextSink&)>& write);

}  // namespace tw::exports
