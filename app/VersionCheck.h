// The version check: asks the maker's web server for the latest version of this software and
// compares it with the built-in version. The server answers with text such as "VER. 1.003"
// ("VER. 0.000" when it knows no version).
#pragma once

#include <optional>

#include "platform/rtl/System.h"

extern const String Version_SW;          // the built-in version, "1.002"
extern const String Maker_Web_Address;   // the maker's web server, "http://..." without a trailing "/"
extern const String Version_Query_Path;  // "/home/download/GetversionSW.asp"
extern const String Version_Query_User_Agent;
extern const String Version_Query_Accept;
constexpr Cardinal Version_Query_Timeout_Ms = 10000;

// The links shown when a newer version is known: the main window's (fragment "#GX31A08") and the
// options dialog's (fragment "#GX31XYZ").
extern const String Update_Link_Main;
extern const String Update_Link_Options;

// A version text as a number: the part after the first blank (all of it when there is none),
// trimmed; characters 1, 3, 4 and 5 of it joined and read as a decimal integer, so "1.002" gives
// 1002 and "VER. 1.010" gives 1010. -1 when that part is shorter than 5 characters or the joined
// characters are not a number.
Integer Conv_Version(const String& Ver_str);

// Whether the server's answer names a version newer than LocalVersion. An empty answer and
// "VER. 0.000" (in any letter case) name none; nor does an answer that Conv_Version cannot read.
bool Is_Newer_Version(const String& Answer, const String& LocalVersion = Version_SW);

// The URL of the query: BaseAddress + the query path + "?nomesw=" + SoftwareCode.
String Version_Query_Url(const String& BaseAddress, const String& SoftwareCode);

// The server's answer, trimmed: an HTTP GET (HTTP/1.0, no proxy) with a total time limit of 10 s.
// Nothing when the query failed (no connection, time-out, an error status).
std::optional<String> Try_Query_Version(const String& BaseAddress, const String& SoftwareCode);
// The same with an empty answer for a failed query.
String Query_Version(const String& BaseAddress, const String& SoftwareCode);

// What a version check found: a newer version, none, or no answer at all (the query failed, or
// its answer names no version).
enum TVersion_Check { vcNewer, vcNotNewer, vcFailed };
// The check against the server at BaseAddress for the software code SW_Code_Update.
TVersion_Check Check_Version_Result(const String& BaseAddress = Maker_Web_Address);
// True when the server names a version newer than the built-in one; a failed query counts as no
// newer version (the silent check of the main window's timer).
bool Check_Version(const String& BaseAddress = Maker_Web_Address);

// The version-check timer of the main window: it runs while both internet options are on; its
// first tick comes a minute after it is armed, the following ones every two hours.
constexpr Cardinal Timer_Update_First_Interval_Ms = 60000;
constexpr Cardinal Timer_Update_Interval_Ms = 7200000;
bool Timer_Update_Wanted(bool Enable_Internet, bool Enable_Update);

// What the options dialog shows after its check: the link to the download page with text 314
// when a newer version is known, text 315 ("No Update Available") when the server knows none, and
// text 322 as plain text when the check could not be made.
String Check_Update_Result_Text(TVersion_Check Result);
// The main window's link to a newer version, with text 19.
String Update_Link_Main_Html();

// The HTML link of a newer version: "<a href=\"" + Url + "\">" + Caption + "</a>".
String Update_Link_Html(const String& Url, const String& Caption);
