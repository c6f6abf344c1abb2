#include <gtest/gtest.h>

#include "platform/classes/FormDescription.h"
#include "platform/core/Cp932.h"
#include "tests/classes/Gadgets.h"

namespace {

std::vector<std::string> Names(const TClassInfo& info)
{
    std::vector<std::string> names;
    for (const TPropInfo* p : info.Properties())
        names.push_back(p->Name);
    return names;
}

struct Registered {
    Registered() { RegisterClasses<TGadget, TBigGadget, TGadgetBox>(); }
} registered;

}  // namespace

TEST(Properties, PublishedOrderFollowsTheClassChain)
{
    EXPECT_EQ(Names(TGadget::StaticClassInfo()),
              (std::vector<std::string>{"Tag", "Count", "Active", "Mode", "Options", "Color", "Text", "Settings",
                                        "Picture", "Buddy", "OnPing"}));
    // Own properties first; the redeclared Color takes the place of its own declaration and its
    // new default.
    const auto big = Names(TBigGadget::StaticClassInfo());
    EXPECT_EQ(big, (std::vector<std::string>{"Weight", "Color", "Tag", "Count", "Active", "Mode", "Options", "Text",
                                             "Settings", "Picture", "Buddy", "OnPing"}));
    EXPECT_EQ(TBigGadget::StaticClassInfo().FindProperty("Color")->OrdDefault, clNavy);
    EXPECT_TRUE(TBigGadget::StaticClassInfo().InheritsFrom(TComponent::StaticClassInfo()));
    EXPECT_EQ(FindClassInfo("TBigGadget"), &TBigGadget::StaticClassInfo());
    EXPECT_EQ(FindClassInfo("TNoSuchThing"), nullptr);
}

TEST(FormDescription, WritesOnlyValuesOffTheirDefaultsAndThoseWithout)
{
    TGadgetBox box(nullptr);
    box.SetName("Box");
    auto* g = new TGadget(&box);
    g->SetName("G1");
    g->SetMode(gmLarge);
    g->Settings()->SetTint(clWhite);
    g->SetOptions(0b101);
    g->SetColor(0x123456);
    g->SetCount(-7);
    EXPECT_EQ(WriteFormDescription(&box),
              "Box: TGadgetBox {\n"
              "    Active = false\n"  // no declared default: always written
              "    G1: TGadget {\n"
              "        Count = -7\n"
              "        Active = false\n"
              "        Mode = gmLarge\n"
              "        Options = [goRed, goBlue]\n"
              "        Color = 0x123456\n"
              "        Settings.Tint = clWhite\n"
              "    }\n"
              "}\n");
}

TEST(FormDescription, ReadsThroughTheSettersAndTheNestedObjectsOwnSetters)
{
    TLog log;
    TGadgetBox box(nullptr);
    TGadgetSettings* settings = box.Settings();
    box.Log = &log;
    settings->Log = &log;
    ReadFormDescription(&box, R"(Box: TGadgetBox {
        Mode = gmSmall   # a comment
        Settings.Tint = clRed
        Count = 0x10
        Settings.Offset = -1
    })");
    EXPECT_EQ(log, (TLog{"Box.Mode", "Settings.Tint", "Box.Count", "Settings.Offset", "Box.Loaded"}));
    // The owned object took the values; it was never replaced or assigned to.
    EXPECT_EQ(box.Settings(), settings);
    EXPECT_EQ(settings->Tint(), clRed);
    EXPECT_EQ(settings->Offset(), -1);
    EXPECT_EQ(box.Count(), 16);
    EXPECT_EQ(box.Name(), "Box");
}

TEST(FormDescription, CreatesByClassBindsHandlersAndResolvesReferencesBeforeLoaded)
{
    TGadgetBox box(nullptr);
    ReadFormDescription(&box, R"(Box: TGadgetBox {
        A: TGadget {
            Buddy = B        # B comes later
            OnPing = GadgetPing
        }
        B: TBigGadget {
            Weight = 9
            OnPing = GadgetPing
        }
    })");
    ASSERT_EQ(box.ComponentCount(), 2);
    auto* a = box.Find<TGadget>("A");
    auto* b = box.Find<TBigGadget>("b");  // names are found without regard to letter case
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->Owner(), &box);
    EXPECT_EQ(a->Buddy(), b);
    EXPECT_EQ(a->BuddyAtLoaded, "B");
    EXPECT_EQ(b->Weight(), 9);
    EXPECT_FALSE(a->Loading());
    a->OnPing(a);
    b->OnPing(b);
    EXPECT_EQ(box.Pinged, (std::vector<std::string>{"A", "B"}));
    // Freeing the referenced component clears the reference.
    delete b;
    EXPECT_EQ(a->Buddy(), nullptr);
    EXPECT_EQ(box.ComponentCount(), 1);
}

