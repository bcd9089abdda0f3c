#pragma once
// The hand-over between a command and the copy of the program running from the same folder: the
// running copy listens on a message-only window named after its folder; the command sends the
// request by WM_COPYDATA and waits on a window of its own for the reply.
#include <windows.h>

#include <deque>
#include <functional>
#include <string>

#include "app/transfer_command.h"
#include "core/handles_win32.h"

namespace velora::app {

// The running copy's side. The request is taken at once and handed to the handler once the sender
// is free again, on the UI thread; the handler may answer later (its work runs on a worker, so
// the panel keeps answering), and the reply then goes to the waiting command.
class TransferRequests {
 public:
  using Answer = std::function<void(const TransferReply&)>;
  using Handler = std::function<void(const TransferRequest&, const Answer& answer)>;

  TransferRequests() = default;
  ~TransferRequests();
  TransferRequests(const TransferRequests&) = delete;
  TransferRequests& operator=(const TransferRequests&) = delete;

  // False when the window could not be made: commands then open the store themselves.
  bool Listen(HINSTANCE instance, const std::wstring& program_folder, Handler handler);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void Take(const std::string& bytes) const;

  HWND window_ = nullptr;
  Handler handler_;
  std::deque<std::string> pending_;  // requests taken and not yet worked on
};

enum class HandOver {
  kNoRunningCopy,  // nobody listens for this folder: the command does the work itself
  kAnswered,
  kNoAnswer,  // the running copy took no request, or gave no reply within the limit
};

// Hands `request` to the running copy and waits up to `limit_ms` for its reply.
HandOver HandOverToRunningCopy(HINSTANCE instance, const std::wstring& program_folder,
                               const TransferRequest& request, DWORD limit_ms, TransferReply& reply);

}  // namespace velora::app
