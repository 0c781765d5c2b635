#include <gtest/gtest.h>

#include "text.h"

namespace corvanel {
TEST(TextFind, SmokeBc) { EXPECT_EQ(TextFind(Text("abcabc"), Text("bc"), std::nullopt, false), 2); }
}
