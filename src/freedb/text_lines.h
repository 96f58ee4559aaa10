// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "freedb/line_source.h"

namespace tw::freedb {

// The lines of a text held in memory, split at "\n" (a last line without one counts too),
// handed out as they are. Refers to the text, which must outlive it.
class TextLines final : public LineSource {
public:
    explicit TextLines(std::string_view text) : rest_(text) {}

    [[nodiscard]] bool receiveLine(std::string& line) override {
        if (rest_.empty())
            return false;
        const std::size_t end = rest_.find('\n');
        line = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return true;
    }

private:
    std::string_view rest_;
};

}  // namespace tw::freedb
