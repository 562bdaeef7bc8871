// The real open and save dialogs (Qt's own, offscreen): the filter as they
// list it, the default extension added to a typed name, the name they offer,
// and the question about a changed game as a real message box.
#include "FilesFixture.h"

namespace {

class RealDialogs : public GameFlowTest {
 protected:
  void SetUp() override {
    GameFlowTest::SetUp();
    SetDesktop(nullptr);
    window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  }
  // What the file dialog showed, then the name typed into it ("" to cancel).
  struct TVisit {
    explicit TVisit(std::string answer) : Answer(std::move(answer)) {}
    std::string Answer;
    bool Seen = false;
    TShownFileDialog Shown;
  };
  static void VisitFileDialog(void* data) {
    auto* visit = static_cast<TVisit*>(data);
    visit->Seen = DescribeFileDialog(visit->Shown);
    if (visit->Answer.empty()) {
      EscapeModalDialog();
    } else {
      AcceptFileDialog(visit->Answer);
    }
  }
  void Run(int command, TVisit& visit) {
    CallLater(100, &VisitFileDialog, &visit);
    frame->ExecuteCommand(command);
    ASSERT_TRUE(visit.Seen);
  }
};

TEST_F(RealDialogs, SaveAsAddsTheExtensionAndOpenOffersTheSameName) {
  PlayMoves(2);
  TVisit save(PathOf("my game"));
  Run(CmFileSaveAs, save);
  EXPECT_TRUE(save.Shown.Save);
  EXPECT_FALSE(save.Shown.ConfirmOverwrite);
  EXPECT_EQ(save.Shown.Filters, std::vector<std::string>{"Checkers Game (*.vrk)"});
  EXPECT_EQ(save.Shown.DefaultSuffix, "vrk");
  EXPECT_EQ(save.Shown.FileName, "");
  const std::string saved = PathOf("my game.vrk");
  EXPECT_EQ(window->FileData->FileName, saved);
  EXPECT_EQ(StatusText(), "game saved ~ 2 moves");
  EXPECT_TRUE(std::filesystem::exists(saved));

  // Open offers that file and takes only existing ones.
  frame->ExecuteCommand(CmFileNew);
  TVisit open(saved);
  Run(CmFileOpen, open);
  EXPECT_FALSE(open.Shown.Save);
  EXPECT_TRUE(open.Shown.MustExist);
  EXPECT_EQ(open.Shown.Filters, (std::vector<std::string>{"Checkers Games (*.vrk *.pdn)", "Checkers Game (*.vrk)",
                                                          "PDN Games (*.pdn)"}));
  EXPECT_EQ(open.Shown.FileName, "my game.vrk");
  EXPECT_EQ(StatusText(), "game loaded ~ 2 moves");
  EXPECT_EQ(window->GameRecord.MoveCount, 2);

  // Save As now offers it as well; cancelling keeps everything.
  TVisit again("");
  Run(CmFileSaveAs, again);
  EXPECT_EQ(again.Shown.FileName, "my game.vrk");
  EXPECT_EQ(window->FileData->FileName, saved);
  EXPECT_FALSE(window->Untitled);
}

struct TAnswer {
  explicit TAnswer(std::string pressed) : Pressed(std::move(pressed)) {}
  std::string Pressed;
  bool Seen = false;
  TShownDialog Shown;
};

void AnswerMessageBox(void* data) {
  auto* answer = static_cast<TAnswer*>(data);
  answer->Seen = DescribeModalDialog(answer->Shown);
  if (!PressModalButton(answer->Pressed)) EscapeModalDialog();
}

TEST_F(RealDialogs, TheQuestionAboutAChangedGameIsAMessageBox) {
  PlayMoves(1);
  TAnswer cancel("Cancel");
  CallLater(100, &AnswerMessageBox, &cancel);
  frame->ExecuteCommand(CmFileNew);
  ASSERT_TRUE(cancel.Seen);
  EXPECT_EQ(cancel.Shown.Caption, "Game has changed");
  EXPECT_EQ(window->GameRecord.MoveCount, 1);

  TAnswer no("No");
  CallLater(100, &AnswerMessageBox, &no);
  frame->ExecuteCommand(CmFileNew);
  ASSERT_TRUE(no.Seen);
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  EXPECT_EQ(StatusText(), "new game");
}

}  // namespace
