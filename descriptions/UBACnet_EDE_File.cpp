#include "descriptions/UBACnet_EDE_File.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "descriptions/UAsk_Overwrite.h"
#include "platform/gui/Dialogs.h"
#include "platform/rtl/SysUtils.h"

namespace {

// The page captions of the object tables name the tables in the warning.
constexpr Integer Text_Page_In_Read = 1908;
constexpr Integer Text_Page_In_Write = 1909;

TEDE_Sources Configuration_Sources() {
  TEDE_Sources sources;
  sources.File_ParGen = File_ParGen;
  sources.File_BACnet_Slave = File_BACnet_Slave;
  sources.Conf_Name = Conf_Name;
  sources.Time_Stamp = Now();
  return sources;
}

void Show_Skipped_Rows(const TEDE_Result& Result) {
  if (Result.Skipped.empty()) return;
  MessageDlg(Get_Text(Text_EDE_Unknown_Type) +
                 EDE_Skipped_Rows_Text(Result.Skipped, Get_Text(Text_Page_In_Read),
                                       Get_Text(Text_Page_In_Write)),
             mtWarning, {mbOK});
}

}  // namespace

void Make_EDE_File(const String& FileName) {
  Show_Skipped_Rows(Make_EDE_File(FileName, Configuration_Sources()));
}

bool Save_EDE_File(const String& Chosen) {
  const TEDE_Result result = Save_EDE_File(Chosen, Configuration_Sources(), Overwrite_Question(mbYesNoCancel));
  Show_Skipped_Rows(result);
  return result.Written;
}
