// Saving the board through the real save dialog, and handing it to the mail program.
#include "tests/desktop/BoardProgram.h"

#include <QImageReader>
#include <ctime>

namespace fs = std::filesystem;

namespace {

const TRect Caption3 = Bounds(306, 4, 30, 16);  // "12:00" of the black hours

std::vector<std::string> Names(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

std::vector<std::string> FilesUnder(const fs::path& dir)
{
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (!entry.is_directory())
            files.push_back(entry.path().string());
    return files;
}

std::string MinuteStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y%m%d%H%M", &local);
    return text;
}

// A JPEG of the board's size, or a null image.
QImage ReadBoardJpeg(const fs::path& path)
{
    QImageReader reader(QString::fromStdString(path.string()));
    if (reader.format() != "jpeg")
        return {};
    return reader.read();
}

class Sharing : public Program {
protected:
    // Shows the black hours and returns the board as shown then.
    QImage BoardWithCaptions()
    {
        EXPECT_TRUE(KeysToBoard({"ctrl+F2"}));
        EXPECT_TRUE(WaitUntil([&] { return DarkPixels(Shot(), Caption3) > 10; })) << "captions show";
        return Shot();
    }
};

} // namespace

TEST_F(Sharing, CtrlSSavesTheBoardUnderTheNameTypedIntoTheDialog)
{
    const QImage board = BoardWithCaptions();
    const fs::path folder = Scratch.Dir() / "pictures";
    fs::create_directory(folder);

    ASSERT_TRUE(KeysToBoard({"ctrl+s"}));
    const QString dialog = WaitForWindowNamed("Save As");
    ASSERT_FALSE(dialog.isEmpty()) << "the save dialog opens";
    // A full path without extension: the JPEG extension is added.
    ASSERT_TRUE(Xdotool({"windowfocus", "--sync", dialog, "type", "--delay", "20", QString::fromStdString((folder / "board").string())}));
    ASSERT_TRUE(Xdotool({"key", "Return"}));
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(folder / "board.jpg"); }, 10000)) << "the file appears";
    ASSERT_TRUE(WaitForBoardAlone());
    EXPECT_EQ(Names(folder), std::vector<std::string>{"board.jpg"}) << "nothing else is left in the folder";
    const QImage saved = ReadBoardJpeg(folder / "board.jpg");
    ASSERT_EQ(saved.size(), QSize(600, 448));
    EXPECT_LT(MeanError(saved, board), 3.0) << "the board's pixels, within a JPEG's error";
    EXPECT_GT(DarkPixels(saved, Caption3), 10) << "with its captions";

    // Again without captions: the dialog offers the last name, and the question before
    // replacing it is answered with Escape (No), then with Return (Yes, its default).
    const std::string first = ReadFile(folder / "board.jpg");
    ASSERT_TRUE(KeysToBoard({"Insert"}));
    ASSERT_TRUE(WaitUntil([&] { return DarkPixels(Shot(), Caption3) == 0; }));
    const QImage plain = Shot();
    for (const char* answer : {"Escape", "Return"}) {
        ASSERT_TRUE(KeysToBoard({"ctrl+s"}));
        const QString again = WaitForWindowNamed("Save As");
        ASSERT_FALSE(again.isEmpty());
        EXPECT_EQ(ReadFile(folder / "board.jpg"), first) << "untouched so far";
        ASSERT_TRUE(Xdotool({"windowfocus", "--sync", again, "key", "Return"}));
        const QString question = WaitForWindowNamed("確認");
        ASSERT_FALSE(question.isEmpty()) << "the overwrite question";
        ASSERT_TRUE(Xdotool({"windowfocus", "--sync", question, "key", answer}));
        ASSERT_TRUE(WaitForBoardAlone());
    }
    ASSERT_TRUE(WaitUntil([&] { return ReadFile(folder / "board.jpg") != first; })) << "Yes replaces the file";
    const QImage replaced = ReadBoardJpeg(folder / "board.jpg");
    EXPECT_LT(MeanError(replaced, plain), 3.0);
    EXPECT_EQ(DarkPixels(replaced, Caption3), 0);
    EXPECT_EQ(Names(folder), std::vector<std::string>{"board.jpg"});
}

TEST_F(Sharing, CtrlMHandsTheBoardToTheMailProgramAsAJpeg)
{
    InstallStandIn("xdg-email");
    const QImage board = BoardWithCaptions();
    const std::string before = MinuteStamp();
    ASSERT_TRUE(KeysToBoard({"ctrl+m"}));
    ASSERT_TRUE(WaitUntil([&] { return !Arguments("xdg-email").empty(); }, 10000)) << "the mail program is called";
    const std::string after = MinuteStamp();

    const std::vector<std::string> args = Arguments("xdg-email");
    ASSERT_EQ(args.size(), 5u);
    EXPECT_EQ(args[0], "--utf8");
    EXPECT_EQ(args[1], "--subject");
    EXPECT_EQ(args[2], "(添付画像あり)");
    EXPECT_EQ(args[3], "--attach");
    const fs::path attached = args[4];
    EXPECT_TRUE(attached.filename() == before + ".jpg" || attached.filename() == after + ".jpg") << attached;
    EXPECT_EQ(attached.string().rfind(Temp.string() + "/", 0), 0u) << "a private copy: " << attached;
    const QImage copy = ReadBoardJpeg(Seen / attached.filename());
    ASSERT_EQ(copy.size(), QSize(600, 448)) << "the attachment is a JPEG of the board while the mail program runs";
    EXPECT_LT(MeanError(copy, board), 3.0);

    // The board's own file beside the executable goes once the mail program has it; no message.
    EXPECT_TRUE(WaitUntil([&] { return Names(Bin) == std::vector<std::string>{"tirora"}; }));
    EXPECT_TRUE(OtherWindows().isEmpty());
    EXPECT_TRUE(fs::exists(attached)) << "the copy stays for the mail program to read";
    ASSERT_TRUE(CloseWindow());
    EXPECT_EQ(FilesUnder(Temp), std::vector<std::string>{}) << "the copies go when the program ends";
}

TEST_F(Sharing, AFailedMailHandOverIsReportedAndLeavesNoFile)
{
    InstallStandIn("xdg-email", 3);
    ASSERT_TRUE(KeysToBoard({"ctrl+m"}));
    const QString message = WaitForWindowNamed("ティロラ");
    ASSERT_FALSE(message.isEmpty()) << "a message tells to set up a mail program";
    EXPECT_EQ(Arguments("xdg-email").size(), 5u);
    ASSERT_TRUE(Xdotool({"windowfocus", "--sync", message, "key", "Return"}));
    ASSERT_TRUE(WaitForBoardAlone());
    EXPECT_TRUE(WaitUntil([&] { return Names(Bin) == std::vector<std::string>{"tirora"}; })) << "the board's file goes";
    EXPECT_EQ(FilesUnder(Temp), std::vector<std::string>{}) << "the copy of a failed hand-over goes at once";
}
