// The real list dialog with a long list whose rows are still coming in: they
// are listed as they come, under a progress bar, a filter typed meanwhile
// keeps to the rows that come later too, and the widest number shows whole.
#include <filesystem>
#include <memory>

#include "UiFixture.h"
#include "framework/ListDialog.h"
#include "tests/support/ListDialogDriving.h"

namespace {

class TComingRows : public TListRows {
 public:
  int Available = 0;
  static constexpr int All = 12345;
  int Count() override { return Available; }
  std::string Cell(int row, int column) override { return column == 0 ? std::to_string(row + 1) : "Ann"; }
  bool Complete() override { return Available == All; }
  double Progress() override { return static_cast<double>(Available) / All; }
  std::string Status() override { return Complete() ? "all of them" : "reading"; }
};

struct TSeen {
  std::vector<std::string> First, Typed, Narrowed;
  bool ProgressWhileComing = false, ProgressAfter = true, LastNumberWhole = false;
};

std::shared_ptr<TComingRows> rows;
TSeen seen;

std::vector<std::string> Containing(const std::string& digits) {
  std::vector<std::string> numbers;
  for (int n = 1; n <= TComingRows::All; ++n)
    if (std::to_string(n).find(digits) != std::string::npos) numbers.push_back(std::to_string(n));
  return numbers;
}

class ListDialog : public UiTest {};

TEST_F(ListDialog, RowsComingInAreListedFilteredAndShownWhole) {
  SetDesktop(nullptr);
  rows = std::make_shared<TComingRows>();
  rows->Available = 100;
  seen = TSeen();
  TListDialogData data;
  data.Caption = "Import PDN";
  data.Prompt = "&Type to find a game:";
  data.Columns = {"No.", "Black", "White"};
  data.Source = rows;
  CallLater(150, [](void*) {
    seen.First = ShownListRows();
    seen.ProgressWhileComing = ListProgressShown();
    const std::filesystem::path shots = std::filesystem::path(VAREK_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    GrabListDialog().Save((shots / "long-list-coming.png").c_str());
    TypeIntoListFilter("12");
    seen.Typed = ShownListRows();
    rows->Available = TComingRows::All;
  }, nullptr);
  CallLater(600, [](void*) {
    seen.ProgressAfter = ListProgressShown();
    seen.Narrowed = ShownListRows();  // all the rows with "12" now
    TypeIntoListFilter("345");
    seen.LastNumberWhole = !ShownListRows().empty() && ShownListRows().back() == "12345" &&
                           ListCellShownWhole(static_cast<int>(ShownListRows().size()) - 1, 0);
    const std::filesystem::path shots = std::filesystem::path(VAREK_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    GrabListDialog().Save((shots / "long-list.png").c_str());
    PressModalButton("OK");
  }, nullptr);
  EXPECT_EQ(TListDialog(window, data).Execute(), IDOK);
  SetDesktop(&desktop);

  EXPECT_EQ(seen.First.size(), 100u);
  EXPECT_TRUE(seen.ProgressWhileComing);
  EXPECT_FALSE(seen.ProgressAfter);
  EXPECT_EQ(seen.Typed, (std::vector<std::string>{"12"}));
  EXPECT_EQ(seen.Narrowed, Containing("12"));
  EXPECT_TRUE(seen.LastNumberWhole);
  EXPECT_EQ(data.Chosen, 12344);  // the first row kept: 12345
  EXPECT_TRUE(RowMatchesFilter({"x", "Ørjan"}, "øR"));
  rows.reset();
}

}  // namespace
