#pragma once
// The mail hand-over: a new message in the user's mail program, through xdg-email.
//
// xdg-email only passes the message on; the mail program reads the attachments later, often
// after xdg-email has returned and the caller has deleted its own file. So every attachment is
// handed over as a private copy, under its own file name, in a folder that belongs to this run
// of the program. The copies stay until the hand-over object goes (at the end of the program);
// the copies of a hand-over that failed go at once.
#include <filesystem>
#include <string>
#include <vector>

#include "platform/controls/Host.h"

class TMailHandOver {
public:
    // Results besides 0 (success) and xdg-email's own exit codes.
    static constexpr unsigned long NoMailProgram = 1;   // xdg-email cannot be started
    static constexpr unsigned long HandOverFailed = 2;  // no copy of an attachment, or xdg-email crashed

    TMailHandOver() = default;
    ~TMailHandOver();
    TMailHandOver(const TMailHandOver&) = delete;
    TMailHandOver& operator=(const TMailHandOver&) = delete;

    // Waits until xdg-email has returned: 0 for success, anything else for failure.
    unsigned long Send(const TMailRequest& mail);

    // The folder holding this run's copies; empty until the first hand-over with attachments.
    const std::filesystem::path& PrivateFolder() const { return FFolder; }

private:
    // Copies the attachments into new folders of their own and returns the copies' paths.
    // False when a copy could not be made; what was copied is then removed again.
    bool CopyAttachments(const std::vector<std::string>& attachments, std::vector<std::filesystem::path>& copies);
    std::filesystem::path NewCopyFolder();
    static void RemoveCopies(const std::vector<std::filesystem::path>& copies);

    std::filesystem::path FFolder;
    unsigned FCopies = 0;
};

// The xdg-email command line for a message whose attachments are the given paths. Texts are
// converted from code page 932; empty texts are left out, as xdg-email refuses them.
std::vector<std::string> MailCommandLine(const TMailRequest& mail, const std::vector<std::filesystem::path>& attachments);
