#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include "platform/core/Cp932.h"
#include "platform/host/qt/Dialogs.h"
#include "tests/host_qt/DesktopSession.h"
#include "tests/host_qt/FakeTools.h"

namespace fs = std::filesystem;

namespace {

// Runs answer on the modal dialog of type T as soon as it is open.
template <typename T>
void WhenOpen(std::function<void(T*)> answer)
{
    auto* poll = new QTimer(QCoreApplication::instance());
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        answer(dialog);
    });
    poll->start();
}

void PressKey(QWidget* widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

} // namespace

TEST(MessageBox, ConfirmationAnswersYesOnEnterNoOnEscapeNoneWhenClosed)
{
    REQUIRE_DISPLAY();
    const std::string text = Sjis("/tmp/a<b>.jpg は既に存在します。\n上書きしますか？");
    constexpr int CloseByFrame = 0;
    for (auto [key, expected] : {std::pair{int(Qt::Key_Return), TModalResult::Yes}, {int(Qt::Key_Escape), TModalResult::No},
                                 {CloseByFrame, TModalResult::None}}) {
        WhenOpen<QMessageBox>([&](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("確認"));
            EXPECT_EQ(box->text(), QStringLiteral("/tmp/a<b>.jpg は既に存在します。\n上書きしますか？"));
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            ASSERT_EQ(box->buttons().size(), 2);
            EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("はい(&Y)"));
            EXPECT_EQ(box->escapeButton()->text(), QStringLiteral("いいえ(&N)"));
            if (key == CloseByFrame)
                box->close();
            else
                PressKey(box, key);
        });
        EXPECT_EQ(ShowMessageBox(nullptr, text, Sjis("確認"), TMsgKind::Confirmation, TMsgButtons::YesNo), expected);
    }
}

TEST(MessageBox, ErrorAndPlainMessagesHaveOneOk)
{
    REQUIRE_DISPLAY();
    for (auto [kind, icon] : {std::pair{TMsgKind::Error, QMessageBox::Critical}, {TMsgKind::Plain, QMessageBox::NoIcon}}) {
        WhenOpen<QMessageBox>([&](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("ティロラ"));
            EXPECT_EQ(box->icon(), icon);
            ASSERT_EQ(box->buttons().size(), 1);
            EXPECT_EQ(box->standardButton(box->buttons()[0]), QMessageBox::Ok);
            PressKey(box, Qt::Key_Escape);
        });
        EXPECT_EQ(ShowMessageBox(nullptr, Sjis("JPEG エラー #42"), Sjis("ティロラ"), kind, TMsgButtons::Ok), TModalResult::Ok);
    }
}

TEST(SaveDialog, NameFiltersKeepTheDescriptionAndFindThePatterns)
{
    EXPECT_EQ(NameFilters(Sjis("JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg")),
              QStringList{QStringLiteral("JPEG ファイル (*.jpg;*.jpeg) (*.jpg *.jpeg)")});
    EXPECT_EQ(NameFilters("Bitmaps|*.bmp|All|*.*"), (QStringList{"Bitmaps (*.bmp)", "All (*)"}));
    EXPECT_TRUE(NameFilters("").isEmpty());
}

namespace {

struct TSaveCase {
    const char* typed;
    const char* expected;
};

// Opens the save dialog in dir, types a name and confirms; what the dialog returned.
std::string SaveAs(const fs::path& dir, const std::string& typed, bool* previewShown = nullptr)
{
    TSaveDialogRequest request;
    request.Filter = Sjis("JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg");
    request.DefaultExt = "jpg";
    request.FileName = (dir / "last.jpg").string();
    WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->directory().absolutePath().toStdString(), dir.string());
        EXPECT_EQ(dialog->findChild<QComboBox*>("fileTypeCombo")->currentText(), QStringLiteral("JPEG ファイル (*.jpg;*.jpeg)"));
        if (previewShown) {
            emit dialog->currentChanged(QString::fromStdString((dir / "picture.bmp").string()));
            auto labels = dialog->findChildren<QLabel*>();
            *previewShown = std::any_of(labels.begin(), labels.end(), [](QLabel* l) { return l->text() == "3 x 2"; });
        }
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(typed));
        static_cast<QDialog*>(dialog)->accept();
    });
    std::string chosen;
    EXPECT_TRUE(ShowSaveDialog(nullptr, request, chosen));
    return chosen;
}

} // namespace

TEST(SaveDialog, AddsTheDefaultExtensionAndNeverAsksAboutOverwriting)
{
    REQUIRE_DISPLAY();
    TScratchDir scratch;
    const fs::path dir = scratch.Dir();
    WriteFile(dir / "exists.jpg", "old");
    const TSaveCase cases[] = {
        {"board", "board.jpg"},
        {"board.bmp", "board.bmp"},
        {"exists.jpg", "exists.jpg"},  // the caller asks; the dialog just returns
    };
    for (const TSaveCase& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(SaveAs(dir, c.typed), (dir / c.expected).string());
    }
    EXPECT_EQ(ReadFile(dir / "exists.jpg"), "old");
}

TEST(SaveDialog, PreviewShowsTheSelectedPicture)
{
    REQUIRE_DISPLAY();
    TScratchDir scratch;
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString((scratch.Dir() / "picture.bmp").string())));
    bool previewShown = false;
    SaveAs(scratch.Dir(), "x", &previewShown);
    EXPECT_TRUE(previewShown);
}

TEST(SaveDialog, CancelLeavesTheNameAlone)
{
    REQUIRE_DISPLAY();
    WhenOpen<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    std::string chosen = "unchanged";
    EXPECT_FALSE(ShowSaveDialog(nullptr, TSaveDialogRequest{}, chosen));
    EXPECT_EQ(chosen, "unchanged");
}
