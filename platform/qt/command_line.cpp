#include "platform/qt/command_line.h"

#include <QCommandLineParser>
#include <QFile>
#include <QHash>

#include "command_line/computer_arguments.h"
#include "command_line/switches.h"
#include "platform/run_time_error.h"

namespace brask {
namespace {

// A list of names, in the locale's character set (UTF-8 on Linux).
std::wstring readTextFile(const std::wstring& path) {
  QFile file(QString::fromStdWString(path));
  if (!file.open(QIODevice::ReadOnly))
    throw RunTimeError(L"Reading " + path, static_cast<long>(file.error()), file.errorString().toStdWString());
  return QString::fromLocal8Bit(file.readAll()).toStdWString();
}

const QStringList kValued = {QStringLiteral("log"),  QStringLiteral("type"), QStringLiteral("last"),
                             QStringLiteral("from"), QStringLiteral("to"),   QStringLiteral("out"),
                             QStringLiteral("bookmark")};

}  // namespace

bool asksForRun(const QStringList& arguments) { return arguments.contains(QStringLiteral("--run")); }

RunRequest linuxRequest(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const QString& name : kValued) parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
  const QCommandLineOption journalDir(QStringLiteral("journal-dir"), QString(), QStringLiteral("dir"));
  const QCommandLineOption evtxDir(QStringLiteral("evtx-dir"), QString(), QStringLiteral("dir"));
  const QCommandLineOption help(QStringList{QStringLiteral("help"), QStringLiteral("h")});
  const QCommandLineOption version(QStringLiteral("version"));
  parser.addOptions({journalDir, evtxDir, help, version, QCommandLineOption(QStringLiteral("run"))});
  if (!parser.parse(arguments)) throw CommandLineError(parser.errorText().toStdWString());

  RunRequest request;
  request.usage = parser.isSet(help);
  request.version = parser.isSet(version);
  // The switches in the order given, each occurrence with its own value, so that a later
  // one overrides an earlier one as on Windows.
  QHash<QString, int> seen;
  for (const QString& name : parser.optionNames()) {
    const bool valued = kValued.contains(name);
    if (!valued && name != QStringLiteral("run")) continue;
    const std::optional<std::wstring> value =
        valued ? std::optional(parser.values(name).at(seen[name]++).toStdWString()) : std::nullopt;
    applySwitch(request, name.toStdWString(), value,
                L"--" + name.toStdWString() + (value ? L" " + *value : L""));
  }
  if (parser.isSet(journalDir)) qputenv("BRASK_JOURNAL_DIR", parser.value(journalDir).toLocal8Bit());
  if (parser.isSet(evtxDir)) qputenv("BRASK_EVTX_DIR", parser.value(evtxDir).toLocal8Bit());

  ComputerArguments computers(readTextFile);
  for (const QString& argument : parser.positionalArguments()) computers.add(argument.toStdWString());
  request.computers = computers.names();
  return request;
}

std::wstring linuxUsage() {
  return switchesUsage(L"brask [NAME | @FILE]... [switches]", L"--", L" ") +
         L"\n  --journal-dir DIR  the journal files of DIR (as BRASK_JOURNAL_DIR)\n"
         L"  --evtx-dir DIR     the saved Windows event logs of DIR (as BRASK_EVTX_DIR)\n"
         L"  --help, --version\n\n"
         L"NAME or @FILE (a file of names, one a line) chooses computers of a folder that\n"
         L"gathers many.\n";
}

}  // namespace brask
