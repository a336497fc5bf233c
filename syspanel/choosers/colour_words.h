// Colour words, as the colour control and the kernel keep a colour: an index into the kernel's
// colour table, or a true colour (the Windows colour shifted left by 8 bits).
#pragma once

#include <cstdint>

#include "platform/kernel.h"

// An index only when 0 <= word < the table's count: a true colour with blue of 128 or more is
// negative as an int32 and must not pass for an index. True black (0) stays index 0.
bool IsColourIndex(std::int32_t word);
// The Windows colour of a word (black for an index the table lacks).
COLORREF ColourOfWord(std::int32_t word);
std::int32_t TrueColourWord(COLORREF colour);
// What a colour list shows for the word: the table colour's name, or "R%d G%d B%d".
CString ColourWordText(std::int32_t word);
