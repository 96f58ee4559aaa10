// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::rename {

// The fields a filename-to-tag mask can fill. Skip captures text that is thrown away, so
// "<number> - <skip> - <title>" passes over the middle part of a name.
enum class NameField { Artist, Album, Year, Title, Genre, Number, Composer, Comment, Skip };

// A filename-to-tag mask made ready for matching: its literal text with a capture slot
// where each accepted token stood. Tokens are accepted by their lower-cased name ("artist",
// "album", "year", "title", "genre", "number", "composer", "comment" or "comments",
// "skip"); a field's second token, unknown names and a token left open at the end drop out
// without a trace. The text of the mask itself never makes a slot, whatever it holds.
class MaskPattern {
public:
    explicit MaskPattern(std::string_view mask);

    // The pattern text, with two characters standing for each slot.
    const std::string& text() const { return text_; }
    // The field of each slot, in slot order.
    const std::vector<NameField>& slots() const { return slots_; }
    // Whether a slot's two characters begin at `position`.
    bool slotAt(std::size_t position) const;
    // The start of the first slot at or after `position`.
    std::optional<std::size_t> nextSlot(std::size_t position) const;

private:
    std::string text_;
    std::vector<NameField> slots_;
    std::vector<std::size_t> slotPositions_;
};

// Matches `name` against the pattern lazily: each value ends at the first occurrence of the
// literal that follows its slot, and the last one takes the rest of the name. Returns one
// value per slot (slots that were not reached get an empty value); nothing at all when the
// name is empty or the pattern has no slot.
std::vector<std::string> MatchMask(std::string_view name, const MaskPattern& pattern);

}  // namespace tw::rename
