#include "comm/DevicePing.h"

#include "platform/os/Clock.h"
#include "platform/os/Icmp.h"

bool TPing_Check::Send_Ping(const String& Address) {
  ping_res = 0;
  Attempts = 0;
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
