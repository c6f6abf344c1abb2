// Forms from their descriptions, painting, stacking and the label's auto-size rule.
#include <gtest/gtest.h>

#include "platform/classes/FormDescription.h"
#include "platform/text/DrawText.h"
#include "tests/controls/Probe.h"
#include "tests/controls/TestForm.h"

namespace {

constexpr uint32_t Peach = 0xFFD5BF;  // Shape1's brush 0xBFD5FF as red, green, blue
constexpr uint32_t Brown = 0x804000;  // Shape2's 0x004080

// The size the label's text takes, measured directly.
TRect Measure(const TLabel& label, const std::string& text, uint32_t flags)
{
    TBitmap scratch(1, 1);
    TCanvas canvas(&scratch);
    canvas.SetFont(label.Font());
    TRect r{0, 0, label.Width(), label.Height()};
    DrawTextA(&canvas, text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT | DT_EXPANDTABS);
    return r;
}

}  // namespace

TEST(Form, DescriptionBuildsControlsInStackingOrderAndRoundTrips)
{
    TBoardFixture f;
    TTestForm& form = *f.Form;
    EXPECT_EQ(form.Caption(), Sjis("ボード"));
    EXPECT_EQ(form.ClientWidth(), 200);
    EXPECT_EQ(form.BackBuffer()->Width(), 200);
    EXPECT_EQ(form.BackBuffer()->Height(), 100);
    EXPECT_EQ(form.BorderStyle(), bsToolWindow);
    EXPECT_EQ(form.FormStyle(), fsStayOnTop);
    EXPECT_EQ(form.PopupMenu(), form.PopupMenu1);
    ASSERT_EQ(form.ControlCount(), 5);
    const std::vector<TControl*> order = {form.Shape1, form.Shape2, form.Image1, form.Image2, form.Label1};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(form.Controls(i), order[static_cast<size_t>(i)]);
    EXPECT_EQ(form.Shape1->Pen()->Style(), psClear);
    EXPECT_EQ(form.Label1->Font()->Style(), fsBold);
    EXPECT_EQ(form.Label1->Font()->Charset(), SHIFTJIS_CHARSET);
    EXPECT_FALSE(form.Label1->ParentFont());
    EXPECT_TRUE(form.Label1->Transparent());
    TMenuItem* n2 = f.Item("N2");
    ASSERT_EQ(n2->Count(), 3);
    EXPECT_EQ(n2->Items(2)->ShortCut(), VK_INSERT);
    EXPECT_TRUE(n2->Items(2)->Checked());
    EXPECT_EQ(n2->GetParentMenu(), form.PopupMenu1);
    EXPECT_TRUE(f.Item("N1")->IsLine());

    // Written out and read into a fresh form, it comes back the same.
    const std::string text = WriteFormDescription(&form);
    auto* copy = new TTestForm(Application, text.c_str());
    EXPECT_EQ(copy->Name(), "Board_1");  // the name is taken under the application
    EXPECT_EQ(copy->ControlCount(), 5);
    form.SetName("Other");
    copy->SetName("Board");
    EXPECT_EQ(WriteFormDescription(copy), text);
}

TEST(Form, PaintsItsColourThenVisibleControlsInOrder)
{
    TBoardFixture f;
    TTestForm& form = *f.Form;
    EXPECT_EQ(f.Host.Pixel(10, 50), Peach);  // empty tiles show their backdrops
    EXPECT_EQ(f.Host.Pixel(150, 50), Brown);

    TBitmap green(2, 2);
    green.Canvas()->Brush()->SetColor(clLime);
    green.Canvas()->FillRect({0, 0, 2, 2});
    form.Image1->Picture()->SetGraphic(&green);
    EXPECT_EQ(f.Host.Pixel(10, 50), Peach) << "invalidated, not painted yet";
    f.Host.ProcessPaints();
    EXPECT_EQ(f.Host.Pixel(10, 50), 0x00FF00u);
    EXPECT_EQ(f.Host.Pixel(99, 99), 0x00FF00u);  // stretched over the whole tile
    EXPECT_EQ(f.Host.Pixel(100, 99), Brown);

    // A hidden control is not painted; what lies under it shows again.
    form.Image1->Hide();
    f.Host.ProcessPaints();
    EXPECT_EQ(f.Host.Pixel(10, 50), Peach);
    form.Image1->Show();
    form.Image1->SendToBack();
    f.Host.ProcessPaints();
    EXPECT_EQ(f.Host.Pixel(10, 50), Peach);
    form.Image1->BringToFront();
    f.Host.ProcessPaints();
    EXPECT_EQ(f.Host.Pixel(10, 50), 0x00FF00u);

    // A transparent label draws only its text: no pixel of its rectangle takes its own colour.
    form.Image1->Picture()->SetGraphic(nullptr);
    form.Label1->Show();
    f.Host.ProcessPaints();
    const TRect r = form.Label1->BoundsRect();
    int backdrop = 0, dark = 0, white = 0;
    auto count = [&] {
        backdrop = dark = white = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                const uint32_t p = f.Host.Pixel(x, y);
                backdrop += p == Peach;
                dark += (p & 0xFF) < 0x80 && ((p >> 16) & 0xFF) < 0x80;
                white += p == 0xFFFFFF;
            }
    };
    count();
    EXPECT_GT(backdrop, 0);
    EXPECT_GT(dark, 0);
    EXPECT_EQ(white, 0);
    form.Label1->SetTransparent(false);  // now it fills itself with its colour, the form's white
    f.Host.ProcessPaints();
    count();
    EXPECT_EQ(backdrop, 0);
    EXPECT_GT(white, 0);
}

