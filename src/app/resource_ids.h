#pragma once
// Resources compiled into Velora.exe.
#define IDI_VELORA 1
// FlipIt.scr, written into the data directory on first run (RCDATA).
#define IDR_FLIPIT 2
