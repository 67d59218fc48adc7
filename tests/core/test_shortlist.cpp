// The shortlist's rules: at most four choices, each once, in the order the
// applicant puts them.
#include "shortlist.h"

#include <gtest/gtest.h>

namespace tamrik {
namespace {

TEST(Shortlist, FourInOrderWithoutRepeats)
{
    Shortlist list({"0005", "", "0013", "0005", "0040", "0077", "0100"});
    EXPECT_EQ(list.codes(), (std::vector<std::string>{"0005", "0013", "0040", "0077"}));
    EXPECT_EQ(list.add("0100"), Shortlist::Added::Full);
    EXPECT_TRUE(list.remove(1));
    EXPECT_EQ(list.add("0040"), Shortlist::Added::AlreadyIn);
    EXPECT_EQ(list.add("0100"), Shortlist::Added::Yes);
    EXPECT_FALSE(list.moveUp(0));
    EXPECT_FALSE(list.moveDown(3));
    EXPECT_FALSE(list.remove(4));
    EXPECT_TRUE(list.moveDown(0));
    EXPECT_EQ(list.codes(), (std::vector<std::string>{"0040", "0005", "0077", "0100"}));
    EXPECT_EQ(choiceCaption(3), "อันดับ 4");
}

}  // namespace
}  // namespace tamrik
