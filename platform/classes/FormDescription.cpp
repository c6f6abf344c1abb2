#include "platform/classes/FormDescription.h"

#include <cctype>
#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>

#include "platform/core/Cp932.h"
#include "platform/core/Files.h"
#include "platform/graphics/Bitmap.h"

namespace {

// ---------------------------------------------------------------- values as text

const std::vector<std::string> PixelFormatNames = {"pfDevice", "pf1bit", "pf24bit", "pf32bit"};

int32_t RowBytes(TPixelFormat format, int32_t width)
{
    switch (format) {
    case pf1bit: return (width + 7) / 8;
    case pf24bit: return width * 3;
    default: return width * 4;
    }
}

std::string Hex(uint32_t v, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%0*X", digits, v);
    return buf;
}

std::string QuoteText(const std::string& cp932)
{
    std::string out = "\"";
    auto escapeByte = [&out](uint8_t b) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\x%02X", b);
        out += buf;
    };
    for (size_t i = 0; i < cp932.size();) {
        const size_t n = CharLength(cp932, i);
        const std::string_view ch(cp932.data() + i, n);
        const uint8_t b = static_cast<uint8_t>(ch[0]);
        if (n == 1 && b < 0x80) {
            switch (b) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (b < 0x20 || b == 0x7F)
                    escapeByte(b);
                else
                    out += static_cast<char>(b);
            }
        } else {
            // A character whose UTF-8 form converts back to the same bytes is written as itself.
            const std::string utf8 = Cp932ToUtf8(ch);
            if (utf8 != "\xEF\xBF\xBD" && Utf8ToCp932(utf8) == ch)
                out += utf8;
            else
                for (char c : ch)
                    escapeByte(static_cast<uint8_t>(c));
        }
        i += n;
    }
    return out + "\"";
}

std::string IdentOf(const TIdentMap* idents, int64_t value)
{
    if (idents)
        for (const auto& e : *idents)
            if (e.Value == value)
                return e.Name;
    return {};
}

std::string FormatOrdinal(const TPropInfo& p, int64_t v)
{
    switch (p.Kind) {
    case TPropKind::Boolean:
        return v ? "true" : "false";
    case TPropKind::Enumeration:
        if (p.Names && v >= 0 && v < static_cast<int64_t>(p.Names->size()))
            return (*p.Names)[static_cast<size_t>(v)];
        return std::to_string(v);
    case TPropKind::Set: {
        std::string out = "[";
        for (size_t bit = 0; p.Names && bit < p.Names->size(); ++bit)
            if (v & (int64_t{1} << bit)) {
                if (out.size() > 1)
                    out += ", ";
                out += (*p.Names)[bit];
            }
        return out + "]";
    }
    case TPropKind::Color: {
        std::string name = IdentOf(p.Idents, v);
        if (!name.empty())
            return name;
        const uint32_t u = static_cast<uint32_t>(v);
        return Hex(u, u <= 0xFFFFFF ? 6 : 8);
    }
    default: {
        std::string name = IdentOf(p.Idents, v);
        return name.empty() ? std::to_string(v) : name;
    }
    }
}

// ---------------------------------------------------------------- writer

class Writer {
public:
    explicit Writer(TComponent* root) : FRoot(root) {}

    std::string Write()
    {
        WriteObject(FRoot, 0);
        return FOut;
    }

private:
    void Line(int indent, const std::string& text)
    {
        FOut.append(static_cast<size_t>(indent) * 4, ' ');
        FOut += text;
        FOut += '\n';
    }

    void WriteObject(TComponent* c, int indent)
    {
        Line(indent, (c->Name().empty() ? "" : c->Name() + ": ") + c->ClassName() + " {");
        WriteProperties(c, c->ClassInfo(), "", c, indent + 1);
        c->GetChildren([&](TComponent* child) { WriteObject(child, indent + 1); }, FRoot);
        Line(indent, "}");
    }

