#include <gtest/gtest.h>

#include "platform/classes/Component.h"
#include "platform/core/Cp932.h"

namespace {

// Records its own end in a shared log.
class TCounted : public TComponent {
public:
    TCounted(TComponent* owner, std::vector<std::string>* log) : TComponent(owner), FLog(log) {}
    ~TCounted() override { FLog->push_back(Name()); }

private:
    std::vector<std::string>* FLog;
};

}  // namespace

TEST(Component, OwnerFreesWhatItOwnsLastCreatedFirst)
{
    std::vector<std::string> freed;
    {
        TComponent owner(nullptr);
        for (const char* name : {"A", "B", "C"})
            (new TCounted(&owner, &freed))->SetName(name);
        // A component freed on its own leaves its owner's list.
        delete owner.FindComponent("b");
        EXPECT_EQ(owner.ComponentCount(), 2);
        EXPECT_EQ(owner.Components(1)->Name(), "C");
        EXPECT_EQ(owner.Components(1)->ComponentIndex(), 1);
    }
    EXPECT_EQ(freed, (std::vector<std::string>{"B", "C", "A"}));
}

TEST(Component, NamesAreIdentifiersUniqueWithinTheOwner)
{
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("Image1");
    EXPECT_THROW(b->SetName("IMAGE1"), EComponentError);
    EXPECT_THROW(b->SetName("1Image"), EComponentError);
    EXPECT_THROW(b->SetName("Image 2"), EComponentError);
    EXPECT_EQ(b->Name(), "");
    b->SetName("_Image2");
    a->SetName("image1");  // renaming itself is no clash
    EXPECT_EQ(owner.FindComponent("IMAGE1"), a);
    // Moving a component into an owner that has its name is refused too.
    TComponent other(nullptr);
    auto* c = new TComponent(&other);
    c->SetName("Image1");
    EXPECT_THROW(owner.InsertComponent(c), EComponentError);
    EXPECT_EQ(c->Owner(), &other);
}
