#include "comm/DevicePing.h"

#include "platform/os/Clock.h"
#include "platform/os/Icmp.h"

namespace {

// True for the four octets of 0.0.0.0 as typed ("0.0.0.0", "0.00.0.000"). That address names no
// device: this system answers echo requests sent to it itself, so the check would pass with no
// device at all, and the untouched boxes of the update dialog hold exactly that address.
bool Is_Unspecified_Address(const String& Address) {
  Integer parts = 1;
  bool digit = false;
  for (const Char c : Address) {
    if (c == u'.') {
      if (!digit) return false;
      ++parts;
      digit = false;
    } else if (c == u'0') {
      digit = true;
    } else {
      return false;
    }
  }
  return digit && parts == 4;
}

}  // namespace

bool TPing_Check::Send_Ping(const String& Address) {
  ping_res = 0;
  Attempts = 0;
  // No request goes out: the address is refused as one that cannot be used.
  if (Is_Unspecified_Address(Address)) return false;
  const Cardinal Start = GetTickCount();
  try {
    const std::string Data = StringToUtf8(Address);
    Integer Good = 0;
    for (;;) {
      const Cardinal T = GetTickCount();
      ++Attempts;
      PingReply(IcmpClient().Ping(Address, Data, Packet_Size, Receive_Timeout));
      // The reply handler ran before the client returned, so this wait runs once unless no
      // outcome is known yet.
      do {
        Sleep(Pause);
        if (OnProcessMessages) OnProcessMessages();
      } while (ping_res == 0 && GetTickCount() - T <= Receive_Timeout);
      if (ping_res == 1) ++Good;
      if (Good >= 2) break;
      if (GetTickCount() - Start > Total_Time) break;
    }
  } catch (const Exception&) {
    return false;
  }
  return ping_res == 1;
}

void TPing_Check::PingReply(const TIcmpReply& Reply) { ping_res = Reply.BytesReceived > 0 ? 1 : 2; }

Integer TPing_Check::Failure_Text_Id() const {
  return ping_res == 2 ? Ping_Text_Device_Not_Found : Ping_Text_Check_Address;
}
