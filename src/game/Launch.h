#pragma once

// 按钮7 and 按钮8: choosing and starting the game's launch program.

void ChooseLaunchProgram();
void StartLaunchProgram();
