#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace ql {

// A UDP socket aimed at one HOST:PORT of the ship's network. Sending never waits: a
// datagram the network will not take is dropped, not retried, so that recording is never
// held up by the network.
class DatagramSender {
 public:
  // "host:port" or "[v6 address]:port"; nothing, with the reason in `error`, when the
  // address cannot be read or resolved.
  static std::unique_ptr<DatagramSender> Open(const std::string& hostPort, std::string& error);
  ~DatagramSender();
  DatagramSender(const DatagramSender&) = delete;
  DatagramSender& operator=(const DatagramSender&) = delete;

  // False, with the system's reason kept, when the datagram was not sent.
  bool Send(std::string_view datagram);
  const std::string& Reason() const { return reason_; }

 private:
  explicit DatagramSender(int socket) : socket_(socket) {}

  int socket_ = -1;
  std::string reason_;
};

}  // namespace ql
