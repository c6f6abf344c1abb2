#include "app/board/BoardAddresses.h"

#include "platform/core/Cp932.h"
#include "platform/core/Files.h"

std::string MailTimeStamp(std::time_t now)
{
    tzset();
    std::tm local {};
    localtime_r(&now, &local);
    char buffer[24];
    const size_t n = std::strftime(buffer, sizeof buffer, "%Y%m%d%H%M", &local);
    return std::string(buffer, n);
}

std::string MailAttachmentPath(const std::string& executablePath, const std::string& timeStamp)
{
    return JoinPath(ExtractFileDir(executablePath), timeStamp + ".jpg");
}

std::string InformationAddress(const std::string& host, const std::string& executablePath)
{
    // The file name is the file system's UTF-8; the address is a program text.
    return "http://" + host + "/info.php?pf=w&sn=" + Utf8ToCp932(ExtractBaseName(executablePath));
}
