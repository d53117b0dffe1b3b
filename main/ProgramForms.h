// The start of the program: every form of the configurator is created once, in a fixed order,
// and lives until the program ends.
#pragma once

// Creates the forms through Application->CreateForm: the main window first (it sets up the program
// state, the text table and the catalogue that the later forms read when they are created), then
// the dialogs in the order of the program's creation table.
void Create_Program_Forms();
