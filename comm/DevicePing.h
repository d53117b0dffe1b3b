// The reachability check of the update dialog: ICMP echo requests to the device until two have
// been answered or more than 5000 ms have passed.
//
// Each attempt sends one request (1024 bytes, the address text as its data) and waits for its
// answer at most 400 ms; then it pauses 10 ms and lets the dialog process its pending messages,
// repeating that while no outcome is known and no more than 400 ms have passed since the request.
// The check ends after the second answered request, or after the first attempt that ends more than
// 5000 ms after the start: a silent device thus gets about 13 requests of some 410 ms each. The
// result tells whether the last request was answered.
//
// The ICMP client, the clock and the pause are those of platform/os, so tests replace all three.
#pragma once

#include <functional>

#include "platform/rtl/System.h"

struct TIcmpReply;

// Text ids of the check's messages.
constexpr Integer Ping_Text_Device_Not_Found = 936;  // "Device Not Found!", a warning
constexpr Integer Ping_Text_Check_Address = 937;     // "Error!!! Check the Ip Address", an error

class TPing_Check {
 public:
  // Request settings.
  static constexpr Cardinal Receive_Timeout = 400;
  static constexpr Integer Packet_Size = 1024;
  static constexpr Cardinal Total_Time = 5000;
  static constexpr Cardinal Pause = 10;

  // Sends the requests to Address (the dotted text exactly as typed). True when the last request
  // was answered with data. An error while sending (an address that does not resolve, no right to
  // send ICMP requests) ends the check with False, as does the address 0.0.0.0, to which no
  // request is sent.
  bool Send_Ping(const String& Address);

  // The reply handler: 1 when the reply carried data, 2 when the request timed out.
  void PingReply(const TIcmpReply& Reply);

  // The text id to show after a failed check: 936 as a warning when the last request timed out,
  // else 937 as an error.
  Integer Failure_Text_Id() const;

  // Outcome of the last request: 0 none yet, 1 answered, 2 timed out.
  Integer ping_res = 0;
  // Requests sent by the last check.
  Integer Attempts = 0;
  // Lets the dialog process its pending window messages between requests.
  std::function<void()> OnProcessMessages;
};
