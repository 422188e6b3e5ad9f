#include "computers/many_computers.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <utility>

#include "computers/computer_names.h"
#include "computers/locale_snapshot.h"
#include "computers/unread_reason.h"
#include "report/report_blocks.h"

namespace brask {
namespace {

// A report part in memory: every write goes to the end of its text.
class ReportPart final : public FileApi {
 public:
  void write(const std::wstring&, OpenMode mode, std::wstring_view text) override {
    if (mode == OpenMode::Output) text_.clear();
    text_ += text;
  }
  // A part is one text, never replaced nor removed as a file is.
  void replace(const std::wstring&, const std::wstring&) override {}
  void remove(const std::wstring&) override {}
  const std::wstring& text() const { return text_; }

 private:
  std::wstring text_;
};

// What one computer's read leaves, for this thread to take once it has ended.
struct ComputerRead {
  std::unique_ptr<EventSource> source;
  ReportPart part;
  bool answered = false;  // a query has been answered
  std::optional<ComputerError> failure;
  std::exception_ptr runFailure;
};

// A computer's event logs that tell when their first query has been answered.
class AnsweringSource final : public EventSource {
 public:
  AnsweringSource(EventSource& source, std::function<void()> answered)
      : source_(source), answered_(std::move(answered)) {}

  std::unique_ptr<EventService> connect() override;

 private:
  friend class AnsweringService;
  EventSource& source_;
  std::function<void()> answered_;
};

class AnsweringService final : public EventService {
 public:
  AnsweringService(std::unique_ptr<EventService> service, AnsweringSource& source)
      : service_(std::move(service)), source_(source) {}

  std::unique_ptr<EventObjects> ExecQuery(const std::wstring& queryText,
                                          const EventsWanted& wanted) override {
    std::unique_ptr<EventObjects> objects = service_->ExecQuery(queryText, wanted);
    if (source_.answered_) std::exchange(source_.answered_, nullptr)();
    return objects;
  }

 private:
  std::unique_ptr<EventService> service_;
  AnsweringSource& source_;
};

std::unique_ptr<EventService> AnsweringSource::connect() {
  return std::make_unique<AnsweringService>(source_.connect(), *this);
}

// Everything the reads share, kept alive by any of them still running.
struct Reading {
  LocaleSnapshot locale;
  std::vector<Section> sections;
  ListSection list;
  std::vector<std::shared_ptr<ComputerRead>> reads;
};

void readComputer(Reading& reading, ComputerRead& read, const std::function<void()>& answered) {
  if (!read.source) return;  // it failed as it was asked for
  AnsweringSource source(*read.source, [&read, answered] {
    read.answered = true;
    answered();
  });
  ReportFile part(read.part, std::wstring());
  try {
    writeSections({source, reading.locale, part}, reading.sections, reading.list);
  } catch (const ComputerError& error) {
    read.failure = error;
  } catch (...) {
    read.runFailure = std::current_exception();
  }
}

}  // namespace

std::optional<ManyComputers> ManyComputers::of(Computers& computers,
                                               const std::vector<std::wstring>& named) {
  const std::optional<GatheredComputers> gathered = computers.gathered();
  std::vector<Block> blocks;
  if (named.empty()) {
    if (!gathered || (gathered->names.size() < 2 && !gathered->collector)) return std::nullopt;
    for (const std::wstring& name : gathered->names) blocks.push_back({name, name, std::nullopt});
  } else if (!gathered) {
    for (const std::wstring& name : named) blocks.push_back({name, name, std::nullopt});
  } else {
    for (const std::wstring& name : named) {
      const auto found = std::find_if(gathered->names.begin(), gathered->names.end(),
                                      [comparable = comparableName(name)](const std::wstring& held) {
                                        return comparableName(held) == comparable;
                                      });
      if (found == gathered->names.end()) {
        blocks.push_back({name, name, gathered->where});
      } else {
        blocks.push_back({name, *found, std::nullopt});
      }
    }
  }
  return ManyComputers(computers, std::move(blocks));
}

bool ManyComputers::write(ReportFile& report, Threads& threads, LocaleApi& locale,
                          const std::vector<Section>& sections, const ListSection& list,
                          const ParallelReads& limits,
                          const std::function<void(std::size_t)>& read) const {
  const auto reading = std::make_shared<Reading>(Reading{LocaleSnapshot(locale), sections, list, {}});
  for (const Block& block : blocks_) {
    if (block.notIn) continue;
    auto computerRead = std::make_shared<ComputerRead>();
    try {
      computerRead->source = computers_->computer(block.reached);
    } catch (const ComputerError& error) {
      computerRead->failure = error;
    }
    reading->reads.push_back(std::move(computerRead));
  }

  // A computer that the logs do not gather counts as read from the start.
  const std::size_t notGathered = blocks_.size() - reading->reads.size();
  read(notGathered);
  const std::vector<bool> ended = readInParallel(
      threads, limits, reading->reads.size(),
      [reading](std::size_t i, const std::function<void()>& answered) {
        readComputer(*reading, *reading->reads[i], answered);
      },
      [&read, notGathered](std::size_t n) { read(notGathered + n); });

  bool allRead = true;
  std::size_t next = 0;  // the next read, in the order of the blocks
  for (const Block& block : blocks_) {
    writeComputerBanner(report, block.name);
    if (block.notIn) {
      writeUnreadComputer(report, block.name, notGatheredReason(*block.notIn));
      allRead = false;
      continue;
    }
    const std::size_t r = next++;
    if (!ended[r]) {
      writeUnreadComputer(report, block.name, noAnswerReason(limits.firstAnswer));
      allRead = false;
      continue;
    }
    const ComputerRead& computer = *reading->reads[r];
    if (computer.runFailure) std::rethrow_exception(computer.runFailure);
    // A computer that failed before it answered has its line alone, without the banner
    // of the section whose query failed.
    if (computer.answered || !computer.failure) {
      if (!computer.part.text().empty()) report.appendPrinted(computer.part.text());
    }
    if (computer.failure) {
      writeUnreadComputer(report, block.name, errorReason(*computer.failure));
      allRead = false;
    }
  }
  return allRead;
}

}  // namespace brask
