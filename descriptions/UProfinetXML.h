// The "PROFINET XML" step: asks for the folder of the GSDML file and writes it from the open
// configuration's "ParGen.xml".
#pragma once

#include "platform/rtl/System.h"

// Saves the GSDML file under Name (the name composed by the file-name dialog): a save dialog that
// starts in the configuration folder and offers only that name gives the folder, a different name
// typed there is ignored. Asks before replacing an existing file, then reads File_ParGen (defaults
// when it is missing) and writes. A cancelled dialog or a refused overwrite ends the step silently;
// a "ParGen.xml" that is not XML or a file that cannot be written raises, for the application's
// default handler.
void Save_GSDML_File(const String& Name);
