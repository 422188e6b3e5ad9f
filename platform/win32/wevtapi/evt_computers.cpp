#include "platform/win32/wevtapi/evt_computers.h"

#include <algorithm>

#include "platform/win32/system_error.h"
#include "platform/win32/wevtapi/evt_objects.h"
#include "platform/win32/wevtapi/evt_values.h"

namespace brask {

std::vector<std::wstring> computersOfLog(const Wevtapi& api, const std::wstring& channel) {
  SetLastError(ERROR_SUCCESS);
  const EVT_HANDLE query =
      api.query(nullptr, channel.c_str(), L"*", EvtQueryChannelPath | EvtQueryReverseDirection);
  const DWORD queryError = query ? ERROR_SUCCESS : GetLastError();
  const EvtHandle results(api, query);
  if (!results)
    throwEvtFailure(L"Querying the channel " + channel + L" for its computers", queryError);
  EvtRenderer renderer(api);
  std::vector<std::wstring> computers;
  EVT_HANDLE events[EvtObjects::kBatch];
  DWORD returned = 0;
  while (api.next(results.get(), EvtObjects::kBatch, events, INFINITE, 0, &returned)) {
    std::vector<EvtHandle> batch;
    for (DWORD i = 0; i < returned; ++i) batch.emplace_back(api, events[i]);
    for (const EvtHandle& event : batch) {
      const std::optional<std::wstring> computer = renderer.systemValues(event.get()).computer;
      if (computer && std::find(computers.begin(), computers.end(), *computer) == computers.end())
        computers.push_back(*computer);
    }
  }
  const DWORD error = GetLastError();
  if (error != ERROR_NO_MORE_ITEMS)
    throw systemError(L"Reading the computers of the channel " + channel, error);
  return computers;
}

}  // namespace brask
