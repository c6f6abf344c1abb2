#include <gtest/gtest.h>
#include "platform/classes/FormDescription.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Menus.h"
#include "platform/controls/Shape.h"
#include "platform/core/Cp932.h"
#include "platform/host/HeadlessHost.h"

class TSmokeForm : public TForm {
public:
    using TForm::TForm;
    TMethodTable Methods() override { return {Method("Shape1MouseDown", this, &TSmokeForm::Shape1MouseDown), Method("Save1Click", this, &TSmokeForm::Save1Click)}; }
    void Shape1MouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) { Downs.push_back({X, Y}); }
    void Save1Click(TObject*) { ++Saves; }
    std::vector<TPoint> Downs;
    int Saves = 0;
};

TEST(Smoke, Builds)
{
    THeadlessHost host;
    auto* f = new TSmokeForm(Application);
    f->LoadDescription(R"(Form1: TForm {
    Left = 20
    Top = 20
    ClientWidth = 100
    ClientHeight = 50
    Color = clWhite
    Caption = "ティロラ"
    PopupMenu = PopupMenu1
    Shape1: TShape {
        Left = 10
        Top = 10
        Width = 20
        Height = 20
        Brush.Color = 0xBFD5FF
        Pen.Style = psClear
        OnMouseDown = Shape1MouseDown
    }
    Label1: TLabel {
        Left = 50
        Top = 5
        Caption = "1月"
        Transparent = true
    }
    PopupMenu1: TPopupMenu {
        Save1: TMenuItem {
            Caption = "保存(&S)..."
            ShortCut = 16467
            OnClick = Save1Click
        }
    }
})");
    f->Show();
    host.ProcessPaints();
    EXPECT_EQ(host.Pixel(15, 15), 0xFFD5BFu);
    EXPECT_EQ(host.Pixel(5, 5), 0xFFFFFFu);
    host.Click(12, 13);
    ASSERT_EQ(f->Downs.size(), 1u);
    EXPECT_EQ(f->Downs[0], (TPoint{2, 3}));
    host.Key('S', {ssCtrl});
    EXPECT_EQ(f->Saves, 1);
    auto* l = f->Find<TLabel>("Label1");
    std::printf("label %d %d %d %d\n", l->Left(), l->Top(), l->Width(), l->Height());
    std::printf("%s", WriteFormDescription(f).c_str());
}
