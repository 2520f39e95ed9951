#pragma once

#include <cstdint>

// Language code of the user interface: 0 Chinese, 1 English, 2 Polish.
enum : uint8_t { Language_Chinese = 0, Language_English = 1, Language_Polish = 2 };

// With reload, reads System/Language.ini and remembers the code; without, returns the remembered
// code, so a change made while the program runs counts only from the next start.
uint8_t Read_Language(bool reload);

// Pins the remembered code without touching the disk (start-up of tests, and nothing else).
void Set_Language_Code(uint8_t code);
