#include "platform/os/SerialPorts.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

namespace {

// The kinds of serial device, in the order they are listed.
const char* const kPrefixes[] = {"ttyS", "ttyUSB", "ttyACM"};

// The kind's index and the number of a device name such as "ttyUSB3"; false for other names.
bool Classify(const std::string& name, int& kind, long& number) {
  for (int k = 0; k < 3; ++k) {
    const std::string prefix = kPrefixes[k];
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(), [](char c) {
          return c >= '0' && c <= '9';
        })) {
      return false;
    }
    kind = k;
    number = std::stol(digits);
    return true;
  }
  return false;
}

// What the kernel's serial driver knows of the UART behind a ttyS* port: 1 when one stands behind
// it, 0 when none does, -1 when the class folder does not say (no such entry, not readable).
int UartInClassFolder(const std::string& classFolder, const std::string& name) {
  const int fd = open((classFolder + name + "/type").c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  char text[16] = {};
  const ssize_t got = read(fd, text, sizeof text - 1);
  close(fd);
  if (got <= 0 || text[0] < '0' || text[0] > '9') return -1;
  return std::atoi(text) != PORT_UNKNOWN ? 1 : 0;
}

bool Present(const std::string& path, bool needsUart, int uart) {
  // A ttyS* node without a UART is no port, whether or not we may open it: without the right to
  // open it (not in the serial group) it would otherwise pass for a port in use.
  if (needsUart && uart == 0) return false;
  // Non-blocking, so a port waiting for its carrier does not hold us up; no controlling terminal.
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == EBUSY || errno == EACCES || errno == EPERM;
  bool present = true;
  if (needsUart && uart < 0) {
    serial_struct info{};
    present = ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
  }
  close(fd);
  return present;
}

}  // namespace

std::vector<String> GetSerialPortNames(const String& deviceFolder, const String& classFolder) {
  struct TPort {
    int Kind;
    long Number;
    std::string Path;
  };
  std::vector<TPort> ports;
  std::string folder = StringToUtf8(deviceFolder);
  if (folder.empty()) folder = "/dev";
  if (folder.back() != '/') folder += '/';
  std::string ttyClass = StringToUtf8(classFolder);
  if (ttyClass.empty() && folder == "/dev/") ttyClass = "/sys/class/tty";
  if (!ttyClass.empty() && ttyClass.back() != '/') ttyClass += '/';
  DIR* dir = opendir(folder.c_str());
  if (!dir) return {};
  while (dirent* entry = readdir(dir)) {
    int kind = 0;
    long number = 0;
    const std::string name = entry->d_name;
    if (!Classify(name, kind, number)) continue;
    const std::string path = folder + name;
    const int uart = kind == 0 && !ttyClass.empty() ? UartInClassFolder(ttyClass, name) : -1;
    if (Present(path, kind == 0, uart)) ports.push_back({kind, number, path});
  }
  closedir(dir);
  std::sort(ports.begin(), ports.end(), [](const TPort& a, const TPort& b) {
    return a.Kind != b.Kind ? a.Kind < b.Kind : a.Number < b.Number;
  });
  std::vector<String> names;
  names.reserve(ports.size());
  for (const TPort& p : ports) names.push_back(Utf8ToString(p.Path));
  return names;
}

Integer SerialPortNumber(const String& portName) {
  size_t i = portName.size();
  while (i > 0 && portName[i - 1] >= u'0' && portName[i - 1] <= u'9') --i;
  if (i == portName.size() || portName.size() - i > 9) return -1;
  Integer n = 0;
  for (; i < portName.size(); ++i) n = n * 10 + (portName[i] - u'0');
  return n;
}
