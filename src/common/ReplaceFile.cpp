#include "ReplaceFile.h"

#include <fstream>
#include <system_error>

namespace ql {

bool WriteAll(std::ostream& out, std::string_view text) {
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(out);
}

bool ReplaceTextFile(const std::filesystem::path& file, std::string_view text, const TextWriter& write) {
  std::filesystem::path temporary = file;
  temporary += ".tmp~";
  bool written = false;
  {
    std::ofstream out(temporary, std::ios::out | std::ios::trunc);
    if (!out) return false;
    written = write(out, text);
    out.close();
    written = written && !out.fail();
  }
  std::error_code error;
  if (written) std::filesystem::rename(temporary, file, error);
  if (!written || error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace ql
