#pragma once
// Where the board's mail and information commands put and find things.
#include <ctime>
#include <string>

// The local time as twelve digits, "%Y%m%d%H%M", after refreshing the time-zone setting.
std::string MailTimeStamp(std::time_t now);

// The mail command's temporary file: the executable's folder, the time stamp and ".jpg".
std::string MailAttachmentPath(const std::string& executablePath, const std::string& timeStamp);

// The information page: "http://" + host + "/info.php?pf=w&sn=" + the executable's base name,
// as code page 932 bytes and without any escaping.
std::string InformationAddress(const std::string& host, const std::string& executablePath);
