#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/ShadoLbl/ShadowLabel.h"
#include "platform/classes/FormDescription.h"
#include "platform/controls/Form.h"

namespace {

// Counts the label's repaint requests.
class TCountingLabel : public TShadowLabel {
public:
    using TShadowLabel::TShadowLabel;
    void Invalidate() override
    {
        ++Invalidations;
        TShadowLabel::Invalidate();
    }
    int Invalidations = 0;
};

std::vector<std::string> PublishedNames(const TClassInfo& info)
{
    std::vector<std::string> names;
    for (const TPropInfo* p : info.Properties())
        names.push_back(p->Name);
    return names;
}

}  // namespace

TEST(ShadowLabel, StartsWithASilverShadowAndAWhiteHighlight)
{
    TShadowLabel label(nullptr);
    EXPECT_TRUE(label.Flickerless());
    EXPECT_EQ(label.GradationColor(), clBlue);
    EXPECT_EQ(label.TextGradationColor(), clMaroon);
    EXPECT_EQ(label.TextMidColor(), clNavy);
    EXPECT_EQ(label.Ellipsis(), elNone);
    EXPECT_FALSE(label.Gradation());
    EXPECT_FALSE(label.GradateVert());
    EXPECT_EQ(label.TextGradation(), tgNone);

    const TShadow& shadow = *label.Shadow();
    EXPECT_TRUE(shadow.Visible());
    EXPECT_EQ(shadow.Color(), clSilver);
    EXPECT_EQ(shadow.OffsetLeft(), 1);
    EXPECT_EQ(shadow.OffsetTop(), 1);
    const TShadow& highlight = *label.Highlight();
    EXPECT_TRUE(highlight.Visible());
    EXPECT_EQ(highlight.Color(), clWhite);
    EXPECT_EQ(highlight.OffsetLeft(), -1);
    EXPECT_EQ(highlight.OffsetTop(), -1);

    // Everything else is the plain label's.
    EXPECT_FALSE(label.Transparent());
    EXPECT_TRUE(label.AutoSize());
    EXPECT_TRUE(label.ShowAccelChar());
    EXPECT_EQ(label.Alignment(), taLeftJustify);
    EXPECT_EQ(label.Layout(), tlTop);
}

