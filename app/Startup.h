// Bringing up the support library and the engine's hooks into it.
#pragma once

// Starts the support library, lets it fill its two pages, and routes the
// engine's question of a drive's file system to it.
void InitSupportLibrary();

// Applies the skin the library reported, trying 1, 5, 3, 2, 4 in this
// order; any other number keeps the design-time look.
void RestoreSkin();
