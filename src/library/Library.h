#pragma once

// The mod library: a mod is one file in LibraryModsDir, keyed by its file
// name; its configuration folder LibraryConfigDir + "\" + name and its note
// LibraryNotesDir + "\" + name + ".txt" are named after it.

#include "platform/Text.h"
#include "ui/Controls.h"

// The note of a mod that has none yet, 48 GBK bytes.
constexpr char NOTE_TEMPLATE[] = "Mod名称：\r\n\r\n主要功能：\r\n\r\n添加时间：\r\n\r\nBug：\r\n";
static_assert(sizeof(NOTE_TEMPLATE) - 1 == 48, "the note template is 48 bytes");

// The three pieces of the mod of that name.
Text ModFilePath(const Text& name);
Text ModConfigPath(const Text& name);
Text ModNotePath(const Text& name);

// A note's bytes taken as text: up to the first zero byte.
Text NoteText(const Text& bytes);

// True when Windows takes the text as one file name in a folder: no path
// separators or other reserved characters, no control characters, not "."
// or "..", no trailing space or dot, no device name such as "CON" or "COM1"
// (with or without an extension), well-formed GBK.
bool IsUsableFileName(const Text& name);

// Whether a list holds the text, byte for byte.
bool ListHolds(ControlId list, const Text& text);

// 按钮10: gives every listed mod its missing configuration folder and note.
void CheckLibrary();

// 按钮12, 按钮13, 按钮14 and 按钮15: adding a mod to the library.
void PickModFile();
void PickConfigFolder();
void AddPendingMod();
void ResetPendingAddition();

// The selection of 资源库列表框, 按钮6, 按钮16 and 按钮17: the notes.
void LoadSelectedMod();
void ShowSelectedNote();
void SaveSelectedNote();
void ResetNoteEditor();

// 按钮11: renaming the selected mod with its pieces.
void RenameSelectedMod();

// 按钮18: deleting the selected mod with its pieces.
void DeleteSelectedMod();
