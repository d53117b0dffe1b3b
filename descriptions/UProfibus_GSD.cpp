#include "descriptions/UProfibus_GSD.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "descriptions/GSDFile.h"
#include "descriptions/UAsk_Overwrite.h"
#include "platform/gui/Dialogs.h"
#include "platform/rtl/SysUtils.h"

void Create_GSD_File() {
  const Integer error = Check_GSD_ParGen(File_ParGen);
  if (error != 0) {
    MessageDlg(Get_Text(error), mtError, {mbOK});
    return;
  }
  // The counts are read before the dialog opens: the file shows the parameters last saved.
  const TGSD_Param param = Read_GSD_Param(File_ParGen);

  // No default extension and no overwrite prompt of its own: the name rule and the question below
  // decide both.
  TSaveDialog SD(nullptr);
  SD.InitialDir = Path_Conf;
  SD.Filter = u"Generic Station Description (*.gsd)|*.gsd";
  if (!SD.Execute()) return;
  Save_GSD_File(SD.FileName, param, Overwrite_Question(mbYesNo));
}
