#include "app/text_helpers.h"

#include <gtest/gtest.h>

TEST(TextHelpers, Placeholder) { EXPECT_TRUE(true); }