TEST(Form, ControlsPaintAtTheirPlaceClippedToThemselves)
{
    TBoardFixture f;
    auto* probe = new TProbe(f.Form);
    probe->SetBounds(50, 20, 10, 10);
    probe->SetParent(f.Form);
    f.Host.ProcessPaints();
    EXPECT_EQ(f.Host.Pixel(50, 20), 0x000000u);  // its own (0, 0)
    EXPECT_EQ(f.Host.Pixel(59, 29), 0x00FF00u);
    EXPECT_EQ(f.Host.Pixel(60, 29), Peach);
    EXPECT_EQ(f.Host.Pixel(49, 20), Peach);
    EXPECT_EQ(f.Host.Pixel(55, 30), Peach);

    // Repaint paints before it returns; Invalidate waits for the paint cycle.
    const int paints = probe->Paints;
    probe->Fill = clRed;
    probe->Invalidate();
    EXPECT_EQ(f.Host.Pixel(55, 25), 0x00FF00u);
    probe->Repaint();
    EXPECT_EQ(f.Host.Pixel(55, 25), 0xFF0000u);
    EXPECT_GT(probe->Paints, paints);
    probe->Hide();
    probe->Invalidate();  // nothing to do for a hidden control
    f.Host.ProcessPaints();
    EXPECT_EQ(f.Host.Pixel(55, 25), Peach);

    // Its canvas outside painting reaches the back buffer at its place, clipped to it.
    probe->Show();
    f.Host.ProcessPaints();
    probe->Canvas()->Brush()->SetColor(clBlue);
    probe->Canvas()->FillRect({5, 5, 500, 500});
    EXPECT_EQ(f.Host.Pixel(59, 29), 0x0000FFu);
    EXPECT_EQ(f.Host.Pixel(60, 30), Peach);
}

TEST(Image, CanvasMakesABitmapOfTheControlsSizeOnFirstUse)
{
    TBoardFixture f;
    TImage* image = f.Form->Image2;
    EXPECT_EQ(image->Picture()->Graphic(), nullptr);
    image->Canvas()->SetPixel(3, 4, clRed);
    auto* bitmap = dynamic_cast<TBitmap*>(image->Picture()->Graphic());
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->Width(), 100);
    EXPECT_EQ(bitmap->Height(), 100);
    EXPECT_EQ(bitmap->PixelRGB(3, 4), 0xFF0000u);
    EXPECT_EQ(image->Canvas(), bitmap->Canvas());  // the same bitmap from then on

    TJPEGImage jpeg;
    jpeg.Assign(bitmap);
    image->Picture()->SetGraphic(&jpeg);
    EXPECT_THROW(image->Canvas(), EInvalidOperation);
}

