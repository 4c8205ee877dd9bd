// Bringing up the support library and the engine's hooks into it.
#pragma once
#include <cstdint>

// The skin number the support library reports and is told of: 1 Blue,
// 2 Green, 3 Black, 4 Yellow, 5 Red. The library keeps its address.
extern uint8_t CurrentSkin;

// Starts the support library, lets it fill its two pages, and routes the
// engine's questions (a drive's file system, the part-check notice) to it.
void InitSupportLibrary();
