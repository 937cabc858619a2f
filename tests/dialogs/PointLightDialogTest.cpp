// The point-light dialog's boxes: how factors are shown and read. Its buttons are tested with
// the editor's commands.

#include "dialogs/PointLightDialog.h"

#include <gtest/gtest.h>

namespace kvx::test {
namespace {

TEST(PointLightDialog, FactorsShowAtMostSevenSignificantDigitsWithThePointKept) {
    EXPECT_EQ(FormatAttenuation(0.0), "0.");
    EXPECT_EQ(FormatAttenuation(1.0), "1.");
    EXPECT_EQ(FormatAttenuation(0.25), "0.25");
    EXPECT_EQ(FormatAttenuation(1.0 / 3), "0.3333333");
    EXPECT_EQ(FormatAttenuation(1234567.0), "1234567.");
    EXPECT_EQ(FormatAttenuation(12345678.0), "1.234568e+007");
    EXPECT_EQ(FormatAttenuation(0.01), "1.e-002");
    EXPECT_EQ(FormatAttenuation(-2.5), "-2.5");
}

TEST(PointLightDialog, TextThatIsNotAFiniteNumberGivesZero) {
    EXPECT_EQ(ParseAttenuation("2.5x"), 2.5);
    EXPECT_EQ(ParseAttenuation("abc"), 0.0);
    // Regression: these once reached the light and turned the picture to noise.
    for (const char* text : {"nan", "inf", "-inf", "1e999"})
        EXPECT_EQ(ParseAttenuation(text), 0.0) << text;
}

}  // namespace
}  // namespace kvx::test
