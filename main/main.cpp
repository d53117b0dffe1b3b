// The configurator: creates the application and its forms and runs the message loop until the
// main window closes. The program reads no command-line argument of its own.
#include "main/ProgramForms.h"
#include "platform/gui/Forms.h"

int main(int argc, char** argv) {
  InitializeGuiLayer(argc, argv);
  Application->Initialize();
  Application->SetMainFormOnTaskbar(true);
  Create_Program_Forms();
  Application->Run();
  FinalizeGuiLayer();
  return 0;
}
