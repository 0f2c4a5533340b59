#include "app/download.h"

#include <gtest/gtest.h>

namespace fernwick {
namespace {

TEST(ProgressPosition, IsTheTruncatedFloatingPointPercentage)
{
    struct Case {
        int done;
        int total;
        int position;
    };
    for (const Case& c : {Case{1, 3, 33}, Case{2, 3, 66}, Case{3, 3, 100}, Case{29, 100, 28}, Case{1, 1, 100},
                          Case{1, 0, 0}, Case{5, -2, 0}, Case{7, 3, 100}}) {
        EXPECT_EQ(progress_position(c.done, c.total), c.position) << c.done << "/" << c.total;
    }
}

} // namespace
} // namespace fernwick
