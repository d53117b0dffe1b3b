// The program state of a shell dialog test: a fresh temporary program folder with its sub-folders,
// the English texts, no configuration open, and the state put back when the test ends.
#pragma once

#include <filesystem>

#include "app/SettingsFile.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "platform/gui/Forms.h"
#include "tests/app/AppTestFolder.h"

class TShellStateFixture {
 public:
  TShellStateFixture() {
    Apply_Settings(TSettings());
    Conf_Name.clear();
    Path_Conf.clear();
    Init_Program_Folders(Folder.Path());
    Set_Program_Texts();
    Create_Text_Table();
    Load_Default_Texts();
    Set_Files();
  }
  ~TShellStateFixture() {
    Apply_Settings(TSettings());
    Conf_Name.clear();
    Path_Conf.clear();
  }

  // A configuration folder inside PROJECTS.
  void Make_Configuration(const std::string& Name) const {
    std::filesystem::create_directories(Folder.FsPath("PROJECTS") / Name);
  }

  TTestFolder Folder;
};

// Creates a form as the application does (construction, then OnCreate) without an owner; the test
// frees it.
template <class T>
T* New_Form() {
  T* form = new T(nullptr);
  form->AfterConstruction();
  return form;
}
