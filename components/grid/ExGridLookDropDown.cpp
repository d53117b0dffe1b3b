// The drop-down header and footer settings a control look owns, kept in a source of their own: the
// drop-down framework's vocabulary and the grid's cannot meet in one source.
#include "components/dropdown/ExDropDown.h"

// Declared for the grid in ExGridLook.h, which this source cannot include.
THeaderAppearance* NewDropDownHeader(TComponent* AOwner);
TFooterAppearance* NewDropDownFooter(TComponent* AOwner);
void AssignDropDownHeader(THeaderAppearance* Dest, THeaderAppearance* Source);
void AssignDropDownFooter(TFooterAppearance* Dest, TFooterAppearance* Source);
void FreeDropDownAppearances(THeaderAppearance* Header, TFooterAppearance* Footer);

THeaderAppearance* NewDropDownHeader(TComponent* AOwner) { return new THeaderAppearance(AOwner); }

TFooterAppearance* NewDropDownFooter(TComponent* AOwner) { return new TFooterAppearance(AOwner); }

void AssignDropDownHeader(THeaderAppearance* Dest, THeaderAppearance* Source) {
  if (Dest && Source) Dest->Assign(Source);
}

void AssignDropDownFooter(TFooterAppearance* Dest, TFooterAppearance* Source) {
  if (Dest && Source) Dest->Assign(Source);
}

void FreeDropDownAppearances(THeaderAppearance* Header, TFooterAppearance* Footer) {
  delete Header;
  delete Footer;
}
