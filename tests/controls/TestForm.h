#pragma once
// A small board: two backdrop shapes, two picture tiles over them, a hidden label over the left
// tile and a popup menu with shortcuts, built from its form description. Every handler logs.
#include <string>
#include <vector>

#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Menus.h"
#include "platform/controls/Shape.h"
#include "platform/core/Cp932.h"
#include "platform/host/HeadlessHost.h"

inline const char* const TestFormDescription = R"form(Board: TTestForm {
    Left = 20
    Top = 30
    BorderStyle = bsToolWindow
    Caption = "ボード"
    ClientHeight = 100
    ClientWidth = 200
    Color = clWhite
    FormStyle = fsStayOnTop
    PopupMenu = PopupMenu1
    Shape1: TShape {
        Left = 0
        Top = 0
        Width = 100
        Height = 100
        Brush.Color = 0xBFD5FF
        Pen.Style = psClear
    }
    Shape2: TShape {
        Left = 100
        Top = 0
        Width = 100
        Height = 100
        Brush.Color = 0x004080
        Pen.Color = 0x004080
        Pen.Style = psClear
    }
    Image1: TImage {
        Left = 0
        Top = 0
        Width = 100
        Height = 100
        Stretch = true
        OnClick = ImageClick
        OnDblClick = ImageDblClick
        OnMouseMove = ImageMouseMove
    }
    Image2: TImage {
        Left = 100
        Top = 0
        Width = 100
        Height = 100
        Stretch = true
        OnClick = ImageClick
        OnDblClick = ImageDblClick
        OnMouseMove = ImageMouseMove
    }
    Label1: TLabel {
        Left = 4
        Top = 4
        Width = 26
        Height = 16
        Caption = "1月"
        Font.Charset = SHIFTJIS_CHARSET
        Font.Color = clBlack
        Font.Height = -16
        Font.Name = "ＭＳ Ｐゴシック"
        Font.Style = [fsBold]
        ParentFont = false
        Transparent = true
        Visible = false
    }
    PopupMenu1: TPopupMenu {
        AutoHotkeys = maManual
        Save1: TMenuItem {
            Caption = "保存(&S)..."
            ShortCut = 16467
            OnClick = MenuClick
        }
        N1: TMenuItem {
            Caption = "-"
        }
        N2: TMenuItem {
            Caption = "割り振り(&N)"
            OnClick = MenuClick
            N6: TMenuItem {
                Caption = "白い月日(&W)"
                ShortCut = 8304
                OnClick = MenuClick
            }
            N5: TMenuItem {
                Caption = "白い星座(&I)"
                ShortCut = 24688
                OnClick = MenuClick
            }
            N8: TMenuItem {
                Caption = "なし(&N)"
                Checked = true
                ShortCut = 45
                OnClick = MenuClick
            }
        }
        D1: TMenuItem {
            Caption = "ぜんぶ消去(&D)"
            ShortCut = 46
            OnClick = MenuClick
        }
        X1: TMenuItem {
            Caption = "使えない(&X)"
            Enabled = false
            ShortCut = 16472
            OnClick = MenuClick
        }
    }
}
)form";

class TTestForm : public TForm {
public:
    explicit TTestForm(TComponent* owner, const char* description = TestFormDescription) : TForm(owner)
    {
        LoadDescription(description);
        BindComponent(Shape1, "Shape1");
        BindComponent(Shape2, "Shape2");
        BindComponent(Image1, "Image1");
        BindComponent(Image2, "Image2");
        BindComponent(Label1, "Label1");
        BindComponent(PopupMenu1, "PopupMenu1");
    }

    TMethodTable Methods() override
    {
        return {Method("ImageClick", this, &TTestForm::ImageClick),
                Method("ImageDblClick", this, &TTestForm::ImageDblClick),
                Method("ImageMouseMove", this, &TTestForm::ImageMouseMove),
                Method("MenuClick", this, &TTestForm::MenuClick)};
    }

    void ImageClick(TObject* sender) { Log.push_back(NameOf(sender) + " click"); }
    void ImageDblClick(TObject* sender) { Log.push_back(NameOf(sender) + " dblclick"); }
    void ImageMouseMove(TObject* sender, TShiftState, int X, int Y)
    {
        Log.push_back(NameOf(sender) + " move " + std::to_string(X) + "," + std::to_string(Y));
    }
    void MenuClick(TObject* sender) { Log.push_back(NameOf(sender)); }

    static std::string NameOf(TObject* sender) { return static_cast<TComponent*>(sender)->Name(); }

    TShape* Shape1 = nullptr;
    TShape* Shape2 = nullptr;
    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TLabel* Label1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    std::vector<std::string> Log;
};

// A headless host with the test form shown.
struct TBoardFixture {
    THeadlessHost Host;
    TTestForm* Form;
    TBoardFixture() : Form(new TTestForm(Application))
    {
        Application->SetTitle(Sjis("ティロラ"));
        Form->Show();
        Host.ProcessPaints();
    }
    TMenuItem* Item(const char* name) { return Form->Find<TMenuItem>(name); }
};
