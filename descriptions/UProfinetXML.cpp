#include "descriptions/UProfinetXML.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "descriptions/GSDMLFile.h"
#include "descriptions/UAsk_Overwrite.h"
#include "platform/gui/Dialogs.h"

void Save_GSDML_File(const String& Name) {
  // The filter's mask is the name itself, so the list shows only a file of that name.
  TSaveDialog SD(nullptr);
  SD.InitialDir = Path_Conf;
  SD.FileName = Name;
  SD.Filter = u"PROFINET XML (*.xml)|" + Name;
  if (!SD.Execute()) return;
  Save_GSDML_File(SD.FileName, Name, File_ParGen, Overwrite_Question(mbYesNo));
}