    void WriteProperties(TPersistent* obj, const TClassInfo& info, const std::string& prefix, TComponent* owner,
                         int indent)
    {
        for (const TPropInfo* p : info.Properties()) {
            if (p->IsStored && !p->IsStored(obj))
                continue;
            const std::string path = prefix + p->Name;
            switch (p->Kind) {
            case TPropKind::Integer:
            case TPropKind::Boolean:
            case TPropKind::Enumeration:
            case TPropKind::Set:
            case TPropKind::Color: {
                const int64_t v = p->GetOrd(obj);
                if (!p->OrdDefault || *p->OrdDefault != v)
                    Line(indent, path + " = " + FormatOrdinal(*p, v));
                break;
            }
            case TPropKind::String: {
                const std::string v = p->GetStr(obj);
                if (!p->StrDefault || *p->StrDefault != v)
                    Line(indent, path + " = " + QuoteText(v));
                break;
            }
            case TPropKind::Object:
                if (TPersistent* nested = p->GetObj(obj))
                    WriteProperties(nested, p->ObjectClass(), path + ".", owner, indent);
                break;
            case TPropKind::Bitmap:
                if (auto* bitmap = dynamic_cast<TBitmap*>(p->GetObj(obj)); bitmap && !bitmap->Empty())
                    WriteBitmap(path, *bitmap, indent);
                break;
            case TPropKind::Component:
                if (auto* ref = dynamic_cast<TComponent*>(p->GetObj(obj)); ref && !ref->Name().empty())
                    Line(indent, path + " = " + ref->Name());
                break;
            case TPropKind::Event:
                // Only handlers bound by name can be written; one bound in code has no name.
                if (p->HasMethod(obj))
                    if (const std::string* handler = owner->EventHandlerName(path))
                        Line(indent, path + " = " + *handler);
                break;
            case TPropKind::Inherited:
                break;
            }
        }
    }

    void WriteBitmap(const std::string& path, TBitmap& bitmap, int indent)
    {
        Line(indent, path + " = bitmap " + std::to_string(bitmap.Width()) + " " + std::to_string(bitmap.Height()) +
                         " " + PixelFormatNames[bitmap.PixelFormat()] + " {");
        const int32_t bytes = RowBytes(bitmap.PixelFormat(), bitmap.Width());
        static const char digits[] = "0123456789ABCDEF";
        for (int32_t y = 0; y < bitmap.Height(); ++y) {
            const uint8_t* row = bitmap.ScanLine(y);
            std::string hex;
            hex.reserve(static_cast<size_t>(bytes) * 2);
            for (int32_t i = 0; i < bytes; ++i) {
                hex += digits[row[i] >> 4];
                hex += digits[row[i] & 15];
            }
            Line(indent + 1, hex);
        }
        Line(indent, "}");
    }

    TComponent* FRoot;
    std::string FOut;
};

// ---------------------------------------------------------------- reader

enum class Tok { End, Ident, Number, String, Punct };

struct Token {
    Tok Kind = Tok::End;
    std::string Text;  // identifier, punctuation, or the string's code page 932 bytes
    int64_t Number = 0;
    bool Hexadecimal = false;
    int Line = 1;
};

class Lexer {
public:
    explicit Lexer(std::string_view text) : FText(text) {}

    [[noreturn]] void Fail(int line, const std::string& what) const
    {
        throw EReadError("line " + std::to_string(line) + ": " + what);
    }

    const Token& Peek(size_t ahead = 0)
    {
        while (FAhead.size() <= ahead)
            FAhead.push_back(Scan());
        return FAhead[ahead];
    }

    Token Next()
    {
        Peek();
        Token t = std::move(FAhead.front());
        FAhead.erase(FAhead.begin());
        return t;
    }

    // A run of hexadecimal digits (a bitmap row); only called with nothing peeked.
    std::string HexWord(int& line)
    {
        SkipBlank();
        line = FLine;
        size_t start = FPos;
        while (FPos < FText.size() && std::isxdigit(static_cast<unsigned char>(FText[FPos])))
            ++FPos;
        return std::string(FText.substr(start, FPos - start));
    }

    bool Peeked() const { return !FAhead.empty(); }

private:
    void SkipBlank()
    {
        while (FPos < FText.size()) {
            const char c = FText[FPos];
            if (c == '\n') {
                ++FLine;
                ++FPos;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++FPos;
            } else if (c == '#') {
                while (FPos < FText.size() && FText[FPos] != '\n')
                    ++FPos;
            } else {
                break;
            }
        }
    }

    static bool IdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
    static bool IdentChar(char c) { return IdentStart(c) || (c >= '0' && c <= '9'); }

