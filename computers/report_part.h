// One computer's part of a report of many, written by the thread that reads the computer
// while the report is written in the order the computers were named: what the read writes
// before its computer has answered a query is held back (a computer that never answers
// leaves its line alone); after that it is spooled to a temporary file until the part's
// turn comes, and then written straight into the report. Nothing of it is held in memory
// but what waits for the first answer. Safe between the read's thread and the writer's.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "computers/spin_lock.h"
#include "platform/file_api.h"

namespace brask {

class ReportPart final : public TextSink {
 public:
  explicit ReportPart(std::function<std::unique_ptr<Spool>()> makeSpool)
      : makeSpool_(std::move(makeSpool)) {}

  // From the read's thread. Throws RunTimeError when the spool or the report fails.
  void write(std::wstring_view text) override;
  // From the read's thread: the computer has answered a query, so what was held back goes on.
  void answered();

  // The rest from the writer's thread. The part's turn has come: what was spooled goes into
  // the report, and what the read writes from now on goes there at once. Throws RunTimeError.
  void takeTurn(Replacement& report);
  // Takes no more writes, the read having ended or been given up; what was held back goes on
  // when kept, else is dropped. Throws RunTimeError.
  void seal(bool keepHeldBack);

 private:
  // Writes text where the part stands now; the lock is held.
  void put(std::wstring_view text);

  std::function<std::unique_ptr<Spool>()> makeSpool_;
  SpinLock lock_;
  bool answered_ = false;
  bool sealed_ = false;
  std::wstring heldBack_;           // written before the first answer
  std::unique_ptr<Spool> spool_;    // made at its first write
  Replacement* report_ = nullptr;   // once the part's turn has come
};

}  // namespace brask