TEST(Label, AutoSizeTakesTheCaptionsMeasuredSize)
{
    TBoardFixture f;
    TLabel& label = *f.Form->Label1;
    // Loading measured it once; its description's 26 x 16 is gone.
    TRect m = Measure(label, label.Caption(), 0);
    EXPECT_EQ(label.Width(), m.Right);
    EXPECT_EQ(label.Height(), m.Bottom);

    struct Case {
        const char* Caption;
        bool ShowAccelChar;
        const char* Measured;
        uint32_t Flags;
    };
    const Case cases[] = {
        {"10月", true, "10月", 0},
        {"A&B", true, "A&B", 0},           // the prefix does not count
        {"A&B", false, "A&B", DT_NOPREFIX},
        {"", true, " ", 0},                // empty: one space
        {"&", true, "& ", 0},              // a lone "&" too, while it marks accelerators
        {"&", false, "&", DT_NOPREFIX},
        {"a\tb", true, "a\tb", 0},
    };
    for (const Case& c : cases) {
        label.SetShowAccelChar(c.ShowAccelChar);
        label.SetCaption(Sjis(c.Caption));
        label.SetCaption(Sjis(c.Caption) + "x");  // any change re-measures
        label.SetCaption(Sjis(c.Caption));
        m = Measure(label, Sjis(c.Measured), c.Flags);
        EXPECT_EQ(label.Width(), m.Right) << c.Caption;
        EXPECT_EQ(label.Height(), m.Bottom) << c.Caption;
        EXPECT_GT(label.Width(), 0) << c.Caption;
    }

    // Right-justified, the right edge stays; the font re-measures too.
    label.SetShowAccelChar(true);
    label.SetAlignment(taRightJustify);
    label.SetCaption("W");
    const int32_t right = label.Left() + label.Width();
    label.SetCaption("WWWW");
    EXPECT_EQ(label.Left() + label.Width(), right);
    label.Font()->SetHeight(-30);
    EXPECT_EQ(label.Left() + label.Width(), right);
    EXPECT_EQ(label.Height(), Measure(label, "WWWW", 0).Bottom);

    // Without AutoSize nothing moves.
    label.SetAutoSize(false);
    const TRect before = label.BoundsRect();
    label.SetCaption("WWWWWWWWWWWW");
    EXPECT_EQ(label.BoundsRect(), before);
}

namespace {

// Records every size given to it and whether a description was being read at that time.
class TSizeLabel : public TLabel {
public:
    using TLabel::TLabel;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info("TSizeLabel", &TLabel::StaticClassInfo(), {}, Creates<TSizeLabel>);
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void SetBounds(int32_t l, int32_t t, int32_t w, int32_t h) override
    {
        Sizes.push_back({w, h, (ComponentState() & csReading) != 0});
        TLabel::SetBounds(l, t, w, h);
    }
    struct Size {
        int32_t W, H;
        bool Reading;
    };
    std::vector<Size> Sizes;
};

}  // namespace

TEST(Label, AutoSizeWaitsUntilTheDescriptionIsLoaded)
{
    THeadlessHost host;
    RegisterClasses<TSizeLabel>();
    auto* form = new TForm(Application);
    form->LoadDescription(R"(F: TForm {
        L: TSizeLabel {
            Width = 26
            Height = 16
            Caption = "1月"
            Font.Height = -16
            WordWrap = true
        }
    })");
    auto* label = form->Find<TSizeLabel>("L");
    ASSERT_TRUE(label);
    ASSERT_FALSE(label->Sizes.empty());
    for (size_t i = 0; i + 1 < label->Sizes.size(); ++i)
        EXPECT_TRUE(label->Sizes[i].Reading || label->Sizes[i].W == 65) << i;  // construction, or read
    const auto& last = label->Sizes.back();
    EXPECT_FALSE(last.Reading);
    const TRect m = Measure(*label, label->Caption(), DT_WORDBREAK);
    EXPECT_EQ(last.W, m.Right);
    EXPECT_EQ(last.H, m.Bottom);
}

TEST(Form, FontAndColourFollowTheParentUntilSetOnTheControl)
{
    TBoardFixture f;
    auto* label = new TLabel(f.Form);
    label->SetParent(f.Form);
    label->SetCaption("Abc");
    EXPECT_TRUE(label->ParentFont());
    EXPECT_TRUE(label->Font()->SameLook(*f.Form->Font()));
    EXPECT_EQ(label->Color(), clWhite);
    const int32_t small = label->Height();
    f.Form->Font()->SetHeight(-30);
    f.Form->SetColor(clYellow);
    EXPECT_EQ(label->Font()->Height(), -30);
    EXPECT_GT(label->Height(), small) << "the new font re-measured the caption";
    EXPECT_EQ(label->Color(), clYellow);
    EXPECT_TRUE(label->ParentFont());
    // Its own font and colour stop the following.
    label->Font()->SetHeight(-12);
    label->SetColor(clRed);
    EXPECT_FALSE(label->ParentFont());
    EXPECT_FALSE(label->ParentColor());
    f.Form->Font()->SetHeight(-40);
    f.Form->SetColor(clBlue);
    EXPECT_EQ(label->Font()->Height(), -12);
    EXPECT_EQ(label->Color(), clRed);
    label->SetParentFont(true);
    EXPECT_EQ(label->Font()->Height(), -40);
}
