// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>

#include "base/app_paths.h"
#include "base/language.h"

namespace tw::test {

// For the scope of a test: the program's data folders are the repository's own data/, so the
// shipped language files can be chosen; the built-in texts and the old folders come back
// afterwards, whatever happens.
class ShippedLanguages {
public:
    explicit ShippedLanguages(const std::filesystem::path& sourceDir) {
        base::AppPaths shipped = saved_;
        shipped.installDataFolder = sourceDir / "data";
        shipped.userDataFolder = shipped.installDataFolder;
        base::setAppPaths(shipped);
    }
    ~ShippedLanguages() {
        base::SetLanguage("");
        base::setAppPaths(saved_);
    }
    ShippedLanguages(const ShippedLanguages&) = delete;
    ShippedLanguages& operator=(const ShippedLanguages&) = delete;

private:
    base::AppPaths saved_ = base::appPaths();
};

}  // namespace tw::test
