#pragma once

// Copying a folder tree into another folder, merging with what is there.

#include <deque>

#include "platform/Text.h"

// Copies the contents of the source folder, with all its subfolders, into
// the destination folder (made when missing); given a file instead, copies
// that file to the destination path itself. With eventsFlag exactly 1,
// waiting window messages are handled between entries. True when everything
// was copied. A destination that is the source or lies inside it is refused:
// false, nothing created or copied.
bool CopyPath(const Text& source, const Text& destination, int eventsFlag);

// Creates every folder of the tree on the destination side first (breadth
// first), then copies the files folder by folder, and stops at the first
// file that cannot be copied. Both roots end with "\"; pending holds the
// relative folders still to walk (at least one) and is left empty.
bool CopyTreeContents(const Text& sourceRoot, std::deque<Text>& pending, const Text& destinationRoot,
                      int eventsFlag);
