// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw::test {

// Checks an xmcd record the way a strict server or reader does, independently of the
// program's own reader: valid UTF-8, every line ended by a bare line feed and at most 256
// bytes long, no control characters (a raw tab only in comment lines), the "# xmcd" header
// with the track frame offsets, the disc length, "# Revision: N" and "# Submitted via:",
// then the keys DISCID, DTITLE, DYEAR, DGENRE, TTITLEn, EXTD, EXTTn, PLAYORDER in this order
// (a key's continuation lines next to each other), one TTITLE and one EXTT per offset
// numbered from 0, DISCID as lower-case disc ids, DYEAR empty or a number.
//
// Returns what is wrong, one text per fault; empty for a sound record.
std::vector<std::string> StrictXmcdProblems(std::string_view record);

}  // namespace tw::test
