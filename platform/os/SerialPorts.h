// The serial ports present on this machine.
#pragma once

#include <vector>

#include "platform/rtl/System.h"

// The device paths of the serial ports present, e.g. "/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyACM1":
// the /dev/ttyS*, /dev/ttyUSB* and /dev/ttyACM* devices that open, or that answer that they are
// busy or that access is denied (the port exists but is in use or not ours). A /dev/ttyS* device
// counts only when a UART stands behind it: the kernel creates those nodes whether or not the
// hardware is there. The serial driver's "type" entry in the tty class folder tells, also for a
// port we may not open; where it says nothing, the port is asked once it is open.
// Sorted by kind (ttyS, ttyUSB, ttyACM), then by number.
// `deviceFolder` is the folder to look in and `classFolder` the tty class folder that describes
// its ports; tests point them elsewhere. An empty class folder means the kernel's
// (/sys/class/tty) for the system's /dev, and none for any other device folder.
std::vector<String> GetSerialPortNames(const String& deviceFolder = u"/dev",
                                       const String& classFolder = u"");

// The number at the end of a port name ("/dev/ttyUSB3" -> 3); -1 when it ends in no digit.
Integer SerialPortNumber(const String& portName);