    Token Scan()
    {
        SkipBlank();
        Token t;
        t.Line = FLine;
        if (FPos >= FText.size())
            return t;
        const char c = FText[FPos];
        if (IdentStart(c)) {
            size_t start = FPos;
            while (FPos < FText.size() && IdentChar(FText[FPos]))
                ++FPos;
            t.Kind = Tok::Ident;
            t.Text = std::string(FText.substr(start, FPos - start));
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            ScanNumber(t);
        } else if (c == '"') {
            ScanString(t);
        } else if (std::string_view(":{}=[],.").find(c) != std::string_view::npos) {
            ++FPos;
            t.Kind = Tok::Punct;
            t.Text = std::string(1, c);
        } else {
            Fail(FLine, std::string("unexpected character '") + c + "'");
        }
        return t;
    }

    void ScanNumber(Token& t)
    {
        t.Kind = Tok::Number;
        const bool negative = FText[FPos] == '-';
        if (negative)
            ++FPos;
        uint64_t v = 0;
        size_t digits = 0;
        if (FText.substr(FPos, 2) == "0x" || FText.substr(FPos, 2) == "0X") {
            FPos += 2;
            t.Hexadecimal = true;
            while (FPos < FText.size() && std::isxdigit(static_cast<unsigned char>(FText[FPos]))) {
                const char d = FText[FPos++];
                v = v * 16 + static_cast<uint64_t>(std::isdigit(static_cast<unsigned char>(d)) ? d - '0' : (d | 0x20) - 'a' + 10);
                if (++digits > 8)
                    Fail(FLine, "number out of range");
            }
        } else {
            while (FPos < FText.size() && FText[FPos] >= '0' && FText[FPos] <= '9') {
                v = v * 10 + static_cast<uint64_t>(FText[FPos++] - '0');
                if (++digits > 10)
                    Fail(FLine, "number out of range");
            }
        }
        if (digits == 0 || (FPos < FText.size() && IdentChar(FText[FPos])))
            Fail(FLine, "malformed number");
        t.Number = negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
    }

    void ScanString(Token& t)
    {
        t.Kind = Tok::String;
        ++FPos;
        std::string utf8;  // the run since the last escape
        auto flush = [&]() {
            if (utf8.empty())
                return;
            std::string bytes = Utf8ToCp932(utf8);
            if (Cp932ToUtf8(bytes) != utf8)
                Fail(FLine, "text has characters outside code page 932");
            t.Text += bytes;
            utf8.clear();
        };
        for (;;) {
            if (FPos >= FText.size() || FText[FPos] == '\n')
                Fail(t.Line, "unterminated text");
            const char c = FText[FPos++];
            if (c == '"')
                break;
            if (c != '\\') {
                utf8 += c;
                continue;
            }
            if (FPos >= FText.size())
                Fail(t.Line, "unterminated text");
            const char e = FText[FPos++];
            flush();
            switch (e) {
            case '"': t.Text += '"'; break;
            case '\\': t.Text += '\\'; break;
            case 'n': t.Text += '\n'; break;
            case 'r': t.Text += '\r'; break;
            case 't': t.Text += '\t'; break;
            case 'x': {
                if (FPos + 2 > FText.size() || !std::isxdigit(static_cast<unsigned char>(FText[FPos])) ||
                    !std::isxdigit(static_cast<unsigned char>(FText[FPos + 1])))
                    Fail(FLine, "\\x needs two hexadecimal digits");
                t.Text += static_cast<char>(std::stoi(std::string(FText.substr(FPos, 2)), nullptr, 16));
                FPos += 2;
                break;
            }
            default: Fail(FLine, std::string("unknown escape \\") + e);
            }
        }
        flush();
    }

    std::string_view FText;
    size_t FPos = 0;
    int FLine = 1;
    std::vector<Token> FAhead;
};

class Reader {
public:
    Reader(std::string_view text, TComponent* root) : FLex(text), FRoot(root) {}

    // Reads the header; returns the class name it gives. The body follows.
    std::pair<std::string, std::string> Header()
    {
        Token first = Expect(Tok::Ident, "a component name");
        if (IsPunct(FLex.Peek(), ":")) {
            FLex.Next();
            Token cls = Expect(Tok::Ident, "a class name");
            ExpectPunct("{");
            return {first.Text, cls.Text};
        }
        ExpectPunct("{");
        return {"", first.Text};
    }

