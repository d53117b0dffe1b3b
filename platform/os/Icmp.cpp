#include "platform/os/Icmp.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/os/Clock.h"

namespace {

std::mutex& ClientMutex() {
  static std::mutex m;
  return m;
}
IIcmpClient*& Installed() {
  static IIcmpClient* client = nullptr;
  return client;
}

constexpr uint8_t kEchoRequest = 8;
constexpr uint8_t kEchoReply = 0;
constexpr size_t kHeaderSize = 8;
// The largest ICMP data an IPv4 datagram can carry.
constexpr size_t kMaxData = 65507 - kHeaderSize;

String ErrorText(int err) { return Utf8ToString(std::strerror(err)); }

uint16_t Checksum(const uint8_t* p, size_t n) {
  uint32_t sum = 0;
  for (size_t i = 0; i + 1 < n; i += 2) sum += static_cast<uint32_t>(p[i] << 8 | p[i + 1]);
  if (n % 2) sum += static_cast<uint32_t>(p[n - 1] << 8);
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<uint16_t>(~sum);
}

class TSocket {
 public:
  explicit TSocket(int fd) : FFd(fd) {}
  ~TSocket() {
    if (FFd >= 0) close(FFd);
  }
  TSocket(const TSocket&) = delete;
  TSocket& operator=(const TSocket&) = delete;
  int Fd() const { return FFd; }

 private:
  int FFd;
};

// Four decimal numbers 0..255 joined by points, as the user types an address: read in decimal,
// whatever leading zeros they carry (the resolver would take "010" as octal 8, and "08" as a name
// to look up).
bool DottedDecimal(const String& host, in_addr& addr) {
  uint32_t value = 0;
  size_t i = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (i >= host.size() || host[i] != u'.') return false;
      ++i;
    }
    const size_t start = i;
    uint32_t number = 0;
    while (i < host.size() && host[i] >= u'0' && host[i] <= u'9') {
      number = std::min<uint32_t>(number * 10 + static_cast<uint32_t>(host[i] - u'0'), 256);
      ++i;
    }
    if (i == start || number > 255) return false;
    value = value << 8 | number;
  }
  if (i != host.size()) return false;
  addr.s_addr = htonl(value);
  return true;
}

in_addr Resolve(const String& host) {
  in_addr numeric{};
  if (DottedDecimal(host, numeric)) return numeric;
  // Digits and points alone are no host name: such a text is a mistyped address, and asking the
  // name servers for it would only hold the caller up.
  if (!host.empty() && host.find_first_not_of(u"0123456789.") == String::npos) {
    throw EIcmpError(u"\"" + host + u"\" is not a valid IPv4 address");
  }
  const std::string name = StringToUtf8(host);
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_RAW;
  addrinfo* found = nullptr;
  const int rc = name.empty() ? EAI_NONAME : getaddrinfo(name.c_str(), nullptr, &hints, &found);
  if (rc != 0 || !found) {
    if (found) freeaddrinfo(found);
    throw EIcmpError(u"Cannot resolve the host \"" + host + u"\"");
  }
  const in_addr addr = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
  freeaddrinfo(found);
  return addr;
}

}  // namespace

String ResolveIcmpHost(const String& host) {
  const in_addr target = Resolve(host);
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &target, text, sizeof text);
  return AsciiToString(text);
}

IIcmpClient& IcmpClient() {
  static TSystemIcmpClient system;
  std::lock_guard<std::mutex> lock(ClientMutex());
  return Installed() ? *Installed() : system;
}

IIcmpClient* SetIcmpClient(IIcmpClient* client) {
  std::lock_guard<std::mutex> lock(ClientMutex());
  IIcmpClient* old = Installed();
  Installed() = client;
  return old;
}

TIcmpReply TSystemIcmpClient::Ping(const String& host, const std::string& data, Integer packetSize,
                                   Cardinal timeoutMs) {
  const in_addr target = Resolve(host);
  TIcmpReply reply;
  {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &target, text, sizeof text);
    reply.Address = AsciiToString(text);
  }

  // An unprivileged ICMP datagram socket where the system grants one (net.ipv4.ping_group_range),
  // else a raw socket.
  bool raw = false;
  int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
  if (fd < 0) {
    const int dgramErr = errno;
    fd = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) {
      throw EIcmpError(u"Cannot open an ICMP socket: " + ErrorText(dgramErr) + u"; raw socket: " +
                       ErrorText(errno));
    }
    raw = true;
  }
  TSocket sock(fd);

  static std::atomic<uint16_t> sequenceCounter{0};
  const uint16_t sequence = ++sequenceCounter;
  // A datagram socket gets its identifier from the system, which also routes only the replies
  // to it; a raw socket sees every reply and needs one of its own.
  const uint16_t identifier = static_cast<uint16_t>(getpid() ^ (sequence << 3));

  const size_t dataSize = packetSize > 0 ? std::min(static_cast<size_t>(packetSize), kMaxData) : 0;
  std::vector<uint8_t> packet(kHeaderSize + dataSize, 0);
  packet[0] = kEchoRequest;
  packet[4] = static_cast<uint8_t>(identifier >> 8);
  packet[5] = static_cast<uint8_t>(identifier);
  packet[6] = static_cast<uint8_t>(sequence >> 8);
  packet[7] = static_cast<uint8_t>(sequence);
  std::memcpy(packet.data() + kHeaderSize, data.data(), std::min(data.size(), dataSize));
  const uint16_t sum = Checksum(packet.data(), packet.size());
  packet[2] = static_cast<uint8_t>(sum >> 8);
  packet[3] = static_cast<uint8_t>(sum);

  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr = target;
  const UInt64 start = SystemTickCount64();
  if (sendto(fd, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) < 0) {
    throw EIcmpError(u"Cannot send the echo request to " + reply.Address + u": " + ErrorText(errno));
  }

  std::vector<uint8_t> buffer(65536);
  for (;;) {
    const UInt64 elapsed = SystemTickCount64() - start;
    if (elapsed >= timeoutMs) break;
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(timeoutMs - elapsed));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    sockaddr_in from{};
    socklen_t fromLen = sizeof from;
    const ssize_t got = recvfrom(fd, buffer.data(), buffer.size(), 0,
                                 reinterpret_cast<sockaddr*>(&from), &fromLen);
    if (got < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      break;
    }
    const uint8_t* icmp = buffer.data();
    size_t size = static_cast<size_t>(got);
    if (raw) {
      // A raw socket hands over the IP header too.
      if (size < 20) continue;
      const size_t ipHeader = static_cast<size_t>(buffer[0] & 0x0F) * 4;
      if (ipHeader < 20 || size < ipHeader) continue;
      icmp += ipHeader;
      size -= ipHeader;
      if (from.sin_addr.s_addr != target.s_addr) continue;
    }
    if (size < kHeaderSize || icmp[0] != kEchoReply) continue;
    const uint16_t seq = static_cast<uint16_t>(icmp[6] << 8 | icmp[7]);
    const uint16_t id = static_cast<uint16_t>(icmp[4] << 8 | icmp[5]);
    if (seq != sequence || (raw && id != identifier)) continue;
    reply.BytesReceived = static_cast<Integer>(size);
    break;
  }
  reply.TimeMs = static_cast<Cardinal>(SystemTickCount64() - start);
  return reply;
}
