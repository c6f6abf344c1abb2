#include "tests/board/JpegCheck.h"

#include "tests/support/JpegFiles.h"
#include "tests/support/PictureBytes.h"

TJpegFacts ReadJpegFacts(const std::string& path)
{
    const TPlainDecoded plain = PlainDecode(ReadAll(path));
    if (!plain.Valid)
        return {};
    TJpegFacts facts;
    facts.Valid = true;
    facts.Width = plain.Width;
    facts.Height = plain.Height;
    facts.Components = plain.Components;
    facts.Progressive = plain.Progressive;
    facts.Jfif = plain.Jfif;
    const auto quality80 = LibjpegQuantTables(80);
    facts.QuantTablesOfQuality80 = plain.QuantTables.size() >= 2 && plain.QuantTables[0] == quality80[0] &&
                                   plain.QuantTables[1] == quality80[1];
    for (size_t i = 0; i + 2 < plain.Pixels.size(); i += 3)
        facts.Pixels.push_back((plain.Pixels[i] << 16) | (plain.Pixels[i + 1] << 8) | plain.Pixels[i + 2]);
    return facts;
}
