#pragma once

// Routines the start-up code and the handlers share.

#include "platform/Text.h"

// True when the path names an existing folder whose stored name equals the
// path's last component byte for byte.
bool DirectoryExists(const Text& path);

// The part of the path behind its last separator (the whole path when it has
// none; empty for a path ending in "\").
Text FileNameOfPath(const Text& path);

// Clears and refills 资源库列表框 from LibraryModsDir and 已有Mod列表框 from
// GameModsDir; neither list keeps a selection.
void RefreshModLists();

// Shows the text in the balloon 气球提示框1 at the mouse; it hides by itself.
void ShowNotice(const Text& text);
