#include <gtest/gtest.h>

#include "platform/core/Color.h"
#include "platform/core/Cp932.h"
#include "platform/core/Exception.h"
#include "platform/core/Persistent.h"
#include "platform/core/Types.h"

TEST(Color, SystemColourChangeIsSeenByTheNextLookup)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(192, 192, 192));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(0, 0, 128));
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    SetSysColor(COLOR_BTNFACE, RGB(10, 20, 30));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(10, 20, 30));
    ResetSysColors();
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(192, 192, 192));
}

TEST(Rect, OffsetKeepsSizeAndRejectsNull)
{
    TRect r{1, 2, 11, 22};
    EXPECT_TRUE(OffsetRect(&r, -3, 4));
    EXPECT_EQ(r, (TRect{-2, 6, 8, 26}));
    EXPECT_FALSE(OffsetRect(nullptr, 1, 1));
}

TEST(Cp932, WalksCharactersByLeadBytes)
{
    const std::string month = Sjis("10月");  // two digits, one double-byte character
    ASSERT_EQ(month.size(), 4u);
    EXPECT_EQ(CharCount(month), 3u);
    EXPECT_EQ(ByteType(month, 1), mbSingleByte);
    EXPECT_EQ(ByteType(month, 2), mbLeadByte);
    EXPECT_EQ(ByteType(month, 3), mbTrailByte);
    // A trail byte in the ASCII range (0x5C, "\") is no path separator of its own.
    const std::string so = Sjis("ソ");
    EXPECT_EQ(so[1], '\\');
    EXPECT_EQ(ByteType(so, 1), mbTrailByte);
    // Half-width katakana are single bytes.
    EXPECT_EQ(CharCount(Sjis("ｱｲ")), 2u);
}

TEST(Cp932, RoundTripsThroughUnicode)
{
    const std::string text = Sjis("みずがめ ｢通常｣ &1");
    EXPECT_EQ(Cp932ToUtf8(text), "みずがめ ｢通常｣ &1");
    EXPECT_EQ(Cp932ToUtf32(Sjis("月")), U"月");
    EXPECT_EQ(Cp932ToUtf8("\x81"), "\xEF\xBF\xBD");  // a lone lead byte does not throw
}

TEST(Persistent, UnrelatedAssignRaisesTheAssignmentError)
{
    TPersistent a, b;
    try {
        a.Assign(&b);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(Cp932ToUtf8(e.Message), "TPersistent を TPersistent に代入することはできません");
    }
}
