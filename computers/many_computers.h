// The report of many computers: after the header, one block for each computer, in the order
// named (else in the order of the logs that gather them): a banner with its name, then its
// sections as a one-computer report writes them, or the line that says why it could not be
// read. The computers are read at once, each into a part of its own, which goes into the
// report as soon as the blocks before it are written, and waits in a spool until then.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "computers/parallel_reads.h"
#include "platform/computers.h"
#include "platform/file_api.h"
#include "platform/locale_api.h"
#include "platform/threads.h"
#include "report/listings.h"

namespace brask {

// Where the blocks go: the report, and spools for the parts read ahead of their turn. For a
// bookmark: where each computer's logs start, by the computer's name in the report (made on
// this thread, called on its read's), and what is told, on this thread, of each computer
// whose sections were all written.
struct ManyReport {
  Replacement& report;
  std::function<std::unique_ptr<Spool>()> spool;
  std::function<StartLog(const std::wstring& name)> startLog = nullptr;
  std::function<void(const std::wstring& name)> readWhole = nullptr;
};

class ManyComputers {
 public:
  // The computers of a report: those named, else those that this machine's logs gather.
  // Nothing where the report is one computer's: no name was given, and the logs gather no
  // computers or one alone (a collector's log is many computers even so). Throws
  // RunTimeError when the logs cannot be reached.
  static std::optional<ManyComputers> of(Computers& computers, const std::vector<std::wstring>& named);

  std::size_t size() const { return blocks_.size(); }
  // The computers' names, as the report shows them, in its order.
  std::vector<std::wstring> names() const;

  // Reads the sections of every computer, at once as `limits` allow, and writes their blocks.
  // read(n) tells how many of size() have been read. A failure of the run itself, rather
  // than of one computer, is thrown once the blocks before it have been written; so is
  // RunCancelled. Returns the lines of the computers that could not be read, as the report
  // gives them.
  std::vector<std::wstring> write(const ManyReport& report, Threads& threads, LocaleApi& locale,
                                  const std::vector<Section>& sections, const ListSection& list,
                                  const ParallelReads& limits,
                                  const std::function<void(std::size_t)>& read) const;

 private:
  struct Block {
    std::wstring name;                     // as the report shows it
    std::wstring reached;                  // as the logs are asked for it
    std::optional<std::wstring> notIn;     // the folder or log that does not gather it
  };

  ManyComputers(Computers& computers, std::vector<Block> blocks)
      : computers_(&computers), blocks_(std::move(blocks)) {}

  Computers* computers_;
  std::vector<Block> blocks_;
};

}  // namespace brask
