// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/app_paths.h"
#include "base/language.h"
#include "support/temp_dir.h"

namespace tw::base {

// Points the program's data folders at a temporary folder and leaves the built-in texts
// active after each test.
class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = appPaths();
        setAppPaths({dir_.path() / "bin", dir_.path() / "install", dir_.path() / "user",
                     dir_.path() / "config"});
        SetLanguage("");
    }
    void TearDown() override {
        SetLanguage("");
        setAppPaths(saved_);
    }

    // Writes <data>/Lng/<fileName> with the given bytes; `user` picks the user's data folder.
    std::filesystem::path writeLanguage(const std::string& fileName, const std::string& bytes,
                                        bool user = false) {
        std::filesystem::path folder = dir_.path() / (user ? "user" : "install") / "Lng";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / fileName, std::ios::binary) << bytes;
        return folder / fileName;
    }

    test::TempDir dir_;
    AppPaths saved_;
};

}  // namespace tw::base
