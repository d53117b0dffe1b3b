// The "PROFIBUS GSD" step of the main window: asks where to save the GSD file and writes it from
// the byte counts of the open configuration's "ParGen.xml".
#pragma once

// Reads the byte counts from File_ParGen, asks for the file in a save dialog that starts in the
// configuration folder, asks before replacing an existing file and writes it. Without a
// "ParGen.xml" it shows the message that asks for the communication parameters first. A cancelled
// dialog or a refused overwrite ends the step silently; a "ParGen.xml" that is not XML or a file
// that cannot be written raises, for the application's default handler.
void Create_GSD_File();
