#include "platform/classes/TypInfo.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "platform/core/Color.h"
#include "platform/graphics/GraphicsObjects.h"

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, std::vector<TPropInfo> props, TFactory create,
                       TOrder order)
    : FName(std::move(name)), FParent(parent), FCreate(create), FOwn(std::move(props))
{
    std::vector<const TPropInfo*> own;
    for (const TPropInfo& p : FOwn) {
        if (p.Kind == TPropKind::Inherited) {
            const TPropInfo* declared = parent ? parent->FindDeclared(p.Name) : nullptr;
            if (!declared)
                throw std::logic_error(FName + " publishes " + p.Name + ", which no ancestor declares");
            own.push_back(declared);
        } else if (p.Published) {
            own.push_back(&p);
        }
    }
    // A property published twice keeps its first place; a redeclaration by this class (a new
    // default, say) takes the ancestor's place.
    auto add = [this](const std::vector<const TPropInfo*>& list, bool replace) {
        for (const TPropInfo* p : list) {
            auto it = std::find_if(FPublished.begin(), FPublished.end(),
                                   [p](const TPropInfo* q) { return q->Name == p->Name; });
            if (it == FPublished.end())
                FPublished.push_back(p);
            else if (replace)
                *it = p;
        }
    };
    if (order == InheritedFirst) {
        if (parent)
            add(parent->FPublished, false);
        add(own, true);
    } else {
        add(own, false);
        if (parent)
            add(parent->FPublished, false);
    }
    if (FCreate)
        RegisterClass(*this);
}

bool TClassInfo::InheritsFrom(const TClassInfo& ancestor) const
{
    for (const TClassInfo* c = this; c; c = c->FParent)
        if (c == &ancestor)
            return true;
    return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const
{
    for (const TPropInfo* p : FPublished)
        if (p->Name == name)
            return p;
    return nullptr;
}

const TPropInfo* TClassInfo::FindDeclared(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const TPropInfo& p : c->FOwn)
            if (p.Kind != TPropKind::Inherited && p.Name == name)
                return &p;
    return nullptr;
}

namespace {

std::map<std::string, const TClassInfo*, std::less<>>& Registry()
{
    static std::map<std::string, const TClassInfo*, std::less<>> registry;
    return registry;
}

}  // namespace

void RegisterClass(const TClassInfo& info) { Registry()[info.Name()] = &info; }

const TClassInfo* FindClassInfo(std::string_view name)
{
    auto& registry = Registry();
    auto it = registry.find(name);
    return it == registry.end() ? nullptr : it->second;
}

const TIdentMap& ColorIdents()
{
    static const TIdentMap idents = {
        {clBlack, "clBlack"},
        {clMaroon, "clMaroon"},
        {clGreen, "clGreen"},
        {clOlive, "clOlive"},
        {clNavy, "clNavy"},
        {clPurple, "clPurple"},
        {clTeal, "clTeal"},
        {clGray, "clGray"},
        {clSilver, "clSilver"},
        {clRed, "clRed"},
        {clLime, "clLime"},
        {clYellow, "clYellow"},
        {clBlue, "clBlue"},
        {clFuchsia, "clFuchsia"},
        {clAqua, "clAqua"},
        {clWhite, "clWhite"},
        {clNone, "clNone"},
        {clDefault, "clDefault"},
        {SysColor(0), "clScrollBar"},
        {SysColor(1), "clBackground"},
        {SysColor(2), "clActiveCaption"},
        {SysColor(3), "clInactiveCaption"},
        {SysColor(4), "clMenu"},
        {clWindow, "clWindow"},
        {clWindowFrame, "clWindowFrame"},
        {SysColor(7), "clMenuText"},
        {clWindowText, "clWindowText"},
        {SysColor(9), "clCaptionText"},
        {SysColor(10), "clActiveBorder"},
        {SysColor(11), "clInactiveBorder"},
        {SysColor(12), "clAppWorkSpace"},
        {clHighlight, "clHighlight"},
        {clHighlightText, "clHighlightText"},
        {clBtnFace, "clBtnFace"},
        {clBtnShadow, "clBtnShadow"},
        {clGrayText, "clGrayText"},
        {clBtnText, "clBtnText"},
        {SysColor(19), "clInactiveCaptionText"},
        {clBtnHighlight, "clBtnHighlight"},
        {cl3DDkShadow, "cl3DDkShadow"},
        {cl3DLight, "cl3DLight"},
        {SysColor(23), "clInfoText"},
        {SysColor(24), "clInfoBk"},
    };
    return idents;
}

const TIdentMap& CharsetIdents()
{
    static const TIdentMap idents = {
        {0, "ANSI_CHARSET"},          {1, "DEFAULT_CHARSET"},  {2, "SYMBOL_CHARSET"},
        {128, "SHIFTJIS_CHARSET"},    {129, "HANGEUL_CHARSET"}, {134, "GB2312_CHARSET"},
        {136, "CHINESEBIG5_CHARSET"}, {255, "OEM_CHARSET"},
    };
    return idents;
}

namespace {

const std::vector<std::string> PenStyleNames = {"psSolid", "psDash",  "psDot",        "psDashDot",
                                                "psDashDotDot", "psClear", "psInsideFrame"};
const std::vector<std::string> PenModeNames = {"pmBlack", "pmWhite", "pmNop",  "pmNot", "pmCopy",
                                               "pmNotCopy", "pmMerge", "pmMask", "pmXor"};
const std::vector<std::string> BrushStyleNames = {"bsSolid", "bsClear"};
const std::vector<std::string> FontStyleNames = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
const std::vector<std::string> FontPitchNames = {"fpDefault", "fpVariable", "fpFixed"};

}  // namespace

template <>
const TClassInfo& ClassInfoOf<TFont>()
{
    // Everything but the pitch is written whenever the font is: a font is a whole.
    static const TClassInfo info("TFont", nullptr, {
        IntProp("Charset", &TFont::Charset, &TFont::SetCharset).WithIdents(CharsetIdents()),
        ColorProp("Color", &TFont::Color, &TFont::SetColor),
        IntProp("Height", &TFont::Height, &TFont::SetHeight),
        StrProp("Name", &TFont::Name, &TFont::SetName, NoDefault),
        EnumProp("Pitch", &TFont::Pitch, &TFont::SetPitch, FontPitchNames, fpDefault),
        SetProp("Style", &TFont::Style, &TFont::SetStyle, FontStyleNames),
    });
    return info;
}

template <>
const TClassInfo& ClassInfoOf<TPen>()
{
    static const TClassInfo info("TPen", nullptr, {
        ColorProp("Color", &TPen::Color, &TPen::SetColor, clBlack),
        EnumProp("Mode", &TPen::Mode, &TPen::SetMode, PenModeNames, pmCopy),
        EnumProp("Style", &TPen::Style, &TPen::SetStyle, PenStyleNames, psSolid),
        IntProp("Width", &TPen::Width, &TPen::SetWidth, 1),
    });
    return info;
}

template <>
const TClassInfo& ClassInfoOf<TBrush>()
{
    static const TClassInfo info("TBrush", nullptr, {
        ColorProp("Color", &TBrush::Color, &TBrush::SetColor, clWhite),
        EnumProp("Style", &TBrush::Style, &TBrush::SetStyle, BrushStyleNames, bsSolid),
    });
    return info;
}
