// The point-light dialog: how factors are shown and read, and its buttons.

#include "dialogs/PointLightDialog.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/Constants.h"
#include "platform/WindowConstants.h"

namespace kvx::test {
namespace {

using namespace platform;

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

struct Boxes : PointLightDialogIo {
    std::map<std::uint32_t, std::string> texts;
    void SetText(std::uint32_t box, const std::string& text) override { texts[box] = text; }
    std::string Text(std::uint32_t box) override { return texts[box]; }
};

TEST(PointLightDialog, UpdateAppliesAndStaysOkAppliesAndClosesCancelOnlyCloses) {
    Boxes boxes;
    const Attenuation light{0, 0, 1};
    PointLightDialogProc(Message{1, WM_INITDIALOG, 0, 0}, light, boxes);
    EXPECT_EQ(boxes.texts[1020], "1.");
    boxes.texts[1018] = "lettres";
    boxes.texts[1019] = "0.5";
    auto r = PointLightDialogProc(Message{1, WM_COMMAND, 1021, 0}, light, boxes);
    ASSERT_TRUE(r.apply.has_value());
    EXPECT_EQ(r.apply->linear, 0.0);
    EXPECT_EQ(r.apply->constant, 0.5);
    EXPECT_FALSE(r.close);
    r = PointLightDialogProc(Message{1, WM_COMMAND, IDOK, 0}, light, boxes);
    EXPECT_TRUE(r.apply.has_value() && r.close);
    r = PointLightDialogProc(Message{1, WM_COMMAND, IDCANCEL, 0}, light, boxes);
    EXPECT_TRUE(!r.apply.has_value() && r.close);
}

}  // namespace
}  // namespace kvx::test
