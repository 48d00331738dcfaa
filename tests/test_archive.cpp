#include <gtest/gtest.h>

#include "archive/cp852.h"
#include "archive/real48.h"

using namespace dosber;

TEST(real48, examples) {
  const unsigned char one[6] = {0x81, 0, 0, 0, 0, 0};
  EXPECT_EQ(real48(one), 1.0);
}
