// TDialogTemplate: a modal dialog of the module described as data - caption,
// font, position and size, and its controls in order - the way dialog
// resources are written. Positions and sizes are in dialog units: a quarter of
// the dialog font's average character width across and an eighth of its
// height down, so a dialog keeps its proportions whatever font it is shown in.
#pragma once

#include <string>
#include <vector>

// Styles of a dialog and its controls (only those the layer shows).
enum : unsigned {
  // Any control.
  WS_TABSTOP = 0x00010000,
  WS_BORDER = 0x00800000,
  // Edit boxes.
  ES_MULTILINE = 0x0004,
  ES_READONLY = 0x0800,
  // Push buttons.
  BS_DEFPUSHBUTTON = 0x0001,
  // The dialog itself.
  DS_MODALFRAME = 0x0080,
  WS_SYSMENU = 0x00080000,
};

struct TDialogControl {
  enum TKind {
    Static,      // static text; Text is shown
    Icon,        // static picture; Text names an icon of the module
    Edit,        // edit box holding Text
    Button,      // push button labelled Text; closes the dialog with its Id
    EtchedLine,  // a sunken horizontal line
  };
  TKind Kind = Static;
  int Id = -1;  // -1 for a control that is never addressed
  int X = 0, Y = 0, W = 0, H = 0;
  std::string Text;
  unsigned Style = 0;
};

struct TDialogTemplate {
  std::string Caption;
  // The font; an empty name means the desktop's own dialog font, shown at
  // FontSize points or at the desktop's size when that is larger.
  std::string FontName;
  int FontSize = 8;
  int X = 0, Y = 0;      // from the owner window's top-left corner
  int W = 0, H = 0;
  unsigned Style = DS_MODALFRAME | WS_SYSMENU;
  std::vector<TDialogControl> Controls;
};
