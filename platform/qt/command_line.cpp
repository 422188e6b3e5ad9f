#include "platform/qt/command_line.h"

#include <QCommandLineParser>
#include <QFile>

#include "command_line/computer_arguments.h"
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

}  // namespace

RunRequest linuxRequest(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.addPositionalArgument(QStringLiteral("computers"),
                               QStringLiteral("Computers of the event-log folder to report, by "
                                              "name, or @FILE for a file of names, one a line."),
                               QStringLiteral("[NAME | @FILE]..."));
  if (!parser.parse(arguments)) throw CommandLineError(parser.errorText().toStdWString());
  ComputerArguments computers(readTextFile);
  for (const QString& argument : parser.positionalArguments()) computers.add(argument.toStdWString());
  RunRequest request;
  request.computers = computers.names();
  return request;
}

}  // namespace brask
