#pragma once
// Resources compiled into Velora.exe.
#define IDI_VELORA 1
