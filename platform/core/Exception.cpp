#include "platform/core/Exception.h"

#include "platform/core/Cp932.h"

std::string Format(std::string_view format, std::initializer_list<std::string> args)
{
    std::string out;
    auto next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        const bool marker = format[i] == '%' && i + 1 < format.size() && (format[i + 1] == 's' || format[i + 1] == 'd');
        if (marker && next != args.end()) {
            out += *next++;
            ++i;
        } else {
            // A lead byte carries its trail byte with it, so a trail "%" is never taken for a marker.
            out += format[i];
            if (IsLeadByte(static_cast<uint8_t>(format[i])) && i + 1 < format.size())
                out += format[++i];
        }
    }
    return out;
}

void ThrowAssignError(const std::string& sourceClass, const std::string& targetClass)
{
    static const std::string format = Sjis("%s を %s に代入することはできません");
    throw EConvertError(Format(format, {sourceClass, targetClass}));
}
