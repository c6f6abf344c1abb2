// The application object, timers, dialogs and the platform speed button's groups.
#include <gtest/gtest.h>

#include "platform/controls/Buttons.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/ShellApi.h"
#include "platform/controls/SaveDialog.h"
#include "platform/controls/Timer.h"
#include "tests/controls/TestForm.h"

TEST(Application, ClosingTheMainFormEndsTheLoop)
{
    THeadlessHost host;
    Application->Initialize();
    Application->SetTitle(Sjis("ティロラ"));
    TTestForm* board = nullptr;
    Application->CreateForm(board);
    auto* second = new TForm(Application);
    EXPECT_EQ(Application->MainForm(), board);
    Application->Run();
    EXPECT_TRUE(board->Visible());
    EXPECT_FALSE(second->Visible());

    bool allow = false;
    board->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    host.CloseTarget();
    EXPECT_FALSE(host.QuitCalled);
    allow = true;
    host.CloseTarget();
    EXPECT_TRUE(host.QuitCalled);
    EXPECT_TRUE(Application->Terminated());

    // Another form only hides.
    second->Show();
    host.CloseTarget();
    EXPECT_FALSE(second->Visible());
}

TEST(Application, TimersTickOnTheHostsClockAndSurviveExceptions)
{
    THeadlessHost host;
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(200);
    EXPECT_EQ(host.RunningTimers(), 0) << "no handler, no timer";
    timer.SetOnTimer([&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        if (++ticks == 2)
            throw Exception("tick failed");
    });
    host.Advance(199);
    EXPECT_EQ(ticks, 0);
    host.Advance(1);
    EXPECT_EQ(ticks, 1);
    host.Advance(400);
    EXPECT_EQ(ticks, 3);
    ASSERT_EQ(host.MessageBoxes.size(), 1u);
    EXPECT_EQ(host.MessageBoxes[0].Text, "tick failed");
    timer.SetEnabled(false);
    host.Advance(1000);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(host.RunningTimers(), 0);
    // A handler that stops its own timer is not called again.
    timer.SetOnTimer([&](TObject*) {
        ++ticks;
        timer.SetEnabled(false);
    });
    timer.SetEnabled(true);
    host.Advance(1000);
    EXPECT_EQ(ticks, 4);
}

TEST(Application, MessageDialogsAndTheSaveDialogGoThroughTheHost)
{
    THeadlessHost host;
    Application->SetTitle(Sjis("ティロラ"));
    host.MessageBoxAnswers = {TModalResult::Yes, TModalResult::No};
    EXPECT_EQ(MessageDlg(Sjis("上書きしますか？"), mtConfirmation, mbYesNo, 0), mrYes);
    EXPECT_EQ(MessageDlg("again", mtConfirmation, mbYesNo, 0), mrNo);
    EXPECT_EQ(MessageDlg("closed", mtConfirmation, mbYesNo, 0), mrNone);  // nothing queued: the box was closed
    ShowMessage("plain");
    ASSERT_EQ(host.MessageBoxes.size(), 4u);
    EXPECT_EQ(host.MessageBoxes[0].Caption, Sjis("確認"));
    EXPECT_EQ(host.MessageBoxes[0].Kind, TMsgKind::Confirmation);
    EXPECT_EQ(host.MessageBoxes[0].Buttons, TMsgButtons::YesNo);
    EXPECT_EQ(host.MessageBoxes[3].Caption, Sjis("ティロラ"));
    EXPECT_EQ(host.MessageBoxes[3].Kind, TMsgKind::Plain);
    EXPECT_EQ(host.MessageBoxes[3].Buttons, TMsgButtons::Ok);

    TSavePictureDialog dialog(nullptr);
    dialog.SetDefaultExt("jpg");
    dialog.SetFilter(Sjis("JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg"));
    host.SaveDialogAnswers = {std::string("/tmp/board"), std::string("/tmp/board.bmp"), std::nullopt};
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/tmp/board.jpg");  // a name without extension gets the default
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/tmp/board.bmp");  // one with an extension keeps it
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/tmp/board.bmp");
    ASSERT_EQ(host.SaveDialogs.size(), 3u);
    EXPECT_EQ(host.SaveDialogs[0].FileName, "");
    EXPECT_EQ(host.SaveDialogs[1].FileName, "/tmp/board.jpg");  // the last choice is offered
    EXPECT_EQ(host.SaveDialogs[0].Filter, dialog.Filter());
    EXPECT_EQ(host.SaveDialogs[0].FilterIndex, 1);
    EXPECT_TRUE(host.SaveDialogs[0].Preview);
}

