#pragma once
// Resources compiled into FlipIt.scr.
// The screensaver's name in the system's list of screensavers (string table).
#define IDS_DESCRIPTION 1
#define IDD_ABOUT 100
#define IDC_ABOUT_HEADING 101
#define IDC_ABOUT_TEXT 102
#define IDC_ABOUT_NO_OPTIONS 103
