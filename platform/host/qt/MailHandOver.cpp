#include "platform/host/qt/MailHandOver.h"

#include <stdlib.h>

#include <system_error>

#include "platform/core/Cp932.h"
#include "platform/host/qt/ProcessLaunch.h"

namespace fs = std::filesystem;

namespace {

unsigned long Outcome(const TProgramExit& run)
{
    if (!run.Started)
        return TMailHandOver::NoMailProgram;
    if (!run.Exited)
        return TMailHandOver::HandOverFailed;
    return static_cast<unsigned long>(run.ExitCode);
}

} // namespace

TMailHandOver::~TMailHandOver()
{
    if (FFolder.empty())
        return;
    std::error_code ignored;
    fs::remove_all(FFolder, ignored);
}

unsigned long TMailHandOver::Send(const TMailRequest& mail)
{
    std::vector<fs::path> copies;
    if (!CopyAttachments(mail.Attachments, copies))
        return HandOverFailed;
    unsigned long result = Outcome(RunAndWait(MailCommandLine(mail, copies)));
    if (result != 0)
        RemoveCopies(copies);
    return result;
}

bool TMailHandOver::CopyAttachments(const std::vector<std::string>& attachments, std::vector<fs::path>& copies)
{
    for (const std::string& attachment : attachments) {
        fs::path source(attachment);
        fs::path folder = NewCopyFolder();
        std::error_code error;
        if (!folder.empty())
            fs::copy_file(source, folder / source.filename(), error);
        if (folder.empty() || error) {
            if (!folder.empty())
                fs::remove_all(folder, error);
            RemoveCopies(copies);
            copies.clear();
            return false;
        }
        copies.push_back(folder / source.filename());
    }
    return true;
}

// Each copy gets a folder of its own, so that two attachments of the same name, or two
// hand-overs within the same minute, never overwrite a copy a mail program may still read.
fs::path TMailHandOver::NewCopyFolder()
{
    if (FFolder.empty()) {
        std::error_code error;
        fs::path base = fs::temp_directory_path(error);
        if (error)
            base = "/tmp";
        std::string name = (base / "tirora-mail-XXXXXX").string();
        if (!mkdtemp(name.data()))
            return {};
        FFolder = name;
    }
    fs::path folder = FFolder / std::to_string(++FCopies);
    std::error_code error;
    if (!fs::create_directory(folder, error))
        return {};
    return folder;
}

void TMailHandOver::RemoveCopies(const std::vector<fs::path>& copies)
{
    std::error_code ignored;
    for (const fs::path& copy : copies)
        fs::remove_all(copy.parent_path(), ignored);
}

std::vector<std::string> MailCommandLine(const TMailRequest& mail, const std::vector<fs::path>& attachments)
{
    std::vector<std::string> args{"xdg-email", "--utf8"};
    if (!mail.Subject.empty())
        args.insert(args.end(), {"--subject", Cp932ToUtf8(mail.Subject)});
    if (!mail.Body.empty())
        args.insert(args.end(), {"--body", Cp932ToUtf8(mail.Body)});
    for (const fs::path& attachment : attachments)
        args.insert(args.end(), {"--attach", attachment.string()});
    if (!mail.RecipientAddress.empty())
        args.push_back(Cp932ToUtf8(mail.RecipientAddress));
    return args;
}
