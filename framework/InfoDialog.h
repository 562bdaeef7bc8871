// TInfoDialog: a modal dialog of text rows beside the program's icon, with
// a line and one button below that closes it (IDOK). Laid out by Qt; the
// rows read top to bottom in the order given.
#pragma once

#include <string>
#include <vector>

struct TInfoDialog {
  enum class TRowKind {
    Label,  // plain text
    Note,   // a framed, read-only box of wrapped text
    Field,  // one read-only line the user can select and copy (a web or mail address)
  };
  struct TRow {
    TRowKind Kind;
    std::string Text;
  };
  std::string Caption;
  std::string IconName;  // an icon of the module, shown framed at 32 x 32
  std::vector<TRow> Rows;
  std::string ButtonText;  // the default button
};
