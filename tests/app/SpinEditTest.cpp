#include "SpinEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A spin edit and a second field to leave it for, in a shown window.
struct TSpinFixture {
    QWidget Window;
    TSpinEdit *edit = new TSpinEdit(&Window);
    QLineEdit *Other = new QLineEdit(&Window);

    TSpinFixture(int min, int max, int value, TCropMode mode)
    {
        edit->setLocale(QLocale::c());
        edit->setRange(min, max);
        edit->setValue(value);
        edit->SetCropMode(mode);
        Other->move(0, 40);
        Window.show();
        QApplication::setActiveWindow(&Window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
        edit->setFocus();
        edit->selectAll();
    }
    void Leave()
    {
        Other->setFocus();
        QApplication::processEvents();
    }
};

struct TTypingCase {
    const char *What;
    TCropMode mode;
    int Min, Max;
    const char *Typed;  // key by key, or pasted at once when it starts with "paste:"
    const char *ShownWhileTyping;
    int ValueAfterLeave;
};

// Keys or a paste into the field's own line edit (what Ctrl+V runs).
void Enter(QAbstractSpinBox *edit, const QString &typed)
{
    static const QString paste = QStringLiteral("paste:");
    if (typed.startsWith(paste))
        edit->findChild<QLineEdit *>()->insert(typed.mid(paste.size()));
    else
        QTest::keyClicks(edit, typed);
}

const TTypingCase kTyping[] = {
    {"above the range, cropped at once", TCropMode::CropWhileTyping, 0, 240, "300", "240", 240},
    {"growing past the bound digit by digit", TCropMode::CropWhileTyping, 0, 3999, "45678", "3999", 3999},
    {"below zero, cropped at once", TCropMode::CropWhileTyping, 0, 99999, "-5", "0", 0},
    {"in range", TCropMode::CropWhileTyping, 0, 240, "170", "170", 170},
    {"above the range, kept until left", TCropMode::CropOnLeave, 1, 485, "900", "900", 485},
    {"below the range, kept until left", TCropMode::CropOnLeave, -381, 6000, "-1000", "-1000", -381},
    {"below the minimum one, kept until left", TCropMode::CropOnLeave, 1, 485, "0", "0", 1},
    // beyond any 64-bit number
    {"pasted overflow, cropped at once", TCropMode::CropWhileTyping, 0, 240, "paste:99999999999999999999", "240", 240},
    {"pasted negative overflow, cropped at once", TCropMode::CropWhileTyping, 0, 240, "paste:-99999999999999999999",
     "0", 0},
    {"pasted overflow, kept until left", TCropMode::CropOnLeave, -381, 6000, "paste:-99999999999999999999",
     "-99999999999999999999", -381},
    // decimals in a whole-number field, rounded away halves away from zero
    {"pasted decimals, rounded at once", TCropMode::CropWhileTyping, 0, 240, "paste:80.5", "81", 81},
    {"typed decimals, rounded at once", TCropMode::CropWhileTyping, 0, 240, "79.4", "79", 79},
    {"decimals above the range, cropped at once", TCropMode::CropWhileTyping, 0, 240, "paste:240.7", "240", 240},
    {"pasted decimals, kept until left", TCropMode::CropOnLeave, 1, 485, "paste:80.5", "80.5", 81},
    {"a point alone, kept until left", TCropMode::CropOnLeave, 1, 485, "80.", "80.", 80},
};

}  // namespace

TEST(SpinEditTest, TypedValuesAreCroppedNotRefused)
{
    for (const TTypingCase &c : kTyping) {
        SCOPED_TRACE(c.What);
        TSpinFixture f(c.Min, c.Max, 80, c.mode);
        Enter(f.edit, QString::fromLatin1(c.Typed));
        EXPECT_EQ(f.edit->text(), QString::fromLatin1(c.ShownWhileTyping));
        f.Leave();
        EXPECT_EQ(f.edit->value(), c.ValueAfterLeave);
        EXPECT_EQ(f.edit->text(), QString::number(c.ValueAfterLeave));
    }
}

TEST(SpinEditTest, LettersAreStillRefused)
{
    TSpinFixture f(0, 240, 150, TCropMode::CropWhileTyping);
    QTest::keyClicks(f.edit, QStringLiteral("1x2"));
    EXPECT_EQ(f.edit->text(), QStringLiteral("12"));
}

TEST(SpinEditTest, ProgramValuesAreRoundedHalfAwayFromZeroAndCropped)
{
    const struct {
        double Given;
        int Shown;
    } cases[] = {{2.5, 3}, {-2.5, -3}, {176.37, 176}, {0.45, 1}, {1e12, 485}, {-1e12, -381}, {79.5, 80}};
    TSpinEdit edit;
    edit.setRange(-381, 485);
    for (const auto &c : cases) {
        edit.setRange(c.Given == 0.45 ? 1 : -381, 485);
        edit.SetValueRounded(c.Given);
        EXPECT_EQ(edit.value(), c.Shown) << c.Given;
    }
}

TEST(SpinEditTest, DecimalFieldCropsOnLeaveWithTwoDecimals)
{
    QWidget window;
    auto *edit = new TFloatSpinEdit(&window);
    auto *other = new QLineEdit(&window);
    other->move(0, 40);
    edit->setLocale(QLocale::c());
    edit->setRange(0, 99.9);
    edit->setValue(2.0);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(edit->text(), QStringLiteral("2.00"));

    // Too many decimals or digits are rounded and cropped when the field is left.
    const struct {
        const char *Typed;
        double Value;
    } cases[] = {{"150.555", 99.9}, {"1.256", 1.26}, {"paste:3.14159", 3.14},
                 {"paste:1000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                  "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                  "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                  "000000000000000000000000000000000000000000000000000000000000000000.5",
                  99.9}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Typed);
        edit->setValue(2.0);
        edit->setFocus();
        edit->selectAll();
        Enter(edit, QString::fromLatin1(c.Typed));
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.Typed).remove(QStringLiteral("paste:"))) << "kept until left";
        other->setFocus();
        QApplication::processEvents();
        EXPECT_DOUBLE_EQ(edit->value(), c.Value);
    }

    edit->setValue(-3);
    EXPECT_DOUBLE_EQ(edit->value(), 0.0);
}
