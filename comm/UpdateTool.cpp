#include "comm/UpdateTool.h"

#include "comm/DevicePing.h"
#include "comm/LanUploaderFile.h"
#include "platform/os/Process.h"
#include "platform/rtl/SysUtils.h"

String Update_Tool_Path(const String& Path_Program) {
  return Path_Program + PathDelim + Update_Tool_File_Name;
}

TUpdate_Tool_Result Start_Update_Tool(const String& Path_Program) {
  const String Tool = Update_Tool_Path(Path_Program);
  if (!FileExists(Tool)) return utMissing;
  Integer ExitCode = 0;
  switch (StartProgram(Tool, String(), true, Update_Tool_Time_Limit, ExitCode)) {
    case psExited: return utEnded;
    case psTimedOut: return utTimedOut;
    default: return utStartFailed;
  }
}

Integer Update_Tool_Text_Id(TUpdate_Tool_Result Result) {
  switch (Result) {
    case utMissing: return Tool_Text_Missing;
    case utStartFailed: return Tool_Text_Start_Failed;
    default: return -1;
  }
}

TUpdate_Outcome Execute_Update(TUpdate_Request Request, TPing_Check& Ping,
                               const std::function<bool(TUpdate_Request&)>& Store_Choices) {
  if (!Ping.Send_Ping(Request.IP_Address)) {
    return Ping.ping_res == 2 ? uoDevice_Not_Found : uoAddress_Error;
  }
  if (Store_Choices && !Store_Choices(Request)) return uoCancelled;

  TLan_Uploader_Params P;
  P.IP_Address = Request.IP_Address;
  P.Update_Option = Request.Update_Option;
  P.Read_Back = Request.Read_Back;
  P.Path_Master = Request.Path_Master;
  P.Path_Conf = Request.Path_Conf;
  Write_Lan_Uploader_File(Request.Path_Program, P);

  switch (Start_Update_Tool(Request.Path_Program)) {
    case utEnded: return uoTool_Ended;
    case utTimedOut: return uoTool_Timed_Out;
    case utMissing: return uoTool_Missing;
    default: return uoTool_Start_Failed;
  }
}
