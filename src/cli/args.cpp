// SPDX-License-Identifier: GPL-2.0-or-later
#include "cli/args.h"

#include <algorithm>

namespace tw::cli {

std::optional<Args> Args::parse(std::span<const std::string> words,
                                std::span<const OptionSpec> specs, std::string& error) {
    Args args;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !word.starts_with("--")) {
            args.positional_.push_back(word);
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(2, equals == std::string::npos ? equals : equals - 2);
        const auto spec = std::find_if(specs.begin(), specs.end(),
                                       [&](const OptionSpec& s) { return s.name == name; });
        if (spec == specs.end()) {
            error = "unknown option --" + name;
            return std::nullopt;
        }
        std::string value;
        if (spec->takesValue) {
            if (equals != std::string::npos) {
                value = word.substr(equals + 1);
            } else if (i + 1 < words.size()) {
                value = words[++i];
            } else {
                error = "option --" + name + " needs a value";
                return std::nullopt;
            }
        } else if (equals != std::string::npos) {
            error = "option --" + name + " takes no value";
            return std::nullopt;
        }
        args.options_[name] = std::move(value);
    }
    return args;
}

const std::string* Args::value(std::string_view name) const {
    auto it = options_.find(std::string(name));
    return it == options_.end() ? nullptr : &it->second;
}

}  // namespace tw::cli