    void ReadRoot(const std::string& name, const std::string& className)
    {
        // The header names the root's class or an ancestor of it. A derived form that publishes
        // nothing of its own has no class information; an unknown name stands for it.
        const TClassInfo* info = &FRoot->ClassInfo();
        while (info && info->Name() != className)
            info = info->Parent();
        if (!info && FindClassInfo(className))
            FLex.Fail(1, "the description is of " + className + ", not of " + FRoot->ClassName());
        FMethods = FRoot->Methods();
        FRoot->BeginLoading();
        FLoaded.push_back(FRoot);
        try {
            // A second form of the same description under one owner gets Name_1, Name_2, ...
            std::string unique = name;
            for (int i = 1; !unique.empty() && FRoot->Owner() && FRoot->Owner()->FindComponent(unique) &&
                            FRoot->Owner()->FindComponent(unique) != FRoot;
                 ++i)
                unique = name + "_" + std::to_string(i);
            if (!unique.empty())
                FRoot->SetName(unique);
            ReadBody(FRoot);
            if (FLex.Peek().Kind != Tok::End)
                FLex.Fail(FLex.Peek().Line, "text after the end of " + FRoot->Name());
            Fixup();
        } catch (...) {
            for (TComponent* c : FLoaded)
                c->AbortLoading();
            throw;
        }
        for (TComponent* c : FLoaded)
            c->EndReading();
        for (TComponent* c : FLoaded)
            c->Loaded();
    }

private:
    static bool IsPunct(const Token& t, const char* p) { return t.Kind == Tok::Punct && t.Text == p; }

    Token Expect(Tok kind, const char* what)
    {
        Token t = FLex.Next();
        if (t.Kind != kind)
            FLex.Fail(t.Line, std::string("expected ") + what + Found(t));
        return t;
    }

    void ExpectPunct(const char* p)
    {
        Token t = FLex.Next();
        if (!IsPunct(t, p))
            FLex.Fail(t.Line, std::string("expected '") + p + "'" + Found(t));
    }

    static std::string Found(const Token& t)
    {
        switch (t.Kind) {
        case Tok::End: return ", found the end";
        case Tok::String: return ", found a text";
        case Tok::Number: return ", found " + std::to_string(t.Number);
        default: return ", found '" + t.Text + "'";
        }
    }

    void ReadBody(TComponent* c)
    {
        for (;;) {
            const Token& t = FLex.Peek();
            if (IsPunct(t, "}")) {
                FLex.Next();
                return;
            }
            if (t.Kind != Tok::Ident)
                FLex.Fail(t.Line, "expected a property or a component" + Found(t));
            const Token& after = FLex.Peek(1);
            if (IsPunct(after, ":") || IsPunct(after, "{"))
                ReadChild(c);
            else
                ReadProperty(c);
        }
    }

    void ReadChild(TComponent* parent)
    {
        Token first = FLex.Next();
        if (++FDepth > MaxDepth)
            FLex.Fail(first.Line, "components nested too deeply");
        std::string name, className = first.Text;
        if (IsPunct(FLex.Peek(), ":")) {
            FLex.Next();
            name = first.Text;
            className = Expect(Tok::Ident, "a class name").Text;
        }
        ExpectPunct("{");
        const TClassInfo* info = FindClassInfo(className);
        if (!info || !info->Factory())
            FLex.Fail(first.Line, "class " + className + " not found");
        TComponent* child = info->Factory()(FRoot);
        child->BeginLoading();
        FLoaded.push_back(child);
        try {
            child->SetName(name);
        } catch (const Exception& e) {
            FLex.Fail(first.Line, e.Message);
        }
        child->SetParentComponent(parent);
        ReadBody(child);
        --FDepth;
    }

