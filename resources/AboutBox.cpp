// The About box, dialog 1001: the program's icon, name and version, a short
// note, where to find newer versions and whom to write to.
#include "framework/Dialogs.h"
#include "framework/Resources.h"
#include "resources/VarekResources.h"

void AddAboutBox(TModule& module) {
  TDialogTemplate about;
  about.Caption = "About Varek";
  about.FontSize = 8;  // the desktop's dialog font, at least 8 points
  about.X = 21, about.Y = 12, about.W = 277, about.H = 140;
  about.Style = DS_MODALFRAME | WS_SYSMENU;
  using C = TDialogControl;
  about.Controls = {
      {C::Icon, -1, 12, 11, 32, 32, "IDI_VAREK", WS_BORDER},
      {C::Static, -1, 44, 8, 208, 8, "Varek 99 beta  -  (c) 1999 the Varek authors", 0},
      {C::Edit, 101, 44, 21, 220, 48,
       "This is the second release of the Varek 99 beta. Newer versions appear on the web page below. "
       "Please report any bugs you find and send us your comments by e-mail.\n"
       "Thanks to everyone who played the first beta and wrote to us.",
       ES_MULTILINE | ES_READONLY | WS_BORDER},
      {C::Edit, 102, 44, 79, 216, 10, "http://varek.example.org/", ES_READONLY | WS_TABSTOP},
      {C::Edit, 103, 44, 89, 216, 10, "varek@example.org", ES_READONLY | WS_TABSTOP},
      {C::EtchedLine, -1, 4, 119, 268, 1, "", 0},
      {C::Button, IDOK, 215, 125, 50, 12, "Ok", BS_DEFPUSHBUTTON | WS_TABSTOP},
      {C::Static, -1, 44, 99, 216, 10, "Lindenmoor, Eastmark", 0},
  };
  module.AddDialog(1001, about);
}
