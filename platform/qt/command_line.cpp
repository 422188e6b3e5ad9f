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
const QString kJournalDir = QStringLiteral("journal-dir");
const QString kEvtxDir = QStringLiteral("evtx-dir");

// Whether a switch, as written without its value ("--LOG", "-out"), takes the next argument
// as its value.
bool takesValue(const QString& lowerCaseSwitch) {
  const QString name = lowerCaseSwitch.mid(lowerCaseSwitch.startsWith(QStringLiteral("--")) ? 2 : 1);
  return kValued.contains(name) || name == kJournalDir || name == kEvtxDir;
}

// The arguments with each switch's name in lower case and everything else as given: the
// program's name, values (after the switch or its "="), and what follows "--".
QStringList withLowerCaseNames(const QStringList& arguments) {
  QStringList result;
  bool valueNext = false;
  bool switches = true;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    QString argument = arguments[i];
    if (valueNext || i == 0 || !switches || argument.size() < 2 || !argument.startsWith(u'-')) {
      valueNext = false;
    } else if (argument == QStringLiteral("--")) {
      switches = false;
    } else {
      const qsizetype equals = argument.indexOf(u'=');
      const QString name = argument.left(equals).toLower();
      valueNext = equals < 0 && takesValue(name);
      argument = name + (equals < 0 ? QString() : argument.mid(equals));
    }
    result << argument;
  }
  return result;
}

}  // namespace

bool asksForRun(const QStringList& arguments) {
  const QStringList lowered = withLowerCaseNames(arguments);
  return lowered.contains(QStringLiteral("--run")) || lowered.contains(QStringLiteral("-run"));
}

LinuxRequest linuxRequest(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const QString& name : kValued) parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
  const QCommandLineOption journalDir(kJournalDir, QString(), QStringLiteral("dir"));
  const QCommandLineOption evtxDir(kEvtxDir, QString(), QStringLiteral("dir"));
  const QCommandLineOption help(QStringList{QStringLiteral("help"), QStringLiteral("h")});
  const QCommandLineOption version(QStringLiteral("version"));
  parser.addOptions({journalDir, evtxDir, help, version, QCommandLineOption(QStringLiteral("run"))});
  if (!parser.parse(withLowerCaseNames(arguments))) throw CommandLineError(parser.errorText().toStdWString());

  LinuxRequest asked;
  RunRequest& request = asked.run;
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
  for (const QCommandLineOption* folder : {&journalDir, &evtxDir}) {
    if (parser.isSet(*folder) && parser.value(*folder).isEmpty())
      throw CommandLineError(L"\"--" + folder->names().front().toStdWString() + L"\" needs a value.");
  }
  if (parser.isSet(journalDir) && parser.isSet(evtxDir)) {
    throw CommandLineError(
        L"\"--journal-dir\" and \"--evtx-dir\" cannot be given together: the event logs are read from one folder.");
  }
  if (parser.isSet(journalDir)) asked.folders = LogFolders{parser.value(journalDir).toLocal8Bit().toStdString()};
  if (parser.isSet(evtxDir)) asked.folders = LogFolders{std::nullopt, parser.value(evtxDir).toLocal8Bit().toStdString()};

  ComputerArguments computers(readTextFile);
  for (const QString& argument : parser.positionalArguments()) computers.add(argument.toStdWString());
  request.computers = computers.names();
  return asked;
}

std::wstring linuxUsage() {
  return switchesUsage(L"brask [NAME | @FILE]... [switches]", L"--", L" ") +
         L"\n  --journal-dir DIR  the journal files of DIR, in place of BRASK_JOURNAL_DIR\n"
         L"  --evtx-dir DIR     the saved Windows event logs of DIR, in place of BRASK_EVTX_DIR\n"
         L"  --help, --version\n\n"
         L"Switch names are taken in any letter case. NAME or @FILE (a file of names, one a\n"
         L"line) chooses computers of a folder that gathers many.\n";
}

}  // namespace brask
