// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tw::test {

// mutagen (through /usr/bin/python3 and tests/interop/mutagen_tool.py) on the other side
// of the tests that check what this program writes.

using MutagenDump = std::map<std::string, std::string>;

// Whether mutagen can be used here.
bool mutagenAvailable();
// Runs the tool with `args`; its standard output, or nothing when it failed.
std::optional<std::string> runMutagenTool(const std::vector<std::string>& args);
// The tool's KEY NUL VALUE NUL listing of `command` ("dump" or "frames") for a file; throws
// when mutagen cannot read it.
MutagenDump mutagenDump(const std::string& path, const char* command = "dump");
// The md5 digest of `bytes`, as the dumps show picture data.
std::string md5Hex(const std::string& bytes);

}  // namespace tw::test
