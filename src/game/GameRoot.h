#pragma once

// 按钮1: choosing the game root.
void ChooseGameRoot();