    void ReadProperty(TComponent* c)
    {
        Token t = FLex.Next();
        const int line = t.Line;
        std::string path = t.Text;
        TPersistent* obj = c;
        const TClassInfo* info = &c->ClassInfo();
        const TPropInfo* p = nullptr;
        for (;;) {
            p = info->FindProperty(t.Text);
            if (!p)
                FLex.Fail(line, info->Name() + " has no property " + t.Text);
            if (!IsPunct(FLex.Peek(), "."))
                break;
            FLex.Next();
            if (p->Kind != TPropKind::Object)
                FLex.Fail(line, path + " has no properties of its own");
            obj = p->GetObj(obj);
            info = &p->ObjectClass();
            if (!obj)
                FLex.Fail(line, path + " is not there");
            t = Expect(Tok::Ident, "a property name");
            path += "." + t.Text;
        }
        ExpectPunct("=");
        try {
            Apply(c, obj, *p, path, line);
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            FLex.Fail(line, path + ": " + e.Message);
        }
    }

    int64_t Ordinal(const TPropInfo& p, const std::string& path, int line)
    {
        Token v = FLex.Next();
        auto bad = [&]() -> int64_t { FLex.Fail(line, "not a value for " + path + Found(v)); };
        switch (p.Kind) {
        case TPropKind::Boolean:
            if (v.Kind == Tok::Ident && (v.Text == "true" || v.Text == "True"))
                return 1;
            if (v.Kind == Tok::Ident && (v.Text == "false" || v.Text == "False"))
                return 0;
            return bad();
        case TPropKind::Enumeration:
            if (v.Kind == Tok::Ident && p.Names)
                for (size_t i = 0; i < p.Names->size(); ++i)
                    if ((*p.Names)[i] == v.Text)
                        return static_cast<int64_t>(i);
            return bad();
        case TPropKind::Set: {
            if (!IsPunct(v, "["))
                return bad();
            int64_t bits = 0;
            if (IsPunct(FLex.Peek(), "]")) {
                FLex.Next();
                return 0;
            }
            for (;;) {
                Token n = Expect(Tok::Ident, "a set member");
                size_t i = 0;
                while (p.Names && i < p.Names->size() && (*p.Names)[i] != n.Text)
                    ++i;
                if (!p.Names || i == p.Names->size())
                    FLex.Fail(n.Line, n.Text + " is not a member of " + path);
                bits |= int64_t{1} << i;
                Token sep = FLex.Next();
                if (IsPunct(sep, "]"))
                    return bits;
                if (!IsPunct(sep, ","))
                    FLex.Fail(sep.Line, "expected ',' or ']'" + Found(sep));
            }
        }
        default:  // Integer, Color
            if (v.Kind == Tok::Ident && p.Idents)
                for (const auto& e : *p.Idents)
                    if (v.Text == e.Name)
                        return e.Value;
            if (v.Kind != Tok::Number)
                return bad();
            if (v.Hexadecimal)  // up to 32 bits, taken as the signed value of those bits
                return static_cast<int32_t>(static_cast<uint32_t>(v.Number));
            if (v.Number < std::numeric_limits<int32_t>::min() || v.Number > std::numeric_limits<int32_t>::max())
                FLex.Fail(line, "number out of range for " + path);
            return v.Number;
        }
    }

    void Apply(TComponent* c, TPersistent* obj, const TPropInfo& p, const std::string& path, int line)
    {
        switch (p.Kind) {
        case TPropKind::Integer:
        case TPropKind::Boolean:
        case TPropKind::Enumeration:
        case TPropKind::Set:
        case TPropKind::Color: {
            const int64_t v = Ordinal(p, path, line);
            p.SetOrd(obj, v);
            break;
        }
        case TPropKind::String: {
            Token v = FLex.Next();
            if (v.Kind != Tok::String)
                FLex.Fail(line, path + " takes a text in quotes" + Found(v));
            p.SetStr(obj, v.Text);
            break;
        }
        case TPropKind::Object:
            FLex.Fail(line, path + " is set through its own properties (" + path + ".Name = ...)");
        case TPropKind::Bitmap: {
            std::unique_ptr<TBitmap> bitmap = ReadBitmap(line);
            if (p.SetObj)
                p.SetObj(obj, bitmap.get());
            else if (TPersistent* held = p.GetObj(obj))
                held->Assign(bitmap.get());
            break;
        }
        case TPropKind::Component: {
            Token v = Expect(Tok::Ident, "a component name");
            FFixups.push_back({obj, &p, v.Text, line});
            break;
        }
        case TPropKind::Event: {
            Token v = Expect(Tok::Ident, "a handler name");
            const TMethodEntry* entry = nullptr;
            for (const TMethodEntry& m : FMethods)
                if (m.Name == v.Text)
                    entry = &m;
            if (!entry)
                FLex.Fail(line, FRoot->ClassName() + " has no handler " + v.Text);
            if (!p.SetMethod(obj, entry->Method))
                FLex.Fail(line, "handler " + v.Text + " does not fit " + path);
            c->SetEventHandlerName(path, v.Text);
            break;
        }
        case TPropKind::Inherited:
            break;
        }
    }

