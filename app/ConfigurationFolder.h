// Configuration folders: a configuration is a folder named after it inside "PROJECTS", with the
// sub-folder "bin" for the bank files. These are the checks and the creation behind the New
// dialog; they answer with the text id of the message to show (0 when all went well).
#pragma once

#include "platform/rtl/System.h"

// Text ids of the New dialog's messages.
constexpr Integer Text_Conf_Name_Refused = 105;  // "Error! Name project is not valid"
constexpr Integer Text_Conf_Name_Exists = 106;   // "... because directory already exists"
constexpr Integer Text_Conf_Name_Empty = 107;    // "Error! Name Project is not valid"

// Whether a name may become one part of a path: not empty, no path delimiter ("/" or "\"), no
// "..", no control character, and not ending in a blank or a dot (which file systems drop or
// refuse, so the folder would not carry the name that the program keeps).
bool Is_Safe_Path_Name(const String& Name);

// Whether a name read from a file (the settings' configuration or language) names an entry of one
// folder and nothing else: not empty, not "." or "..", no path delimiter, no control character.
bool Is_Plain_File_Name(const String& Name);

// The first failing check of a new configuration's name, without touching the file system:
// Text_Conf_Name_Empty for an empty name, Text_Conf_Name_Refused for a name that is not a safe
// path name, else 0.
Integer Check_Conf_Name(const String& Name);

// Creates the configuration Name inside PathProjects: the checks above, then
// Text_Conf_Name_Exists when its folder exists, Text_Conf_Name_Refused when the folder cannot be
// created (one level). On success the sub-folder "bin" is created too (a failure there is not
// reported) and PathConf becomes the configuration's folder; the result is 0. On a failure
// nothing is created and PathConf is unchanged.
Integer Create_Conf_Folder(const String& PathProjects, const String& Name, String& PathConf);
