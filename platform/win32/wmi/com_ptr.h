// Owners of what COM hands out: one reference to an interface, released with it; a BSTR made
// from text, freed with it.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string_view>

#include "platform/run_time_error.h"

namespace brask {

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { reset(); }

  void reset() {
    if (pointer_) pointer_->Release();
    pointer_ = nullptr;
  }
  // Lets go of the reference without releasing it: for an interface of an apartment whose
  // thread has ended, or is stuck in a call, which no other thread may call into.
  void abandon() { pointer_ = nullptr; }

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  // Where a COM call stores the new reference.
  Interface** put() { return &pointer_; }
  void** putVoid() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

// A BSTR made from text, freed with it.
class Bstr {
 public:
  explicit Bstr(std::wstring_view text)
      : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (!text_) throw RunTimeError(L"Allocating a string", kOutOfMemory, L"Out of memory");
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(text_); }
  BSTR get() const { return text_; }

 private:
  BSTR text_;
};

}  // namespace brask
