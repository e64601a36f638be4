#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ql {

// The text an accepted record carries for the ship's data network: one line per text
// line of each of ports 1..8, "ID,PORT,LINE" (logger ID, port number, the line as the
// instrument sent it without its line end). Binary data, the ninth source and a record
// whose counts do not add up give no lines.
void ForEachRecordLine(const uint8_t* record, const std::function<void(std::string_view line)>& line);

}  // namespace ql
