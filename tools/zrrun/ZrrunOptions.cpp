#include "ZrrunOptions.h"

#include <utility>

namespace zrrun {

const char* const kUsage =
    "Usage: zrrun [--out DIR] [--choice N] [--debug] [--format csv|netcdf]... RUNFILE...\n"
    "\n"
    "Splits QL-9 run files (run.xxx, as uploaded from the logger) the way the host\n"
    "program's \"Parse Run Files\" does: an archive file for replay (archive.xxx), the\n"
    "battery records (Battery.xxx) and the run summary as text (Summary.xxx), where xxx\n"
    "is the run number from the file's name.\n"
    "\n"
    "  --out DIR    write the outputs into DIR (made if missing; default: the current\n"
    "               directory). A second run file with a run number already extracted\n"
    "               in the batch is refused: its outputs would mix with the first's.\n"
    "  --choice N   0: ZR Archive (default); 1: ZR Archive Plus Raw Files, which adds\n"
    "               Port1.xxx .. Port8.xxx, analog.xxx and timestp.xxx\n"
    "  --debug      write log.dat, one entry per record header read (it holds the\n"
    "               last run file's entries); without it log.dat is left alone\n"
    "  --format F   also write the records with their times for science tools, F csv\n"
    "               or netcdf (give it twice for both): Port1.xxx.csv .. Port9.xxx.csv,\n"
    "               analog.xxx.csv and Battery.xxx.csv (volts), or run.xxx.nc (NetCDF-4,\n"
    "               CF conventions). These are made from the archive of the raw choice,\n"
    "               so --choice 1 is taken; a file given that is an archive (archive.xxx\n"
    "               or a recorded archive) gives these files alone, named after it\n"
    "  --help       show this text\n"
    "\n"
    "One line per run file: the files written, or why nothing could be; outputs that\n"
    "could not be written, with the system's reason, follow \"could not write\"; damage\n"
    "of the run file met on the way (bytes skipped to find the next record, a record\n"
    "cut short, ...) follows \"damaged:\". A run.xxx.part file (an upload that did not\n"
    "finish) is extracted as far as it goes and called a partial run. Progress is shown\n"
    "on a terminal for files over 4 MB.\n"
    "\n"
    "Exit status: 0 every run file extracted whole; 1 any run file failed, was damaged,\n"
    "partial or refused, or an output could not be written; 2 the command line could\n"
    "not be used.\n";

namespace {

Options Refused(std::string error) {
  Options options;
  options.error = std::move(error);
  return options;
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
  Options options;
  bool choiceGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--debug") {
      options.debug = true;
    } else if (arg == "--out") {
      if (!hasValue) return Refused("--out needs a folder");
      options.outFolder = args[++i];
    } else if (arg == "--choice") {
      if (!hasValue || (args[i + 1] != "0" && args[i + 1] != "1")) return Refused("--choice takes 0 or 1");
      options.choice = args[++i] == "1" ? 1 : 0;
      choiceGiven = true;
    } else if (arg == "--format") {
      if (!hasValue || (args[i + 1] != "csv" && args[i + 1] != "netcdf")) return Refused("--format takes csv or netcdf");
      (args[++i] == "csv" ? options.csv : options.netcdf) = true;
    } else if (arg == "--") {
      options.runFiles.insert(options.runFiles.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      break;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Refused("unknown option " + arg);
    } else {
      options.runFiles.push_back(arg);
    }
  }
  if (!options.help && options.runFiles.empty()) options.error = "no run file named";
  // The header-grouped records reach the archive only with the raw choice: science files
  // made without them would leave out part of the run.
  if (options.csv || options.netcdf) {
    if (choiceGiven && options.choice != 1) return Refused("--format needs --choice 1 (the records of every kind)");
    options.choice = 1;
  }
  return options;
}

}  // namespace zrrun
