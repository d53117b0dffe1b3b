// The "BACnet EDE File" step: exports the BACnet objects of the open configuration to an EDE file.
#pragma once

#include "descriptions/EDEFile.h"
#include "platform/rtl/System.h"

// Exports to FileName (already confirmed) from File_ParGen and File_BACnet_Slave, with Conf_Name and
// the present time in the header. Rows whose Data Type is unknown are left out and named in a
// warning box after the file is written. A file that cannot be read or written raises, for the
// application's default handler; the target is then left as it was.
void Make_EDE_File(const String& FileName);

// The step after the main window's save dialog: ".csv" is appended unless the chosen name ends in
// it (any letter case); an existing file is replaced only when the question with Yes, No and Cancel
// is answered Yes. Then Make_EDE_File. True when the file was written.
bool Save_EDE_File(const String& Chosen);
