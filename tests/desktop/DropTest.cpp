// Pictures dragged onto the running program from another program, and clearing the tiles.
#include "tests/desktop/BoardProgram.h"

namespace {

constexpr QRgb Red = 0xFFE01010, Green = 0xFF10C020;

class Drops : public Program {
protected:
    // A picture file of one colour; the format follows the extension.
    std::string Picture(const std::string& name, QRgb colour) const
    {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colour);
        const std::string path = (Files / name).string();
        EXPECT_TRUE(image.save(QString::fromStdString(path), name.ends_with(".bmp") ? "BMP" : "JPEG", 95));
        return path;
    }
};

} // namespace

TEST_F(Drops, APictureLandsInTheTileThePointerLastCrossed)
{
    // A JPEG carried across tiles 5 and 13 to tile 4; its name as file managers see them.
    ASSERT_TRUE(DragFile(Picture("写真 #1.JPG", Red), {TileMiddle(5), TileMiddle(13), TileMiddle(4)},
                         [&] { return Near(At(TileMiddle(4)), Red); }))
        << "the JPEG shows in tile 4";
    EXPECT_EQ(At(TileMiddle(5)), PaleYellowRgb) << "tile 5 keeps its backdrop";
    EXPECT_EQ(At(TileMiddle(13)), BrownRgb);

    // With the captions showing, a caption takes the pointer from its tile: a BMP carried over
    // tile 9 and let go on the caption of tile 8 lands in tile 9.
    ASSERT_TRUE(KeysToBoard({"ctrl+F2"}));
    ASSERT_TRUE(WaitUntil([&] { return DarkPixels(Shot(), Bounds(306, 340, 20, 16)) > 10; })) << "captions show";
    ASSERT_TRUE(DragFile(Picture("picture.bmp", Green), {TileMiddle(9), {312, 347}},
                         [&] { return Near(At(TileMiddle(9)), Green); }))
        << "the BMP shows in tile 9";
    EXPECT_EQ(At(TileMiddle(8)), PaleYellowRgb) << "tile 8, under the caption, keeps its backdrop";
    EXPECT_TRUE(Near(At(TileMiddle(4)), Red)) << "tile 4 keeps its picture";
}

TEST_F(Drops, DoubleClickEmptiesATileAndDelEmptiesAll)
{
    const QImage empty = Shot();
    ASSERT_TRUE(DragFile(Picture("red.jpg", Red), {TileMiddle(1)}, [&] { return Near(At(TileMiddle(1)), Red); }));
    ASSERT_TRUE(DragFile(Picture("green.bmp", Green), {TileMiddle(13)}, [&] { return Near(At(TileMiddle(13)), Green); }));

    ASSERT_TRUE(Xdotool(MoveTo(TileMiddle(1)) + QStringList{"click", "--repeat", "2", "--delay", "80", "1"}));
    EXPECT_TRUE(WaitUntil([&] { return At(TileMiddle(1)) == PeachRgb; })) << "tile 1 shows its backdrop again";
    EXPECT_TRUE(Near(At(TileMiddle(13)), Green)) << "the other picture stays";

    ASSERT_TRUE(DragFile(Picture("red.jpg", Red), {TileMiddle(6)}, [&] { return Near(At(TileMiddle(6)), Red); }));
    ASSERT_TRUE(KeysToBoard({"Delete"}));
    EXPECT_TRUE(WaitUntil([&] { return At(TileMiddle(13)) == BrownRgb && At(TileMiddle(6)) == PaleYellowRgb; }))
        << "Del empties every tile";
    EXPECT_TRUE(WaitUntil([&] { return Shot() == empty; })) << "the board is as it started";
}

TEST_F(Drops, ADamagedPictureIsReportedAndTheTileKeepsItsPicture)
{
    ASSERT_TRUE(DragFile(Picture("red.jpg", Red), {TileMiddle(2)}, [&] { return Near(At(TileMiddle(2)), Red); }));
    const std::string broken = (Files / "broken.jpg").string();
    WriteFile(broken, "not a picture at all");
    // The report comes once the drag is over, so the other program is not held up by it.
    ASSERT_TRUE(DragFile(broken, {TileMiddle(2)}, [&] { return !OtherWindows().isEmpty(); }));
    const QString report = WaitForWindowNamed("ティロラ");
    ASSERT_FALSE(report.isEmpty()) << "the error is reported";
    ASSERT_TRUE(Xdotool({"windowfocus", "--sync", report, "key", "Return"}));
    ASSERT_TRUE(WaitForBoardAlone());
    EXPECT_TRUE(WaitUntil([&] { return Near(At(TileMiddle(2)), Red); })) << "tile 2 keeps its picture";
}
