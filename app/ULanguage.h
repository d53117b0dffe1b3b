// The text table: every caption, hint and message a dialog shows is read from Text_SL by its text
// id. The table holds the built-in English texts, overlaid by the texts of the chosen language file
// "<language>.lng" in the folder "LANGUAGE", so a language file needs only the texts it translates.
//
// Language file lines read "STR" + id + " = " + text. Everything else is a comment; "/#/" starts a
// comment that runs to the end of the line; a text that begins with "¶" (U+00B6) ends before the
// next "¶", which keeps blanks at its ends. A byte order mark selects UTF-8 or UTF-16; a file
// without one whose bytes are well-formed UTF-8 holding non-ASCII text is read as UTF-8, any other
// as ANSI (Windows-1252).
#pragma once

#include <memory>
#include <string_view>

#include "platform/rtl/System.h"

class TStringList;

// The number of text ids (0 .. 2099).
constexpr Integer Text_Count_Built_In = 2100;

// The text table: the entry at index n is the text of id n. Created by Create_Text_Table (or by
// the first Load_Default_Texts).
extern std::unique_ptr<TStringList> Text_SL;
// The number of text ids; set by Load_Default_Texts. Language files set only ids below it.
extern Integer Text_Count;

// Creates Text_SL as an empty list (again).
void Create_Text_Table();

// The text of an id. Raises the list's index error for an id outside the table.
String Get_Text(Integer Id);

// Clears the list and appends the 2100 built-in texts in id order; ids without a text hold " ".
// The form without a list works on Text_SL (creating it when missing) and sets Text_Count.
void Load_Default_Texts(TStringList& SL);
void Load_Default_Texts();

// One line of a language file: true when it sets a text, with its id and text. Ids must lie in
// 0 .. TextCount - 1. The id runs from the 4th character of the trimmed line up to the character
// before the one just before the first "=", so "STR12 = a" names id 12 and "STR12= a" id 1.
bool Parse_Lng_Line(const String& Line, Integer TextCount, Integer& Id, String& Text);

// The text of a language file's bytes, decoded as the header above says.
String Language_File_Text(std::string_view Bytes);

// The largest language file read: the 2100 texts with comments take a small part of it.
constexpr Int64 Max_Lng_File_Size = 16 * 1024 * 1024;

// Overlays the texts of one language file onto the list; a later line for the same id wins.
// Raises the file error when the file cannot be read, is no regular file (a folder, a pipe, a
// device) or is larger than Max_Lng_File_Size, and EOutOfMemory when it does not fit in memory;
// each names the file, and the list is then unchanged.
void Load_Lng_File(TStringList& SL, const String& FileName);
void Load_Lng_File(const String& FileName);

// Fills the list with the English texts, then overlays the file PathLanguage/LanguageName.lng (an
// extension in other letter case, such as ".LNG", counts too, as the options dialog lists it).
// When that file is missing, LanguageName becomes "English" and "English.lng" is used when present.
// A file that exists but cannot be read raises its error after the English texts are in place;
// so does anything else at the file's name (a folder, a pipe, ...), which is not a missing file.
void Init_Language(TStringList& SL, const String& PathLanguage, String& LanguageName);
// The same on Text_SL, Path_Language and Language_Name.
void Init_Language();

// Writes the built-in text of every id 0 .. Count - 1 into Texts[0 .. Count - 1] (" " for an id
// without a text). The table itself lives in ULanguageTexts.cpp.
void Fill_Built_In_Texts(String* Texts, Integer Count);
