#pragma once

// Controls of the in-memory volume that only host tests use. The volume
// itself is reached through the services of platform/FileSystem.h.

#include "platform/Text.h"

// Empties the volume: drives C: and D: with empty roots, current folder
// "C:\", run directory "C:" (no trailing separator), no faults, nothing held open.
void MemoryVolumeReset();

// Adds an empty drive (a letter A..Z); harmless when it exists.
void MemoryVolumeAddDrive(char letter);
