// Set-up for the tests of whole game flows: a desktop that answers message
// boxes and file dialogs from a script (and records what was asked), a scratch
// folder for game files, and helpers that play moves with the mouse.
#pragma once

#include <stdlib.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "UiFixture.h"
#include "framework/ListDialog.h"
#include "game/GameFile.h"

// The number of moves of the saved game at `path`, or -1 when it does not load.
inline int SavedMoveCount(const std::string& path) {
  Game saved;
  return LoadGameFile(path, saved) == TLoadResult::Loaded ? saved.MoveCount : -1;
}

class TScriptedDesktop : public TRecordingDesktop {
 public:
  struct TFileDialogCall {
    TFileDialogKind Kind;
    std::string Offered;  // the name in the data when the dialog opened
    unsigned Flags;
    std::string Filter, DefExt;
    std::string InitialDir;
  };
  // Answers to the next message boxes, in order; MessageAnswer after them.
  std::deque<int> Answers;
  // Names chosen in the next file dialogs, in order; "" cancels, as does running out.
  std::deque<std::string> FileAnswers;
  std::vector<TFileDialogCall> FileDialogs;
  // Rows chosen in the next list dialogs, in order; -1 cancels, as does running out.
  std::deque<int> ListAnswers;
  // What each list showed: its rows once all have come in (as Rows), and
  // whether it sat on a window on the screen.
  std::vector<TListDialogData> ListDialogs;
  std::vector<std::string> ListStatus;
  std::vector<bool> ListOnShownWindow;

  // Whether a list answers before all its rows have come in.
  bool ListAnswersAtOnce = false;

  int RunListDialog(TWindow* owner, TListDialogData& data) override {
    TListDialogData shown = data;
    if (TListRows* source = data.Source.get()) {
      if (!ListAnswersAtOnce) ProcessEventsUntil([source] { return source->Complete(); }, 120000);
      shown.Rows.clear();
      for (int r = 0; r < source->Count(); ++r) {
        shown.Rows.emplace_back();
        for (size_t c = 0; c < data.Columns.size(); ++c) shown.Rows.back().push_back(source->Cell(r, static_cast<int>(c)));
      }
      shown.Source.reset();
      ListStatus.push_back(source->Status());
    } else {
      ListStatus.emplace_back();
    }
    ListDialogs.push_back(shown);
    ListOnShownWindow.push_back(ShownOnScreen(owner));
    if (ListAnswers.empty() || ListAnswers.front() < 0) {
      if (!ListAnswers.empty()) ListAnswers.pop_front();
      return IDCANCEL;
    }
    data.Chosen = ListAnswers.front();
    ListAnswers.pop_front();
    return IDOK;
  }

  int ShowMessageBox(TWindow* owner, const std::string& text, const std::string& caption, unsigned type) override {
    TRecordingDesktop::ShowMessageBox(owner, text, caption, type);
    if (Answers.empty()) return MessageAnswer;
    const int answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  int RunFileDialog(TWindow*, TFileDialogKind kind, TOpenSaveDialog::TData& data) override {
    FileDialogs.push_back({kind, data.FileName, data.Flags, data.Filter, data.DefExt, data.InitialDir});
    if (FileAnswers.empty()) return IDCANCEL;
    const std::string name = FileAnswers.front();
    FileAnswers.pop_front();
    if (name.empty()) return IDCANCEL;
    data.FileName = name;
    return IDOK;
  }
};

class GameFlowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    SetDesktop(&script);
    char pattern[] = "/tmp/varek-flows-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    UiTest::TearDown();
  }

  std::string PathOf(const char* name) const { return (folder / name).string(); }
  // Runs a command whose file dialog the user answers with `name`.
  void RunWithFileAnswer(int command, const std::string& name) {
    script.FileAnswers = {name};
    frame->ExecuteCommand(command);
  }

  // The user plays a legal move with the mouse: a press on its piece and, when
  // the piece has more than one move, a drag to its last square. `choice`
  // picks among the side's moves in the order the window offers them (and
  // wraps around when there are fewer).
  void PlayMove(int choice = 0) {
    std::vector<std::pair<int, int>> moves;  // from, to
    for (int k = 0; window->GameStatus.PossibleStart[k] != 0; ++k) {
      window->GameStatus.SetPossibleMoves(window->GameStatus.PossibleStart[k]);
      for (int m = 0; m < window->GameStatus.NumPossibleMoves; ++m)
        moves.emplace_back(window->GameStatus.PossibleStart[k], MoveDestination(window->GameStatus.PossibleMoves.Moves[m]));
    }
    ASSERT_FALSE(moves.empty()) << "the side to move has no move";
    const auto [from, to] = moves[choice % moves.size()];
    const int before = window->GameRecord.MoveCount;
    const int position = window->GameRecord.Position;
    SendMouse(*window, WM_LBUTTONDOWN, Centre(from));
    if (window->GameStatus.DragState == TDragState::Dragging) {
      SendMouse(*window, WM_MOUSEMOVE, Centre(to), MK_LBUTTON);
      SendMouse(*window, WM_LBUTTONUP, Centre(to));
    }
    // Shown at once, or in its own time when the test slowed the pauses.
    ASSERT_TRUE(ProcessEventsUntil([&] { return window->GameRecord.Position == position + 1; }, 5000))
        << "the move was not played (" << before << " before)";
    frame->EnableCommands();  // as the event loop does once it is idle
  }
  void PlayMoves(int count) {
    for (int i = 0; i < count; ++i) PlayMove(i % 3);
  }

  // The position the record gives after `n` moves.
  std::vector<int> ReplayedBoard(int n, TPlayer* side = nullptr) {
    int board[BoardSize];
    TPlayer s;
    const int position = window->GameRecord.Position;
    window->GameRecord.GoTo(n, board, &s);
    TPlayer back;
    int scratch[BoardSize];
    window->GameRecord.GoTo(position, scratch, &back);
    if (side) *side = s;
    return std::vector<int>(board, board + BoardSize);
  }
  std::vector<int> ShownBoard() const { return std::vector<int>(window->GameStatus.Board, window->GameStatus.Board + BoardSize); }

  // The window as it is now equals the window repainted from scratch.
  bool ScreenMatchesBoard() {
    const TBitmap shown = window->Snapshot();
    Repaint();
    const TBitmap fresh = window->Snapshot();
    if (shown.Width() != fresh.Width() || shown.Height() != fresh.Height()) return false;
    for (int y = 0; y < shown.Height(); ++y)
      for (int x = 0; x < shown.Width(); ++x)
        if (shown.Pixel(x, y) != fresh.Pixel(x, y)) return false;
    return true;
  }

  static std::vector<char> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void WriteBytes(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  // The files in the scratch folder, by name.
  std::vector<std::string> FolderContents() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  // The last message box, or an empty one.
  TRecordingDesktop::TMessage LastMessage() const {
    return script.Messages.empty() ? TRecordingDesktop::TMessage{"", "", 0} : script.Messages.back();
  }

  TScriptedDesktop script;
  std::filesystem::path folder;
};
