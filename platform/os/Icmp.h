// ICMP echo ("ping") over IPv4.
#pragma once

#include <string>

#include "platform/rtl/SysUtils.h"

// Raised when an echo request cannot be sent at all: a host that does not resolve, no right to
// open an ICMP socket, a send that fails.
KP_DECLARE_EXCEPTION(EIcmpError, Exception)

struct TIcmpReply {
  // Bytes of the echo reply received (ICMP header and data); 0 when no reply came in time.
  Integer BytesReceived = 0;
  // The dotted address the request went to (the host resolved).
  String Address;
  // Milliseconds from sending to the reply (or to giving up).
  Cardinal TimeMs = 0;
};

// The dotted address the system's client sends to for host: four decimal numbers 0..255 are that
// address, leading zeros and all ("192.168.002.010" is 192.168.2.10); anything else is resolved
// as a host name. Raises EIcmpError when it does not resolve, and at once for a text of digits and
// points that is no such address ("192.168.2.256", "192.168.2").
String ResolveIcmpHost(const String& host);

class IIcmpClient {
 public:
  virtual ~IIcmpClient() = default;
  // Sends one echo request to host (a name or a dotted address) whose data is `data` cut or padded
  // with zero bytes to `packetSize` bytes, then waits at most timeoutMs for the matching reply.
  // The client numbers its requests itself. Raises EIcmpError when the request cannot be sent.
  virtual TIcmpReply Ping(const String& host, const std::string& data, Integer packetSize,
                          Cardinal timeoutMs) = 0;
};

// The client in use: the system's, unless a test installed another.
IIcmpClient& IcmpClient();
// Installs a client (not owned; nullptr restores the system's). Returns the one in place before
// (nullptr when that was the system's).
IIcmpClient* SetIcmpClient(IIcmpClient* client);

// The system's client: an unprivileged ICMP datagram socket where the system allows it, else a
// raw socket (which needs the right to open one).
class TSystemIcmpClient : public IIcmpClient {
 public:
  TIcmpReply Ping(const String& host, const std::string& data, Integer packetSize,
                  Cardinal timeoutMs) override;
};
