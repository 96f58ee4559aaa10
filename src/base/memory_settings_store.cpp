// SPDX-License-Identifier: GPL-2.0-or-later
#include "base/memory_settings_store.h"

#include "base/ascii.h"

namespace tw::base {

namespace {
constexpr char kSeparator = '\x1f';
}

std::string MemorySettingsStore::keyOf(std::string_view section, std::string_view name) {
    std::string key = asciiLower(section);
    key += kSeparator;
    key += asciiLower(name);
    return key;
}

const MemorySettingsStore::Value* MemorySettingsStore::find(std::string_view section,
                                                            std::string_view name) const {
    auto it = values_.find(keyOf(section, name));
    return it == values_.end() ? nullptr : &it->second;
}

std::int32_t MemorySettingsStore::getInt(std::string_view section, std::string_view name,
                                         std::int32_t fallback) const {
    const Value* v = find(section, name);
    const auto* i = v ? std::get_if<std::int32_t>(v) : nullptr;
    return i ? *i : fallback;
}

std::string MemorySettingsStore::getString(std::string_view section, std::string_view name,
                                           std::string_view fallback) const {
    const Value* v = find(section, name);
    const auto* s = v ? std::get_if<std::string>(v) : nullptr;
    return s ? *s : std::string(fallback);
}

std::vector<std::uint8_t> MemorySettingsStore::getBinary(std::string_view section,
                                                         std::string_view name) const {
    const Value* v = find(section, name);
    const auto* b = v ? std::get_if<std::vector<std::uint8_t>>(v) : nullptr;
    return b ? *b : std::vector<std::uint8_t>{};
}

bool MemorySettingsStore::hasValue(std::string_view section, std::string_view name) const {
    return find(section, name) != nullptr;
}

void MemorySettingsStore::setInt(std::string_view section, std::string_view name,
                                 std::int32_t value) {
    values_[keyOf(section, name)] = value;
}

void MemorySettingsStore::setString(std::string_view section, std::string_view name,
                                    std::string_view value) {
    values_[keyOf(section, name)] = std::string(value);
}

void MemorySettingsStore::setBinary(std::string_view section, std::string_view name,
                                    const std::vector<std::uint8_t>& value) {
    values_[keyOf(section, name)] = value;
}

void MemorySettingsStore::removeSection(std::string_view section) {
    const std::string exact = asciiLower(section) + kSeparator;
    const std::string nested = asciiLower(section) + '\\';
    std::erase_if(values_, [&](const auto& entry) {
        return entry.first.starts_with(exact) || entry.first.starts_with(nested);
    });
}

}  // namespace tw::base
