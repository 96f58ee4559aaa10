// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/strict_xmcd.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "base/text.h"

namespace tw::test {

namespace {

constexpr std::size_t kMaxLine = 256;

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

bool isDiscId(std::string_view text) {
    return text.size() == 8 && std::all_of(text.begin(), text.end(), [](char c) {
               return std::isdigit(static_cast<unsigned char>(c)) || (c >= 'a' && c <= 'f');
           });
}

// Where a key stands in the order of a record: its rank, and for TTITLE and EXTT its number.
struct KeyPlace {
    int rank = -1;
    long number = -1;
};

KeyPlace placeOf(std::string_view key) {
    constexpr std::array<std::string_view, 6> kPlain = {"DISCID", "DTITLE", "DYEAR",
                                                        "DGENRE", "EXTD",   "PLAYORDER"};
    constexpr std::array<int, 6> kRanks = {0, 1, 2, 3, 5, 7};
    for (std::size_t i = 0; i < kPlain.size(); ++i)
        if (key == kPlain[i])
            return {kRanks[i], -1};
    for (const auto& [prefix, rank] :
         {std::pair{std::string_view("TTITLE"), 4}, std::pair{std::string_view("EXTT"), 6}}) {
        if (key.substr(0, prefix.size()) == prefix && allDigits(key.substr(prefix.size())))
            return {rank, std::stol(std::string(key.substr(prefix.size())))};
    }
    return {};
}

class Checker {
public:
    std::vector<std::string> problems;

    void line(std::size_t number, std::string_view text) {
        const std::string where = "line " + std::to_string(number) + ": ";
        if (text.size() > kMaxLine)
            problems.push_back(where + "longer than 256 bytes");
        const bool comment = !text.empty() && text[0] == '#';
        for (char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if ((byte < 0x20 || byte == 0x7F) && !(c == '\t' && comment)) {
                problems.push_back(where + "control character " + std::to_string(byte));
                break;
            }
        }
        if (number == 1 && text != "# xmcd")
            problems.push_back(where + "no \"# xmcd\" header");
        if (comment)
            commentLine(where, text);
        else
            pair(where, text);
    }

    void finish() {
        if (!offsetsSeen_)
            problems.emplace_back("no track frame offsets");
        if (!discLength_)
            problems.emplace_back("no disc length");
        if (!revision_)
            problems.emplace_back("no revision");
        if (!submittedVia_)
            problems.emplace_back("no \"# Submitted via:\"");
        if (rank_ < 7)
            problems.emplace_back("keys missing after rank " + std::to_string(rank_));
        if (titles_ != offsets_ || extras_ != offsets_)
            problems.push_back(std::to_string(offsets_) + " offsets but " +
                               std::to_string(titles_) + " TTITLE and " + std::to_string(extras_) +
                               " EXTT keys");
    }

private:
    void commentLine(const std::string& where, std::string_view text) {
        if (inOffsets_) {
            std::string_view rest = text.substr(1);
            while (!rest.empty() && (rest[0] == ' ' || rest[0] == '\t'))
                rest.remove_prefix(1);
            if (allDigits(rest)) {
                ++offsets_;
                return;
            }
            inOffsets_ = false;
        }
        if (text == "# Track frame offsets:") {
            inOffsets_ = offsetsSeen_ = true;
        } else if (text.substr(0, 15) == "# Disc length: ") {
            const std::string_view rest = text.substr(15);
            const std::size_t blank = rest.find(' ');
            discLength_ = blank != std::string_view::npos && allDigits(rest.substr(0, blank)) &&
                          rest.substr(blank) == " seconds";
            if (!discLength_)
                problems.push_back(where + "bad disc length");
        } else if (text.substr(0, 12) == "# Revision: ") {
            revision_ = allDigits(text.substr(12));
            if (!revision_)
                problems.push_back(where + "bad revision");
        } else if (text.substr(0, 17) == "# Submitted via: ") {
            submittedVia_ = text.size() > 17;
        }
    }

    void pair(const std::string& where, std::string_view text) {
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos) {
            problems.push_back(where + "neither comment nor KEY=value");
            return;
        }
        const std::string key(text.substr(0, equals));
        const std::string_view value = text.substr(equals + 1);
        const KeyPlace place = placeOf(key);
        if (place.rank < 0) {
            problems.push_back(where + "unknown key " + key);
            return;
        }
        if (key != lastKey_) {
            const bool nextNumber = place.rank == rank_ && place.number == number_ + 1;
            const bool laterKey = place.rank > rank_ && (place.number <= 0);
            if (!nextNumber && !laterKey)
                problems.push_back(where + "key " + key + " out of order");
            if (place.rank == 4)
                ++titles_;
            if (place.rank == 6)
                ++extras_;
            rank_ = place.rank;
            number_ = place.number;
            lastKey_ = key;
        }
        if (key == "DISCID") {
            std::string_view ids = value;
            while (!ids.empty()) {
                const std::size_t comma = std::min(ids.find(','), ids.size());
                if (!isDiscId(ids.substr(0, comma)))
                    problems.push_back(where + "bad disc id " + std::string(ids.substr(0, comma)));
                ids.remove_prefix(std::min(comma + 1, ids.size()));
            }
        }
        if (key == "DYEAR" && !value.empty() && !allDigits(value))
            problems.push_back(where + "year is no number");
    }

    bool inOffsets_ = false;
    bool offsetsSeen_ = false;
    long offsets_ = 0;
    bool discLength_ = false;
    bool revision_ = false;
    bool submittedVia_ = false;
    int rank_ = -1;
    long number_ = -1;
    std::string lastKey_;
    long titles_ = 0;
    long extras_ = 0;
};

}  // namespace

std::vector<std::string> StrictXmcdProblems(std::string_view record) {
    Checker checker;
    if (!base::isValidUtf8(record))
        checker.problems.emplace_back("not UTF-8");
    if (record.empty() || record.back() != '\n')
        checker.problems.emplace_back("last line without its line feed");
    std::size_t number = 0;
    while (!record.empty()) {
        const std::size_t end = std::min(record.find('\n'), record.size());
        checker.line(++number, record.substr(0, end));
        record.remove_prefix(std::min(end + 1, record.size()));
    }
    checker.finish();
    return checker.problems;
}

}  // namespace tw::test
