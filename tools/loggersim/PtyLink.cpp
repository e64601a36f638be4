#include "PtyLink.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <utility>

#include "common/Format.h"

namespace ql::sim {
namespace {

constexpr std::array<std::pair<speed_t, int>, 18> kSpeeds = {{
    {B50, 50},         {B75, 75},         {B110, 110},       {B134, 134},       {B150, 150},
    {B200, 200},       {B300, 300},       {B600, 600},       {B1200, 1200},     {B1800, 1800},
    {B2400, 2400},     {B4800, 4800},     {B9600, 9600},     {B19200, 19200},   {B38400, 38400},
    {B57600, 57600},   {B115200, 115200}, {B230400, 230400},
}};

int BaudOf(speed_t speed) {
  for (const auto& [code, baud] : kSpeeds) {
    if (code == speed) return baud;
  }
  return 0;
}

speed_t SpeedOf(int baud) {
  for (const auto& [code, value] : kSpeeds) {
    if (value == baud) return code;
  }
  return B9600;
}

void SleepMs(int ms) {
  if (ms <= 0) return;
  timespec interval{ms / 1000, static_cast<long>(ms % 1000) * 1'000'000L};
  nanosleep(&interval, nullptr);
}

std::string Failed(const char* what) { return Format("%s: %s", what, std::strerror(errno)); }

}  // namespace

PtyLink::~PtyLink() { Close(); }

void PtyLink::Close() {
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
  slave_ = master_ = -1;
}

bool PtyLink::Open(const LineParams& line, std::string& error) {
  Close();
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) {
    error = Failed("posix_openpt");
    return false;
  }
  std::array<char, 128> name{};
  if (grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name.data(), name.size()) != 0) {
    error = Failed("pseudo-terminal setup");
    Close();
    return false;
  }
  slavePath_ = name.data();
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

  slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  termios t{};
  if (slave_ < 0 || tcgetattr(slave_, &t) != 0) {
    error = Failed(slavePath_.c_str());
    Close();
    return false;
  }
  // Raw both ways: no echo of what we send back to us, no line editing, no CR/LF games.
  cfmakeraw(&t);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
  t.c_cflag |= CLOCAL | CREAD | (line.dataBits == 7 ? CS7 : CS8);
  if (line.parity == 'E' || line.parity == 'O') t.c_cflag |= PARENB;
  if (line.parity == 'O') t.c_cflag |= PARODD;
  cfsetispeed(&t, SpeedOf(line.baud));
  cfsetospeed(&t, SpeedOf(line.baud));
  if (tcsetattr(slave_, TCSANOW, &t) != 0) {
    error = Failed("tcsetattr");
    Close();
    return false;
  }
  return true;
}

LineParams PtyLink::HostLine() const {
  LineParams line;
  termios t{};
  if (slave_ < 0 || tcgetattr(slave_, &t) != 0) return line;
  line.baud = BaudOf(cfgetospeed(&t));
  line.dataBits = (t.c_cflag & CSIZE) == CS7 ? 7 : (t.c_cflag & CSIZE) == CS8 ? 8 : 0;
  line.parity = (t.c_cflag & PARENB) == 0 ? 'N' : (t.c_cflag & PARODD) != 0 ? 'O' : 'E';
  line.stopBits = (t.c_cflag & CSTOPB) != 0 ? 2 : 1;
  return line;
}

int PtyLink::Wait(int timeoutMs, int otherFd) {
  std::array<pollfd, 2> fds{{{master_, POLLIN, 0}, {otherFd, POLLIN, 0}}};
  const nfds_t count = otherFd >= 0 ? 2 : 1;
  const int n = ::poll(fds.data(), count, timeoutMs);
  if (n <= 0) return 0;
  int found = 0;
  if ((fds[0].revents & POLLIN) != 0) found |= kHostReadable;
  if (count == 2 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) != 0) found |= kOtherReady;
  // A hung-up or failed link reports itself at once on every call: wait out the time.
  if (found == 0) SleepMs(timeoutMs);
  return found;
}

void PtyLink::Service(LoggerModel& model, int advanceMs) {
  if (master_ < 0) return;
  const bool garbled = !model.Understands(HostLine());
  ReadHost(model, garbled);
  model.Advance(advanceMs);
  std::vector<uint8_t> out = model.TakeOutput();
  if (garbled) toHost_.Scramble(out.data(), static_cast<int>(out.size()));
  pending_.insert(pending_.end(), out.begin(), out.end());
  int unread = 0;
  if (ioctl(slave_, FIONREAD, &unread) == 0 && unread > kUnreadLimit) {
    // Nobody reads the host's end (it is not open): a line with no listener keeps
    // nothing, so the host finds fresh packets, not minutes of old ones, when it opens.
    tcflush(slave_, TCIFLUSH);
  }
  if (pending_.size() > kPendingLimit) {
    pending_.erase(pending_.begin(), pending_.end() - static_cast<std::ptrdiff_t>(kPendingLimit));
  }
  // Pace the output at the logger's line speed: a start bit, the data bits, a parity
  // bit when there is one and a stop bit per character.
  const LineParams& line = model.Line();
  const int bitsPerCharacter = 1 + line.dataBits + (line.parity == 'N' ? 0 : 1) + line.stopBits;
  const double bytesPerSecond = static_cast<double>(line.baud) / bitsPerCharacter;
  lineAllowance_ = std::min(lineAllowance_ + advanceMs * bytesPerSecond / 1000.0, bytesPerSecond * kLineBurstSeconds);
  WriteHost(static_cast<size_t>(lineAllowance_));
}

void PtyLink::Pump(LoggerModel& model, int pollTimeoutMs, int advanceMs) {
  Wait(pollTimeoutMs);
  Service(model, advanceMs);
}

void PtyLink::ReadHost(LoggerModel& model, bool garbled) {
  std::array<uint8_t, 4096> buffer{};
  for (;;) {
    const ssize_t n = ::read(master_, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // nothing more (EAGAIN), or nobody at the far end (EIO)
    bytesFromHost_ += n;
    if (garbled) fromHost_.Scramble(buffer.data(), static_cast<int>(n));
    model.Receive(buffer.data(), static_cast<int>(n));
  }
}

void PtyLink::WriteHost(size_t limit) {
  const size_t toSend = std::min(limit, pending_.size());
  size_t sent = 0;
  bool lost = false;
  while (sent < toSend) {
    const ssize_t n = ::write(master_, pending_.data() + sent, toSend - sent);
    if (n > 0) {
      sent += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    // Full (EAGAIN): the rest waits for the next round. Anything else: nobody is there
    // to hear it, and a line with no listener loses what is sent on it.
    lost = n < 0 && errno != EAGAIN && errno != EWOULDBLOCK;
    break;
  }
  bytesToHost_ += static_cast<int64_t>(sent);
  lineAllowance_ -= static_cast<double>(sent);
  if (lost) {
    pending_.clear();
  } else {
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(sent));
  }
}

}  // namespace ql::sim
