#include "app/VersionCheck.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "platform/os/Http.h"
#include "platform/rtl/CodePages.h"
#include "platform/rtl/SysUtils.h"

const String Version_SW = u"1.002";
const String Maker_Web_Address = u"http://www.tavrel.com";
const String Version_Query_Path = u"/home/download/GetversionSW.asp";
const String Version_Query_User_Agent = u"Mozilla/3.0 (compatible; Indy Library)";
const String Version_Query_Accept = u"text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";

const String Update_Link_Main = Maker_Web_Address + u"/Home/download/download.asp#GX31A08";
const String Update_Link_Options = Maker_Web_Address + u"/Home/download/download.asp#GX31XYZ";

Integer Conv_Version(const String& Ver_str) {
  const Integer blank = Pos(u" ", Ver_str);
  const String t = Trim(blank > 0 ? Copy(Ver_str, blank + 1, Length(Ver_str)) : Ver_str);
  if (Length(t) < 5) return -1;
  // The second character is the point between the major and the minor number; it is skipped.
  const String digits = Copy(t, 1, 1) + Copy(t, 3, 3);
  // Only plain decimal digits make a version ("1.0x1" or "$.123" are not versions).
  for (Char c : digits) {
    if (c < u'0' || c > u'9') return -1;
  }
  return StrToIntDef(digits, -1);
}

bool Is_Newer_Version(const String& Answer, const String& LocalVersion) {
  const String R = Trim(AnsiUpperCase(Answer));
  if (R.empty() || R == u"VER. 0.000") return false;
  const Integer local = Conv_Version(LocalVersion);
  const Integer remote = Conv_Version(Trim(Answer));
  return local != -1 && remote != -1 && remote > local;
}

String Version_Query_Url(const String& BaseAddress, const String& SoftwareCode) {
  return BaseAddress + Version_Query_Path + u"?nomesw=" + SoftwareCode;
}

std::optional<String> Try_Query_Version(const String& BaseAddress, const String& SoftwareCode) {
  THttpRequest request;
  request.Url = Version_Query_Url(BaseAddress, SoftwareCode);
  request.Headers.push_back(u"Accept: " + Version_Query_Accept);
  request.UserAgent = Version_Query_User_Agent;
  request.TimeoutMs = Version_Query_Timeout_Ms;
  const std::optional<std::string> body = HttpTryGet(request);
  if (!body) return std::nullopt;
  // The answer is plain ASCII; anything else is read byte for byte so that it can never fail here.
  return Trim(IsValidUtf8(*body) ? Utf8ToString(*body) : AnsiToString(*body));
}

String Query_Version(const String& BaseAddress, const String& SoftwareCode) {
  return Try_Query_Version(BaseAddress, SoftwareCode).value_or(String());
}

TVersion_Check Check_Version_Result(const String& BaseAddress) {
  const std::optional<String> answer = Try_Query_Version(BaseAddress, SW_Code_Update);
  if (!answer) return vcFailed;
  if (Is_Newer_Version(*answer)) return vcNewer;
  // Only an answer that names a version, or says the server knows none, tells that there is no
  // newer one; anything else (an empty body, a web page) is no answer to the question.
  const bool names_version = AnsiUpperCase(*answer) == u"VER. 0.000" || Conv_Version(*answer) != -1;
  return names_version ? vcNotNewer : vcFailed;
}

bool Check_Version(const String& BaseAddress) { return Check_Version_Result(BaseAddress) == vcNewer; }

String Update_Link_Html(const String& Url, const String& Caption) {
  return u"<a href=\"" + Url + u"\">" + Caption + u"</a>";
}

bool Timer_Update_Wanted(bool Enable_Internet, bool Enable_Update) { return Enable_Internet && Enable_Update; }

String Check_Update_Result_Text(TVersion_Check Result) {
  switch (Result) {
    case vcNewer: return Update_Link_Html(Update_Link_Options, Get_Text(314));
    case vcFailed: return Get_Text(322);
    default: return Get_Text(315);
  }
}

String Update_Link_Main_Html() { return Update_Link_Html(Update_Link_Main, Get_Text(19)); }
