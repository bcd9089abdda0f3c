#pragma once
// The recent list that can take the grid's place: the newest shortcuts of the shell's Recent
// folder, read on a worker and shown when they arrive, and what the user does with a row.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "acquire/recent_folder_win32.h"

namespace velora::toolkit {
class ListView;
}

namespace velora::ui {

class RecentList {
 public:
  struct Actions {
    std::function<void(bool on, std::string_view text)> show_tip;
    // Opens what the shortcut file `link` points at.
    std::function<void(const std::string& link)> open_target;
  };

  // `list` lies on `window`, which receives the finished readings (Deliver).
  RecentList(toolkit::ListView& list, HWND window, Actions actions,
             acquire::RecentReader::FolderSource folder = acquire::RecentFolder);
  RecentList(const RecentList&) = delete;
  RecentList& operator=(const RecentList&) = delete;

  // Shown in the panel, whether or not the panel itself is.
  bool shown() const;
  // The recent button: hides a shown list; shows a hidden one and reads the folder again.
  void Toggle();
  void Hide();
  // At a summon: a shown list is read again.
  void RefillIfVisible();
  // A reading the worker posted; one overtaken by a later refill is dropped.
  void Deliver(const acquire::RecentListing& listing);

 private:
  void Refill();
  void Fill(const std::vector<acquire::RecentRow>& rows);
  void OnHover(int row);
  void OnActivate(int row);
  void OnRightClick(int row);

  toolkit::ListView& list_;
  HWND window_;
  Actions actions_;
  acquire::RecentReader reader_;
  std::vector<std::string> targets_;  // each row's shortcut target, for its tip
};

}  // namespace velora::ui
