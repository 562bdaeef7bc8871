// The program's own pictures: every tool-bar glyph, the icon sizes, the hand
// cursor and the piece cursors exist with the sizes and hot spots the window
// relies on. Each picture is also written to screenshots/resources/ for a look.
#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <set>
#include <string>

#include "Colours.h"
#include "framework/Resources.h"
#include "resources/CommandIds.h"
#include "resources/VarekResources.h"
#include "ui/Graphics.h"
#include "ui/VarekApp.h"

using namespace CommandId;

namespace {

class Resources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    LoadResources(module);
    AddPieceCursors(module);
  }
  static void Save(const TBitmap& image, const std::string& name) {
    const std::filesystem::path dir = std::filesystem::path(VAREK_BINARY_DIR) / "screenshots" / "resources";
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(image.Save((dir / name).string().c_str()));
  }
  static int Opaque(const TBitmap& image) {
    int n = 0;
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x) n += (image.Pixel(x, y) >> 24) != 0;
    return n;
  }
  static TModule module;
};
TModule Resources::module;

TEST_F(Resources, ThirteenDifferentToolBarGlyphs) {
  std::set<std::string> seen;
  for (int id : {CmFileNew, CmFileOpen, CmFileSave, CmMovesUndo, CmMovesRedo, CmActionComputerGo, CmActionForceMove,
                 CmBoardInvertBoard, CmBoardSetup, CmBoardStarting, CmBoardClear, CmBoardBTurn, CmBoardWTurn}) {
    const TBitmap* glyph = module.FindBitmap(id);
    ASSERT_NE(glyph, nullptr) << id;
    EXPECT_EQ(glyph->Width(), 20);
    EXPECT_EQ(glyph->Height(), 20);
    EXPECT_GT(Opaque(*glyph), 40) << id;  // a drawing, not a blank
    std::string pixels;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) pixels += std::to_string(glyph->Pixel(x, y)) + ",";
    EXPECT_TRUE(seen.insert(pixels).second) << "glyph " << id << " repeats another";
    Save(*glyph, "glyph-" + std::to_string(id) + ".png");
  }
}

// For a screen of twice the density every glyph is drawn again at 40 x 40:
// the same picture (about four times the covered pixels), with finer edges
// than the small one blown up.
TEST_F(Resources, GlyphsDrawnAgainForDenserScreens) {
  for (int id : GlyphCommands()) {
    const TBitmap* glyph = module.FindBitmap(id);
    const TBitmap* denser = module.FindDenserBitmap(id);
    ASSERT_TRUE(glyph && denser) << id;
    const TBitmap& two = *denser;
    ASSERT_EQ(two.Width(), 40);
    ASSERT_EQ(two.Height(), 40);
    EXPECT_EQ(two.Image().devicePixelRatio(), 2.0);
    const double ratio = static_cast<double>(Opaque(two)) / Opaque(*glyph);
    EXPECT_GT(ratio, 3.0) << id;
    EXPECT_LT(ratio, 5.0) << id;
    int split = 0;
    for (int y = 0; y < 40; y += 2)
      for (int x = 0; x < 40; x += 2) {
        const std::uint32_t p = two.Pixel(x, y);
        split += p != two.Pixel(x + 1, y) || p != two.Pixel(x, y + 1) || p != two.Pixel(x + 1, y + 1);
      }
    EXPECT_GT(split, 20) << id;
    Save(two, "glyph-" + std::to_string(id) + "-2x.png");
  }
}

TEST_F(Resources, IconInEverySize) {
  const std::vector<TBitmap>* icon = module.FindIcon("IDI_VAREK");
  ASSERT_NE(icon, nullptr);
  std::set<int> sizes;
  for (const TBitmap& image : *icon) {
    EXPECT_EQ(image.Width(), image.Height());
    EXPECT_GT(Opaque(image), image.Width() * image.Height() / 3);
    sizes.insert(image.Width());
    Save(image, "icon-" + std::to_string(image.Width()) + ".png");
  }
  EXPECT_TRUE(sizes.count(16) && sizes.count(32) && sizes.count(256));
}

TEST_F(Resources, HandCursorIsBlackAndWhiteWithItsFingertipAtTheHotSpot) {
  const TModule::TCursorResource* hand = module.FindCursor(804);
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(hand->HotSpot, TPoint(0, 0));
  ASSERT_EQ(hand->Image.Width(), 32);
  ASSERT_EQ(hand->Image.Height(), 32);
  int black = 0, white = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const std::uint32_t p = hand->Image.Pixel(x, y);
      if (p == 0) continue;
      ASSERT_TRUE(p == 0xff000000u || p == 0xffffffffu) << x << "," << y;
      (p == 0xff000000u ? black : white)++;
    }
  EXPECT_GT(black, 40);
  EXPECT_GT(white, 60);
  bool tipNearCorner = false;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) tipNearCorner = tipNearCorner || hand->Image.Pixel(x, y) != 0;
  EXPECT_TRUE(tipNearCorner);
  Save(hand->Image, "cursor-804.png");
}

TEST_F(Resources, PieceCursorsLookLikeThePiecesAroundTheHotSpot) {
  const TGraphics colours;
  // 800 White man, 801 Black man, 802 White king, 803 Black king.
  const TColor tops[4] = {colours.WhiteTopColor, colours.BlackTopColor, colours.WhiteTopColor, colours.BlackTopColor};
  const TColor sides[4] = {colours.WhiteSideColor, colours.BlackSideColor, colours.WhiteSideColor,
                           colours.BlackSideColor};
  for (int k = 0; k < 4; ++k) {
    const TModule::TCursorResource* cursor = module.FindCursor(800 + k);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->HotSpot, TPoint(15, 15));
    const TBitmap& image = cursor->Image;
    ASSERT_EQ(image.Width(), 32);
    EXPECT_NE(image.Pixel(15, 15), 0u) << 800 + k;  // the hot spot is on the piece
    // Top face, rim and black outline all there; the smoothed edge blends them
    // with each other and with the transparent ground.
    int top = 0, side = 0, outline = 0, other = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const std::uint32_t p = image.Pixel(x, y);
        if ((p >> 24) != 255) continue;
        const TColor c = image.Color(x, y);
        top += c == tops[k], side += c == sides[k], outline += colours::Near(c, TColor::Black);
        other += !colours::Near(c, tops[k], 100) && !colours::Near(c, sides[k], 100) && !colours::Near(c, TColor::Black, 100);
      }
    EXPECT_GT(top, 100) << 800 + k;
    EXPECT_GT(side, 40) << 800 + k;
    EXPECT_GT(outline, 20) << 800 + k;
    EXPECT_EQ(other, 0) << 800 + k;
    // A king has a second rim: its figure is taller.
    int lowest = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if (image.Pixel(x, y) != 0) lowest = y;
    EXPECT_GT(lowest, k >= 2 ? 28 : 24);
    Save(image, "cursor-" + std::to_string(800 + k) + ".png");
  }
}

}  // namespace
