#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>

#include "platform/core/Exception.h"
#include "platform/core/Files.h"

namespace fs = std::filesystem;

namespace {

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("tirora-files-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    static std::string Content(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Put(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    size_t Entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {})); }

    fs::path dir;
};

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

} // namespace

TEST(FileNames, PartsOfAPath)
{
    struct Case { const char* path; const char* ext; const char* name; const char* base; };
    const Case cases[] = {
        {"/home/u/a.b.jpeg", ".jpeg", "a.b.jpeg", "a.b"},
        {"/pics.jpg/photo", "", "photo", "photo"},
        {"photo", "", "photo", "photo"},
        {"/opt/board.v2.exe", ".exe", "board.v2.exe", "board.v2"},
        {"/opt/my board", "", "my board", "my board"},
        {"/x/.hidden", ".hidden", ".hidden", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(ExtractBaseName(c.path), c.base) << c.path;
    }
    EXPECT_EQ(ExtractFileDir("/home/u/a.jpg"), "/home/u");
    EXPECT_EQ(ExtractFileDir("/a.jpg"), "/");
}

TEST(FileNames, CaseIsIgnoredForAsciiLettersOnly)
{
    EXPECT_TRUE(SameTextAscii(".Jpeg", ".JPEG"));
    EXPECT_TRUE(SameTextAscii(".bmp", ".BMP"));
    EXPECT_FALSE(SameTextAscii(".jpe", ".JPEG"));
    EXPECT_FALSE(SameTextAscii("\xC3\xA9", "\xC3\x89"));  // é and É stay different
}

TEST_F(FilesTest, ReplacingWritesNewAndExistingFilesKeepingPermissions)
{
    const std::string target = Path("board.jpg");
    WriteFileReplacing(target, Bytes("first"));
    EXPECT_EQ(Content(target), "first");
    ::chmod(target.c_str(), 0640);
    WriteFileReplacing(target, Bytes("second, longer"));
    EXPECT_EQ(Content(target), "second, longer");
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries(), 1u);  // no temporary file left behind
}

TEST_F(FilesTest, AFailedWriteLeavesTheOldFileIntact)
{
    const std::string target = Path("keep.jpg");
    Put(target, "precious");

    // A write that fails part-way: the file size limit stops it after a few bytes.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4;
    ::setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(WriteFileReplacing(target, Bytes("a much longer new content")), EFCreateError);
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(Content(target), "precious");
    EXPECT_EQ(Entries(), 1u);

    ::chmod(target.c_str(), 0444);
    EXPECT_THROW(WriteFileReplacing(target, Bytes("x")), EFCreateError);
    EXPECT_EQ(Content(target), "precious");
    if (::geteuid() != 0) {  // root writes into any folder
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_THROW(WriteFileReplacing(Path("new.jpg"), Bytes("x")), EFCreateError);
    }
    // A folder that does not exist.
    EXPECT_THROW(WriteFileReplacing(Path("missing/x.jpg"), Bytes("x")), EFCreateError);
}

TEST_F(FilesTest, ReadingAMissingFileNamesIt)
{
    try {
        ReadWholeFile(Path("nothing.bmp"));
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message.find("nothing.bmp"), std::string::npos);
    }
    Put(Path("x"), std::string(100000, 'z'));
    EXPECT_EQ(ReadWholeFile(Path("x")).size(), 100000u);
}
