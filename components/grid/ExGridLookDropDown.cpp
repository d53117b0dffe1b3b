// The drop-down header and footer settings a control look owns: made, copied and freed here, so
// the look's header needs only their names.
#include "components/dropdown/ExDropDown.h"
#include "components/grid/ExGridLook.h"

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
