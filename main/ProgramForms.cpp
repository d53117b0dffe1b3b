#include "main/ProgramForms.h"

#include "app/UAbout.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"
#include "comm/UBoot.h"
#include "comm/UParGen.h"
#include "descriptions/UBACnetSlaveSetAccess.h"
#include "descriptions/UBACnet_Eng_Unit.h"
#include "descriptions/UMQTT_Set_Topic.h"
#include "descriptions/UProfinetFileName.h"
#include "descriptions/UTopicTemplate.h"
#include "enocean/UEnOcean_Device.h"
#include "enocean/UEnOcean_SetAccess.h"
#include "enocean/UEnOcean_SetAccess2.h"
#include "enocean/UEnOcean_Variable.h"
#include "enocean/UEnOcean_Variable_SAck.h"
#include "main/ULumitoreFirmWare.h"
#include "main/Unit1.h"
#include "platform/gui/Forms.h"

void Create_Program_Forms() {
  Application->CreateForm(FLumitoreFirmWare);
  Application->CreateForm(FNew_Project);
  Application->CreateForm(FOpenConf);
  Application->CreateForm(FAbout);
  Application->CreateForm(FSoftOptions);
  Application->CreateForm(Form1);
  Application->CreateForm(FEnOcean_SetAccess);
  Application->CreateForm(FParGen);
  Application->CreateForm(FBoot);
  Application->CreateForm(FEnOcean_SetAccess2);
  Application->CreateForm(FEnOcean_Device);
  Application->CreateForm(FEnOcean_Variable);
  Application->CreateForm(FMQTT_Set_Topic);
  Application->CreateForm(FTopicTemplate);
  Application->CreateForm(FEnOcean_Variable_SAck);
  Application->CreateForm(FProfinetFileName);
  Application->CreateForm(FBACnet_Eng_Unit);
  Application->CreateForm(FBACnetSlaveSetAccess);
}
