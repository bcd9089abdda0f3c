#pragma once
// Real input and pictures of the screen, as a person would give and see them.
#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velora::e2e {

void MoveMouse(POINT screen);
// Puts the pointer at `screen` and reports it as a move, so the window under it hears of it.
void MovePointer(POINT screen);
void Click(POINT screen);
void RightClick(POINT screen);
// Presses and releases one key.
// One press and release of `key`, with no pause after; false when the system refused the input.
bool TapKey(WORD key);
void PressKey(WORD key);
// Types each character as the keyboard's Unicode input does, Chinese included.
void TypeText(std::wstring_view text);
// Presses at `from`, moves to `to` in small steps and releases there, unless `release` is false:
// then the button stays down for the caller to release with ReleaseLeftButton.
void Drag(POINT from, POINT to, bool release = true);
void ReleaseLeftButton();

// Turns the wheel over `screen` by `notches` (positive: away from the user).
void Wheel(POINT screen, int notches);

// The text on the clipboard, empty when there is none or another program keeps it open.
std::wstring ClipboardText();

// A child window of `parent` (at any depth) whose text is `text`, or null.
HWND FindChildByText(HWND parent, std::wstring_view text);

// Clicks `category`'s tab in the category bar, turning the bar with the wheel until the tab is
// in view, and waits until the tab is the selected one; false when it never was (a screenshot
// "choose_category_failed.png" then shows the panel).
bool ChooseCategory(HWND window, const wchar_t* category);
// The item grid: the custom control that answers the list box messages with its cells.
HWND FindItemGrid(HWND window);
// The captions of the grid's cells on show, empty for an empty cell.
std::vector<std::wstring> GridCaptions(HWND grid);
// The point a user clicks in the grid's cell showing `caption` (cells of 77 × 90 at 96 DPI);
// {-1, -1} when no cell shows it.
POINT CellOf(HWND grid, const std::wstring& caption);

// A report list view of another process: the text of a cell, and a row's rectangle on the screen
// (empty when there is no such row). The list's messages carry pointers, so they go through
// memory in that process.
std::wstring ListViewCell(HWND list, int row, int column);
RECT ListViewRowRect(HWND list, int row);

// Sets the display scale that Wine gives programs started from now on.
void SetDisplayDpi(DWORD dpi);

// Saves the screen area of `window` as a PNG under the build tree's screenshot folder.
bool SaveScreenshot(HWND window, std::wstring_view file_name);

}  // namespace velora::e2e
