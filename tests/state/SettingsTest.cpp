// The window's bounds and the Auto Query Details switch, kept in the settings store between runs.
#include "support/MainWindowFixture.h"
#include "tree/LocaleScope.h"

#include <QLocale>
#include <QScreen>

using Settings = MainWindowFixture;

// A start reads the stored bounds, takes the default for one missing or unreadable, and turns Auto
// Query Details on only for exactly "True".
TEST_F(Settings, StartReadsTheStoredBoundsWithDefaultsForTheUnreadableAndAutoQueryOnlyForTrue) {
    store("MainLeft", "1500");
    store("MainWidth", "wide");
    store("MainHeight", "");
    frmMain& f = openWindow();
    EXPECT_EQ(state->ActivePane, Pane::Tree) << "shown, the tree takes the focus first";
    EXPECT_NEAR(f.Left(), 1500, px());
    EXPECT_NEAR(f.Top(), 1000, px());
    EXPECT_NEAR(f.Width(), 6500, px());
    EXPECT_NEAR(f.Height(), 6500, px());
    // The steps after the bounds ran.
    ASSERT_TRUE(state->Nodes.root());
    EXPECT_EQ(state->Nodes.root()->Text(), "Quarrymere (0)");

    for (const char* text : {static_cast<const char*>(nullptr), "True", "true", "1", ""}) {
        closeWindow(); // closing stores the switch, so the text to read is stored after it
        text ? store("AutoQuery", text) : settings().remove(state::SettingsSection + "/AutoQuery");
        frmMain& again = openWindow(false);
        EXPECT_EQ(again.mnuExtrasAutoQ->isChecked(), text == QString("True"))
            << (text ? text : "-");
        EXPECT_EQ(state->AutoQueryEnabled, again.mnuExtrasAutoQ->isChecked());
    }
}

// Bounds and switch are stored as text when the window closes, unless it is minimized; a
// maximized window stores its maximized bounds, and the next start takes them for a normal one.
TEST_F(Settings, ClosingStoresTheBoundsAndSwitchForTheNextStart) {
    frmMain& f = openWindow();
    f.setWidth(7000);
    f.setHeight(6000);
    f.setLeft(600);
    settle();
    f.mnuExtrasAutoQ->setChecked(true);
    const double width = f.Width();
    closeWindow();
    for (const char* key : {"MainLeft", "MainTop", "MainWidth", "MainHeight", "AutoQuery"})
        EXPECT_EQ(stored(key).typeId(), QMetaType::QString) << key;
    EXPECT_EQ(stored("AutoQuery").toString(), "True");
    EXPECT_EQ(stored("MainWidth").toString(), state::singleToText(static_cast<float>(width)));

    frmMain& again = openWindow(); // (the bounds read back: the test below)
    EXPECT_TRUE(again.mnuExtrasAutoQ->isChecked());
    again.showMaximized();
    settle();
    ASSERT_TRUE(again.isMaximized());
    const double maximized = again.Width();
    ASSERT_GT(maximized, width + px());
    closeWindow();
    EXPECT_EQ(stored("MainWidth").toString(), state::singleToText(static_cast<float>(maximized)));

    frmMain& third = openWindow();
    EXPECT_FALSE(third.isMaximized());
    EXPECT_NEAR(third.Width(), maximized, px());
    third.mnuExtrasAutoQ->setChecked(false);
    third.resize(300, 300); // bounds that differ from those stored
    third.showMinimized();
    settle();
    ASSERT_TRUE(third.isMinimized());
    closeWindow();
    EXPECT_EQ(stored("MainWidth").toString(), state::singleToText(static_cast<float>(maximized)));
    EXPECT_EQ(stored("AutoQuery").toString(), "True");
}

// Three starts and exits store the very bounds they read, and the split where it was left. Bounds
// larger than the screen, or past its edge, come up inside the screen's available area.
TEST_F(Settings, StartsKeepTheBoundsAndSplitExactlyAndStayOnTheScreen) {
    store("MainWidth", "7005");
    store("MainHeight", "6000");
    QStringList first;
    for (int start = 0; start < 3; ++start) {
        frmMain& f = openWindow();
        if (start == 0)
            f.SizeControls(3000);
        EXPECT_NEAR(ui::twips::fromPxX(f.imgSplitter->x()), 3000, px());
        closeWindow();
        QStringList bounds;
        for (const char* key : {"MainLeft", "MainTop", "MainWidth", "MainHeight", "SplitterLeft"})
            bounds << stored(key).toString();
        if (start == 0)
            first = bounds;
        EXPECT_EQ(bounds, first) << "start " << start;
    }
    EXPECT_EQ(first.mid(2, 2), QStringList({"7005", "6000"}));

    store("MainLeft", "-90000");
    store("MainWidth", "90000");
    store("MainHeight", "90000");
    frmMain& big = openWindow();
    const QRect available = big.screen()->availableGeometry();
    EXPECT_TRUE(available.contains(big.frameGeometry()))
        << big.frameGeometry().width() << "x" << big.frameGeometry().height();
}

TEST(SettingsText, BoundsTravelInTheUsersNumberFormat) {
    const test::LocaleScope german(test::Germany);
    EXPECT_EQ(state::singleToText(1234.5f), "1234,5");
    EXPECT_EQ(state::singleToText(98760), "98760");
    EXPECT_EQ(state::textToSingle(" 1234,5 "), 1234.5f);
    EXPECT_FALSE(state::textToSingle("12abc"));
}
