// The board as users first meet it: backdrops, dropping pictures into the target tile, clearing.
#include "tests/board/BoardFixture.h"

#include <fstream>

#include "platform/controls/WinApi.h"
#include "platform/core/Cp932.h"

TEST_F(BoardTest, StartsAsAnEmptyFixedAlwaysOnTopBoard)
{
    EXPECT_EQ(Cp932ToUtf8(board->Caption()), "ティロラ - (右クリックでポップアップメニュー)");
    EXPECT_EQ(board->BackBuffer()->Width(), 600);
    EXPECT_EQ(board->BackBuffer()->Height(), 448);
    EXPECT_EQ(board->BorderStyle(), bsToolWindow);
    EXPECT_EQ(board->FormStyle(), fsStayOnTop);
    EXPECT_EQ(board->Left(), 20);
    EXPECT_EQ(board->Top(), 20);
    EXPECT_TRUE(board->AcceptsFiles());
    EXPECT_TRUE(board->TargetTile().empty());
    EXPECT_TRUE(board->N8->Checked());

    // Four peach corners, eight pale yellow border tiles, the brown centre; no gaps between.
    for (int k = 1; k <= 13; ++k) {
        const uint32_t expected = k == 13 ? Brown : (k == 1 || k == 4 || k == 7 || k == 10) ? Peach : PaleYellow;
        const TImage* t = board->Tile(k);
        for (TPoint p : {TPoint{t->Left(), t->Top()}, TPoint{t->Left() + t->Width() - 1, t->Top() + t->Height() - 1}})
            EXPECT_EQ(host.Pixel(p.X, p.Y), expected) << "tile " << k;
        EXPECT_FALSE(board->TileLabel(k <= 12 ? k : 1)->Visible());
    }
}

TEST_F(BoardTest, PictureLandsInTheTileThePointerLastCrossed)
{
    const std::string red = WriteJpeg("red.jpg", Red);
    struct Case { std::vector<int> path; bool leave; int dropAt; int expected; };
    // In order: the target is never cleared, so the first case alone sees no target.
    const Case cases[] = {
        {{}, false, 7, 0},        // no tile crossed yet: nothing loads
        {{5, 13}, false, 1, 13},  // the drop point plays no part
        {{3}, true, 8, 3},        // left the board, dropped elsewhere without a move reaching it
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, false, 2, 12},
    };
    for (const Case& c : cases) {
        board->D1Click(nullptr);
        for (int k : c.path) {
            const TPoint p = Inside(k);
            host.MoveTo(p.X, p.Y);
        }
        if (c.leave)
            host.Leave();
        const TPoint at = Inside(c.dropAt);
        host.DropFiles({red}, at.X, at.Y);
        for (int k = 1; k <= 13; ++k)
            EXPECT_EQ(Near(TileColour(k), Red), k == c.expected) << "tile " << k << ", expected " << c.expected;
    }
    EXPECT_TRUE(host.MessageBoxes.empty());
}

TEST_F(BoardTest, AVisibleCaptionTakesThePointerFromItsTile)
{
    host.MoveTo(Inside(2).X, Inside(2).Y);
    board->N6Click(nullptr);
    const TShadowLabel* label = board->Label5;
    host.MoveTo(label->Left() + 2, label->Top() + 2);
    EXPECT_EQ(board->TargetTile(), "2");
    board->N8Click(nullptr);
    host.MoveTo(label->Left() + 2, label->Top() + 2);
    EXPECT_EQ(board->TargetTile(), "5");
}

TEST_F(BoardTest, OnlyPictureExtensionsAreTakenInAnyLetterCase)
{
    struct Case { const char* name; bool accepted; };
    const Case cases[] = {
        {"PHOTO.JPG", true}, {"photo.jpg", true}, {"photo.Jpeg", true}, {"a.b.jpeg", true},
        {"photo.jpe", false}, {"photo.gif", false}, {"photo.png", false}, {"photo", false},
    };
    for (const Case& c : cases) {
        board->D1Click(nullptr);
        DropOnto(6, {WriteJpeg(c.name, Green)});
        EXPECT_EQ(Near(TileColour(6), Green), c.accepted) << c.name;
    }
    board->D1Click(nullptr);
    DropOnto(6, {WriteBmp("scan.bmp", Blue)});
    EXPECT_EQ(TileColour(6), Blue);

    // A folder named like a picture does not make its file one.
    std::filesystem::create_directories(dir / "pics.jpg");
    board->D1Click(nullptr);
    DropOnto(6, {WriteJpeg("pics.jpg/photo", Green)});
    EXPECT_EQ(TileColour(6), PaleYellow);
    EXPECT_TRUE(host.MessageBoxes.empty());
}

