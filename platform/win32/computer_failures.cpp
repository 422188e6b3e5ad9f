#include "platform/win32/computer_failures.h"

#include <windows.h>

#include "platform/win32/system_error.h"

namespace brask {
namespace {

class ComputerObjects final : public EventObjects {
 public:
  ComputerObjects(std::unique_ptr<EventObjects> objects, Reach reach)
      : objects_(std::move(objects)), reach_(reach) {}

  bool next() override {
    try {
      return objects_->next();
    } catch (const ComputerError&) {
      throw;
    } catch (const RunTimeError& error) {
      throw computerError(error, reach_);
    }
  }

  PropertyValue property(std::wstring_view name) override {
    try {
      return objects_->property(name);
    } catch (const ComputerError&) {
      throw;
    } catch (const RunTimeError& error) {
      throw computerError(error, reach_);
    }
  }

 private:
  std::unique_ptr<EventObjects> objects_;
  Reach reach_;
};

}  // namespace

ComputerError computerError(const RunTimeError& error, Reach reach) {
  const auto code = static_cast<HRESULT>(error.code());
  if (HRESULT_FACILITY(code) == FACILITY_WIN32 && FAILED(code)) {
    const DWORD win32 = HRESULT_CODE(code);
    return ComputerError(error.action(), static_cast<long>(win32), systemErrorText(win32), reach);
  }
  return ComputerError(error.action(), error.code(), error.description(), reach);
}

std::unique_ptr<EventObjects> failingAsComputer(std::unique_ptr<EventObjects> objects, Reach reach) {
  return std::make_unique<ComputerObjects>(std::move(objects), reach);
}

}  // namespace brask
