#include <filesystem>

#include <gtest/gtest.h>
#include <jerror.h>

#include "ImagingTestUtil.h"
#include "platform/core/Cp932.h"
#include "platform/core/Exception.h"
#include "platform/graphics/Canvas.h"
#include "platform/imaging/BmpReader.h"
#include "platform/imaging/Picture.h"

namespace {

constexpr uint32_t Red = 0xFF0000, Blue = 0x0000FF;

// A 320 x 240 picture, left half red and right half blue, as a bitmap file and as a JPEG.
std::vector<uint8_t> HalvesBmp()
{
    TBitmap b(320, 240, pf24bit);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            b.SetPixelRGB(x, y, x < 160 ? Red : Blue);
    return EncodeBmp(b);
}
std::vector<uint8_t> HalvesJpeg()
{
    return MakeJpeg({320, 240, 95, false, JCS_RGB, JCS_UNKNOWN, true, [](int x, int) { return x < 160 ? Red : Blue; }});
}

struct TChangeCounter {
    int Count = 0;
    TNotifyEvent Handler() { return [this](TObject*) { ++Count; }; }
};

} // namespace

TEST(Picture, PicksTheKindByExtensionInAnyLetterCase)
{
    TScratchDir dir;
    const struct {
        const char* Name;
        bool Jpeg;
    } cases[] = {{"scan.bmp", false}, {"SCAN.BMP", false}, {"a.b.Bmp", false},
                 {"photo.jpg", true}, {"PHOTO.JPG", true}, {"photo.Jpeg", true}, {"photo.JPEG", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string path = dir.Write(c.Name, c.Jpeg ? HalvesJpeg() : HalvesBmp());
        TPicture picture;
        picture.LoadFromFile(path);
        ASSERT_NE(picture.Graphic(), nullptr);
        EXPECT_EQ(picture.Graphic()->ClassName(), c.Jpeg ? "TJPEGImage" : "TBitmap");
        EXPECT_EQ(picture.Width(), 320);
        EXPECT_EQ(picture.Height(), 240);
    }
}

TEST(Picture, FailedLoadsKeepThePreviousPictureAndSayWhy)
{
    TScratchDir dir;
    const std::string good = dir.Write("good.bmp", HalvesBmp());
    std::vector<uint8_t> damagedBmp = HalvesBmp();
    damagedBmp.resize(1000);
    const std::string missing = dir.Path("写真.jpg");
    const struct {
        const char* Name;
        std::string Path;
        std::string Message;
    } cases[] = {
        {"unknown extension", dir.Write("photo.gif", HalvesBmp()), Sjis("不明な拡張子のピクチャ ファイルです (.gif)")},
        {"no extension", dir.Write("photo", HalvesBmp()), Sjis("不明な拡張子のピクチャ ファイルです (.)")},
        {"missing file", missing, Format(Sjis("ファイル %s を開けません"), {Utf8ToCp932(missing)})},
        {"a folder", dir.Path("") + "..jpg", ""},
        {"damaged bitmap", dir.Write("bad.bmp", damagedBmp), Sjis("ビットマップイメージが不正です")},
        {"bitmap named as a JPEG", dir.Write("bmp.jpg", HalvesBmp()), Format(Sjis("JPEG エラー #%d"), {std::to_string(JERR_NO_SOI)})},
    };
    std::filesystem::create_directory(dir.Path("..jpg"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPicture picture;
        picture.LoadFromFile(good);
        TGraphic* before = picture.Graphic();
        TChangeCounter changes;
        picture.OnChange = changes.Handler();
        try {
            picture.LoadFromFile(c.Path);
            ADD_FAILURE() << "loaded without error";
        } catch (const Exception& e) {
            if (!c.Message.empty()) {
                EXPECT_EQ(e.Message, c.Message);
            }
        }
        EXPECT_EQ(picture.Graphic(), before);
        EXPECT_EQ(picture.Bitmap()->PixelRGB(10, 10), Red);
        EXPECT_EQ(changes.Count, 0);
    }
}

TEST(Picture, DisplaySizeKeepsLoadedPicturesSmall)
{
    TScratchDir dir;
    for (const char* name : {"halves.bmp", "halves.jpg"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.Write(name, std::string(name).ends_with("bmp") ? HalvesBmp() : HalvesJpeg());
        TPicture picture;
        picture.SetDisplaySize(150, 112);
        picture.LoadFromFile(path);
        EXPECT_EQ(picture.Width(), 150);
        EXPECT_EQ(picture.Height(), 112);
        // Drawn into the tile it fills it, each half in its colour.
        TBitmap tile(150, 112);
        tile.Canvas()->StretchDraw({0, 0, 150, 112}, picture.Graphic());
        EXPECT_LE(ChannelDistance(tile.PixelRGB(5, 50), Red), 4);
        EXPECT_LE(ChannelDistance(tile.PixelRGB(144, 50), Blue), 4);
    }
}

TEST(Picture, ReportsEveryChangeOfItsGraphic)
{
    TScratchDir dir;
    TPicture picture;
    TChangeCounter changes;
    picture.OnChange = changes.Handler();

    picture.LoadFromFile(dir.Write("a.jpg", HalvesJpeg()));
    EXPECT_EQ(changes.Count, 1);
    // Asking for the bitmap turns the JPEG into a bitmap of the same pixels.
    TBitmap* bitmap = picture.Bitmap();
    EXPECT_EQ(changes.Count, 2);
    EXPECT_EQ(picture.Graphic(), bitmap);
    EXPECT_EQ(bitmap->Width(), 320);
    EXPECT_LE(ChannelDistance(bitmap->PixelRGB(300, 100), Blue), 4);
    EXPECT_EQ(picture.Bitmap(), bitmap);
    EXPECT_EQ(changes.Count, 2);
    // Drawing on the held bitmap is a change of the picture.
    bitmap->Canvas()->FillRect({0, 0, 4, 4});
    EXPECT_EQ(changes.Count, 3);
    picture.SetGraphic(nullptr);
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(changes.Count, 4);
    // An empty picture asked for its bitmap gets an empty one.
    EXPECT_EQ(picture.Bitmap()->Width(), 0);
    EXPECT_EQ(changes.Count, 5);
}

TEST(Picture, AssignCopiesTheGraphic)
{
    TBitmap source(4, 3, pf24bit);
    source.SetPixelRGB(1, 1, Red);
    TPicture a, b;
    a.SetGraphic(&source);
    source.SetPixelRGB(1, 1, Blue);  // the picture holds its own copy
    b.Assign(&a);
    ASSERT_NE(b.Graphic(), a.Graphic());
    EXPECT_EQ(b.Bitmap()->PixelRGB(1, 1), Red);

    TJPEGImage jpeg;
    jpeg.Assign(&source);
    jpeg.SetCompressionQuality(80);
    b.Assign(&jpeg);
    auto* held = dynamic_cast<TJPEGImage*>(b.Graphic());
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->CompressionQuality(), 80);
    // Kept uncompressed until written: exactly the bitmap's pixels.
    EXPECT_EQ(held->Bitmap()->PixelRGB(1, 1), Blue);

    // A picture assigned to a bitmap hands over its pixels; nullptr empties a picture.
    TBitmap out;
    out.Assign(&b);
    EXPECT_EQ(out.Width(), 4);
    EXPECT_EQ(out.PixelRGB(1, 1), Blue);
    b.Assign(nullptr);
    EXPECT_EQ(b.Graphic(), nullptr);
    TPicture empty;
    EXPECT_THROW(out.Assign(&empty), EConvertError);
}

TEST(Picture, SavesWhatItHolds)
{
    TScratchDir dir;
    TPicture picture;
    picture.LoadFromFile(dir.Write("in.jpg", HalvesJpeg()));
    picture.SaveToFile(dir.Path("out.jpg"));
    TPicture back;
    back.LoadFromFile(dir.Path("out.jpg"));
    EXPECT_LE(ChannelDistance(back.Bitmap()->PixelRGB(10, 10), Red), 6);

    picture.Bitmap();
    picture.SaveToFile(dir.Path("out.bmp"));
    back.LoadFromFile(dir.Path("out.bmp"));
    EXPECT_EQ(back.Bitmap()->PixelRGB(10, 10), picture.Bitmap()->PixelRGB(10, 10));
}
