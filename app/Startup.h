// Bringing up the support library and the engine's hooks into it.
#pragma once
#include <cstdint>
#include <string>

// The skin number the support library reports and is told of: 1 Blue,
// 2 Green, 3 Black, 4 Yellow, 5 Red. The library keeps its address.
extern uint8_t CurrentSkin;
// 1 once Windows has asked whether it may log off or shut down: the main
// window then closes without questions. Cleared when the window first shows.
extern uint8_t WindowsEnding;

// The program's first command-line argument, empty without one; the entry
// sets it before the main window first shows.
extern std::wstring CommandLinePath;

// Starts the support library, lets it fill its two pages, and routes the
// engine's question of a drive's file system to it.
void InitSupportLibrary();

// Applies the skin the library reported, trying 1, 5, 3, 2, 4 in this
// order; any other number keeps the design-time look.
void RestoreSkin();
