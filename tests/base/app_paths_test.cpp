// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "base/app_paths.h"

namespace tw::base {
namespace {

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class AppPathsTest : public ::testing::Test {
protected:
    void TearDown() override { setAppPaths(saved_); }
    AppPaths saved_ = appPaths();
};

TEST_F(AppPathsTest, FoldersFollowTheExecutableAndTheXdgVariables) {
    ScopedEnv home("HOME", "/home/someone");
    ScopedEnv data("XDG_DATA_HOME", "/xdg/data");
    ScopedEnv config("XDG_CONFIG_HOME", nullptr);
    ScopedEnv state("XDG_STATE_HOME", "/xdg/state");
    initAppPaths("ignored");
    AppPaths p = appPaths();
    EXPECT_FALSE(p.programFolder.empty());
    EXPECT_EQ(p.installDataFolder,
              (p.programFolder / ".." / "share" / "tunewright").lexically_normal());
    EXPECT_EQ(p.userDataFolder, "/xdg/data/tunewright");
    EXPECT_EQ(p.userConfigFolder, "/home/someone/.config/tunewright");
    EXPECT_EQ(p.userStateFolder, "/xdg/state/tunewright");
    ASSERT_EQ(dataFolders().size(), 2u);
    EXPECT_EQ(dataFolders()[0], p.userDataFolder);

    ScopedEnv relative("XDG_DATA_HOME", "relative/data");  // ignored: not absolute
    initAppPaths(nullptr);
    EXPECT_EQ(appPaths().userDataFolder, "/home/someone/.local/share/tunewright");

    // Paths set without a state folder still give saves a place for their journal.
    ScopedEnv noState("XDG_STATE_HOME", nullptr);
    setAppPaths({"/bin", "/share", "/data", "/config"});
    EXPECT_EQ(appPaths().userStateFolder, "/home/someone/.local/state/tunewright");
}

}  // namespace
}  // namespace tw::base
