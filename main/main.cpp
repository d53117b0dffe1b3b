// The configurator: creates the application and its forms and runs the message loop until the
// main window closes. The program takes no command-line arguments.
#include "main/ProgramForms.h"
#include "platform/gui/Forms.h"

int main() {
  InitializeGuiLayer();
  Application->Initialize();
  Application->SetMainFormOnTaskbar(true);
  Create_Program_Forms();
  Application->Run();
  FinalizeGuiLayer();
  return 0;
}
