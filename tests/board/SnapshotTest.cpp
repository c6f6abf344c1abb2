// Saving the board as a JPEG and handing it to the mail program.
#include "tests/board/BoardFixture.h"

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/board/BoardAddresses.h"
#include "platform/controls/WinApi.h"
#include "platform/core/Cp932.h"
#include "platform/core/Files.h"
#include "tests/board/JpegCheck.h"

namespace {

std::string Content(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// How far the written picture is from the board as shown: the mean channel error.
double MeanError(const TJpegFacts& jpeg, THeadlessHost& host)
{
    double sum = 0;
    for (int y = 0; y < 448; ++y)
        for (int x = 0; x < 600; ++x) {
            const uint32_t a = jpeg.Pixels[static_cast<size_t>(y) * 600 + x], b = host.Pixel(x, y);
            for (int s : {0, 8, 16})
                sum += std::abs(static_cast<int>((a >> s) & 0xFF) - static_cast<int>((b >> s) & 0xFF));
        }
    return sum / (600.0 * 448 * 3);
}

} // namespace

TEST_F(BoardTest, SavedFileIsTheBoardAsShownAtQuality80)
{
    DropOnto(13, {WriteJpeg("red.jpg", Red)});
    DropOnto(1, {WriteBmp("blue.bmp", Blue)});
    for (bool captions : {false, true}) {
        if (captions)
            host.Key(VK_F2, {ssCtrl});  // black hours
        const std::string name = Path(captions ? "with.jpg" : "without.jpg");
        host.SaveDialogAnswers.push_back(name);
        host.Key('S', {ssCtrl});
        const TJpegFacts jpeg = ReadJpegFacts(name);
        ASSERT_TRUE(jpeg.Valid);
        EXPECT_EQ(jpeg.Width, 600);
        EXPECT_EQ(jpeg.Height, 448);
        EXPECT_EQ(jpeg.Components, 3);
        EXPECT_FALSE(jpeg.Progressive);
        EXPECT_TRUE(jpeg.Jfif);
        EXPECT_TRUE(jpeg.QuantTablesOfQuality80);
        EXPECT_LT(MeanError(jpeg, host), 3.0);
        // The caption "12:00" sits on tile 3: black ink shows up only when captions show.
        const TShadowLabel* label = board->Label3;
        int dark = 0;
        for (int y = label->Top(); y < label->Top() + label->Height(); ++y)
            for (int x = label->Left(); x < label->Left() + label->Width(); ++x)
                dark += (jpeg.Pixels[static_cast<size_t>(y) * 600 + x] & 0xFF) < 80;
        EXPECT_EQ(dark > 20, captions) << dark;
    }
    EXPECT_TRUE(host.MessageBoxes.empty());
}

TEST_F(BoardTest, TheDialogDecidesTheNameAndTheContentIsAlwaysJpeg)
{
    host.SaveDialogAnswers.push_back(Path("board"));
    host.Key('S', {ssCtrl});
    EXPECT_TRUE(ReadJpegFacts(Path("board.jpg")).Valid);
    host.SaveDialogAnswers.push_back(Path("board.bmp"));
    host.Key('S', {ssCtrl});
    EXPECT_TRUE(ReadJpegFacts(Path("board.bmp")).Valid);
    // The dialog offers the last name again; a cancel writes nothing.
    host.SaveDialogAnswers.push_back(std::nullopt);
    host.Key('S', {ssCtrl});
    ASSERT_EQ(host.SaveDialogs.size(), 3u);
    EXPECT_EQ(host.SaveDialogs[2].FileName, Path("board.bmp"));
    EXPECT_EQ(host.SaveDialogs[0].DefaultExt, "jpg");
    EXPECT_EQ(Cp932ToUtf8(host.SaveDialogs[0].Filter), "JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg");
}

TEST_F(BoardTest, AnExistingFileIsReplacedOnlyAfterYes)
{
    const std::string name = Path("old.jpg");
    std::ofstream(name, std::ios::binary) << "precious";
    for (TModalResult answer : {TModalResult::No, TModalResult::None, TModalResult::Yes}) {
        host.MessageBoxes.clear();
        host.SaveDialogAnswers.push_back(name);
        host.MessageBoxAnswers.push_back(answer);
        host.Key('S', {ssCtrl});
        ASSERT_EQ(host.MessageBoxes.size(), 1u);
        const auto& box = host.MessageBoxes[0];
        EXPECT_EQ(Cp932ToUtf8(box.Text), name + " は既に存在します。\n上書きしますか？");
        EXPECT_EQ(Cp932ToUtf8(box.Caption), "確認");
        EXPECT_EQ(box.Kind, TMsgKind::Confirmation);
        EXPECT_EQ(box.Buttons, TMsgButtons::YesNo);
        EXPECT_EQ(ReadJpegFacts(name).Valid, answer == TModalResult::Yes);
        if (answer != TModalResult::Yes) {
            EXPECT_EQ(Content(name), "precious");
        }
    }
}

TEST_F(BoardTest, AFailedWriteIsReportedAndLeavesTheOldFileIntact)
{
    const std::string name = Path("keep.jpg");
    std::ofstream(name, std::ios::binary) << "precious";

    // Part-way: the file size limit stops the write after a few bytes.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000;
    ::setrlimit(RLIMIT_FSIZE, &small);
    host.SaveDialogAnswers.push_back(name);
    host.MessageBoxAnswers.push_back(TModalResult::Yes);
    host.Key('S', {ssCtrl});
    ::setrlimit(RLIMIT_FSIZE, &old);
    ASSERT_EQ(host.MessageBoxes.size(), 2u);
    EXPECT_EQ(host.MessageBoxes[1].Kind, TMsgKind::Error);
    EXPECT_EQ(Cp932ToUtf8(host.MessageBoxes[1].Text), "ファイル " + name + " を作成できません");
    EXPECT_EQ(Content(name), "precious");

    // A read-only file is not replaced.
    ::chmod(name.c_str(), 0444);
    host.SaveDialogAnswers.push_back(name);
    host.MessageBoxAnswers.push_back(TModalResult::Yes);
    host.Key('S', {ssCtrl});
    ASSERT_EQ(host.MessageBoxes.size(), 4u);
    EXPECT_EQ(host.MessageBoxes[3].Kind, TMsgKind::Error);
    EXPECT_EQ(Content(name), "precious");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // nothing half-written left
}

TEST_F(BoardTest, MailHandsOverATimeStampedJpegAndDeletesIt)
{
    host.Key(VK_F1, {ssShift});  // white months
    const std::string folder = ExtractFileDir(ExecutablePath());
    std::string attached;
    host.OnSendMail = [&](const TMailRequest& mail) {
        EXPECT_EQ(Cp932ToUtf8(mail.Subject), "(添付画像あり)");
        EXPECT_EQ(mail.Body, "");
        EXPECT_EQ(mail.RecipientName, "");
        EXPECT_EQ(mail.RecipientAddress, "");
        EXPECT_EQ(mail.Attachments.size(), 1u);
        attached = mail.Attachments.at(0);
        const TJpegFacts jpeg = ReadJpegFacts(attached);
        EXPECT_TRUE(jpeg.Valid && jpeg.Width == 600 && jpeg.Height == 448 && jpeg.QuantTablesOfQuality80);
        return 0ul;
    };
    const time_t before = std::time(nullptr);
    host.Key('M', {ssCtrl});
    const time_t after = std::time(nullptr);
    ASSERT_FALSE(attached.empty());
    EXPECT_EQ(ExtractFileDir(attached), folder);
    const std::string name = ExtractFileName(attached);
    EXPECT_TRUE(name == MailTimeStamp(before) + ".jpg" || name == MailTimeStamp(after) + ".jpg") << name;
    EXPECT_FALSE(FileExists(attached));
    EXPECT_EQ(host.Beeps, 0);
    EXPECT_TRUE(host.MessageBoxes.empty());
}

TEST_F(BoardTest, AFailedMailBeepsExplainsAndLeavesNoFile)
{
    std::string attached;
    host.OnSendMail = [&](const TMailRequest& mail) {
        attached = mail.Attachments.at(0);
        return 2ul;
    };
    host.Key('M', {ssCtrl});
    EXPECT_EQ(host.Beeps, 1);
    ASSERT_EQ(host.MessageBoxes.size(), 1u);
    EXPECT_EQ(Cp932ToUtf8(host.MessageBoxes[0].Text),
              "お使いのメーラーを｢通常使うメールソフト(規定のプログラム)｣に設定してください。");
    EXPECT_EQ(Cp932ToUtf8(host.MessageBoxes[0].Caption), "ティロラ");
    EXPECT_EQ(host.MessageBoxes[0].Buttons, TMsgButtons::Ok);
    EXPECT_FALSE(FileExists(attached));
}

TEST_F(BoardTest, AnUnwritableProgramFolderReportsTheErrorAndCallsNoMailProgram)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs to become another user to lose write access to the build folder";
    // In a child that is no longer root, the program's folder cannot be written.
    EXPECT_EXIT(
        {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                std::_Exit(3);
            host.Key('M', {ssCtrl});
            const bool reported = host.MessageBoxes.size() == 1 && host.MessageBoxes[0].Kind == TMsgKind::Error &&
                                  Cp932ToUtf8(host.MessageBoxes[0].Text).find("を作成できません") != std::string::npos;
            std::_Exit(reported && host.Mails.empty() && host.Beeps == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(BoardAddresses, TimeStampAndInformationAddress)
{
    ::setenv("TZ", "UTC", 1);
    EXPECT_EQ(MailTimeStamp(1796999460), "202612111431");  // 2026-12-11 14:31 UTC
    ::setenv("TZ", "JST-9", 1);
    EXPECT_EQ(MailTimeStamp(1796999460), "202612112331");
    ::unsetenv("TZ");
    EXPECT_EQ(MailAttachmentPath("/opt/tirora/tirora", "202612111431"), "/opt/tirora/202612111431.jpg");

    struct Case { const char* exe; const char* sn; };
    const Case cases[] = {
        {"/opt/board.v2.exe", "board.v2"},
        {"/opt/tirora", "tirora"},
        {"/home/u/my board", "my board"},
        {"/home/u/写真ボード.bin", "写真ボード"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Cp932ToUtf8(InformationAddress("info.example", c.exe)),
                  std::string("http://info.example/info.php?pf=w&sn=") + c.sn);
}

TEST_F(BoardTest, InformationOpensTheAddressWithTheProgramsName)
{
    board->N4->Click();
    ASSERT_EQ(host.OpenedURLs.size(), 1u);
    const std::string& address = host.OpenedURLs[0];
    EXPECT_EQ(address.rfind("http://", 0), 0u);
    EXPECT_NE(address.find("/info.php?pf=w&sn=board_tests"), std::string::npos) << address;
}
