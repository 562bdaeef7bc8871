// The About box as it opens from the Help menu: caption, controls in their
// places (dialog units turned into pixels by the dialog font), texts that fit,
// the "Ok" button and the keys that close it, and a picture of it.
#include <cmath>
#include <filesystem>

#include "UiFixture.h"

namespace {

class AboutBox : public UiTest {
 protected:
  // Pixels of a dialog-unit edge, as the dialog converts them.
  static int Px(int units, double perUnit) { return static_cast<int>(std::floor(units * perUnit + 0.5)); }
};

bool Overlap(const TRect& a, const TRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST_F(AboutBox, ControlsTextsAndLayout) {
  const TShownDialog about = DescribeDialog(window, 1001);
  EXPECT_EQ(about.Caption, "About Varek");
  EXPECT_TRUE(about.Modal);
  EXPECT_TRUE(about.SystemMenu);
  EXPECT_FALSE(about.Resizable);
  ASSERT_GT(about.UnitX, 0);
  ASSERT_GT(about.UnitY, 0);
  // 277 x 140 units, 21 and 12 units from the board window's corner.
  EXPECT_EQ(about.Size, TSize(Px(277, about.UnitX), Px(140, about.UnitY)));
  EXPECT_EQ(about.Offset, TPoint(Px(21, about.UnitX), Px(12, about.UnitY)));
  // Not a postage stamp, not a poster.
  EXPECT_GE(about.Size.cx, 350);
  EXPECT_LE(about.Size.cx, 700);

  using K = TShownControl;
  struct TExpected {
    K::TKind Kind;
    int Id, X, Y, W, H;
  };
  const TExpected layout[] = {{K::Icon, -1, 12, 11, 32, 32},    {K::Static, -1, 44, 8, 208, 8},
                              {K::Edit, 101, 44, 21, 220, 48},  {K::Edit, 102, 44, 79, 216, 10},
                              {K::Edit, 103, 44, 89, 216, 10},  {K::EtchedLine, -1, 4, 119, 268, 1},
                              {K::Button, IDOK, 215, 125, 50, 12}, {K::Static, -1, 44, 99, 216, 10}};
  ASSERT_EQ(about.Controls.size(), std::size(layout));
  for (size_t i = 0; i < std::size(layout); ++i) {
    const TShownControl& c = about.Controls[i];
    const TExpected& e = layout[i];
    SCOPED_TRACE("control " + std::to_string(i));
    EXPECT_EQ(c.Kind, e.Kind);
    EXPECT_EQ(c.Id, e.Id);
    EXPECT_EQ(c.Box.left, Px(e.X, about.UnitX));
    EXPECT_EQ(c.Box.top, Px(e.Y, about.UnitY));
    if (e.Kind == K::Icon) {
      // The picture stays square: the box keeps the smaller side.
      const int side = std::min(Px(e.X + e.W, about.UnitX) - c.Box.left, Px(e.Y + e.H, about.UnitY) - c.Box.top);
      EXPECT_EQ(c.Box.Width(), side);
      EXPECT_EQ(c.Box.Height(), side);
    } else {
      EXPECT_EQ(c.Box.right, Px(e.X + e.W, about.UnitX));
      if (e.Kind != K::EtchedLine) {
        EXPECT_EQ(c.Box.bottom, Px(e.Y + e.H, about.UnitY));
      }
    }
    EXPECT_LE(c.Box.right, about.Size.cx);
    EXPECT_LE(c.Box.bottom, about.Size.cy);
    EXPECT_TRUE(c.TextFits) << '"' << c.Text << '"';
  }
  // Nothing covers anything else.
  for (size_t i = 0; i < about.Controls.size(); ++i)
    for (size_t j = i + 1; j < about.Controls.size(); ++j)
      EXPECT_FALSE(Overlap(about.Controls[i].Box, about.Controls[j].Box)) << i << " and " << j;

  const TShownControl& icon = about.Controls[0];
  EXPECT_TRUE(icon.ShowsPicture);
  EXPECT_TRUE(icon.Framed);
  const TShownControl& title = about.Controls[1];
  EXPECT_NE(title.Text.find("Varek"), std::string::npos) << title.Text;
  EXPECT_NE(title.Text.find("99 beta"), std::string::npos) << title.Text;
  const TShownControl& note = about.Controls[2];
  EXPECT_TRUE(note.Multiline && note.ReadOnly && note.Framed);
  EXPECT_FALSE(note.TabStop);
  EXPECT_GT(note.Text.size(), 100u);
  for (const TShownControl* address : {&about.Controls[3], &about.Controls[4]}) {
    EXPECT_TRUE(address->ReadOnly);
    EXPECT_FALSE(address->Multiline);
    EXPECT_TRUE(address->TabStop);
  }
  EXPECT_EQ(about.Controls[3].Text.rfind("http://", 0), 0u) << about.Controls[3].Text;
  EXPECT_NE(about.Controls[4].Text.find('@'), std::string::npos) << about.Controls[4].Text;
  const TShownControl& ok = about.Controls[6];
  EXPECT_EQ(ok.Text, "Ok");
  EXPECT_TRUE(ok.Default);
  EXPECT_TRUE(ok.TabStop);
  EXPECT_FALSE(about.Controls[7].Text.empty());

  // The picture, for a person to look at; the icon's red king shows in it.
  const std::filesystem::path dir = std::filesystem::path(VAREK_BINARY_DIR) / "screenshots";
  std::filesystem::create_directories(dir);
  EXPECT_TRUE(about.Picture.Save((dir / "about.png").string().c_str()));
  bool red = false;
  for (int y = icon.Box.top; y < icon.Box.bottom && !red; ++y)
    for (int x = icon.Box.left; x < icon.Box.right && !red; ++x)
      red = about.Picture.Color(x, y).Red() > 200 && about.Picture.Color(x, y).Green() < 60;
  EXPECT_TRUE(red);
}

// The Help menu runs the real dialog; "Ok", Escape and the keys of a modal
// dialog end it, and the window goes on.
class AboutBoxShown : public AboutBox {
 protected:
  void SetUp() override {
    AboutBox::SetUp();
    SetDesktop(nullptr);  // the real dialogs
  }
  static void SeeAndPressOk(void* data) {
    auto* self = static_cast<AboutBoxShown*>(data);
    self->seen = DescribeModalDialog(self->shown, self->window);
    self->pressed = PressModalButton("Ok");
  }
  static void Escape(void* data) { static_cast<AboutBoxShown*>(data)->pressed = EscapeModalDialog(); }
  TShownDialog shown;
  bool seen = false;
  bool pressed = false;
};

TEST_F(AboutBoxShown, HelpAboutOpensItAndOkClosesIt) {
  CallLater(50, &SeeAndPressOk, this);
  frame->ExecuteCommand(301);
  ASSERT_TRUE(seen);
  EXPECT_TRUE(pressed);
  EXPECT_EQ(shown.Caption, "About Varek");
  EXPECT_EQ(shown.Controls.size(), 8u);
  EXPECT_EQ(shown.Offset, TPoint(Px(21, shown.UnitX), Px(12, shown.UnitY)));

  pressed = false;
  CallLater(50, &Escape, this);
  frame->ExecuteCommand(301);
  EXPECT_TRUE(pressed);
  EXPECT_TRUE(frame->IsVisible());
  EXPECT_TRUE(frame->IsCommandEnabled(301));
}

}  // namespace
