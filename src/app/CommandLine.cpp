#include "CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <system_error>

#include "common/Format.h"
#include "cycle/HostState.h"

namespace ql {

std::string VersionText() { return Format("ZR Logger Host %4.2f", HostState::kHostVersion); }

CommandLine ParseCommandLine(const QStringList& arguments, const std::filesystem::path& currentDirectory) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "PC host of the QL-9 data logger: logger setup, status, real-time data, recording,\n"
      "replay, flash upload and run extraction. COM1..COM12 are mapped to devices by\n"
      "comports.txt in the start directory.");
  const QCommandLineOption help({"h", "help"}, "Show this text.");
  const QCommandLineOption version({"v", "version"}, "Show the program's version.");
  const QCommandLineOption startDir("start-dir", "Folder that holds last.zrh and comports.txt (default: the current folder).",
                                    "DIR");
  parser.addOption(help);
  parser.addOption(version);
  parser.addOption(startDir);

  CommandLine result;
  result.startDirectory = currentDirectory;
  // The usage line names the program as it was started; no application object exists yet.
  const QString program = arguments.isEmpty() ? "ql9host" : QFileInfo(arguments.first()).fileName();
  const auto helpText = [&] { return parser.helpText().replace("<executable_name>", program).toStdString(); };
  if (!parser.parse(arguments)) {
    result.outcome = CommandLine::Outcome::Refuse;
    result.text = parser.errorText().toStdString() + "\n" + helpText();
    return result;
  }
  if (!parser.positionalArguments().isEmpty()) {
    result.outcome = CommandLine::Outcome::Refuse;
    result.text = "Unexpected argument: " + parser.positionalArguments().first().toStdString() + "\n" +
                  helpText();
    return result;
  }
  if (parser.isSet(help)) {
    result.outcome = CommandLine::Outcome::ShowText;
    result.text = helpText();
    return result;
  }
  if (parser.isSet(version)) {
    result.outcome = CommandLine::Outcome::ShowText;
    result.text = VersionText() + "\n";
    return result;
  }
  if (parser.isSet(startDir)) {
    const std::filesystem::path named = parser.value(startDir).toStdString();
    std::error_code error;
    if (!std::filesystem::is_directory(named, error)) {
      result.outcome = CommandLine::Outcome::Refuse;
      result.text = "The start folder " + named.string() + " does not exist.\n";
      return result;
    }
    result.startDirectory = std::filesystem::absolute(named, error);
  }
  return result;
}

bool EnterStartDirectory(CommandLine& line) {
  std::error_code error;
  std::filesystem::current_path(line.startDirectory, error);
  if (!error) return true;
  line.outcome = CommandLine::Outcome::Refuse;
  line.text = "Could not enter the start folder " + line.startDirectory.string() + ": " + error.message() + "\n";
  return false;
}

}  // namespace ql
