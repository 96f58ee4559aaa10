// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <map>
#include <string>
#include <variant>

#include "base/settings_store.h"

namespace tw::base {

// A SettingsStore held in memory: the test double, and the throw-away store of previews.
class MemorySettingsStore final : public SettingsStore {
public:
    std::int32_t getInt(std::string_view section, std::string_view name,
                        std::int32_t fallback) const override;
    std::string getString(std::string_view section, std::string_view name,
                          std::string_view fallback) const override;
    std::vector<std::uint8_t> getBinary(std::string_view section,
                                        std::string_view name) const override;
    bool hasValue(std::string_view section, std::string_view name) const override;

    void setInt(std::string_view section, std::string_view name, std::int32_t value) override;
    void setString(std::string_view section, std::string_view name,
                   std::string_view value) override;
    void setBinary(std::string_view section, std::string_view name,
                   const std::vector<std::uint8_t>& value) override;
    void removeSection(std::string_view section) override;

    // Number of values stored, over all sections (for tests).
    std::size_t size() const { return values_.size(); }

private:
    using Value = std::variant<std::int32_t, std::string, std::vector<std::uint8_t>>;
    // Key: lower-cased "section" + '\x1f' + "name", so names compare without regard to case.
    static std::string keyOf(std::string_view section, std::string_view name);
    const Value* find(std::string_view section, std::string_view name) const;

    std::map<std::string, Value> values_;
};

}  // namespace tw::base
