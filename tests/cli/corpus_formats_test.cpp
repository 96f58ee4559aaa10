// SPDX-License-Identifier: GPL-2.0-or-later
// `tunewright-cli list` on a corpus of every kind of file the program reads, made by the
// project's corpus maker, against the ground truth of its manifest (bench/check_manifest.py).
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/file_text.h"
#include "support/shell_quote.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

TEST(CorpusFormatsTest, ListingMatchesTheManifest) {
    const char* source = std::getenv("TW_SOURCE_DIR");
    ASSERT_NE(source, nullptr) << "TW_SOURCE_DIR names the checkout";
    test::TempDir dir;
    const std::string folder = (dir / "corpus").string();
    const std::string manifest = folder + ".manifest.tsv";
    const std::string log = (dir / "log").string();
    // The encodes are kept where the other corpus tests keep theirs.
    const std::string cache =
        (std::filesystem::temp_directory_path() / ("tw-corpus-cache-" + std::to_string(::getuid())))
            .string();
    // Three files of each kind, with both settings of each, several text sets and a picture.
    const std::string make = "/usr/bin/python3 " +
                             test::shellQuoted(std::string(source) + "/scripts/make-corpus") + " " +
                             test::shellQuoted(folder) + " 18 --formats all --keep-cache " +
                             test::shellQuoted(cache) + " >" + test::shellQuoted(log) + " 2>&1";
    ASSERT_EQ(std::system(make.c_str()), 0) << test::fileText(log);
    const std::string check =
        "/usr/bin/python3 " + test::shellQuoted(std::string(source) + "/bench/check_manifest.py") +
        " " + test::shellQuoted(TW_CLI_PATH) + " " + test::shellQuoted(folder) + " " +
        test::shellQuoted(manifest) + " >" + test::shellQuoted(log) + " 2>&1";
    EXPECT_EQ(std::system(check.c_str()), 0) << test::fileText(log);
    EXPECT_NE(test::fileText(log).find("18 of 18 files match"), std::string::npos)
        << test::fileText(log);
}

}  // namespace
}  // namespace tw
