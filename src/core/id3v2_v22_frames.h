// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <taglib/tbytevector.h>

#include <optional>
#include <string_view>

#include "core/id3v2_frame_walk.h"

namespace tw::core {

// ID3v2.2 frames in their v2.3 form: a v2.2 tag is read and written as v2.3, so each of its
// frames is carried over to the v2.3 frame that means the same.

// The v2.3 id of a v2.2 id, from the whole v2.2 frame table; empty for CRM (encrypted
// meta frames, which v2.3 dropped) and for ids outside the table.
std::string_view v23IdOf(std::string_view v22Id);

// The frame as a v2.3 frame: header with the new id and no flags, and the body as it was,
// except where the two versions lay it out differently: PIC names its picture format by a
// MIME type in APIC, LNK names the linked frame by its v2.3 id in LINK. None when v2.3 has
// no counterpart, or the body is too short to convert.
std::optional<TagLib::ByteVector> upgradeV22Frame(const Id3v2RawFrame& frame);

}  // namespace tw::core
