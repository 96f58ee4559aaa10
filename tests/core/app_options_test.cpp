// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/app_options.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/memory_settings_store.h"
#include "support/temp_dir.h"

namespace tw::core {
namespace {

TEST(AppOptions, SaveAndLoadRoundTripWithoutTouchingTheLanguage) {
    base::MemorySettingsStore store;
    store.setString("Settings", "Language", "Deutsch.lng");
    AppOptions opts;
    opts.workFolder = "/music/";
    opts.zeroYearIsEmpty = false;
    opts.autoFillV2 = true;
    opts.i8 = 5;
    opts.doubleClickOpensFolder = true;
    opts.showExtension = true;
    opts.allowEditInList = false;
    opts.mp3FilesOnly = true;
    opts.save(store);

    AppOptions loaded;
    loaded.load(store);
    EXPECT_EQ(loaded.workFolder, "/music/");
    EXPECT_EQ(loaded.i8, 5);
    EXPECT_TRUE(!loaded.zeroYearIsEmpty && loaded.autoFillV2 && !loaded.allowEditInList);
    EXPECT_TRUE(loaded.doubleClickOpensFolder && loaded.showExtension && loaded.mp3FilesOnly);
    EXPECT_FALSE(AppOptions{}.mp3FilesOnly);
    EXPECT_EQ(store.getInt("settings", "w4", -1), 1);
    EXPECT_EQ(store.getString("Settings", "Language", ""), "Deutsch.lng");
}

TEST(AppOptions, WorkFolderAlwaysEndsWithTheSeparator) {
    base::MemorySettingsStore store;
    store.setString("Settings", "D", "\\music\\rock");
    AppOptions opts;
    opts.load(store);
    EXPECT_EQ(opts.workFolder, "/music/rock/");

    SetCurrentFolder(opts, "/tmp");
    EXPECT_EQ(opts.workFolder, "/tmp/");
    SetCurrentFolder(opts, "");
    EXPECT_EQ(opts.workFolder, defaultWorkFolder());
    EXPECT_EQ(defaultWorkFolder().back(), '/');
}

TEST(AppOptions, AMissingStartFolderFallsBackToItsNearestExistingParent) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "kept");
    EXPECT_EQ(existingWorkFolder(dir.folder() + "kept"), dir.folder() + "kept/");
    EXPECT_EQ(existingWorkFolder(dir.folder() + "kept/gone/deeper/"), dir.folder() + "kept/");
    EXPECT_EQ(existingWorkFolder("C:/music/"), defaultWorkFolder());
    EXPECT_EQ(existingWorkFolder("/"), "/");
}

}  // namespace
}  // namespace tw::core
