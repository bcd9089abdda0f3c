#pragma once
// Line glyphs of the command bar, drawn as vectors so they stay sharp at every scale.
#include <windows.h>

#include <cstdint>

namespace velora::toolkit::glyphs {

void Recent(HDC dc, int size, std::uint32_t colour);       // a clock face
void AddBookmark(HDC dc, int size, std::uint32_t colour);  // a plus in a circle
void Clear(HDC dc, int size, std::uint32_t colour);        // a waste bin
void AddAtEnd(HDC dc, int size, std::uint32_t colour);     // lines with an arrow to the bottom
void AddAtFront(HDC dc, int size, std::uint32_t colour);   // lines with an arrow to the top
void Settings(HDC dc, int size, std::uint32_t colour);     // three sliders
void Pin(HDC dc, int size, std::uint32_t colour);          // a push pin
void Close(HDC dc, int size, std::uint32_t colour);        // a cross, for a panel's close button

}  // namespace velora::toolkit::glyphs
