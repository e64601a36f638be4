#include "DatagramSender.h"

#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ql {
namespace {

// Splits "host:port" or "[address]:port" at its last colon.
bool SplitHostPort(const std::string& text, std::string& host, std::string& port) {
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) return false;
  host = text.substr(0, colon);
  port = text.substr(colon + 1);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  if (port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos) return false;
  const unsigned long number = std::stoul(port);
  return number >= 1 && number <= 65535;
}

}  // namespace

std::unique_ptr<DatagramSender> DatagramSender::Open(const std::string& hostPort, std::string& error) {
  std::string host, port;
  if (hostPort.size() > 300 || !SplitHostPort(hostPort, host, port)) {
    error = hostPort + ": give HOST:PORT, the port a number from 1 to 65535";
    return nullptr;
  }
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (const int status = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found); status != 0) {
    error = hostPort + ": " + ::gai_strerror(status);
    return nullptr;
  }
  std::string reason = "no address";
  for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
    const int s = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
    if (s >= 0 && ::connect(s, a->ai_addr, a->ai_addrlen) == 0) {
      ::freeaddrinfo(found);
      return std::unique_ptr<DatagramSender>(new DatagramSender(s));
    }
    reason = std::strerror(errno);
    if (s >= 0) ::close(s);
  }
  ::freeaddrinfo(found);
  error = hostPort + ": " + reason;
  return nullptr;
}

DatagramSender::~DatagramSender() {
  if (socket_ >= 0) ::close(socket_);
}

bool DatagramSender::Send(std::string_view datagram) {
  if (::send(socket_, datagram.data(), datagram.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(datagram.size())) return true;
  reason_ = std::strerror(errno);
  return false;
}

}  // namespace ql