    std::unique_ptr<TBitmap> ReadBitmap(int line)
    {
        Token kw = Expect(Tok::Ident, "bitmap");
        if (kw.Text != "bitmap")
            FLex.Fail(line, "expected bitmap" + Found(kw));
        Token w = Expect(Tok::Number, "the bitmap's width");
        Token h = Expect(Tok::Number, "the bitmap's height");
        if (w.Number < 0 || h.Number < 0 || w.Number > 65535 || h.Number > 65535)
            FLex.Fail(line, "bitmap size out of range");
        Token f = Expect(Tok::Ident, "a pixel format");
        size_t format = 0;
        while (format < PixelFormatNames.size() && PixelFormatNames[format] != f.Text)
            ++format;
        if (format == PixelFormatNames.size())
            FLex.Fail(line, f.Text + " is not a pixel format");
        ExpectPunct("{");
        // The rows are read before anything is allocated: the size a header claims costs
        // nothing until the text really holds those pixels.
        const TPixelFormat pf = static_cast<TPixelFormat>(format);
        const int32_t width = static_cast<int32_t>(w.Number), height = static_cast<int32_t>(h.Number);
        const size_t bytes = static_cast<size_t>(RowBytes(pf, width));
        std::vector<uint8_t> pixels;
        for (int32_t y = 0; y < height; ++y) {
            int rowLine = 0;
            const std::string hex = FLex.HexWord(rowLine);
            if (hex.size() != bytes * 2)
                FLex.Fail(rowLine, "bitmap row " + std::to_string(y) + " needs " + std::to_string(bytes * 2) +
                                       " hexadecimal digits");
            for (size_t i = 0; i < bytes; ++i)
                pixels.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i * 2, 2), nullptr, 16)));
        }
        auto bitmap = std::make_unique<TBitmap>(width, height, pf);
        for (int32_t y = 0; y < height; ++y)
            std::copy_n(pixels.data() + static_cast<size_t>(y) * bytes, bytes, bitmap->ScanLine(y));
        ExpectPunct("}");
        return bitmap;
    }

    void Fixup()
    {
        for (const FixupEntry& f : FFixups) {
            TComponent* target = nullptr;
            if (f.Name != "nil") {
                target = SameTextAscii(f.Name, FRoot->Name()) ? FRoot : FRoot->FindComponent(f.Name);
                if (!target)
                    FLex.Fail(f.Line, "no component named " + f.Name);
            }
            try {
                f.Prop->SetObj(f.Object, target);
            } catch (const std::bad_cast&) {
                FLex.Fail(f.Line, f.Name + " is not a component of the class " + f.Prop->Name + " takes");
            }
        }
    }

    struct FixupEntry {
        TPersistent* Object;
        const TPropInfo* Prop;
        std::string Name;
        int Line;
    };

    static constexpr int MaxDepth = 64;

    Lexer FLex;
    TComponent* FRoot;
    int FDepth = 0;
    TMethodTable FMethods;
    std::vector<TComponent*> FLoaded;
    std::vector<FixupEntry> FFixups;
};

}  // namespace

std::string WriteFormDescription(TComponent* root) { return Writer(root).Write(); }

void ReadFormDescription(TComponent* root, std::string_view text)
{
    Reader reader(text, root);
    auto [name, className] = reader.Header();
    reader.ReadRoot(name, className);
}

TComponent* CreateFromDescription(std::string_view text, TComponent* owner)
{
    Reader probe(text, nullptr);
    const std::string className = probe.Header().second;
    const TClassInfo* info = FindClassInfo(className);
    if (!info || !info->Factory())
        throw EReadError("line 1: class " + className + " not found");
    std::unique_ptr<TComponent> root(info->Factory()(owner));
    ReadFormDescription(root.get(), text);
    return root.release();
}
