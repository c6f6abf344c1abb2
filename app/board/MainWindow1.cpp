#include "app/board/MainWindow1.h"

#include <array>
#include <ctime>
#include <memory>

#include "app/board/BoardAddresses.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/Mapi.h"
#include "platform/controls/ShellApi.h"
#include "platform/controls/WinApi.h"
#include "platform/core/Cp932.h"
#include "platform/core/Files.h"
#include "platform/imaging/JPEGImage.h"

#ifndef TIRORA_INFO_HOST
#define TIRORA_INFO_HOST "tirora.example.net"
#endif

// The form description, MainWindow1.form, built into the program.
extern const char* const MainForm1Description;

TMainForm1* MainForm1 = nullptr;

namespace {

using TCaptionTexts = std::array<const char*, TMainForm1::LabelCount>;

// Label k's text for each caption kind: months clockwise from January at the top-left corner,
// the hours of a clock face with 12 on the third tile, the sign of the zodiac that begins in
// each month.
constexpr TCaptionTexts MonthTexts = {"1月", "2月", "3月", "4月", "5月", "6月",
                                      "7月", "8月", "9月", "10月", "11月", "12月"};
constexpr TCaptionTexts HourTexts = {"10:00", "11:00", "12:00", "1:00", "2:00", "3:00",
                                     "4:00", "5:00", "6:00", "7:00", "8:00", "9:00"};
constexpr TCaptionTexts ZodiacTexts = {"みずがめ", "うお", "おひつじ", "おうし", "ふたご", "かに",
                                       "しし", "おとめ", "てんびん", "さそり", "いて", "やぎ"};

// Releases a drop handle however the drop handler ends.
class TDropGuard {
public:
    explicit TDropGuard(HDROP drop) : FDrop(drop) {}
    ~TDropGuard() { DragFinish(FDrop); }
    TDropGuard(const TDropGuard&) = delete;
    TDropGuard& operator=(const TDropGuard&) = delete;

private:
    HDROP FDrop;
};

// The whole path of a dropped file, however long.
std::string DroppedPath(HDROP drop, unsigned index)
{
    const unsigned length = DragQueryFileA(drop, index, nullptr, 0);
    std::string path(length, '\0');
    if (length > 0)
        DragQueryFileA(drop, index, path.data(), length + 1);
    return path;
}

bool IsPictureExtension(const std::string& ext)
{
    for (const char* accepted : {".BMP", ".JPG", ".JPEG"})
        if (SameTextAscii(ext, accepted))
            return true;
    return false;
}

// The fields of tile k, its backdrop and its label, at index k - 1.
constexpr std::array<TImage* TMainForm1::*, TMainForm1::TileCount> TileFields = {
    &TMainForm1::Image1, &TMainForm1::Image2, &TMainForm1::Image3, &TMainForm1::Image4, &TMainForm1::Image5,
    &TMainForm1::Image6, &TMainForm1::Image7, &TMainForm1::Image8, &TMainForm1::Image9, &TMainForm1::Image10,
    &TMainForm1::Image11, &TMainForm1::Image12, &TMainForm1::Image13};
constexpr std::array<TShape* TMainForm1::*, TMainForm1::TileCount> ShapeFields = {
    &TMainForm1::Shape1, &TMainForm1::Shape2, &TMainForm1::Shape3, &TMainForm1::Shape4, &TMainForm1::Shape5,
    &TMainForm1::Shape6, &TMainForm1::Shape7, &TMainForm1::Shape8, &TMainForm1::Shape9, &TMainForm1::Shape10,
    &TMainForm1::Shape11, &TMainForm1::Shape12, &TMainForm1::Shape13};
constexpr std::array<TShadowLabel* TMainForm1::*, TMainForm1::LabelCount> LabelFields = {
    &TMainForm1::Label1, &TMainForm1::Label2, &TMainForm1::Label3, &TMainForm1::Label4,
    &TMainForm1::Label5, &TMainForm1::Label6, &TMainForm1::Label7, &TMainForm1::Label8,
    &TMainForm1::Label9, &TMainForm1::Label10, &TMainForm1::Label11, &TMainForm1::Label12};

} // namespace

const TClassInfo& TMainForm1::StaticClassInfo()
{
    static const TClassInfo info("TMainForm1", &TForm::StaticClassInfo(), {});
    return info;
}

