// varek-import-bench: what Import PDN costs on a big collection. Makes a
// collection of COPIES copies of a PDN file one after another (by default the
// 22,621 master games five times over: 57.6 MB), starts the game window as the
// program does and imports it through the real list dialog, then prints the
// time until every game is listed, the longest the event loop went without
// turning while the file was read (what a click or a key waits at most), the
// time a filter text takes to apply to the whole list, and the resident
// memory before, at its peak and after the list is closed.
//
//   QT_QPA_PLATFORM=offscreen varek-import-bench [PDN [COPIES]]
//
// The program uses only what the window layer has offered since Import PDN
// first came, so the same file builds an older tree (bench/import.md).
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "framework/Dialogs.h"
#include "framework/Frame.h"
#include "framework/ListDialog.h"
#include "framework/Settings.h"
#include "framework/Toolkit.h"
#include "ui/VarekApp.h"
#include "bench/BenchSupport.h"

namespace {

using benchsupport::ProcessEventsFor;
using benchsupport::StatusMiB;

constexpr int CmFileImportPdn = 107;  // the same in every version

// Chooses the collection in the file dialog and shows the real list.
class TImportingDesktop : public TDesktop {
 public:
  explicit TImportingDesktop(std::string path) : path_(std::move(path)) {}
  int ShowMessageBox(TWindow*, const std::string& text, const std::string&, unsigned) override {
    std::printf("(message: %s)\n", text.c_str());
    return IDNO;
  }
  int RunFileDialog(TWindow*, TFileDialogKind, TOpenSaveDialog::TData& data) override {
    data.FileName = path_;
    return IDOK;
  }
  int RunDialog(TWindow*, int) override { return IDCANCEL; }
  int RunListDialog(TWindow* owner, TListDialogData& data) override { return RunQtListDialog(owner, data); }
  void Beep(unsigned) override {}

 private:
  std::string path_;
};

QDialog* OpenList() {
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  return dialog && dialog->objectName() == QStringLiteral("listDialog") ? dialog : nullptr;
}

// Every game listed: the list is open, and shows no progress bar (an older
// list had none: it opened once the whole file was read).
bool Listed(QDialog* dialog) {
  const auto* progress = dialog->findChild<QProgressBar*>(QStringLiteral("progress"));
  return !progress || progress->isHidden();
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const std::string source = argc > 1 ? argv[1] : VAREK_SOURCE_DIR "/../shared/data/games/OCA_2.0.pdn";
  const int copies = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  std::string text;
  {
    std::ifstream in(source, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (text.empty()) {
    std::fprintf(stderr, "varek-import-bench: cannot read %s\n", source.c_str());
    return 2;
  }
  const std::string collection = "/tmp/varek-import-bench-" + std::to_string(::getpid()) + ".pdn";
  {
    std::ofstream out(collection, std::ios::binary);
    for (int copy = 0; copy < copies; ++copy) out << text << "\n";
  }
  std::printf("collection: %d copies of %s, %.1f MB\n", copies, source.c_str(), (text.size() + 1.0) * copies / 1e6);
  text = std::string();

  const std::string settings = collection + ".ini";
  TSettings::UseFile(settings);
  StartToolkit(argc, argv);
  TImportingDesktop desktop(collection);
  SetDesktop(&desktop);
  {
    TVarekApp app;
    app.InitInstance();
    TDecoratedFrame& frame = *app.GetMainWindow();
    ProcessEventsFor(1000);  // the window shown and the endgame database loaded
    const double before = StatusMiB("VmRSS:");
    std::printf("resident before: %.1f MiB\n", before);

    // A tick every 5 ms notes how long the loop went without turning, until
    // every game is listed; then a filter is typed and the list closed.
    QElapsedTimer clock, sinceTick;
    double listedMs = -1, longestWaitMs = 0, filterMs = -1;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      if (listedMs < 0) longestWaitMs = std::max(longestWaitMs, sinceTick.nsecsElapsed() / 1e6);
      sinceTick.restart();
      QDialog* dialog = OpenList();
      if (!dialog || listedMs >= 0 || !Listed(dialog)) return;
      listedMs = clock.nsecsElapsed() / 1e6;
      auto* filter = dialog->findChild<QLineEdit*>(QStringLiteral("filter"));
      QElapsedTimer typing;
      typing.start();
      if (filter) filter->setText(QStringLiteral("Tinsley"));
      filterMs = typing.nsecsElapsed() / 1e6;
      QTimer::singleShot(100, dialog, &QDialog::reject);
    });
    QTimer::singleShot(0, [&] {
      clock.start();
      sinceTick.start();
      ticker.start(5);
      frame.ExecuteCommand(CmFileImportPdn);
      ticker.stop();
    });
    ProcessEventsFor(50);
    while (ticker.isActive() || !clock.isValid()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double peak = StatusMiB("VmHWM:");
    ProcessEventsFor(500);
    std::printf("every game listed: %.2f s\n", listedMs / 1000);
    std::printf("longest wait of the event loop while reading: %.0f ms\n", longestWaitMs);
    std::printf("filter typed into the whole list: %.0f ms\n", filterMs);
    std::printf("peak resident: %.1f MiB\n", peak);
    std::printf("resident after the list closed: %.1f MiB\n", StatusMiB("VmRSS:"));
  }
  SetDesktop(nullptr);
  StopToolkit();
  std::remove(collection.c_str());
  std::remove(settings.c_str());
  return 0;
}
