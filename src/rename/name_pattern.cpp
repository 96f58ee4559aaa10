// SPDX-License-Identifier: GPL-2.0-or-later
#include "rename/name_pattern.h"

#include <algorithm>

#include "base/ascii.h"

namespace tw::rename {

namespace {

// Two characters stand for a slot in the pattern text, so matching moves over it the way it
// moves over any two characters.
constexpr std::string_view kSlotText = "%s";

std::optional<NameField> fieldOfToken(std::string_view name) {
    struct Entry {
        std::string_view name;
        NameField field;
    };
    static constexpr Entry kEntries[] = {
        {"artist", NameField::Artist},     {"album", NameField::Album},
        {"year", NameField::Year},         {"title", NameField::Title},
        {"genre", NameField::Genre},       {"number", NameField::Number},
        {"composer", NameField::Composer}, {"comments", NameField::Comment},
        {"comment", NameField::Comment},   {"skip", NameField::Skip},
    };
    const std::string lowered = base::asciiLower(name);
    for (const Entry& entry : kEntries) {
        if (entry.name == lowered)
            return entry.field;
    }
    return std::nullopt;
}

}  // namespace

MaskPattern::MaskPattern(std::string_view mask) {
    bool insideToken = false;
    std::string tokenName;
    for (char c : mask) {
        if (!insideToken) {
            if (c == '<') {
                insideToken = true;
                tokenName.clear();
            } else {
                text_ += c;
            }
            continue;
        }
        if (c != '>') {
            tokenName += c;
            continue;
        }
        insideToken = false;
        const std::optional<NameField> field = fieldOfToken(tokenName);
        if (!field)
            continue;
        if (*field != NameField::Skip &&
            std::find(slots_.begin(), slots_.end(), *field) != slots_.end())
            continue;
        slots_.push_back(*field);
        slotPositions_.push_back(text_.size());
        text_ += kSlotText;
    }
}

bool MaskPattern::slotAt(std::size_t position) const {
    return std::binary_search(slotPositions_.begin(), slotPositions_.end(), position);
}

std::optional<std::size_t> MaskPattern::nextSlot(std::size_t position) const {
    const auto it = std::lower_bound(slotPositions_.begin(), slotPositions_.end(), position);
    if (it == slotPositions_.end())
        return std::nullopt;
    return *it;
}

std::vector<std::string> MatchMask(std::string_view name, const MaskPattern& pattern) {
    if (name.empty() || pattern.slots().empty())
        return {};
    const std::string& text = pattern.text();
    std::size_t at = 0;   // in the name
    std::size_t pos = 0;  // in the pattern text
    const auto commonStart = [&] {
        while (at < name.size() && pos < text.size() && !pattern.slotAt(pos) &&
               name[at] == text[pos]) {
            ++at;
            ++pos;
        }
    };

    std::vector<std::string> values;
    commonStart();
    bool restIsValue = true;
    for (;;) {
        pos += kSlotText.size();
        const std::optional<std::size_t> next = pattern.nextSlot(pos);
        if (!next)
            break;
        const std::string_view literal = std::string_view(text).substr(pos, *next - pos);
        const std::size_t hit = name.find(literal, at);
        if (hit == std::string_view::npos)
            break;
        values.emplace_back(name.substr(at, hit - at));
        at = hit + literal.size();
        pos = *next;
        if (at == name.size()) {
            restIsValue = false;
            break;
        }
        commonStart();
    }
    if (restIsValue)
        values.emplace_back(name.substr(at));
    // A name that misses the leading literal can yield one value more than there are
    // slots; values always belong to slots in order, so the surplus has no field.
    values.resize(pattern.slots().size());
    return values;
}

}  // namespace tw::rename
