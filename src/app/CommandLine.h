#pragma once

#include <QStringList>
#include <filesystem>
#include <string>

namespace ql {

// What the program was asked for on its command line. The host's settings themselves
// live in last.zrh; the command line only says where that folder is.
struct CommandLine {
  enum class Outcome { Run, ShowText, Refuse };
  Outcome outcome = Outcome::Run;
  std::filesystem::path startDirectory;  // holds last.zrh and comports.txt
  std::string text;                      // --help or --version text, or why it was refused
};

// Reads `arguments` (the program name first). Without --start-dir the start directory is
// `currentDirectory`; a named one must exist.
CommandLine ParseCommandLine(const QStringList& arguments, const std::filesystem::path& currentDirectory);

// Makes the start directory the current one, before anything else runs, so that file
// dialogs and relative names start there too. When it cannot, the outcome becomes Refuse
// with the system's reason, and false is returned.
bool EnterStartDirectory(CommandLine& line);

// "ZR Logger Host 7.06", from the host's own version number.
std::string VersionText();

}  // namespace ql
