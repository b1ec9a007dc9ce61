#pragma once

// 按钮3: installing the selected library mod into the game.
void InstallSelectedMod();
// Copies the selected mod's configuration folder's contents into the game's
// configuration folder; true when everything was copied.
bool CopyConfigToGame();
