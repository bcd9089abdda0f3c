#include "app/transfer_requests_win32.h"

#include <optional>

#include "core/guarded.h"
#include "text/utf.h"

namespace velora::app {
namespace {

constexpr wchar_t kListenerClass[] = L"VeloraTransferRequests";
constexpr wchar_t kReplyClass[] = L"VeloraTransferReply";
constexpr ULONG_PTR kRequestTag = 0x56524551;  // "VREQ"
constexpr ULONG_PTR kReplyTag = 0x56524550;    // "VREP"
constexpr UINT kWorkMessage = WM_APP + 1;
// How long the sender may take to accept a request or a reply: it only copies bytes.
constexpr UINT kAcceptMs = 10000;

std::string_view Bytes(const COPYDATASTRUCT& data) {
  return {static_cast<const char*>(data.lpData), data.cbData};
}

bool Send(HWND to, HWND from, ULONG_PTR tag, const std::string& bytes) {
  COPYDATASTRUCT data{tag, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data),
                             SMTO_ABORTIFHUNG, kAcceptMs, &result) != 0 &&
         result == TRUE;
}

bool RegisterClassOnce(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW window_class{sizeof(window_class)};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.lpszClassName = name;
  return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

struct AwaitedReply {
  unsigned long long id = 0;
  std::optional<TransferReply> reply;
};

LRESULT CALLBACK ReplyProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_COPYDATA) return DefWindowProcW(window, message, wparam, lparam);
  return core::Guarded(
      "transfer reply",
      [&]() -> LRESULT {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
        auto* awaited = reinterpret_cast<AwaitedReply*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!awaited || data->dwData != kReplyTag) return FALSE;
        awaited->reply = DecodeReply(Bytes(*data), awaited->id);
        return awaited->reply ? TRUE : FALSE;
      },
      [] { return LRESULT{FALSE}; });
}

}  // namespace

TransferRequests::~TransferRequests() {
  if (!window_) return;
  DestroyWindow(window_);
}

bool TransferRequests::Listen(HINSTANCE instance, const std::wstring& program_folder, Handler handler) {
  if (window_ || !RegisterClassOnce(instance, kListenerClass, Procedure)) return false;
  window_ = CreateWindowExW(0, kListenerClass, program_folder.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            instance, nullptr);
  if (!window_) return false;
  handler_ = std::move(handler);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // A command started without elevation may still hand over to an elevated copy.
  ChangeWindowMessageFilterEx(window_, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
  return true;
}

LRESULT CALLBACK TransferRequests::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<TransferRequests*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || (message != WM_COPYDATA && message != kWorkMessage)) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
  return core::Guarded(
      "transfer request",
      [&]() -> LRESULT {
        if (message == WM_COPYDATA) {
          const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
          if (data->dwData != kRequestTag || !DecodeRequest(Bytes(*data))) return FALSE;
          // The sender waits inside SendMessage until this returns: the work comes after.
          self->pending_.emplace_back(Bytes(*data));
          PostMessageW(window, kWorkMessage, 0, 0);
          return TRUE;
        }
        if (self->pending_.empty()) return 0;
        const std::string bytes = std::move(self->pending_.front());
        self->pending_.pop_front();
        self->Take(bytes);
        return 0;
      },
      [] { return LRESULT{FALSE}; });
}

void TransferRequests::Take(const std::string& bytes) const {
  const std::optional<HandedRequest> handed = DecodeRequest(bytes);
  if (!handed || !handler_) return;
  // NOLINTNEXTLINE(performance-no-int-to-ptr): the handle came as a number in the request
  const auto reply_to = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handed->reply_to));
  // A command that gave up waiting has closed its window: the send then fails and nothing is lost.
  handler_(handed->request, [reply_to, from = window_, id = handed->id](const TransferReply& reply) {
    (void)Send(reply_to, from, kReplyTag, EncodeReply(id, reply));
  });
}

HandOver HandOverToRunningCopy(HINSTANCE instance, const std::wstring& program_folder,
                               const TransferRequest& request, DWORD limit_ms, TransferReply& reply) {
  HWND listener = FindWindowExW(HWND_MESSAGE, nullptr, kListenerClass, program_folder.c_str());
  if (!listener) return HandOver::kNoRunningCopy;
  if (!RegisterClassOnce(instance, kReplyClass, ReplyProcedure)) return HandOver::kNoAnswer;
  const core::UniqueWindow own(
      CreateWindowExW(0, kReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
  if (!own) return HandOver::kNoAnswer;
  ChangeWindowMessageFilterEx(own.get(), WM_COPYDATA, MSGFLT_ALLOW, nullptr);
  AwaitedReply awaited{(static_cast<unsigned long long>(GetCurrentProcessId()) << 32) | GetTickCount()};
  SetWindowLongPtrW(own.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&awaited));

  const HandedRequest handed{awaited.id, reinterpret_cast<UINT_PTR>(own.get()), request};
  if (!Send(listener, own.get(), kRequestTag, EncodeRequest(handed))) return HandOver::kNoAnswer;
  const ULONGLONG until = GetTickCount64() + limit_ms;
  // The reply comes as a sent message: it is delivered while this thread waits for messages.
  while (!awaited.reply && IsWindow(listener)) {
    const ULONGLONG now = GetTickCount64();
    if (now >= until) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_ALLINPUT);
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  SetWindowLongPtrW(own.get(), GWLP_USERDATA, 0);
  if (!awaited.reply) return HandOver::kNoAnswer;
  reply = *awaited.reply;
  return HandOver::kAnswered;
}

}  // namespace velora::app
