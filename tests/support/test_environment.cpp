// SPDX-License-Identifier: GPL-2.0-or-later
// Linked into every test program: the undo journals its saves write and the files it moves
// to the trash go to folders of the build tree, never to the user's own. (Set here because
// CTest hands a test only the first of several environment variables that test discovery
// is given.)

#include <cstdlib>

namespace {

const bool kTestFolders = [] {
    ::setenv("XDG_STATE_HOME", TW_TEST_STATE_HOME, 1);
    ::setenv("XDG_DATA_HOME", TW_TEST_DATA_HOME, 1);
    return true;
}();

}  // namespace
