// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tw::test {

// One file of the make-corpus test corpus, as its manifest describes it.
struct CorpusFile {
    int index = 0;
    std::string name;
    int tagKind = 0;  // index mod 7: none, v1.0, v1.1, v2.3, v2.4, v1.1+v2.3, v1.1+v2.4
    std::uint64_t pictureBytes = 0;  // the size of its picture frame; 0 without one
};

// Makes the first `count` files of the corpus in `folder` (which must not exist yet) with the
// make-corpus script (TW_MAKE_CORPUS, else beside the checkout), reusing its encodes from a
// cache folder under the system's temporary folder. Nothing when the script or its tools
// are not there.
std::optional<std::vector<CorpusFile>> addCorpusFiles(const std::filesystem::path& folder,
                                                      int count);

}  // namespace tw::test
