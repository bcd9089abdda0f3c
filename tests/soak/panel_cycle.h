#pragma once
// One round of what a user does most with the panel, given as real input, each step waited for
// until the program shows its outcome: summoned by the hotkey, the next page by the wheel, the
// item menu opened and dismissed, the text snippet launched, which puts its text on the
// clipboard and hides the panel that is not held.
#include <windows.h>

#include <stdexcept>
#include <string>

namespace velora::soak {

class CycleFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CycleItems {
  std::wstring first_page;  // the caption of the first cell of each page
  std::wstring second_page;
  std::wstring snippet;  // caption and text of the snippet on the second page
  std::wstring pin;      // the tip of the button that holds the panel
};

class PanelCycle {
 public:
  // `panel` is shown and hidden by F9.
  PanelCycle(DWORD process_id, HWND panel, CycleItems items);

  // Throws CycleFailure naming the step whose outcome did not come.
  void Run();
  // Hides the panel with the hotkey when it shows.
  void HideWithHotkey();
  // Unticks the pin of the panel started by hand, so that a launch hides it.
  void LetGo();

 private:
  POINT GridCentre() const;
  POINT SnippetCell() const;
  bool MenuShows() const;

  DWORD process_id_;
  HWND panel_;
  HWND grid_;
  CycleItems items_;
};

}  // namespace velora::soak
