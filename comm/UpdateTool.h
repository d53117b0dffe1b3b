// The update of the device over Ethernet: the reachability check, the update tool's parameter file
// and the start of the tool, "Lan_Uploader.exe" in the program folder. The tool is a separate
// program (a native tool or a wrapper the user puts there); it takes everything from
// "Lan_Uploader.xml" and its end is the signal that the update is over. The program waits for it at
// most 150,000 ms, without processing messages; its exit code carries nothing.
#pragma once

#include <functional>

#include "platform/rtl/System.h"

class TPing_Check;

inline constexpr const char16_t* Update_Tool_File_Name = u"Lan_Uploader.exe";
constexpr Cardinal Update_Tool_Time_Limit = 150000;

// Text ids of the messages about the tool; the path of the tool is appended to either.
constexpr Integer Tool_Text_Missing = 938;       // the tool is not in the program folder
constexpr Integer Tool_Text_Start_Failed = 939;  // the tool could not be started

enum TUpdate_Tool_Result {
  utEnded,        // the tool ran and ended
  utTimedOut,     // the time limit passed first; the tool keeps running
  utMissing,      // there is no tool in the program folder: nothing was started
  utStartFailed   // the tool is there but could not be started
};

// Path_Program + "/Lan_Uploader.exe".
String Update_Tool_Path(const String& Path_Program);

// Starts the tool with no parameters and waits for its end. A missing tool is reported, not
// started.
TUpdate_Tool_Result Start_Update_Tool(const String& Path_Program);

// The text id to show for a result (with the tool's path appended); -1 when there is nothing to say.
Integer Update_Tool_Text_Id(TUpdate_Tool_Result Result);

// What the Update button of the Ethernet layout works with.
struct TUpdate_Request {
  String IP_Address;        // the four address boxes joined by ".", exactly as typed
  Integer Update_Option = 0;
  bool Read_Back = true;
  String Path_Program;
  String Path_Master;
  String Path_Conf;
};

enum TUpdate_Outcome {
  uoDevice_Not_Found,  // the last request timed out: text 936 as a warning; nothing stored
  uoAddress_Error,     // the requests could not be sent: text 937 as an error; nothing stored
  uoTool_Ended,
  uoTool_Timed_Out,
  uoTool_Missing,
  uoTool_Start_Failed,
  uoCancelled          // the dialog was left while the check ran: nothing stored, written or started
};

// The Update button: checks the device at Request.IP_Address with Ping; when it answers, calls
// Store_Choices, writes "Lan_Uploader.xml" in the program folder from the request and starts the
// tool. The check lets the dialog process its messages, so the user may change the option or the
// read-back box meanwhile: Store_Choices takes them into the request as they stand after the check,
// and the dialog keeps the address, the option and the read-back choice. The user may also leave
// the dialog meanwhile: Store_Choices then answers false, and nothing is stored, written or
// started (uoCancelled). A parameter file that cannot be written raises the XML document's error,
// after the choices were stored, and the tool is not started.
TUpdate_Outcome Execute_Update(TUpdate_Request Request, TPing_Check& Ping,
                               const std::function<bool(TUpdate_Request&)>& Store_Choices);
