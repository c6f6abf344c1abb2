#include <gtest/gtest.h>

#include "platform/core/Cp932.h"
#include "platform/host/qt/MailHandOver.h"
#include "platform/host/qt/ProcessLaunch.h"
#include "tests/host_qt/FakeTools.h"

namespace fs = std::filesystem;

namespace {

// A board picture written where the board writes it, as the caller's own temporary file.
struct TBoardFile {
    TBoardFile(const fs::path& dir, const std::string& name, const std::string& content) : Path(dir / name)
    {
        WriteFile(Path, content);
    }
    fs::path Path;
};

TMailRequest BoardMail(const fs::path& attachment)
{
    TMailRequest mail;
    mail.Subject = Sjis("(添付画像あり)");
    mail.Attachments = {attachment.string()};
    return mail;
}

} // namespace

TEST(MailHandOver, HandsOverAPrivateCopyThatOutlivesTheCallersFile)
{
    TFakeTools tools;
    tools.Install("xdg-email");
    TBoardFile board(tools.Dir(), "202405061718.jpg", "picture bytes");
    fs::path folder;
    {
        TMailHandOver handOver;
        ASSERT_EQ(handOver.Send(BoardMail(board.Path)), 0u);
        std::vector<std::string> args = tools.Arguments("xdg-email");
        ASSERT_EQ(args.size(), 5u);
        EXPECT_EQ(args[0], "--utf8");
        EXPECT_EQ(args[1], "--subject");
        EXPECT_EQ(args[2], "(添付画像あり)");
        EXPECT_EQ(args[3], "--attach");
        const fs::path copy = args[4];
        EXPECT_EQ(copy.filename(), "202405061718.jpg");
        EXPECT_NE(copy.parent_path(), board.Path.parent_path());
        EXPECT_EQ(ReadFile(tools.Seen("202405061718.jpg")), "picture bytes");

        // The board deletes its own file at once; the mail program still finds the copy.
        fs::remove(board.Path);
        EXPECT_EQ(ReadFile(copy), "picture bytes");
        folder = handOver.PrivateFolder();
        EXPECT_FALSE(folder.empty());
    }
    EXPECT_FALSE(fs::exists(folder)) << "the copies go when the program ends";
}

TEST(MailHandOver, FailedHandOverReportsFailureAndLeavesNoCopy)
{
    struct Case {
        const char* what;
        int exitCode;  // < 0: no xdg-email on the path
        bool attachmentExists;
        unsigned long expected;
    };
    const Case cases[] = {
        {"xdg-email fails", 4, true, 4},
        {"no xdg-email", -1, true, TMailHandOver::NoMailProgram},
        {"attachment missing", 0, false, TMailHandOver::HandOverFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFakeTools tools;
        if (c.exitCode >= 0)
            tools.Install("xdg-email", c.exitCode);
        fs::path attachment = tools.Dir() / "202405061718.jpg";
        if (c.attachmentExists)
            WriteFile(attachment, "picture bytes");
        TMailHandOver handOver;
        EXPECT_EQ(handOver.Send(BoardMail(attachment)), c.expected);
        if (!handOver.PrivateFolder().empty()) {
            EXPECT_TRUE(fs::is_empty(handOver.PrivateFolder()));
        }
    }
}

TEST(MailHandOver, SameNameTwiceKeepsBothCopies)
{
    TFakeTools tools;
    tools.Install("xdg-email");
    TMailHandOver handOver;
    TBoardFile first(tools.Dir(), "202405061718.jpg", "first");
    ASSERT_EQ(handOver.Send(BoardMail(first.Path)), 0u);
    const fs::path firstCopy = tools.Arguments("xdg-email").back();
    TBoardFile second(tools.Dir(), "202405061718.jpg", "second");
    ASSERT_EQ(handOver.Send(BoardMail(second.Path)), 0u);
    const fs::path secondCopy = tools.Arguments("xdg-email").back();
    EXPECT_NE(firstCopy, secondCopy);
    EXPECT_EQ(ReadFile(firstCopy), "first");
    EXPECT_EQ(ReadFile(secondCopy), "second");
}

TEST(MailHandOver, CommandLineLeavesOutEmptyTextsAndConvertsTheRest)
{
    TMailRequest mail;
    EXPECT_EQ(MailCommandLine(mail, {}), (std::vector<std::string>{"xdg-email", "--utf8"}));

    mail.Subject = Sjis("件名");
    mail.Body = Sjis("本文 -- です");
    mail.RecipientName = Sjis("山田");
    mail.RecipientAddress = "yamada@example.org";
    EXPECT_EQ(MailCommandLine(mail, {"/tmp/a b/x.jpg", "/tmp/c/y.jpg"}),
              (std::vector<std::string>{"xdg-email", "--utf8", "--subject", "件名", "--body", "本文 -- です", "--attach",
                                        "/tmp/a b/x.jpg", "--attach", "/tmp/c/y.jpg", "yamada@example.org"}));
}

TEST(ProcessLaunch, ArgumentsReachTheProgramUnchanged)
{
    TFakeTools tools;
    tools.Install("xdg-open");
    // A space, a shell metacharacter and code page 932 bytes: one argument, bytes as they are.
    const std::string address = "http://tirora.example.net/info.php?pf=w&sn=" + Sjis("ティロラ 2") + ";echo x";
    ASSERT_TRUE(LaunchDetached({"xdg-open", address}));
    EXPECT_EQ(tools.Arguments("xdg-open"), (std::vector<std::string>{address}));

    EXPECT_FALSE(LaunchDetached({"no-such-program-here"}));
    EXPECT_FALSE(RunAndWait({"no-such-program-here"}).Started);
    TProgramExit run = RunAndWait({"/bin/sh", "-c", "exit 7"});
    EXPECT_TRUE(run.Started && run.Exited);
    EXPECT_EQ(run.ExitCode, 7);
    EXPECT_FALSE(RunAndWait({"/bin/sh", "-c", "kill -9 $$"}).Exited);
}