// Each row: a change from the defaults, whether it asks for a repaint, and a check that it was stored.
TEST(ShadowLabel, SettersRepaintOncePerChangeAndNeverForAnEqualValue)
{
    struct Case {
        const char* name;
        std::function<void(TShadowLabel&)> setEqual, setNew;
        std::function<bool(const TShadowLabel&)> stored;
        int repaints;
    };
    const Case cases[] = {
        {"Ellipsis", [](auto& l) { l.SetEllipsis(elNone); }, [](auto& l) { l.SetEllipsis(elPath); },
         [](const auto& l) { return l.Ellipsis() == elPath; }, 1},
        {"GradateVert", [](auto& l) { l.SetGradateVert(false); }, [](auto& l) { l.SetGradateVert(true); },
         [](const auto& l) { return l.GradateVert(); }, 1},
        {"Gradation", [](auto& l) { l.SetGradation(false); }, [](auto& l) { l.SetGradation(true); },
         [](const auto& l) { return l.Gradation(); }, 1},
        // Repaints even while the background is plain.
        {"GradationColor", [](auto& l) { l.SetGradationColor(clBlue); }, [](auto& l) { l.SetGradationColor(clRed); },
         [](const auto& l) { return l.GradationColor() == clRed; }, 1},
        {"TextGradation", [](auto& l) { l.SetTextGradation(tgNone); }, [](auto& l) { l.SetTextGradation(tg3Colors); },
         [](const auto& l) { return l.TextGradation() == tg3Colors; }, 1},
        // The text colours are not drawn while the text is plain, so they only store.
        {"TextGradationColor", [](auto& l) { l.SetTextGradationColor(clMaroon); },
         [](auto& l) { l.SetTextGradationColor(clLime); }, [](const auto& l) { return l.TextGradationColor() == clLime; }, 0},
        {"TextMidColor", [](auto& l) { l.SetTextMidColor(clNavy); }, [](auto& l) { l.SetTextMidColor(clLime); },
         [](const auto& l) { return l.TextMidColor() == clLime; }, 0},
        {"Flickerless", [](auto& l) { l.SetFlickerless(true); }, [](auto& l) { l.SetFlickerless(false); },
         [](const auto& l) { return !l.Flickerless(); }, 0},
        {"Shadow.OffsetLeft", [](auto& l) { l.Shadow()->SetShadowLeft(1); }, [](auto& l) { l.Shadow()->SetShadowLeft(4); },
         [](const auto& l) { return l.Shadow()->OffsetLeft() == 4; }, 1},
        {"Highlight.Color", [](auto& l) { l.Highlight()->SetShadowColor(clWhite); },
         [](auto& l) { l.Highlight()->SetShadowColor(clYellow); },
         [](const auto& l) { return l.Highlight()->Color() == clYellow; }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TCountingLabel label(nullptr);
        c.setEqual(label);
        EXPECT_EQ(label.Invalidations, 0);
        c.setNew(label);
        EXPECT_TRUE(c.stored(label));
        EXPECT_EQ(label.Invalidations, c.repaints);
        c.setNew(label);
        EXPECT_EQ(label.Invalidations, c.repaints);
    }
}

TEST(ShadowLabel, TextColoursRepaintOnlyWhileTheGradientUsesThem)
{
    TCountingLabel label(nullptr);
    label.SetTextGradation(tg2Colors);
    label.Invalidations = 0;
    label.SetTextGradationColor(clLime);
    EXPECT_EQ(label.Invalidations, 1);
    label.SetTextMidColor(clAqua);  // stored for later, not drawn by two colours
    EXPECT_EQ(label.Invalidations, 1);
    EXPECT_EQ(label.TextMidColor(), clAqua);
    label.SetTextGradation(tg3Colors);
    label.Invalidations = 0;
    label.SetTextMidColor(clFuchsia);
    label.SetTextGradationColor(clRed);
    EXPECT_EQ(label.Invalidations, 2);
}

TEST(ShadowLabel, SettingHighlightOrShadowCopiesIntoTheOwnedObject)
{
    TCountingLabel label(nullptr);
    TShadow* const ownHighlight = label.Highlight();
    TShadow other;
    other.SetShadowVisible(false);
    other.SetShadowColor(clRed);
    other.SetShadowLeft(3);
    other.SetShadowTop(-4);

    label.SetHighlight(&other);
    EXPECT_EQ(label.Highlight(), ownHighlight);
    EXPECT_FALSE(ownHighlight->Visible());
    EXPECT_EQ(ownHighlight->Color(), clRed);
    EXPECT_EQ(ownHighlight->OffsetLeft(), 3);
    EXPECT_EQ(ownHighlight->OffsetTop(), -4);
    EXPECT_EQ(label.Invalidations, 2) << "the copy's notice, then the setter's own request";

    other.SetShadowColor(clBlue);  // the given object stays the caller's
    EXPECT_EQ(ownHighlight->Color(), clRed);
    EXPECT_EQ(label.Invalidations, 2);
    ownHighlight->SetShadowTop(0);  // and the owned one still reports to the label
    EXPECT_EQ(label.Invalidations, 3);

    label.SetShadow(&other);
    EXPECT_EQ(label.Shadow()->Color(), clBlue);
    EXPECT_EQ(label.Invalidations, 5);

    label.SetShadow(nullptr);
    label.SetHighlight(nullptr);
    EXPECT_EQ(label.Invalidations, 5);
    EXPECT_EQ(label.Shadow()->Color(), clBlue);
}

TEST(ShadowLabel, PublishesItsOwnPropertiesAfterTheLabelsInOrder)
{
    const std::vector<std::string> names = PublishedNames(TShadowLabel::StaticClassInfo());
    const std::vector<std::string> label = PublishedNames(TLabel::StaticClassInfo());
    ASSERT_GT(names.size(), label.size());
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + static_cast<long>(label.size())), label);
    EXPECT_EQ(std::vector<std::string>(names.begin() + static_cast<long>(label.size()), names.end()),
              (std::vector<std::string>{"Ellipsis", "Flickerless", "GradateVert", "Gradation", "GradationColor",
                                        "Highlight", "Shadow", "TextGradation", "TextGradationColor", "TextMidColor"}));
    EXPECT_EQ(PublishedNames(TShadow::StaticClassInfo()),
              (std::vector<std::string>{"Visible", "Color", "OffsetLeft", "OffsetTop", "OnChange"}));
    EXPECT_EQ(FindClassInfo("TShadowLabel"), &TShadowLabel::StaticClassInfo());
}

