// TSettings: the user's choices kept from one run to the next (switches,
// numbers and where the main window stood), a thin layer over QSettings.
// Every TSettings reads and writes one store: by default the program's own
// place in the user's configuration folder; tests point it at a scratch file.
#pragma once

#include <memory>
#include <string>

class QSettings;
class TDecoratedFrame;

class TSettings {
 public:
  TSettings();
  ~TSettings();
  TSettings(const TSettings&) = delete;
  TSettings& operator=(const TSettings&) = delete;

  // A missing or unreadable value gives `fallback`.
  bool ReadBool(const char* key, bool fallback) const;
  int ReadInt(const char* key, int fallback) const;
  void WriteBool(const char* key, bool value);
  void WriteInt(const char* key, int value);
  bool Contains(const char* key) const;
  // Forgets every value of the store.
  void Clear();

  // The frame's position, size and maximised state; Restore returns false
  // (leaving the frame as it is) when nothing usable was saved under `key`.
  void SaveGeometry(const char* key, const TDecoratedFrame& frame);
  bool RestoreGeometry(const char* key, TDecoratedFrame& frame) const;

  // Writes what is still held in memory to the store.
  void Sync();

  // The store of every TSettings made from now on: `path` names an INI file,
  // or "" the program's own place (named after `organisation` and `application`).
  static void UseFile(const std::string& path);
  static void UseProgramStore(const std::string& organisation, const std::string& application);
  static std::string FileInUse();  // "" for the program's own place

 private:
  std::unique_ptr<QSettings> store_;
};
