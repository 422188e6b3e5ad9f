#include "platform/win32/wmi/com_error.h"

#include <gtest/gtest.h>
#include <wbemcli.h>

#include "platform/run_time_error.h"

namespace brask {
namespace {

TEST(ComError, FailuresThrowAndSuccessesPass) {
  EXPECT_NO_THROW(throwIfFailed(S_OK, L"nothing"));
  EXPECT_NO_THROW(throwIfFailed(S_FALSE, L"nothing"));
  const HRESULT failures[] = {E_OUTOFMEMORY, E_INVALIDARG, static_cast<HRESULT>(WBEM_E_NOT_FOUND),
                              static_cast<HRESULT>(WBEM_E_INVALID_QUERY)};
  for (const HRESULT hr : failures) {
    try {
      throwIfFailed(hr, L"Running the query");
      ADD_FAILURE() << std::hex << hr << " passed";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.code(), static_cast<long>(hr));
      EXPECT_EQ(error.action(), L"Running the query");
      EXPECT_FALSE(error.description().empty()) << std::hex << hr;
    }
  }
}

}  // namespace
}  // namespace brask
