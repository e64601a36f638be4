#pragma once

#include <filesystem>
#include <optional>

#include "HostSetupFile.h"
#include "common/ReplaceFile.h"

namespace ql {

class Operator;

// Writes the host setup file. A file that cannot be written gives no message and
// leaves any earlier file as it was.
bool StoreHostSetup(const std::filesystem::path& file, const HostSetupFile& setup, const TextWriter& write = WriteAll);

// Reads and checks a whole host setup file. A missing or unreadable file gives nothing
// and no message; a faulty one gives nothing after the warning box that names the fault.
std::optional<HostSetupFile> ReadHostSetup(const std::filesystem::path& file, Operator& op);

}  // namespace ql
