// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tw::cli {

// One option a command accepts: "--name" alone, or "--name VALUE" / "--name=VALUE".
struct OptionSpec {
    std::string_view name;  // without the leading dashes
    bool takesValue = false;
};

// The words of a command line after the command name: positional arguments and options,
// checked against the options the command declares. "--" ends the options.
class Args {
public:
    // Nullopt, with `error` set, for an unknown option or a missing value.
    static std::optional<Args> parse(std::span<const std::string> words,
                                     std::span<const OptionSpec> specs, std::string& error);

    const std::vector<std::string>& positional() const { return positional_; }
    bool has(std::string_view name) const { return options_.contains(std::string(name)); }
    // The value of an option; the last one wins when it is given twice.
    const std::string* value(std::string_view name) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> options_;
};

}  // namespace tw::cli
