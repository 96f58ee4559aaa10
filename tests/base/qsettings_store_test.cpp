// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <QString>
#include <fstream>
#include <memory>

#include "base/memory_settings_store.h"
#include "base/qt/qsettings_store.h"
#include "support/temp_dir.h"

namespace tw::base {
namespace {

QString iniPath(const test::TempDir& dir) {
    return QString::fromStdString((dir / "settings.ini").string());
}

// What every SettingsStore promises, run against both kinds.
template <typename Store>
class SettingsStoreContract : public ::testing::Test {
protected:
    std::unique_ptr<SettingsStore> make() {
        if constexpr (std::is_same_v<Store, QSettingsStore>)
            return std::make_unique<QSettingsStore>(iniPath(dir_));
        else
            return std::make_unique<MemorySettingsStore>();
    }
    test::TempDir dir_;
};

using StoreKinds = ::testing::Types<MemorySettingsStore, QSettingsStore>;
TYPED_TEST_SUITE(SettingsStoreContract, StoreKinds);

TYPED_TEST(SettingsStoreContract, NamesIgnoreCaseAndMissingValuesGiveDefaults) {
    auto store = this->make();
    EXPECT_EQ(store->getInt("Settings", "i2", 7), 7);
    EXPECT_EQ(store->getString("Settings", "D", "fallback"), "fallback");
    EXPECT_TRUE(store->getBinary("FreeDB", "TreeFormat").empty());
    store->setInt("Templates\\PL", "CounterStartAt", 3);
    store->setString("SymbolReplacementFilenametoTag", "Search0", "_");
    EXPECT_EQ(store->getInt("TEMPLATES\\pl", "counterstartat", 0), 3);
    EXPECT_EQ(store->getString("SymbolReplacementFilenameToTag", "SEARCH0", ""), "_");
    EXPECT_TRUE(store->hasValue("templates\\PL", "COUNTERSTARTAT"));
    store->setString("Settings", "i2", "text");
    EXPECT_EQ(store->getInt("Settings", "i2", 7), 7);
    EXPECT_TRUE(store->getBinary("Settings", "i2").empty());
}

TYPED_TEST(SettingsStoreContract, RemovingASectionTakesItsSubSectionsButNotItsNamesakes) {
    auto store = this->make();
    store->setInt("Templates", "a", 1);
    store->setInt("Templates\\PL", "b", 2);
    store->setInt("Templates\\PL\\Deeper", "c", 3);
    store->setInt("TemplatesX", "d", 4);
    store->setInt("", "TemplateEditorMode", 1);
    store->removeSection("TEMPLATES");
    EXPECT_FALSE(store->hasValue("Templates", "a"));
    EXPECT_FALSE(store->hasValue("Templates\\PL", "b"));
    EXPECT_FALSE(store->hasValue("Templates\\PL\\Deeper", "c"));
    EXPECT_TRUE(store->hasValue("TemplatesX", "d"));
    EXPECT_EQ(store->getInt("", "templateeditormode", 0), 1);
    store->removeSection("");
    EXPECT_FALSE(store->hasValue("", "TemplateEditorMode"));
    EXPECT_TRUE(store->hasValue("TemplatesX", "d"));
}

TEST(QSettingsStore, ValuesSurviveTheFile) {
    test::TempDir dir;
    std::vector<std::uint8_t> allBytes;
    for (int i = 0; i < 256; ++i)
        allBytes.push_back(static_cast<std::uint8_t>(i));
    const std::string awkward = "@start, a \"quoted\" comma; caf\xC3\xA9\nsecond line\\x";
    {
        QSettingsStore store(iniPath(dir));
        store.setInt("Window", "x", -60);
        store.setInt("Window", "big", INT32_MIN);
        store.setString("Settings", "D", awkward);
        store.setString("Settings", "Empty", "");
        store.setBinary("FreeDB", "RetrievingOrder", allBytes);
        store.setInt("Odd/Section", "a/b\\c%d", 5);
        ASSERT_TRUE(store.sync());
    }
    QSettingsStore store(iniPath(dir));
    EXPECT_EQ(store.getInt("window", "X", 0), -60);
    EXPECT_EQ(store.getInt("window", "big", 0), INT32_MIN);
    EXPECT_EQ(store.getString("settings", "d", ""), awkward);
    EXPECT_TRUE(store.hasValue("Settings", "Empty"));
    EXPECT_EQ(store.getString("Settings", "Empty", "x"), "");
    EXPECT_EQ(store.getBinary("FreeDB", "RetrievingOrder"), allBytes);
    EXPECT_EQ(store.getInt("Odd/Section", "A/B\\C%D", 0), 5);
    store.removeSection("Odd");  // "/" inside a name makes no sub-section
    EXPECT_TRUE(store.hasValue("Odd/Section", "a/b\\c%d"));
}

TEST(QSettingsStore, HandEditedJunkReadsAsTheDefault) {
    test::TempDir dir;
    std::ofstream(dir / "settings.ini") << "[settings]\n"
                                           "i2=abc\n"
                                           "i3=99999999999\n"
                                           "i4= 12 \n"
                                           "list=a,b\n"
                                           "bin=not bytes\n"
                                           "[broken\n"
                                           "=x\n";
    QSettingsStore store(iniPath(dir));
    EXPECT_EQ(store.getInt("Settings", "i2", 1), 1);
    EXPECT_EQ(store.getInt("Settings", "i3", 1), 1);
    EXPECT_EQ(store.getInt("Settings", "i4", 1), 12);
    EXPECT_EQ(store.getString("Settings", "list", "dflt"), "dflt");
    EXPECT_TRUE(store.getBinary("Settings", "bin").empty());
    EXPECT_EQ(store.getString("Settings", "bin", ""), "not bytes");
}

}  // namespace
}  // namespace tw::base
