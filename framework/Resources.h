// TModule: the program's resources, looked up by name or number: icons (one
// name, several sizes), tool-bar bitmaps, cursors with their hot spots, menus,
// accelerator tables and modal dialogs (described, or code that runs one). The
// program registers them at start-up.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/InfoDialog.h"
#include "framework/Geometry.h"

class TWindow;

// A menu item: a command (Id, Text), a separator (empty Text, Id 0), or a
// pop-up with its own identifier when Popup is not empty.
struct TMenuItem {
  std::string Text;
  int Id = 0;
  std::vector<TMenuItem> Popup;
};

// Accelerator keys: virtual-key codes (letters are their capitals) and flags.
enum : unsigned { FVIRTKEY = 0x01, FSHIFT = 0x04, FCONTROL = 0x08, FALT = 0x10 };
enum : int { VK_ESCAPE = 0x1B, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24 };

struct TAccelerator {
  unsigned Flags;
  int Key;
  int Command;
};

// Runs a modal dialog owned by `parent` and returns how it was closed (IDOK...).
using TDialogRunner = std::function<int(TWindow* parent)>;

class TModule {
 public:
  struct TCursorResource {
    TBitmap Image;
    TPoint HotSpot;
  };

  void AddIcon(const std::string& name, const TBitmap& image) { icons_[name].push_back(image); }
  void AddBitmap(int id, const TBitmap& image) { bitmaps_[id] = image; }
  // The same bitmap drawn for a denser screen: its image carries its device
  // pixel ratio (2 for a 40 x 40 drawing of a 20 x 20 glyph).
  void AddDenserBitmap(int id, const TBitmap& image) { denserBitmaps_[id] = image; }
  void AddCursor(int id, const TBitmap& image, TPoint hotSpot) { cursors_[id] = {image, hotSpot}; }
  void AddMenu(const std::string& name, std::vector<TMenuItem> menu) { menus_[name] = std::move(menu); }
  void AddAccelerators(const std::string& name, std::vector<TAccelerator> table) {
    accelerators_[name] = std::move(table);
  }
  void AddDialog(int id, TDialogRunner runner) { dialogs_[id] = std::move(runner); }
  void AddDialog(int id, TInfoDialog resource) { infoDialogs_[id] = std::move(resource); }

  const std::vector<TBitmap>* FindIcon(const std::string& name) const { return Lookup(icons_, name); }
  const TBitmap* FindBitmap(int id) const { return Lookup(bitmaps_, id); }
  const TBitmap* FindDenserBitmap(int id) const { return Lookup(denserBitmaps_, id); }
  const TCursorResource* FindCursor(int id) const { return Lookup(cursors_, id); }
  const std::vector<TMenuItem>* FindMenu(const std::string& name) const { return Lookup(menus_, name); }
  const std::vector<TAccelerator>* FindAccelerators(const std::string& name) const {
    return Lookup(accelerators_, name);
  }
  const TDialogRunner* FindDialog(int id) const { return Lookup(dialogs_, id); }
  const TInfoDialog* FindInfoDialog(int id) const { return Lookup(infoDialogs_, id); }

 private:
  template <class Map, class Key>
  static const typename Map::mapped_type* Lookup(const Map& map, const Key& key) {
    auto it = map.find(key);
    return it == map.end() ? nullptr : &it->second;
  }

  std::map<std::string, std::vector<TBitmap>> icons_;
  std::map<int, TBitmap> bitmaps_;
  std::map<int, TBitmap> denserBitmaps_;
  std::map<int, TCursorResource> cursors_;
  std::map<std::string, std::vector<TMenuItem>> menus_;
  std::map<std::string, std::vector<TAccelerator>> accelerators_;
  std::map<int, TDialogRunner> dialogs_;
  std::map<int, TInfoDialog> infoDialogs_;
};

// The program's module.
TModule& GetModule();
