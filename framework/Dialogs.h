// Message boxes, the open and save file dialogs with their shared data record,
// modal dialogs from the module, and beeps. All of them go through one
// replaceable TDesktop: the real one shows Qt dialogs; tests put in one that
// answers from a script and records what was asked.
#pragma once

#include <string>

class TWindow;
struct TListDialogData;

// Message box styles and answers.
enum : unsigned {
  MB_OK = 0x00,
  MB_OKCANCEL = 0x01,
  MB_YESNOCANCEL = 0x03,
  MB_YESNO = 0x04,
  MB_ICONHAND = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONEXCLAMATION = 0x30,
  MB_ICONASTERISK = 0x40,
  MB_TASKMODAL = 0x2000,  // no owner, yet the whole program waits for the answer
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// File dialog flags.
enum : unsigned { OFN_OVERWRITEPROMPT = 0x0002, OFN_HIDEREADONLY = 0x0004, OFN_FILEMUSTEXIST = 0x1000 };

class TOpenSaveDialog {
 public:
  // What the open and save dialogs start from and leave behind: the filter in
  // bar-separated pairs ("Name|*.ext|"), the default extension added to a name
  // typed without one, and the chosen file name.
  struct TData {
    explicit TData(unsigned flags = 0, const char* filter = nullptr, const char* customFilter = nullptr,
                   const char* initialDir = nullptr, const char* defExt = nullptr, int maxPath = 260,
                   int filterIndex = 0);
    unsigned Flags;
    std::string Filter;
    std::string CustomFilter;
    std::string InitialDir;
    std::string DefExt;
    int MaxPath;
    int FilterIndex;
    std::string FileName;
  };
};

class TFileOpenDialog {
 public:
  TFileOpenDialog(TWindow* parent, TOpenSaveDialog::TData& data) : parent_(parent), data_(data) {}
  int Execute();  // IDOK with the name in the data, or IDCANCEL

 private:
  TWindow* parent_;
  TOpenSaveDialog::TData& data_;
};

// With OFN_OVERWRITEPROMPT the name of an existing file is taken only once
// the user agrees to replace it; "No" goes back to the dialog.
class TFileSaveDialog {
 public:
  TFileSaveDialog(TWindow* parent, TOpenSaveDialog::TData& data) : parent_(parent), data_(data) {}
  int Execute();

 private:
  TWindow* parent_;
  TOpenSaveDialog::TData& data_;
};

// A modal dialog of the module, by number: run until one of its buttons or the
// Escape key or the close box ends it, then destroyed. Execute returns the
// button's id (IDOK for "Ok") or IDCANCEL.
class TDialog {
 public:
  TDialog(TWindow* parent, int resId) : parent_(parent), resId_(resId) {}
  int Execute();

 private:
  TWindow* parent_;
  int resId_;
};

// The owner may be null. On the UI thread, like every dialog.
int MessageBox(TWindow* owner, const char* text, const char* caption, unsigned type);
void MessageBeep(unsigned type);

// The user-facing services behind the functions above. Always called on the UI thread.
class TDesktop {
 public:
  enum class TFileDialogKind { Open, Save };
  virtual ~TDesktop() = default;
  virtual int ShowMessageBox(TWindow* owner, const std::string& text, const std::string& caption,
                             unsigned type) = 0;
  virtual int RunFileDialog(TWindow* owner, TFileDialogKind kind, TOpenSaveDialog::TData& data) = 0;
  virtual int RunDialog(TWindow* owner, int resId) = 0;
  // A list to choose from (framework/ListDialog.h); a desktop that does not show one cancels it.
  virtual int RunListDialog(TWindow* owner, TListDialogData& data);
  virtual void Beep(unsigned type) = 0;
};

// Replaces the desktop (null puts the real one back).
void SetDesktop(TDesktop* desktop);
TDesktop& GetDesktop();
