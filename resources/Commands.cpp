// The menu bar and the accelerator table "COMMANDS".
#include <QImage>

#include "framework/Resources.h"
#include "resources/VarekResources.h"

void AddCommandResources(TModule& module) {
  const TMenuItem separator{};
  module.AddMenu("COMMANDS", {
      {"&Game", 101, {
          {"&New\tCtrl+N", 102, {}},
          {"&Open", 103, {}},
          {"&Save", 104, {}},
          {"Save &as", 105, {}},
          separator,
          {"E&xit\tCtrl+X", 106, {}},
      }},
      {"&Moves", 111, {
          {"&Undo move\tPgUp", 115, {}},
          {"&Undo All\tHome", 117, {}},
          {"&Redo move\tPgDn", 116, {}},
          {"&Redo All\tEnd", 118, {}},
          separator,
          {"&Normal Play", 112, {}},
          {"&Two Player", 113, {}},
          {"&Auto Play", 114, {}},
      }},
      {"&Board", 150, {
          {"&Invert Board\tCtrl+I", 151, {}},
          {"Square &Numbers", 157, {}},
          separator,
          {"&Setup position\tCtrl+S", 152, {}},
          {"&Starting Position", 153, {}},
          {"&Clear Board", 154, {}},
          {"&Black to move", 155, {}},
          {"&White to move", 156, {}},
      }},
      {"&Action", 121, {
          {"&Computer Go\tCtrl+G", 122, {}},
          {"&Force Move\tCtrl+F", 123, {}},
      }},
      {"&Options", 131, {
          {"&Level", 133, {
              {"Easy", 253, {}},
              {" 2 Seconds/Move", 254, {}},
              {" 5 Seconds/Move", 255, {}},
              {"10 Seconds/Move", 256, {}},
              {"15 Seconds/Move", 257, {}},
              {"30 Seconds/Move", 258, {}},
              {"60 Seconds/Move", 259, {}},
              {"Infinite", 260, {}},
          }},
          {"&Sound", 252, {}},
      }},
      {"&Help", 141, {
          {"&About", 301, {}},
      }},
  });

  module.AddAccelerators("COMMANDS", {
      {FVIRTKEY | FCONTROL, 'N', 102},
      {FVIRTKEY | FCONTROL, 'I', 151},
      {FVIRTKEY | FCONTROL, 'X', 106},
      {FVIRTKEY | FCONTROL, 'G', 122},
      {FVIRTKEY | FCONTROL, 'F', 123},
      {FVIRTKEY, VK_PRIOR, 115},
      {FVIRTKEY, VK_NEXT, 116},
      {FVIRTKEY, VK_HOME, 117},
      {FVIRTKEY, VK_END, 118},
      {FVIRTKEY | FCONTROL, 'S', 152},
  });
}

void LoadResources(TModule& module) {
  AddCommandResources(module);
  for (int size : {16, 32, 48, 256}) module.AddIcon("IDI_VAREK", TBitmap(DrawProgramIcon(size)));
  for (int id : GlyphCommands()) module.AddBitmap(id, TBitmap(DrawToolGlyph(id)));
  module.AddCursor(804, TBitmap(DrawHandCursor()), TPoint(0, 0));
  AddAboutBox(module);
}
