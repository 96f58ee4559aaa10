// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw::gui {

// A desktop entry file, the freedesktop.org format that describes an installed application:
// "[Group]" lines and "Key=Value" lines, "#" comments. Only what the program needs from a
// media player's entry: values by group and key, with the format's escapes undone.
//
// Reading never fails: lines that are neither a group, a comment nor a key are skipped, as
// are keys before the first group. A key met twice in a group keeps its first value.
// Localised keys ("Name[de]") are keys of their own. Pure value type.
class DesktopEntry {
public:
    static DesktopEntry parse(std::string_view text);

    // The value of `key` in `group` with "\s", "\n", "\t", "\r" and "\\" undone; nullopt
    // when there is none.
    std::optional<std::string> value(std::string_view group, std::string_view key) const;
    // A list value: the parts between unescaped ";" ("a;b\;c;" gives "a" and "b;c"), each
    // with the escapes undone, empty parts left out.
    std::vector<std::string> list(std::string_view group, std::string_view key) const;

private:
    // The value as written, escapes included; null when there is none.
    const std::string* find(std::string_view group, std::string_view key) const;

    // (group, key) -> value as written.
    std::map<std::pair<std::string, std::string>, std::string> keys_;
};

// The group and key names of the format.
inline constexpr std::string_view kDesktopEntryGroup = "Desktop Entry";

// The "Exec" line of the entry's action that puts files into the player's queue: the first
// action listed in "Actions" whose id or untranslated name speaks of a queue ("Enqueue",
// "AddToQueue", "Add to queue"). nullopt when the entry offers none.
std::optional<std::string> enqueueActionExec(const DesktopEntry& entry);

// What the field codes of an Exec line stand for.
struct ExecFields {
    std::vector<std::string> files;  // absolute paths
    std::string entryPath;           // %k
    std::string name;                // %c
    std::string icon;                // %i gives "--icon" and this, when not empty
};

// The program and its arguments from an Exec line (escapes of the value already undone):
// arguments split at unquoted blanks, double quotes taken off with "\"", "\`", "\$" and "\\"
// inside them undone, and the field codes replaced: %f and %u by the first file (as a path
// and as a file URI), %F and %U by all files as arguments of their own, %i, %c, %k as in
// `fields`, "%%" by "%"; the codes the format no longer uses (%d %D %n %N %v %m) are dropped.
// Empty when the line is malformed (an open quote, an unknown field code, no program) or
// takes no file at all, since it would then not play what it is given.
std::vector<std::string> expandExec(std::string_view exec, const ExecFields& fields);

}  // namespace tw::gui
