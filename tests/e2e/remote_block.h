#pragma once
// Memory inside another program, for the messages and calls that carry pointers.
#include <windows.h>

namespace velora::e2e {

// A block of memory in the process that owns `window`, freed with it. `more_access` adds rights
// on the process beyond reading and writing its memory (starting a thread there, say).
class RemoteBlock {
 public:
  RemoteBlock(HWND window, SIZE_T size, DWORD more_access = 0) : size_(size) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    process_ =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | more_access, FALSE, id);
    if (process_)
      address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  bool ok() const { return address_ != nullptr; }
  HANDLE process() const { return process_; }
  char* at(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
  bool Write(SIZE_T offset, const void* data, SIZE_T size) const {
    return offset + size <= size_ && WriteProcessMemory(process_, at(offset), data, size, nullptr);
  }
  bool Read(SIZE_T offset, void* data, SIZE_T size) const {
    return offset + size <= size_ && ReadProcessMemory(process_, at(offset), data, size, nullptr);
  }

 private:
  SIZE_T size_;
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

}  // namespace velora::e2e
