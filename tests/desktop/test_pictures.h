#pragma once
// Picture files made in memory for the clipboard tests, and the pixels of a bitmap read back.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velora::desktop::testing {

// 0xAARRGGBB, row by row from the top.
using Pixels = std::vector<std::uint32_t>;

// A PNG file of `width` × `height` with straight (not premultiplied) alpha.
std::string EncodePng(UINT width, UINT height, const Pixels& pixels);
// The same as a JPEG file, alpha dropped.
std::string EncodeJpeg(UINT width, UINT height, const Pixels& pixels);

// An icon file holding the PNG images given, in that order.
std::string IconFileOf(const std::vector<std::pair<UINT, std::string>>& sized_pngs);

// A 1 × 1 GIF89a that loops through two frames, palette index 0 (red) then 1 (blue).
std::string AnimatedGif();

// The bitmap's size and its pixels as 0x00RRGGBB, from the top row.
SIZE BitmapSize(HBITMAP bitmap);
Pixels BitmapPixels(HBITMAP bitmap);

// A bitmap of the screen's format holding `pixels` (alpha ignored).
HBITMAP MakeBitmap(int width, int height, const Pixels& pixels);

}  // namespace velora::desktop::testing
