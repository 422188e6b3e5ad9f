#include "computers/report_part.h"

namespace brask {

void ReportPart::write(std::wstring_view text) {
  const std::lock_guard lock(lock_);
  if (sealed_) return;
  if (answered_) {
    put(text);
  } else {
    heldBack_ += text;
  }
}

void ReportPart::answered() {
  const std::lock_guard lock(lock_);
  if (answered_ || sealed_) return;
  answered_ = true;
  put(heldBack_);
  std::wstring().swap(heldBack_);
}

void ReportPart::takeTurn(Replacement& report) {
  const std::lock_guard lock(lock_);
  if (spool_) {
    spool_->copyTo(report);
    spool_.reset();
  }
  report_ = &report;
}

void ReportPart::seal(bool keepHeldBack) {
  const std::lock_guard lock(lock_);
  if (sealed_) return;
  if (keepHeldBack && !answered_) put(heldBack_);
  std::wstring().swap(heldBack_);
  sealed_ = true;
}

void ReportPart::put(std::wstring_view text) {
  if (text.empty()) return;
  if (report_) {
    report_->write(text);
    return;
  }
  if (!spool_) spool_ = makeSpool_();
  spool_->write(text);
}

}  // namespace brask
