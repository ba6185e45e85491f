#include <gtest/gtest.h>

#include "polling/MorvikDlg.h"

TEST(Skeleton, QuantityKeysHaveThirtyTwoEntries) {
    EXPECT_EQ(vantor::kQuantityKeys.size(), 32u);
}
