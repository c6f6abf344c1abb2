#pragma once
// A small board of our own controls for the desktop tests: four tiles that note the pointer,
// a popup menu with shortcuts and a submenu, and a file drop that notes the dropped paths.
#include <string>
#include <vector>

#include "platform/controls/Form.h"
#include "platform/controls/Menus.h"

class TShape;

class TTestForm : public TForm {
public:
    TTestForm();

    // Tile k (1 to 4) covers a quarter of the 600 by 448 client area, left to right, top to
    // bottom; its middle in client coordinates.
    static TPoint TileMiddle(int k);

    int LastTile = 0;          // the tile the pointer last moved over
    int DoubleClickedTile = 0;
    std::vector<std::string> Clicked;  // the names of the menu items clicked, in order
    std::vector<std::vector<std::string>> Drops;  // the paths of each drop
    TPopupMenu* Menu = nullptr;

    void Dispatch(TMessage& message) override;

private:
    TShape* AddTile(int k, TColor color);
    TMenuItem* AddItem(TMenuItem* parent, const char* name, const char* caption, TShortCut shortCut = scNone);
};
