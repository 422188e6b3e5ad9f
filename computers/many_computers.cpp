#include "computers/many_computers.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <utility>

#include "computers/computer_names.h"
#include "computers/locale_snapshot.h"
#include "computers/report_part.h"
#include "computers/unread_reason.h"
#include "computers/watched_source.h"
#include "report/report_blocks.h"

namespace brask {
namespace {

// What one computer's read leaves, for this thread to take once it has ended.
struct ComputerRead {
  explicit ComputerRead(std::function<std::unique_ptr<Spool>()> spool) : part(std::move(spool)) {}

  std::unique_ptr<EventSource> source;
  StartLog startLog;
  ReportPart part;
  std::optional<ComputerError> failure;
  std::exception_ptr runFailure;
};

// Everything the reads share, kept alive by any of them still running.
struct Reading {
  LocaleSnapshot locale;
  std::vector<Section> sections;
  ListSection list;
  std::vector<std::shared_ptr<ComputerRead>> reads;
};

void readComputer(Reading& reading, ComputerRead& read, const std::function<void()>& answered) {
  if (!read.source) return;  // it failed as it was asked for
  WatchedSource source(*read.source, answered, [&read] { read.part.answered(); });
  ReportFile part(read.part);
  try {
    writeSections({source, reading.locale, part}, reading.sections, reading.list, read.startLog);
    read.failure = read.source->unreadPart();
  } catch (const ComputerError& error) {
    read.failure = error;
  } catch (...) {
    read.runFailure = std::current_exception();
  }
}

// Writes the blocks in order, each as far as its read has gone, while the reads go on.
class BlockWriter {
 public:
  BlockWriter(const ManyReport& report, const std::vector<std::wstring>& names,
              const std::vector<std::optional<std::wstring>>& notIn, Reading& reading,
              std::chrono::milliseconds callLimit)
      : report_(report), file_(report.report), names_(names), notIn_(notIn), reading_(reading),
        callLimit_(callLimit), ends_(reading.reads.size()) {
    for (std::size_t block = 0; block < names_.size(); ++block) {
      if (!notIn_[block]) readNames_.push_back(names_[block]);
    }
  }

  // The read of the r-th gathered computer has ended, or been given up.
  void ended(std::size_t r, ReadEnd how) {
    ComputerRead& read = *reading_.reads[r];
    ends_[r] = how;
    const bool whole = how != ReadEnd::GivenUp && !read.failure && !read.runFailure;
    // A computer that failed before it answered has its line alone, without the banner of
    // the section whose query failed.
    read.part.seal(whole);
    if (whole && report_.readWhole) report_.readWhole(readNames_[r]);
    writeReady();
  }

  // Writes every block whose read has ended, up to the first still running, which from
  // then on writes straight into the report.
  void writeReady() {
    for (; block_ < names_.size(); ++block_) {
      const std::wstring& name = names_[block_];
      if (notIn_[block_]) {
        writeComputerBanner(file_, name);
        unread(name, notGatheredReason(*notIn_[block_]));
        continue;
      }
      ComputerRead& read = *reading_.reads[read_];
      if (!turnTaken_) {
        writeComputerBanner(file_, name);
        read.part.takeTurn(report_.report);
        turnTaken_ = true;
      }
      const std::optional<ReadEnd> how = ends_[read_];
      if (!how) return;
      turnTaken_ = false;
      ++read_;
      if (*how == ReadEnd::GivenUp) {
        unread(name, noAnswerReason(callLimit_, std::nullopt));
      } else if (*how == ReadEnd::Cancelled && (read.failure || read.runFailure)) {
        unread(name, noAnswerReason(callLimit_, read.failure ? std::optional(read.failure->code())
                                                           : std::nullopt));
      } else if (read.runFailure) {
        std::rethrow_exception(read.runFailure);
      } else if (read.failure) {
        unread(name, errorReason(*read.failure));
      }
    }
  }

  std::vector<std::wstring> unreadLines() { return std::move(unreadLines_); }

 private:
  void unread(const std::wstring& name, const std::wstring& reason) {
    unreadLines_.push_back(unreadComputerLine(name, reason));
    writeUnreadComputer(file_, name, reason);
  }

  const ManyReport& report_;
  ReportFile file_;
  const std::vector<std::wstring>& names_;
  const std::vector<std::optional<std::wstring>>& notIn_;
  Reading& reading_;
  std::chrono::milliseconds callLimit_;
  std::vector<std::wstring> readNames_;        // of each read's computer
  std::vector<std::optional<ReadEnd>> ends_;  // of each read, once ended
  std::size_t block_ = 0;  // the next block to write
  std::size_t read_ = 0;   // its read, where it has one
  bool turnTaken_ = false;  // its banner is written, and its part goes into the report
  std::vector<std::wstring> unreadLines_;
};

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

std::vector<std::wstring> ManyComputers::names() const {
  std::vector<std::wstring> names;
  for (const Block& block : blocks_) names.push_back(block.name);
  return names;
}

std::vector<std::wstring> ManyComputers::write(const ManyReport& report, Threads& threads,
                                               LocaleApi& locale, const std::vector<Section>& sections,
                                               const ListSection& list, const ParallelReads& limits,
                                               const std::function<void(std::size_t)>& read) const {
  const auto reading = std::make_shared<Reading>(Reading{LocaleSnapshot(locale), sections, list, {}});
  std::vector<std::wstring> names;
  std::vector<std::optional<std::wstring>> notIn;
  for (const Block& block : blocks_) {
    names.push_back(block.name);
    notIn.push_back(block.notIn);
    if (block.notIn) continue;
    auto computerRead = std::make_shared<ComputerRead>(report.spool);
    if (report.startLog) computerRead->startLog = report.startLog(block.name);
    try {
      computerRead->source = computers_->computer(block.reached);
    } catch (const ComputerError& error) {
      computerRead->failure = error;
    }
    reading->reads.push_back(std::move(computerRead));
  }

  BlockWriter writer(report, names, notIn, *reading, limits.callLimit);
  // A computer that the logs do not gather counts as read from the start.
  std::size_t done = blocks_.size() - reading->reads.size();
  try {
    writer.writeReady();
    read(done);
    readInParallel(
        threads, limits, reading->reads.size(),
        [reading](std::size_t i, const std::function<void()>& answered) {
          readComputer(*reading, *reading->reads[i], answered);
        },
        [reading](std::size_t i) {
          if (reading->reads[i]->source) reading->reads[i]->source->cancel();
        },
        [&](std::size_t i, ReadEnd how) {
          writer.ended(i, how);
          read(++done);
        });
  } catch (...) {
    // No read still running writes into the report, which goes unfinished.
    for (const auto& computerRead : reading->reads) computerRead->part.seal(false);
    throw;
  }
  return writer.unreadLines();
}

}  // namespace brask
