#include "RealTimeMix.h"

#include <cmath>

#include "common/Format.h"

namespace ql::sim {
namespace {

// Which instrument sits on which port (1..8) for each sender; 0 is an empty port.
enum Instrument { kNone, kCtd, kGps, kFluorometer, kOptode, kCurrentMeter };

constexpr std::array<std::array<int, 8>, 4> kPorts = {{
    {kCtd, kCurrentMeter, kNone, kNone, kNone, kNone, kNone, kNone},
    {kCtd, kGps, kFluorometer, kNone, kNone, kNone, kNone, kNone},
    {kNone, kCurrentMeter, kOptode, kNone, kNone, kNone, kNone, kNone},
    {kCtd, kNone, kGps, kNone, kFluorometer, kNone, kOptode, kCurrentMeter},
}};
constexpr std::array<int, 4> kAnalogChannels = {2, 7, 0, 4};

std::string Word(int value) {
  return {static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}

}  // namespace

std::array<std::string, RealTimeMix::kSources> RealTimeMix::Sample(int sender, int64_t sample, Prng& prng) const {
  const size_t set = sender >= 1 && sender <= 4 ? static_cast<size_t>(sender - 1) : 0;
  std::array<std::string, kSources> sources;
  for (size_t port = 0; port < 8; ++port) {
    switch (kPorts[set][port]) {
      case kCtd: sources[port] = Ctd(sample, prng); break;
      case kGps: sources[port] = Gps(sample); break;
      case kFluorometer: sources[port] = Fluorometer(sample, prng); break;
      case kOptode: sources[port] = Optode(sample); break;
      case kCurrentMeter: sources[port] = CurrentMeter(sample, prng); break;
      default: break;
    }
  }
  sources[8] = Analog(kAnalogChannels[set], sample, prng);
  return sources;
}

std::string RealTimeMix::Ctd(int64_t sample, Prng& prng) {
  const double s = static_cast<double>(sample);
  return Format("T=%7.4f C=%7.4f P=%7.2f S=%7.4f\r\n", 8.5 + 2.0 * std::sin(s / 90.0) + (prng.Unit() - 0.5) * 0.001,
                3.9 + 0.2 * std::sin(s / 90.0), 10.0 + 0.5 * s, 34.2 + 0.3 * std::cos(s / 70.0));
}

std::string RealTimeMix::Gps(int64_t sample) {
  const int64_t t = 36000 + sample;
  const std::string body = Format("GPGGA,%02lld%02lld%02lld.00,4807.%03lld,N,01131.%03lld,E,1,08,0.9,5.4,M,46.9,M,,",
                                  static_cast<long long>(t / 3600 % 24), static_cast<long long>(t / 60 % 60),
                                  static_cast<long long>(t % 60), static_cast<long long>(sample % 1000),
                                  static_cast<long long>((sample * 7) % 1000));
  int check = 0;
  for (const char c : body) check ^= static_cast<unsigned char>(c);
  return Format("$%s*%02X\r\n", body.c_str(), check);
}

std::string RealTimeMix::Fluorometer(int64_t sample, Prng& prng) {
  return Format("FLNTU\t%lld\t%4d\t%4d\r\n", static_cast<long long>(sample), 60 + prng.Between(0, 30),
                700 + static_cast<int>(50 * std::sin(static_cast<double>(sample) / 15.0)));
}

std::string RealTimeMix::Optode(int64_t sample) {
  const double s = static_cast<double>(sample);
  return Format("4831\t612\tO2Concentration[uM]\t%.3f\tAirSaturation[%%]\t%.3f\tTemperature[Deg.C]\t%.3f\r\n",
                285.0 + 3.0 * std::sin(s / 50.0), 98.0 + std::sin(s / 50.0), 8.6 + std::sin(s / 90.0));
}

// A binary ensemble: sync bytes, a sample counter, three velocity words, an echo byte per
// beam and a 16-bit sum. Values come near 0x0808 and 0x0D0A on purpose: the host must
// take them as data, never as packet starts or line ends.
std::string RealTimeMix::CurrentMeter(int64_t sample, Prng& prng) {
  std::string frame = {'\x7F', '\x7F'};
  frame += Word(static_cast<int>(sample & 0xFFFF));
  for (int beam = 0; beam < 3; ++beam) frame += Word(0x0808 + prng.Between(-3, 3) + beam * 0x0502);
  for (int beam = 0; beam < 3; ++beam) frame.push_back(static_cast<char>(prng.Byte()));
  int sum = 0;
  for (const char c : frame) sum += static_cast<unsigned char>(c);
  return frame + Word(sum & 0xFFFF);
}

std::string RealTimeMix::Analog(int channels, int64_t sample, Prng& prng) {
  std::string bytes;
  for (int c = 1; c <= channels; ++c) {
    bytes += Word(1000 + 350 * c + static_cast<int>(120 * std::sin(static_cast<double>(sample) / 20.0 + c)) +
                  prng.Between(-2, 2));
  }
  return bytes;
}

}  // namespace ql::sim
