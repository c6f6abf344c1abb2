#pragma once
// TMainForm1: the board. Thirteen picture tiles over coloured backdrops, twelve caption labels,
// one popup menu whose shortcuts work while it is closed, and the hidden snapshot buffer that
// saving and mailing share. Its layout is the form description MainWindow1.form.
#include <string>

#include "controls/ShadoLbl/ShadowLabel.h"
#include "platform/controls/Form.h"
#include "platform/controls/Image.h"
#include "platform/controls/Menus.h"
#include "platform/controls/Messages.h"
#include "platform/controls/SaveDialog.h"
#include "platform/controls/Shape.h"

class TJPEGImage;

// Tile k's two handlers: a move over it makes it the target, a double click empties it.
#define TIRORA_TILE_HANDLERS(k)                                                          \
    void Image##k##MouseMove(TObject*, TShiftState, int, int) { SetTargetTile(k); }     \
    void Image##k##DblClick(TObject*) { ClearTile(k); }

class TMainForm1 : public TForm {
public:
    static constexpr int TileCount = 13;
    static constexpr int LabelCount = 12;

    explicit TMainForm1(TComponent* owner);
    ~TMainForm1() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    TMethodTable Methods() override;
    void Dispatch(TMessage& message) override;

    // Components of the form description.
    TImage *Image1, *Image2, *Image3, *Image4, *Image5, *Image6, *Image7, *Image8, *Image9;
    TShape *Shape1, *Shape2, *Shape3, *Shape4, *Shape5, *Shape6, *Shape7, *Shape8, *Shape9;
    TPopupMenu* PopupMenu1;
    TMenuItem* Save1;
    TSavePictureDialog* SavePictureDialog1;
    TImage* Image0;
    TMenuItem *M1, *N1, *N2;
    TShadowLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    TMenuItem *N3, *N4, *D1, *N6, *N7, *N8, *N10, *N11, *N9;
    TImage* Image10;
    TShape* Shape10;
    TImage* Image11;
    TShape* Shape11;
    TImage* Image12;
    TShape* Shape12;
    TShadowLabel* Label10;
    TImage* Image13;
    TShape* Shape13;
    TShadowLabel *Label11, *Label12;
    TMenuItem *N5, *N12;

    // Tile k (1 to 13) and label k (1 to 12).
    TImage* Tile(int k) const;
    TShadowLabel* TileLabel(int k) const;
    // The target tile as decimal text, "1" to "13", or empty before the pointer first crossed one.
    const std::string& TargetTile() const { return FTargetTile; }

    TIRORA_TILE_HANDLERS(1)
    TIRORA_TILE_HANDLERS(2)
    TIRORA_TILE_HANDLERS(3)
    TIRORA_TILE_HANDLERS(4)
    TIRORA_TILE_HANDLERS(5)
    TIRORA_TILE_HANDLERS(6)
    TIRORA_TILE_HANDLERS(7)
    TIRORA_TILE_HANDLERS(8)
    TIRORA_TILE_HANDLERS(9)
    TIRORA_TILE_HANDLERS(10)
    TIRORA_TILE_HANDLERS(11)
    TIRORA_TILE_HANDLERS(12)
    TIRORA_TILE_HANDLERS(13)

    void Save1Click(TObject* Sender);
    void M1Click(TObject* Sender);
    void D1Click(TObject* Sender);
    void N4Click(TObject* Sender);
    void N6Click(TObject* Sender);
    void N7Click(TObject* Sender);
    void N8Click(TObject* Sender);
    void N10Click(TObject* Sender);
    void N11Click(TObject* Sender);
    void N5Click(TObject* Sender);
    void N12Click(TObject* Sender);

    // The drop of files from the shell: the first file goes into the target tile.
    void WMDropFiles(TMessage& message);

private:
    enum class TCaptionKind { Months, Hours, Zodiac };

    void SetTargetTile(int k) { FTargetTile = std::to_string(k); }
    void ClearTile(int k);
    // Puts the check mark on one of the seven label-mode items only.
    void CheckLabelMode(TMenuItem* item);
    void ShowCaptions(TMenuItem* item, TCaptionKind kind, TColor color);

    // The board snapshot: capture the client area into Image0, then convert it through a
    // bitmap into the JPEG image at quality 80 and write it.
    void CaptureBoard();
    void WriteSnapshot(TBitmap& bitmap, TJPEGImage& jpeg, const std::string& fileName);

    std::string FTargetTile;
};

#undef TIRORA_TILE_HANDLERS

// The board window of the running program.
extern TMainForm1* MainForm1;
