#include "multiplicity_mark.h"

#include <gtest/gtest.h>

TEST(MultiplicityMark, Caption) {
    EXPECT_EQ(MultiplicityCaption("16"), "Number 16T Gears");
    EXPECT_EQ(MultiplicityCaption("165"), "Number 165T Gears");
}

TEST(MultiplicityMark, PlacementBesideTheGearBox) {
    struct Case {
        unsigned tooth;
        int x;
    } cases[] = {{16, 240}, {90, 240}, {91, 56}, {165, 56}};
    for (const Case& c : cases) {
        DialogPlacement at = PlaceMultiplicityDialog(c.tooth, 200, 300, 240);
        EXPECT_EQ(at.x, c.x) << c.tooth;
        EXPECT_EQ(at.y, 276) << c.tooth;
        EXPECT_EQ(at.width, 146);
        EXPECT_EQ(at.height, 72);
    }
}

TEST(MultiplicityMark, FontByMultiplicityAndLabelLength) {
    struct Case {
        unsigned multiplicity;
        bool threeDigit;
        long weight;
        bool underline;
        long width;
    } cases[] = {
        {1, false, 100, false, 9}, {1, true, 100, false, 7}, {2, false, 600, false, 8},
        {2, true, 600, false, 6},  {3, false, 600, true, 8}, {3, true, 600, true, 6},
    };
    for (const Case& c : cases) {
        MarkFont mark = MarkFor(c.multiplicity, c.threeDigit);
        SCOPED_TRACE(testing::Message()
                     << c.multiplicity << (c.threeDigit ? " three digits" : " two digits"));
        EXPECT_EQ(mark.weight, c.weight);
        EXPECT_EQ(mark.underline, c.underline);
        EXPECT_EQ(mark.width, c.width);
    }
}
