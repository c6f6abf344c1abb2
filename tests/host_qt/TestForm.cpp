#include "tests/host_qt/TestForm.h"

#include "platform/controls/Application.h"
#include "platform/controls/Shape.h"
#include "platform/controls/ShellApi.h"
#include "platform/core/Cp932.h"

TTestForm::TTestForm() : TForm(Application)
{
    SetCaption(Sjis("ティロラ - (右クリックでポップアップメニュー)"));
    SetBounds(20, 20, 600, 448);
    SetBorderStyle(bsToolWindow);
    SetFormStyle(fsStayOnTop);
    SetColor(clWhite);
    SetAcceptsFiles(true);

    AddTile(1, 0xBFD5FF);
    AddTile(2, 0xB9FFFF);
    AddTile(3, 0x004080);
    TShape* ellipse = AddTile(4, 0x123456);
    ellipse->SetShape(stEllipse);

    Menu = new TPopupMenu(this);
    AddItem(Menu->Items(), "Save1", "保存(&S)...", scCtrl + 'S');
    AddItem(Menu->Items(), "N1", "-");
    TMenuItem* modes = AddItem(Menu->Items(), "N2", "月日/時刻/星座の割り振り(&N)");
    AddItem(modes, "N6", "白い月日(&W)", scShift + 0x70);
    AddItem(modes, "N5", "白い星座(&I)", scShift + scCtrl + 0x70);
    AddItem(modes, "N9", "-");
    AddItem(modes, "N8", "年月/時刻/星座なし(&N)", 0x2D)->SetChecked(true);
    AddItem(Menu->Items(), "D1", "ぜんぶ消去(&D)", 0x2E);
    TMenuItem* hidden = AddItem(Menu->Items(), "Hidden", "隠れた項目(&H)");
    hidden->SetVisible(false);
    AddItem(Menu->Items(), "N4", "インフォメーション(&I)...");
    SetPopupMenu(Menu);
}

TPoint TTestForm::TileMiddle(int k)
{
    return {(k - 1) % 2 * 300 + 150, (k - 1) / 2 * 224 + 112};
}

TShape* TTestForm::AddTile(int k, TColor color)
{
    auto* tile = new TShape(this);
    tile->SetParent(this);
    const TPoint middle = TileMiddle(k);
    tile->SetBounds(middle.X - 150, middle.Y - 112, 300, 224);
    tile->Brush()->SetColor(color);
    tile->OnMouseMove = [this, k](TObject*, TShiftState, int, int) { LastTile = k; };
    tile->OnDblClick = [this, k](TObject*) { DoubleClickedTile = k; };
    return tile;
}

TMenuItem* TTestForm::AddItem(TMenuItem* parent, const char* name, const char* caption, TShortCut shortCut)
{
    auto* item = new TMenuItem(this);
    item->SetName(name);
    item->SetCaption(Sjis(caption));
    item->SetShortCut(shortCut);
    item->OnClick = [this, name = std::string(name)](TObject*) { Clicked.push_back(name); };
    parent->Add(item);
    return item;
}

void TTestForm::Dispatch(TMessage& message)
{
    if (message.Msg != WM_DROPFILES) {
        TForm::Dispatch(message);
        return;
    }
    HDROP drop = reinterpret_cast<HDROP>(message.WParam);
    std::vector<std::string> paths;
    const unsigned count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (unsigned i = 0; i < count; ++i) {
        std::string path(DragQueryFileA(drop, i, nullptr, 0) + 1, '\0');
        path.resize(DragQueryFileA(drop, i, path.data(), static_cast<unsigned>(path.size())));
        paths.push_back(path);
    }
    Drops.push_back(paths);
    DragFinish(drop);
}
