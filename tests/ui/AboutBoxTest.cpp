// The About box as it opens from the Help menu: caption, the icon beside the
// texts in their order, texts that fit, nothing covering anything else, the
// "Ok" button and the keys that close it, and a picture of it.
#include <filesystem>

#include "UiFixture.h"

namespace {

class AboutBox : public UiTest {};

bool Overlap(const TRect& a, const TRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST_F(AboutBox, ControlsTextsAndLayout) {
  const TShownDialog about = DescribeDialog(window, 1001);
  EXPECT_EQ(about.Caption, "About Varek");
  EXPECT_TRUE(about.Modal);
  EXPECT_TRUE(about.SystemMenu);
  EXPECT_FALSE(about.Resizable);
  // Not a postage stamp, not a poster.
  EXPECT_GE(about.Size.cx, 350);
  EXPECT_LE(about.Size.cx, 700);
  EXPECT_LE(about.Size.cy, 400);

  using K = TShownControl;
  const K::TKind kinds[] = {K::Icon, K::Static, K::Edit, K::Edit, K::Edit, K::Static, K::EtchedLine, K::Button};
  ASSERT_EQ(about.Controls.size(), std::size(kinds));
  for (size_t i = 0; i < std::size(kinds); ++i) {
    const TShownControl& c = about.Controls[i];
    SCOPED_TRACE("control " + std::to_string(i));
    EXPECT_EQ(c.Kind, kinds[i]);
    EXPECT_GT(c.Box.Width(), 0);
    EXPECT_GT(c.Box.Height(), 0);
    EXPECT_LE(c.Box.right, about.Size.cx);
    EXPECT_LE(c.Box.bottom, about.Size.cy);
    EXPECT_TRUE(c.TextFits) << '"' << c.Text << '"';
  }
  // Nothing covers anything else.
  for (size_t i = 0; i < about.Controls.size(); ++i)
    for (size_t j = i + 1; j < about.Controls.size(); ++j)
      EXPECT_FALSE(Overlap(about.Controls[i].Box, about.Controls[j].Box)) << i << " and " << j;

  // The icon, square and framed, at the top left; the texts beside it read
  // downwards; the line and the button below them all.
  const TShownControl& icon = about.Controls[0];
  EXPECT_TRUE(icon.ShowsPicture);
  EXPECT_TRUE(icon.Framed);
  EXPECT_EQ(icon.Box.Width(), icon.Box.Height());
  for (size_t i = 1; i <= 5; ++i) {
    EXPECT_GE(about.Controls[i].Box.left, icon.Box.right) << i;
    if (i > 1) {
      EXPECT_GE(about.Controls[i].Box.top, about.Controls[i - 1].Box.bottom) << i;
    }
  }
  const TShownControl& line = about.Controls[6];
  EXPECT_GE(line.Box.top, about.Controls[5].Box.bottom);
  EXPECT_GE(about.Controls[7].Box.top, line.Box.bottom);
  EXPECT_GT(about.Controls[7].Box.left, about.Size.cx / 2);  // at the right

  EXPECT_EQ(about.Controls[1].Text, "Varek 99 beta  -  (c) 1999 the Varek authors");
  const TShownControl& note = about.Controls[2];
  EXPECT_TRUE(note.Multiline && note.ReadOnly && note.Framed);
  EXPECT_FALSE(note.TabStop);
  EXPECT_EQ(note.Text.rfind("This is the second release of the Varek 99 beta.", 0), 0u) << note.Text;
  EXPECT_NE(note.Text.find("\nThanks to everyone"), std::string::npos) << note.Text;
  for (const TShownControl* address : {&about.Controls[3], &about.Controls[4]}) {
    EXPECT_TRUE(address->ReadOnly);
    EXPECT_FALSE(address->Multiline);
    EXPECT_TRUE(address->TabStop);
  }
  EXPECT_EQ(about.Controls[3].Text, "http://varek.example.org/");
  EXPECT_EQ(about.Controls[4].Text, "varek@example.org");
  EXPECT_EQ(about.Controls[5].Text, "Lindenmoor, Eastmark");
  const TShownControl& ok = about.Controls[7];
  EXPECT_EQ(ok.Text, "Ok");
  EXPECT_TRUE(ok.Default);
  EXPECT_TRUE(ok.TabStop);

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
  frame->ExecuteCommand(CmAbout);
  ASSERT_TRUE(seen);
  EXPECT_TRUE(pressed);
  EXPECT_EQ(shown.Caption, "About Varek");
  EXPECT_EQ(shown.Controls.size(), 8u);

  pressed = false;
  CallLater(50, &Escape, this);
  frame->ExecuteCommand(CmAbout);
  EXPECT_TRUE(pressed);
  EXPECT_TRUE(frame->IsVisible());
  EXPECT_TRUE(frame->IsCommandEnabled(CmAbout));
}

}  // namespace