TEST(FormDescription, RoundTripKeepsEveryKindOfValue)
{
    TGadgetBox box(nullptr);
    box.SetName("Box");
    box.SetText(Sjis("ティロラ ｱｲ \"引用\" back\\slash\n2行目") + std::string("\x80\xFF", 2));
    auto* g = new TGadget(&box);
    g->SetName("G1");
    g->SetActive(true);
    g->SetColor(clBtnFace);
    g->SetCount(-2147483647 - 1);
    g->Settings()->SetOffset(-1);
    g->Picture()->SetPixelFormat(pf24bit);
    g->Picture()->SetSize(3, 2);
    g->Picture()->SetPixelRGB(0, 0, 0x102030);
    g->Picture()->SetPixelRGB(2, 1, 0xFFFFFF);
    auto* h = new TBigGadget(&box);
    h->SetName("G2");
    h->SetBuddy(g);
    h->SetColor(clSilver);  // the inherited default, but not this class's
    ReadFormDescription(&box, "Box: TGadgetBox { G3: TGadget { OnPing = GadgetPing } }");

    const std::string text = WriteFormDescription(&box);
    TGadgetBox copy(nullptr);
    ReadFormDescription(&copy, text);
    EXPECT_EQ(WriteFormDescription(&copy), text);
    EXPECT_EQ(copy.Text(), box.Text());
    auto* g2 = copy.Find<TGadget>("G1");
    ASSERT_TRUE(g2);
    EXPECT_EQ(g2->Count(), -2147483647 - 1);
    EXPECT_EQ(g2->Picture()->Width(), 3);
    EXPECT_EQ(g2->Picture()->PixelRGB(0, 0), 0x102030u);
    EXPECT_EQ(g2->Picture()->PixelRGB(2, 1), 0xFFFFFFu);
    EXPECT_EQ(copy.Find<TBigGadget>("G2")->Buddy(), g2);
    EXPECT_EQ(copy.Find<TBigGadget>("G2")->Color(), clSilver);
    EXPECT_TRUE(static_cast<bool>(copy.Find<TGadget>("G3")->OnPing));
    // Readable: Japanese stays Japanese in the file.
    EXPECT_NE(text.find("ティロラ ｱｲ \\\"引用\\\" back\\\\slash\\n2行目"), std::string::npos) << text;
}

TEST(FormDescription, CreateFromDescriptionMakesTheRoot)
{
    std::unique_ptr<TComponent> made(CreateFromDescription("X: TBigGadget { Weight = 3 }", nullptr));
    auto* big = dynamic_cast<TBigGadget*>(made.get());
    ASSERT_TRUE(big);
    EXPECT_EQ(big->Weight(), 3);
    EXPECT_EQ(big->Name(), "X");
}

TEST(FormDescription, ErrorsNameTheLineAndLeaveNothingLoading)
{
    struct Case {
        const char* Text;
        const char* Message;
    };
    const Case cases[] = {
        {"Box: TGadgetBox {\n  Nope = 1\n}", "line 2: TGadgetBox has no property Nope"},
        {"Box: TGadgetBox {\n  X: TMissing {\n  }\n}", "line 2: class TMissing not found"},
        {"Box: TGadgetBox {\n  Mode = gmHuge\n}", "line 2: not a value for Mode"},
        {"Box: TGadgetBox {\n  Options = [goRed, goPink]\n}", "goPink is not a member of Options"},
        {"Box: TGadgetBox {\n  Count = 4294967296\n}", "line 2: number out of range"},
        {"Box: TGadgetBox {\n  Text = \"open\n}", "line 2: unterminated text"},
        {"Box: TGadgetBox {\n  Text = \"\xF0\x9F\x98\x80\"\n}", "outside code page 932"},
        {"Box: TGadgetBox {\n  OnPing = Missing\n}", "line 2: TGadgetBox has no handler Missing"},
        {"Box: TGadgetBox {\n  OnPing = WrongKind\n}", "handler WrongKind does not fit OnPing"},
        {"Box: TGadgetBox {\n  Buddy = Nobody\n}", "line 2: no component named Nobody"},
        {"Box: TGadgetBox {\n  Settings = 1\n}", "Settings is set through its own properties"},
        {"Box: TGadgetBox {\n  Count.X = 1\n}", "Count has no properties of its own"},
        {"Box: TGadgetBox {\n  Picture = bitmap 2 1 pf24bit {\n   FFFFFF\n  }\n}", "needs 12 hexadecimal digits"},
        {"Box: TGadgetBox {\n  Picture = bitmap 65535 65535 pf32bit {\n  }\n}", "bitmap row 0 needs"},
        {"Box: TGadgetBox {\n  Count = 1\n", "found the end"},
        {"Box: TBigGadget {\n}", "the description is of TBigGadget"},  // not the root's class or an ancestor
        {"Box: TGadgetBox {\n  A: TGadget {\n  }\n  a: TGadget {\n  }\n}", "line 4:"},  // duplicate name
    };
    std::string deep = "Box: TGadgetBox {\n";
    for (int i = 0; i < 100; ++i)
        deep += "G" + std::to_string(i) + ": TGadget {\n";
    deep += std::string(101, '}');
    const std::vector<Case> all = [&] {
        std::vector<Case> v(std::begin(cases), std::end(cases));
        v.push_back({deep.c_str(), "line 66: components nested too deeply"});
        return v;
    }();
    for (const Case& c : all) {
        TGadgetBox box(nullptr);
        try {
            ReadFormDescription(&box, c.Text);
            ADD_FAILURE() << "no error for: " << c.Text;
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message.find(c.Message), std::string::npos) << e.Message;
        }
        EXPECT_FALSE(box.ComponentState() & (csLoading | csReading)) << c.Text;
        for (int i = 0; i < box.ComponentCount(); ++i)
            EXPECT_FALSE(box.Components(i)->Loading());
    }
}