TMainForm1::TMainForm1(TComponent* owner) : TForm(owner)
{
    RegisterClasses<TShadowLabel>();
    LoadDescription(MainForm1Description);
    BindComponent(Image0, "Image0");
    for (int k = 1; k <= TileCount; ++k) {
        BindComponent(this->*TileFields[k - 1], "Image" + std::to_string(k));
        BindComponent(this->*ShapeFields[k - 1], "Shape" + std::to_string(k));
    }
    for (int k = 1; k <= LabelCount; ++k)
        BindComponent(this->*LabelFields[k - 1], "Label" + std::to_string(k));
    BindComponent(PopupMenu1, "PopupMenu1");
    BindComponent(SavePictureDialog1, "SavePictureDialog1");
    BindComponent(Save1, "Save1");
    BindComponent(M1, "M1");
    BindComponent(N1, "N1");
    BindComponent(N2, "N2");
    BindComponent(N3, "N3");
    BindComponent(N4, "N4");
    BindComponent(N5, "N5");
    BindComponent(N6, "N6");
    BindComponent(N7, "N7");
    BindComponent(N8, "N8");
    BindComponent(N9, "N9");
    BindComponent(N10, "N10");
    BindComponent(N11, "N11");
    BindComponent(N12, "N12");
    BindComponent(D1, "D1");
    FTargetTile.clear();
    DragAcceptFiles(Handle(), true);
}

TMainForm1::~TMainForm1() = default;

TMethodTable TMainForm1::Methods()
{
    return {
        Method("Image1MouseMove", this, &TMainForm1::Image1MouseMove),
        Method("Image2MouseMove", this, &TMainForm1::Image2MouseMove),
        Method("Image3MouseMove", this, &TMainForm1::Image3MouseMove),
        Method("Image4MouseMove", this, &TMainForm1::Image4MouseMove),
        Method("Image5MouseMove", this, &TMainForm1::Image5MouseMove),
        Method("Image6MouseMove", this, &TMainForm1::Image6MouseMove),
        Method("Image7MouseMove", this, &TMainForm1::Image7MouseMove),
        Method("Image8MouseMove", this, &TMainForm1::Image8MouseMove),
        Method("Image9MouseMove", this, &TMainForm1::Image9MouseMove),
        Method("Image10MouseMove", this, &TMainForm1::Image10MouseMove),
        Method("Image11MouseMove", this, &TMainForm1::Image11MouseMove),
        Method("Image12MouseMove", this, &TMainForm1::Image12MouseMove),
        Method("Image13MouseMove", this, &TMainForm1::Image13MouseMove),
        Method("Image1DblClick", this, &TMainForm1::Image1DblClick),
        Method("Image2DblClick", this, &TMainForm1::Image2DblClick),
        Method("Image3DblClick", this, &TMainForm1::Image3DblClick),
        Method("Image4DblClick", this, &TMainForm1::Image4DblClick),
        Method("Image5DblClick", this, &TMainForm1::Image5DblClick),
        Method("Image6DblClick", this, &TMainForm1::Image6DblClick),
        Method("Image7DblClick", this, &TMainForm1::Image7DblClick),
        Method("Image8DblClick", this, &TMainForm1::Image8DblClick),
        Method("Image9DblClick", this, &TMainForm1::Image9DblClick),
        Method("Image10DblClick", this, &TMainForm1::Image10DblClick),
        Method("Image11DblClick", this, &TMainForm1::Image11DblClick),
        Method("Image12DblClick", this, &TMainForm1::Image12DblClick),
        Method("Image13DblClick", this, &TMainForm1::Image13DblClick),
        Method("Save1Click", this, &TMainForm1::Save1Click),
        Method("M1Click", this, &TMainForm1::M1Click),
        Method("D1Click", this, &TMainForm1::D1Click),
        Method("N4Click", this, &TMainForm1::N4Click),
        Method("N6Click", this, &TMainForm1::N6Click),
        Method("N7Click", this, &TMainForm1::N7Click),
        Method("N8Click", this, &TMainForm1::N8Click),
        Method("N10Click", this, &TMainForm1::N10Click),
        Method("N11Click", this, &TMainForm1::N11Click),
        Method("N5Click", this, &TMainForm1::N5Click),
        Method("N12Click", this, &TMainForm1::N12Click),
    };
}

void TMainForm1::Dispatch(TMessage& message)
{
    if (message.Msg == WM_DROPFILES)
        WMDropFiles(message);
    else
        TForm::Dispatch(message);
}

TImage* TMainForm1::Tile(int k) const { return k >= 1 && k <= TileCount ? this->*TileFields[k - 1] : nullptr; }

TShadowLabel* TMainForm1::TileLabel(int k) const
{
    return k >= 1 && k <= LabelCount ? this->*LabelFields[k - 1] : nullptr;
}

// ---- Tiles: drop and clearing ----

void TMainForm1::ClearTile(int k) { Tile(k)->Picture()->SetGraphic(nullptr); }

void TMainForm1::D1Click(TObject*)
{
    for (int k = 1; k <= TileCount; ++k)
        ClearTile(k);
}

void TMainForm1::WMDropFiles(TMessage& message)
{
    const auto drop = reinterpret_cast<HDROP>(message.WParam);
    TDropGuard release(drop);
    // The path is taken whole: a path cut at a fixed length could name another file.
    const std::string path = DroppedPath(drop, 0);
    if (!IsPictureExtension(ExtractFileExt(path)))
        return;
    for (int k = 1; k <= TileCount; ++k) {
        if (std::to_string(k) == FTargetTile) {
            Tile(k)->Picture()->LoadFromFile(path);
            return;
        }
    }
}

