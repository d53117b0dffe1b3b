// Routines the shell offers to the other dialogs: the check of a dotted IPv4 address, the list of
// serial ports present, and the start of another program with a wait for its end.
#pragma once

#include <memory>

#include "platform/rtl/System.h"

class TStringList;

// Splits a dotted IPv4 text into four parts and checks them: true exactly when every part is a
// number from 0 to 255. Blanks around the text and around the points are allowed. The parts are
// written as they are split (trimmed): on an early false the parts split so far hold their values
// and the others are left unchanged. The fourth part is everything after the third point, so a
// text with five numbers fails.
bool Check_IP_Address(const String& IP, String& P1, String& P2, String& P3, String& P4);

// The numbers of the serial ports present, in ascending order, as decimal texts: port n is the
// device ttyS(n - 1), so "1" stands for the first serial port as the update tool numbers them.
// DeviceFolder is where the devices live ("/dev"; tests point it elsewhere).
std::unique_ptr<TStringList> Get_Com_Port_List(const String& DeviceFolder = u"/dev");

// The longest wait for a started program.
constexpr Cardinal Start_Program_Time_Limit_Ms = 150000;

// How a Start_Program ended.
enum TStart_Program_Result {
  spEnded,        // the program ended
  spTimeLimit,    // the time limit passed first; the program goes on running
  spStartFailed   // the program could not be started
};

// Starts NomeSW with the command-line Parameter (blank-separated words, double quotes group words)
// and waits for its end, at most TimeLimitMs, polling every 10 ms without processing window
// messages. tipo 0 asks for the program's window to be shown, any other value for it to be hidden.
// Nothing is reported; the result only tells the caller how the wait ended.
TStart_Program_Result Start_Program(const String& NomeSW, const String& Parameter, Byte tipo,
                                    Cardinal TimeLimitMs = Start_Program_Time_Limit_Ms);
