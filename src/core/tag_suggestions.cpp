// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/tag_suggestions.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

namespace tw::core {

namespace {

// A list of distinct, non-empty texts in the order they were first added.
class DistinctTexts {
public:
    explicit DistinctTexts(std::vector<std::string>& out) : out_(out) {}
    void add(const std::string& text) {
        if (!text.empty() && seen_.insert(text).second)
            out_.push_back(text);
    }

private:
    std::vector<std::string>& out_;
    std::unordered_set<std::string> seen_;
};

// The number a folder name begins with, as text; empty when it begins with no digit or
// with a number that is 0.
std::string leadingYear(const std::string& name) {
    std::size_t digits = 0;
    while (digits < name.size() && digits < 9 && name[digits] >= '0' && name[digits] <= '9')
        ++digits;
    const int number = digits == 0 ? 0 : std::stoi(name.substr(0, digits));
    return number == 0 ? std::string() : std::to_string(number);
}

}  // namespace

std::vector<std::string> enclosingFolderNames(const std::string& path, int count) {
    std::vector<std::string> names;
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    while (static_cast<int>(names.size()) < count && folder.has_filename()) {
        names.push_back(folder.filename().string());
        folder = folder.parent_path();
    }
    return names;
}

TagSuggestions collectSuggestions(const FileList& list) {
    TagSuggestions out;
    DistinctTexts titles(out.titles), artists(out.artists), albums(out.albums), years(out.years),
        comments(out.comments);
    for (int index = 0; index < list.size(); ++index) {
        const TagFields& v1 = list.at(index).id3v1;
        titles.add(v1.title);
        artists.add(v1.artist);
        albums.add(v1.album);
        years.add(v1.yearText);
        comments.add(v1.comment);
    }
    if (list.empty())
        return out;
    for (const std::string& name : enclosingFolderNames(list.at(0).path, 2)) {
        artists.add(name);
        albums.add(name);
        years.add(leadingYear(name));
    }
    return out;
}

}  // namespace tw::core
