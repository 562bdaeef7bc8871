// The About box, dialog 1001: the program's icon, name and version, a short
// note, where to find newer versions and whom to write to.
#include "framework/Resources.h"
#include "resources/CommandIds.h"
#include "resources/VarekResources.h"

void AddAboutBox(TModule& module) {
  using R = TInfoDialog::TRowKind;
  TInfoDialog about;
  about.Caption = "About Varek";
  about.IconName = "IDI_VAREK";
  about.Rows = {
      {R::Label, "Varek 99 beta  -  (c) 1999 the Varek authors"},
      {R::Note,
       "This is the second release of the Varek 99 beta. Newer versions appear on the web page below. "
       "Please report any bugs you find and send us your comments by e-mail.\n"
       "Thanks to everyone who played the first beta and wrote to us."},
      {R::Field, "http://varek.example.org/"},
      {R::Field, "varek@example.org"},
      {R::Label, "Lindenmoor, Eastmark"},
  };
  about.ButtonText = "Ok";
  module.AddDialog(DialogId::About, about);
}
