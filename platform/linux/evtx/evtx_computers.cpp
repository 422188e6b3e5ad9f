#include "platform/linux/evtx/evtx_computers.h"

#include <algorithm>
#include <map>
#include <set>

#include "computers/computer_names.h"
#include "platform/linux/evtx/evtx_event_source.h"
#include "platform/linux/evtx/evtx_file.h"
#include "platform/linux/evtx/evtx_layout.h"
#include "platform/linux/locale/wide_decoder.h"
#include "platform/run_time_error.h"

namespace brask {

std::optional<GatheredComputers> EvtxComputers::gathered() {
  EvtxLayout layout;
  try {
    layout = evtxLayout(folder_);
  } catch (const RunTimeError&) {
    return std::nullopt;
  }
  std::map<std::wstring, std::wstring> computers;  // comparable name: the name shown
  std::set<std::wstring> folders;                  // comparable names of the folders
  for (const EvtxComputerFiles& computer : layout.computers) {
    const std::wstring comparable = comparableName(computer.name);
    computers[comparable] = computer.name;
    folders.insert(comparable);
  }
  WideDecoder utf8("UTF-8");
  for (const std::string& path : layout.forwarded) {
    const std::unique_ptr<EvtxFile> file = EvtxFile::open(path);
    for (const RecordSet set : {RecordSet::Written, RecordSet::Recovered}) {
      for (int index = 0; file && index < file->count(set); ++index) {
        const std::optional<EvtxRecord> record = file->record(set, index);
        const std::optional<std::string> name = record ? record->computerName() : std::nullopt;
        if (!name || name->empty()) continue;
        const std::wstring spelling = utf8(*name);
        const std::wstring comparable = comparableName(spelling);
        if (folders.count(comparable) != 0) continue;
        std::wstring& shown = computers[comparable];
        shown = std::max(shown, spelling);
      }
    }
  }
  GatheredComputers gathered;
  gathered.where = utf8(folder_);
  gathered.collector = !layout.forwarded.empty();
  for (const auto& [comparable, shown] : computers) gathered.names.push_back(shown);
  return gathered;
}

std::unique_ptr<EventSource> EvtxComputers::computer(const std::wstring& name) {
  return std::make_unique<EvtxEventSource>(spelling_, folder_, comparableName(name));
}

}  // namespace brask
