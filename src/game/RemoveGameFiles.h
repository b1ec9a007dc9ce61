#pragma once

// 按钮2, 按钮4 and 按钮5: deleting from the game after a question.
void DeleteSelectedGameMod();
void ClearGameMods();
void ClearGameConfig();
