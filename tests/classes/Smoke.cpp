#include <gtest/gtest.h>
#include "platform/classes/FormDescription.h"
TEST(Smoke, Builds) { TComponent c(nullptr); EXPECT_EQ(c.ClassName(), "TComponent"); }