// ---- Caption modes ----

void TMainForm1::CheckLabelMode(TMenuItem* item)
{
    for (TMenuItem* mode : {N6, N7, N10, N11, N5, N12, N8})
        mode->SetChecked(mode == item);
}

void TMainForm1::ShowCaptions(TMenuItem* item, TCaptionKind kind, TColor color)
{
    CheckLabelMode(item);
    const TCaptionTexts& texts = kind == TCaptionKind::Months ? MonthTexts
                                 : kind == TCaptionKind::Hours ? HourTexts
                                                               : ZodiacTexts;
    for (int k = 1; k <= LabelCount; ++k) {
        TShadowLabel* label = TileLabel(k);
        label->SetCaption(Sjis(texts[k - 1]));
        label->SetVisible(true);
        label->Font()->SetColor(color);
    }
}

void TMainForm1::N6Click(TObject*) { ShowCaptions(N6, TCaptionKind::Months, clWhite); }
void TMainForm1::N7Click(TObject*) { ShowCaptions(N7, TCaptionKind::Months, clBlack); }
void TMainForm1::N10Click(TObject*) { ShowCaptions(N10, TCaptionKind::Hours, clWhite); }
void TMainForm1::N11Click(TObject*) { ShowCaptions(N11, TCaptionKind::Hours, clBlack); }
void TMainForm1::N5Click(TObject*) { ShowCaptions(N5, TCaptionKind::Zodiac, clWhite); }
void TMainForm1::N12Click(TObject*) { ShowCaptions(N12, TCaptionKind::Zodiac, clBlack); }

void TMainForm1::N8Click(TObject*)
{
    CheckLabelMode(N8);
    for (int k = 1; k <= LabelCount; ++k)
        TileLabel(k)->SetVisible(false);
}

// ---- Snapshot, saving and mail ----

void TMainForm1::CaptureBoard()
{
    // What the screen shows: anything marked for painting is painted first.
    PaintPending();
    const TRect board{0, 0, 600, 448};
    Image0->Canvas()->CopyRect(board, Canvas(), board);
}

void TMainForm1::WriteSnapshot(TBitmap& bitmap, TJPEGImage& jpeg, const std::string& fileName)
{
    bitmap.Assign(Image0->Picture()->Bitmap());
    jpeg.Assign(&bitmap);
    jpeg.SetCompressionQuality(80);
    std::vector<uint8_t> bytes;
    jpeg.SaveToStream(bytes);
    // The file is replaced only by a complete new one: a failed write leaves the old file.
    WriteFileReplacing(fileName, bytes);
}

void TMainForm1::Save1Click(TObject*)
{
    auto jpeg = std::make_unique<TJPEGImage>();
    auto bitmap = std::make_unique<TBitmap>();
    CaptureBoard();
    if (!SavePictureDialog1->Execute())
        return;
    const std::string& fileName = SavePictureDialog1->FileName();
    if (FileExists(fileName)) {
        const std::string question = Utf8ToCp932(fileName) + Sjis(" は既に存在します。\n上書きしますか？");
        if (MessageDlg(question, mtConfirmation, mbYesNo) != mrYes)
            return;
    }
    WriteSnapshot(*bitmap, *jpeg, fileName);
}

void TMainForm1::M1Click(TObject*)
{
    const std::string stamp = MailTimeStamp(std::time(nullptr));
    const std::string fileName = MailAttachmentPath(ExecutablePath(), stamp);
    {
        auto jpeg = std::make_unique<TJPEGImage>();
        auto bitmap = std::make_unique<TBitmap>();
        CaptureBoard();
        WriteSnapshot(*bitmap, *jpeg, fileName);
    }

    const std::string subject = Sjis("(添付画像あり)");
    MapiRecipDesc recipient{0, MAPI_TO, "", "", 0, nullptr};
    MapiFileDesc attachment{0, 0, 0xFFFFFFFF, fileName.c_str(), nullptr, nullptr};
    MapiMessage message{0, subject.c_str(), "", nullptr, nullptr, nullptr, 0, nullptr, 1, &recipient, 1, &attachment};
    const uint32_t result = MAPISendMail(0, 0, &message, MAPI_LOGON_UI | MAPI_NEW_SESSION | MAPI_DIALOG, 0);
    if (result != 0) {
        MessageBeep(0);
        ShowMessage(Sjis("お使いのメーラーを｢通常使うメールソフト(規定のプログラム)｣に設定してください。"));
    }
    if (FileExists(fileName))
        DeleteFile(fileName);
}

void TMainForm1::N4Click(TObject*)
{
    const std::string address = InformationAddress(TIRORA_INFO_HOST, ExecutablePath());
    ShellExecuteA(Handle(), "OPEN", address.c_str(), "", "", SW_SHOW);
}
