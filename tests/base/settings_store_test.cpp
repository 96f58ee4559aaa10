#include <gtest/gtest.h>

#include "base/memory_settings_store.h"

namespace tw::base {
namespace {

TEST(MemorySettingsStore, MissingValuesAndWrongTypesGiveTheDefault) {
    MemorySettingsStore store;
    EXPECT_EQ(store.getInt("Settings", "i2", 7), 7);
    store.setString("Settings", "i2", "text");
    EXPECT_EQ(store.getInt("Settings", "i2", 7), 7);
    EXPECT_EQ(store.getString("Settings", "i2", "x"), "text");
    EXPECT_TRUE(store.getBinary("Settings", "i2").empty());
}

TEST(MemorySettingsStore, NamesCompareWithoutRegardToCase) {
    MemorySettingsStore store;
    store.setInt("Templates\\PL", "CounterStartAt", 3);
    EXPECT_EQ(store.getInt("templates\\pl", "COUNTERSTARTAT", 0), 3);
    store.setInt("TEMPLATES\\PL", "counterstartat", 4);
    EXPECT_EQ(store.size(), 1u);
}

TEST(MemorySettingsStore, RemovingASectionTakesItsSubSectionsButNotItsNamesakes) {
    MemorySettingsStore store;
    store.setInt("Templates", "a", 1);
    store.setInt("Templates\\PL", "b", 2);
    store.setInt("TemplatesX", "c", 3);
    store.removeSection("templates");
    EXPECT_FALSE(store.hasValue("Templates", "a"));
    EXPECT_FALSE(store.hasValue("Templates\\PL", "b"));
    EXPECT_TRUE(store.hasValue("TemplatesX", "c"));
}

}  // namespace
}  // namespace tw::base