namespace {

struct TButtonsFixture {
    THeadlessHost Host;
    TForm* Form = new TForm(Application);
    TSpeedButton* A;
    TSpeedButton* B;
    TSpeedButton* Other;  // another group
    TButtonsFixture()
    {
        Form->LoadDescription(R"(F: TForm {
            ClientWidth = 100
            ClientHeight = 30
            A: TSpeedButton {
                Left = 0
                Top = 0
                GroupIndex = 1
                Down = true
            }
            B: TSpeedButton {
                Left = 30
                Top = 0
                GroupIndex = 1
            }
            Other: TSpeedButton {
                Left = 60
                Top = 0
                GroupIndex = 2
                Down = true
            }
        })");
        Form->BindComponent(A, "A");
        Form->BindComponent(B, "B");
        Form->BindComponent(Other, "Other");
        Form->Show();
    }
};

}  // namespace

TEST(SpeedButton, AGroupKeepsAtMostOneButtonDown)
{
    TButtonsFixture f;
    EXPECT_TRUE(f.A->Down()) << "a stored Down follows the stored GroupIndex";
    int clicks = 0;
    f.B->OnClick = [&](TObject*) { ++clicks; };
    f.Host.Click(35, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(f.B->Down());
    EXPECT_FALSE(f.A->Down());
    EXPECT_TRUE(f.Other->Down());
    // Without AllowAllUp the down button stays down; with it, a click raises it.
    f.Host.Click(35, 5);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(f.B->Down());
    f.A->SetAllowAllUp(true);
    EXPECT_TRUE(f.B->AllowAllUp()) << "the group takes over the value";
    EXPECT_FALSE(f.Other->AllowAllUp());
    f.Host.Click(35, 5);
    EXPECT_FALSE(f.B->Down());
    // A release outside does not click or latch.
    f.Host.Press(5, 5);
    f.Host.Release(90, 25);
    EXPECT_FALSE(f.A->Down());
    // Down needs a group.
    TSpeedButton loose(nullptr);
    loose.SetDown(true);
    EXPECT_FALSE(loose.Down());
}

TEST(SpeedButton, TheAnnouncementReachesEveryControlOfTheParent)
{
    TButtonsFixture f;
    std::vector<std::pair<intptr_t, TSpeedButton*>> heard;
    struct TListener : TGraphicControl {
        using TGraphicControl::TGraphicControl;
        std::vector<std::pair<intptr_t, TSpeedButton*>>* Heard = nullptr;
        void Dispatch(TMessage& m) override
        {
            if (m.Msg == CM_BUTTONPRESSED)
                Heard->push_back({m.WParam, reinterpret_cast<TSpeedButton*>(m.LParam)});
            TGraphicControl::Dispatch(m);
        }
    };
    auto* listener = new TListener(f.Form);
    listener->Heard = &heard;
    listener->SetParent(f.Form);
    f.B->SetDown(true);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], (std::pair<intptr_t, TSpeedButton*>{1, f.B}));
    f.B->SetDown(false);  // going up is not announced
    f.B->SetGroupIndex(3);
    EXPECT_EQ(heard.size(), 2u);
}

TEST(SpeedButton, ItsAcceleratorClicksItWhileItCanBeSeen)
{
    TButtonsFixture f;
    int clicks = 0;
    f.Other->SetCaption("&Go");
    f.Other->OnClick = [&](TObject*) { ++clicks; };
    f.Host.Key('G');
    f.Host.Char('g');
    EXPECT_EQ(clicks, 2);
    f.Other->SetEnabled(false);
    f.Host.Key('G');
    f.Other->SetEnabled(true);
    f.Other->Hide();
    f.Host.Key('G');
    f.Other->Show();
    f.Form->Hide();
    f.Other->Perform(CM_DIALOGCHAR, 'G');
    EXPECT_EQ(clicks, 2);
}

TEST(Application, BeepsAddressesAndMailAreRecorded)
{
    THeadlessHost host;
    EXPECT_TRUE(MessageBeep(0));
    EXPECT_GT(ShellExecuteA(nullptr, "OPEN", "http://example.net/info.php?pf=w&sn=board", "", "", SW_SHOW), 32);
    EXPECT_EQ(ShellExecuteA(nullptr, "print", "x", "", "", SW_SHOW), 0);
    host.MailResults.push_back(2);
    TMailRequest mail;
    mail.Subject = Sjis("(添付画像あり)");
    EXPECT_EQ(host.SendMail(mail), 2u);
    EXPECT_EQ(host.SendMail(mail), 0u);
    EXPECT_EQ(host.Beeps, 1);
    EXPECT_EQ(host.OpenedURLs, (std::vector<std::string>{"http://example.net/info.php?pf=w&sn=board"}));
    ASSERT_EQ(host.Mails.size(), 2u);
    EXPECT_EQ(host.Mails[0].Subject, Sjis("(添付画像あり)"));
}