TEST_F(BoardTest, OnlyTheFirstOfSeveralFilesIsLoadedAndLongPathsStayWhole)
{
    DropOnto(9, {WriteBmp("first.bmp", Blue), WriteJpeg("second.jpg", Red)});
    EXPECT_EQ(TileColour(9), Blue);

    // Far past the old 260-byte limit.
    std::filesystem::path deep = dir;
    for (int i = 0; i < 6; ++i)
        deep /= std::string(60, static_cast<char>('a' + i));
    std::filesystem::create_directories(deep);
    const std::string longPath = (deep / "photo.jpg").string();
    ASSERT_GT(longPath.size(), 360u);
    std::filesystem::copy_file(WriteJpeg("green.jpg", Green), longPath);
    DropOnto(9, {longPath});
    EXPECT_TRUE(Near(TileColour(9), Green));
    EXPECT_TRUE(host.MessageBoxes.empty());
}

TEST_F(BoardTest, ReplacingDoubleClickAndEraseAll)
{
    const std::string red = WriteJpeg("red.jpg", Red);
    DropOnto(4, {red});
    DropOnto(4, {WriteBmp("blue.bmp", Blue)});
    EXPECT_EQ(TileColour(4), Blue);
    DropOnto(13, {red});
    DropOnto(10, {red});

    const TPoint p = Inside(4);
    host.DoubleClick(p.X, p.Y);
    EXPECT_EQ(TileColour(4), Peach);
    EXPECT_TRUE(Near(TileColour(13), Red));
    host.DoubleClick(p.X, p.Y);  // an empty tile stays empty
    EXPECT_EQ(TileColour(4), Peach);

    // A double click on a visible caption does not empty the tile beneath.
    board->N11Click(nullptr);
    host.DoubleClick(board->Label10->Left() + 3, board->Label10->Top() + 3);
    EXPECT_TRUE(Near(host.Pixel(Inside(10).X, Inside(10).Y), Red));

    host.Key(VK_DELETE);
    for (int k : {4, 10, 13})
        EXPECT_FALSE(Near(TileColour(k), Red)) << k;
    EXPECT_EQ(TileColour(13), Brown);
    EXPECT_TRUE(board->Label1->Visible());
    EXPECT_EQ(board->TargetTile(), "10");
}

TEST_F(BoardTest, ADamagedPictureIsReportedAndTheTileKeepsItsPicture)
{
    DropOnto(2, {WriteBmp("good.bmp", Blue)});
    std::ofstream(Path("broken.bmp"), std::ios::binary) << "BM this is not a bitmap";
    std::ofstream(Path("broken.jpg"), std::ios::binary) << "\xFF\xD8\xFF\xE0 not really";
    struct Case { const char* name; const char* message; };
    const Case cases[] = {
        {"broken.bmp", "ビットマップイメージが不正です"},
        {"broken.jpg", "JPEG エラー #"},
        {"missing.jpg", "missing.jpg"},
    };
    for (const Case& c : cases) {
        host.MessageBoxes.clear();
        DropOnto(2, {Path(c.name)});
        ASSERT_EQ(host.MessageBoxes.size(), 1u) << c.name;
        EXPECT_EQ(host.MessageBoxes[0].Kind, TMsgKind::Error);
        EXPECT_EQ(Cp932ToUtf8(host.MessageBoxes[0].Caption), "ティロラ");
        EXPECT_NE(Cp932ToUtf8(host.MessageBoxes[0].Text).find(c.message), std::string::npos)
            << Cp932ToUtf8(host.MessageBoxes[0].Text);
        EXPECT_EQ(TileColour(2), Blue) << c.name;
        EXPECT_EQ(board->TargetTile(), "2");
    }
}
