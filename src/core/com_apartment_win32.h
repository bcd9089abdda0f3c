#pragma once
// COM for the calling thread for as long as this object lives. A thread already in the other
// apartment model keeps the one it has (and is not uninitialised here); the imaging component
// works in either, while shell extensions want the apartment-threaded model.
#include <objbase.h>
#include <ole2.h>

namespace velora::core {

class ComApartment {
 public:
  explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED) noexcept
      : result_(CoInitializeEx(nullptr, model)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

// COM with OLE on top, for shell handlers that put data on the clipboard (a menu's "copy") or
// start a drag; what they left on the clipboard is rendered when this ends, so it stays there.
class OleApartment {
 public:
  OleApartment() noexcept : result_(OleInitialize(nullptr)) {}
  ~OleApartment() {
    if (SUCCEEDED(result_)) OleUninitialize();
  }
  OleApartment(const OleApartment&) = delete;
  OleApartment& operator=(const OleApartment&) = delete;

 private:
  HRESULT result_;
};

}  // namespace velora::core
