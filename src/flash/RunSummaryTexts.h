#pragma once

#include <cstdint>
#include <string>

namespace ql {

// The fixed texts and value rules of the run summary.

// "60 % Power:  " ... "Unknown Power: ", by the power setting in kHz.
const char* PowerLabel(int powerKHz);

// The 27-character output format text.
std::string OutputFormatText(int outputFormat);

// Packets a second for the usual periods; any other period comes back unchanged.
int PacketRate(int periodMs);

char ParityLetter(int parity);

// Device name of a port's device code (codes above 0).
const char* DeviceName(int deviceCode);

// One line for a label and a number of seconds: None, Hours, Minutes or Seconds.
std::string Duration(const char* label, uint32_t seconds);

}  // namespace ql
