// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tw::base {

// Per-user settings: a tree of sections ("Templates\PL" is a sub-section of "Templates"),
// each holding named integers, strings and byte arrays. Section and value names compare
// without regard to case, as every backend must guarantee. Reading a missing value, or
// one stored with another type, yields the caller's default.
//
// Implementations: MemorySettingsStore (tests, previews), QSettingsStore (the apps).
// A store is used from one thread at a time; callers that share one across threads lock.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual std::int32_t getInt(std::string_view section, std::string_view name,
                                std::int32_t fallback) const = 0;
    virtual std::string getString(std::string_view section, std::string_view name,
                                  std::string_view fallback) const = 0;
    virtual std::vector<std::uint8_t> getBinary(std::string_view section,
                                                std::string_view name) const = 0;
    virtual bool hasValue(std::string_view section, std::string_view name) const = 0;

    virtual void setInt(std::string_view section, std::string_view name, std::int32_t value) = 0;
    virtual void setString(std::string_view section, std::string_view name,
                           std::string_view value) = 0;
    virtual void setBinary(std::string_view section, std::string_view name,
                           const std::vector<std::uint8_t>& value) = 0;

    // Removes the section with all its values and sub-sections.
    virtual void removeSection(std::string_view section) = 0;
};

}  // namespace tw::base
