// Owns one reference to a COM interface and releases it.
#pragma once

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

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  // Where a COM call stores the new reference.
  Interface** put() { return &pointer_; }
  void** putVoid() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace brask