// A fresh label writes the values without a declared default and the highlight's values that differ
// from the shared TShadow defaults, and nothing of the shadow.
TEST(ShadowLabel, FormDescriptionWritesOnlyWhatDiffersFromTheDeclaredDefaults)
{
    TForm form(nullptr);
    auto* label = new TShadowLabel(&form);
    label->SetName("Label1");
    label->SetParent(&form);
    const std::string text = WriteFormDescription(&form);
    const size_t start = text.find("Label1: TShadowLabel {");
    ASSERT_NE(start, std::string::npos) << text;
    const std::string own = text.substr(text.find("Ellipsis", start), text.find('}', start) - text.find("Ellipsis", start));
    EXPECT_EQ(own,
              "Ellipsis = elNone\n"
              "        GradateVert = false\n"
              "        Gradation = false\n"
              "        Highlight.Color = clWhite\n"
              "        Highlight.OffsetLeft = -1\n"
              "        Highlight.OffsetTop = -1\n"
              "        TextGradation = tgNone\n    ")
        << text;
}

TEST(ShadowLabel, FormDescriptionRoundTripKeepsEveryValueAndTheOwnedObjects)
{
    TForm source(nullptr);
    auto* label = new TShadowLabel(&source);
    label->SetName("Label7");
    label->SetParent(&source);
    label->SetCaption("7");
    label->SetTransparent(true);
    label->SetEllipsis(elEnd);
    label->SetFlickerless(false);
    label->SetGradateVert(true);
    label->SetGradation(true);
    label->SetGradationColor(clTeal);
    label->Highlight()->SetShadowVisible(false);
    label->Shadow()->SetShadowColor(clGray);
    label->Shadow()->SetShadowTop(2);
    label->SetTextGradation(tg3Colors);
    label->SetTextGradationColor(clLime);
    label->SetTextMidColor(RGB(1, 2, 3));
    const std::string text = WriteFormDescription(&source);

    TForm target(nullptr);
    ReadFormDescription(&target, text);
    auto* copy = target.Find<TShadowLabel>("Label7");
    ASSERT_NE(copy, nullptr) << text;
    EXPECT_EQ(copy->Parent(), &target);
    EXPECT_EQ(copy->Caption(), "7");
    EXPECT_TRUE(copy->Transparent());
    EXPECT_EQ(copy->Ellipsis(), elEnd);
    EXPECT_FALSE(copy->Flickerless());
    EXPECT_TRUE(copy->GradateVert());
    EXPECT_TRUE(copy->Gradation());
    EXPECT_EQ(copy->GradationColor(), clTeal);
    EXPECT_FALSE(copy->Highlight()->Visible());
    EXPECT_EQ(copy->Highlight()->Color(), clWhite);
    EXPECT_EQ(copy->Highlight()->OffsetLeft(), -1);
    EXPECT_EQ(copy->Shadow()->Color(), clGray);
    EXPECT_EQ(copy->Shadow()->OffsetLeft(), 1);
    EXPECT_EQ(copy->Shadow()->OffsetTop(), 2);
    EXPECT_EQ(copy->TextGradation(), tg3Colors);
    EXPECT_EQ(copy->TextGradationColor(), clLime);
    EXPECT_EQ(copy->TextMidColor(), RGB(1, 2, 3));
    EXPECT_EQ(WriteFormDescription(&target), text);

    // Loading went through the owned objects, which still report to their label.
    target.PaintPending();
    ASSERT_TRUE(target.InvalidRect().IsEmpty());
    copy->Shadow()->SetShadowLeft(5);
    EXPECT_EQ(target.InvalidRect(), copy->BoundsRect());
}
