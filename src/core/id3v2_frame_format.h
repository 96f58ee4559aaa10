// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <taglib/tbytevector.h>

namespace tw::core {

// A frame of a v2.3 or v2.4 tag (header and body as stored) in the form TagLib's frame
// factory reads right.
//
// TagLib 1.13 reads the group byte of a grouped frame as the first byte of its data (a text
// frame's encoding), and in v2.4 looks for the data length where the group byte stands. So
// the frame handed to TagLib has its format flags undone wherever that can be done without
// TagLib: the group byte is dropped, and in v2.4 the unsynchronisation is reversed and a
// data length indicator dropped. A compressed frame keeps its data length (TagLib inflates
// it); an encrypted one is left as it is (TagLib keeps it unparsed). The size is written
// again for what is left. A frame too short for what its flags promise comes back as it is.
//
// Only what TagLib is given changes: the file's own bytes are written back as they were.
TagLib::ByteVector frameForTagLib(const TagLib::ByteVector& frame, int version);

}  // namespace tw::core
