// Months, clock hours and zodiac signs over the border tiles, switched by the menu's shortcuts.
#include "tests/board/BoardFixture.h"

#include "platform/controls/WinApi.h"
#include "platform/core/Cp932.h"

namespace {

struct TMode {
    const char* name;
    uint16_t key;
    TShiftState shift;
    TMenuItem* TMainForm1::*item;
    TColor colour;
    const char* label1;
    const char* label10;
};

const TMode Modes[] = {
    {"white months", VK_F1, {ssShift}, &TMainForm1::N6, clWhite, "1月", "10月"},
    {"black months", VK_F2, {ssShift}, &TMainForm1::N7, clBlack, "1月", "10月"},
    {"white hours", VK_F1, {ssCtrl}, &TMainForm1::N10, clWhite, "10:00", "7:00"},
    {"black hours", VK_F2, {ssCtrl}, &TMainForm1::N11, clBlack, "10:00", "7:00"},
    {"white zodiac", VK_F1, {ssShift, ssCtrl}, &TMainForm1::N5, clWhite, "みずがめ", "さそり"},
    {"black zodiac", VK_F2, {ssShift, ssCtrl}, &TMainForm1::N12, clBlack, "みずがめ", "さそり"},
};

int CheckedModes(const TMainForm1& board)
{
    int n = 0;
    for (TMenuItem* item : {board.N6, board.N7, board.N10, board.N11, board.N5, board.N12, board.N8})
        n += item->Checked();
    return n;
}

} // namespace

TEST_F(BoardTest, EachShortcutShowsItsModeWithOneCheckMark)
{
    for (const TMode& mode : Modes) {
        host.Key(mode.key, mode.shift);
        EXPECT_TRUE((board->*mode.item)->Checked()) << mode.name;
        EXPECT_EQ(CheckedModes(*board), 1) << mode.name;
        for (int k = 1; k <= 12; ++k) {
            const TShadowLabel* label = board->TileLabel(k);
            EXPECT_TRUE(label->Visible());
            EXPECT_EQ(label->Font()->Color(), mode.colour) << mode.name;
        }
        EXPECT_EQ(Cp932ToUtf8(board->Label1->Caption()), mode.label1);
        EXPECT_EQ(Cp932ToUtf8(board->Label10->Caption()), mode.label10);
    }
    EXPECT_TRUE(host.Popups.empty());  // the menu never opened
}

TEST_F(BoardTest, InsHidesTheCaptionsAndKeepsTheirTexts)
{
    host.Key(VK_F2, {ssCtrl});
    host.Key(VK_INSERT);
    EXPECT_TRUE(board->N8->Checked());
    EXPECT_EQ(CheckedModes(*board), 1);
    for (int k = 1; k <= 12; ++k)
        EXPECT_FALSE(board->TileLabel(k)->Visible());
    EXPECT_EQ(Cp932ToUtf8(board->Label3->Caption()), "12:00");
    EXPECT_EQ(board->Label3->Font()->Color(), clBlack);
    // The tile under a hidden caption shows nothing of it.
    EXPECT_EQ(host.Pixel(board->Label3->Left() + 3, board->Label3->Top() + 8), PaleYellow);
}

TEST_F(BoardTest, CaptionsAreDrawnInTheModesColourWithASilverShadowInsideTheirTiles)
{
    DropOnto(1, {WriteBmp("dark.bmp", 0x101010)});
    host.Key(VK_F2, {ssShift, ssCtrl});  // black zodiac, also over a dark picture
    for (int k = 1; k <= 12; ++k) {
        const TShadowLabel* label = board->TileLabel(k);
        const TImage* tile = board->Tile(k);
        // The label sized itself to its caption, keeping its corner, and stays in its tile.
        EXPECT_GT(label->Width(), 10);
        EXPECT_LE(label->Left() + label->Width() + 1, tile->Left() + tile->Width()) << k;
        EXPECT_LE(label->Top() + label->Height() + 1, tile->Top() + tile->Height()) << k;
        int black = 0, silver = 0;
        for (int y = label->Top(); y < label->Top() + label->Height() + 1; ++y)
            for (int x = label->Left(); x < label->Left() + label->Width() + 1; ++x) {
                black += Near(host.Pixel(x, y), 0x000000, 40);
                silver += Near(host.Pixel(x, y), 0xC0C0C0, 24);
            }
        if (k != 1) {  // tile 1's picture is nearly black itself
            EXPECT_GT(black, 25) << k;
        }
        EXPECT_GT(silver, 8) << k;
    }
    // The four-character captions are the widest, and still fit.
    EXPECT_GT(board->Label1->Width(), board->Label2->Width());
    EXPECT_EQ(board->Label1->Left(), 4);
}

TEST_F(BoardTest, ARightClickAnywhereOpensTheSameMenu)
{
    board->N6Click(nullptr);
    host.RightClick(Inside(13).X, Inside(13).Y);
    host.RightClick(board->Label4->Left() + 3, board->Label4->Top() + 3);
    ASSERT_EQ(host.Popups.size(), 2u);
    EXPECT_EQ(host.Popups[0].Menu, board->PopupMenu1);
    EXPECT_EQ(host.Popups[1].Menu, board->PopupMenu1);

    // Choosing an item from the opened menu runs it.
    host.PopupChoices.push_back(board->N11);
    host.RightClick(Inside(5).X, Inside(5).Y);
    EXPECT_TRUE(board->N11->Checked());
    EXPECT_EQ(Cp932ToUtf8(board->Label5->Caption()), "2:00");
}
