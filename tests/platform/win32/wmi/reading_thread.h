// A read on a thread of its own, as the reads of many computers run, for the tests that
// cancel it from theirs: MinGW-w64's win32 thread model has no std::thread.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

namespace brask::test {

class ReadingThread {
 public:
  explicit ReadingThread(std::function<void()> read) : read_(std::move(read)) {
    thread_ = CreateThread(nullptr, 0, &ReadingThread::run, this, 0, nullptr);
  }
  ReadingThread(const ReadingThread&) = delete;
  ReadingThread& operator=(const ReadingThread&) = delete;
  ~ReadingThread() { join(); }

  // Waits for the read to end, at most so long; whether it ended. One that did not is ended
  // here, so that a test that fails still ends.
  bool join(std::chrono::milliseconds atMost = std::chrono::seconds(20)) {
    if (!thread_) return true;
    const bool ended = WaitForSingleObject(thread_, static_cast<DWORD>(atMost.count())) == WAIT_OBJECT_0;
    if (!ended) TerminateThread(thread_, 1);
    CloseHandle(thread_);
    thread_ = nullptr;
    return ended;
  }

 private:
  static DWORD WINAPI run(LPVOID self) {
    static_cast<ReadingThread*>(self)->read_();
    return 0;
  }

  std::function<void()> read_;
  HANDLE thread_ = nullptr;
};

}  // namespace brask::test
