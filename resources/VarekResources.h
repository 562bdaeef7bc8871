// The program's resources, registered in a module at start-up: the menu and
// accelerator table "COMMANDS", the icon "IDI_VAREK" (16, 32, 48 and 256
// pixels), the thirteen tool-bar glyphs (20 x 20, numbered like their
// commands), the pointing-hand cursor 804 and the About box, dialog 1001. The piece cursors 800 to 803 are
// drawn by the board's own drawing code (ui/).
#pragma once

#include <vector>

class TModule;
class QImage;

void LoadResources(TModule& module);

// Pieces of LoadResources, for the checks of the pictures themselves.
void AddCommandResources(TModule& module);
void AddAboutBox(TModule& module);
QImage DrawProgramIcon(int size);
// A glyph drawn at `scale` times its 20 x 20 pixels (the image carries the
// scale as its device pixel ratio); null for a number without a glyph.
QImage DrawToolGlyph(int commandId, int scale = 1);
QImage DrawHandCursor();
// The commands that have a tool-bar glyph.
const std::vector<int>& GlyphCommands();
