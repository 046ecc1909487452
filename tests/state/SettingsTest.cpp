#include "support/MainWindowFixture.h"

#include <QAction>
#include <QLocale>

using Settings = MainWindowFixture;

TEST_F(Settings, FirstRunOpensAtTheDefaultBoundsWithAutoQueryOffAndYearChecked) {
    openWindow(false);
    EXPECT_EQ(state->ActivePane, "none");
    frmMain& f = openWindow();
    EXPECT_NEAR(f.Left(), 1000, px());
    EXPECT_NEAR(f.Top(), 1000, px());
    EXPECT_NEAR(f.Width(), 6500, px());
    EXPECT_NEAR(f.Height(), 6500, px());
    EXPECT_FALSE(f.mnuExtrasAutoQ->isChecked());
    EXPECT_FALSE(state->AutoQueryEnabled);
    EXPECT_TRUE(f.mnuViewYearly->isChecked());
    EXPECT_EQ(state->DateGroupType, "Year");
    // Shown, the tree takes the focus first.
    EXPECT_EQ(state->ActivePane, "TREE");
    EXPECT_FALSE(state->EscapeRequested);
    EXPECT_TRUE(state->LastDetailSQL.isEmpty());
}

TEST_F(Settings, AutoQueryIsOnOnlyForExactlyTrue) {
    for (const QString text : {"True", "true", "TRUE", "1", "Yes", ""}) {
        store("AutoQuery", text);
        frmMain& f = openWindow(false);
        EXPECT_EQ(f.mnuExtrasAutoQ->isChecked(), text == "True") << text.toStdString();
        EXPECT_EQ(state->AutoQueryEnabled, f.mnuExtrasAutoQ->isChecked());
        dropWindow();
    }
}

TEST_F(Settings, ClosingStoresBoundsAndSwitchAsTextAndTheNextStartUsesThem) {
    frmMain& f = openWindow();
    f.setWidth(9000);
    f.setHeight(7000);
    f.setLeft(600);
    settle();
    f.mnuExtrasAutoQ->setChecked(true);
    const double width = f.Width(), height = f.Height(), left = f.Left();
    closeWindow();

    for (const char* key : {"MainLeft", "MainTop", "MainWidth", "MainHeight", "AutoQuery"})
        EXPECT_EQ(stored(key).typeId(), QMetaType::QString) << key;
    EXPECT_EQ(stored("AutoQuery").toString(), "True");
    EXPECT_EQ(stored("MainWidth").toString(), state::singleToText(static_cast<float>(width)));

    frmMain& again = openWindow();
    EXPECT_NEAR(again.Width(), width, px());
    EXPECT_NEAR(again.Height(), height, px());
    EXPECT_NEAR(again.Left(), left, px());
    EXPECT_TRUE(again.mnuExtrasAutoQ->isChecked());
}

TEST_F(Settings, ClosingWhileMinimizedStoresNothing) {
    store("MainWidth", "8000");
    store("AutoQuery", "True");
    frmMain& f = openWindow();
    f.mnuExtrasAutoQ->setChecked(false);
    f.showMinimized();
    settle();
    ASSERT_TRUE(f.isMinimized());
    closeWindow();
    EXPECT_EQ(stored("MainWidth").toString(), "8000");
    EXPECT_EQ(stored("AutoQuery").toString(), "True");
    EXPECT_FALSE(stored("MainLeft").isValid());
}

TEST_F(Settings, ClosingWhileMaximizedStoresTheMaximizedBoundsForANormalWindow) {
    frmMain& f = openWindow();
    f.showMaximized();
    settle();
    ASSERT_TRUE(f.isMaximized());
    const double width = f.Width();
    ASSERT_GT(width, 6500 + px());
    closeWindow();
    EXPECT_EQ(stored("MainWidth").toString(), state::singleToText(static_cast<float>(width)));

    frmMain& again = openWindow();
    EXPECT_FALSE(again.isMaximized());
    EXPECT_NEAR(again.Width(), width, px());
}

TEST_F(Settings, AnUnreadableBoundFallsBackToItsDefaultAndTheWindowComesUpWhole) {
    store("MainLeft", "1500");
    store("MainWidth", "wide");
    store("MainHeight", "");
    store("AutoQuery", "True");
    frmMain& f = openWindow();
    EXPECT_NEAR(f.Left(), 1500, px());
    EXPECT_NEAR(f.Width(), 6500, px());
    EXPECT_NEAR(f.Height(), 6500, px());
    // The steps after the bounds ran: the switch, the root node, the status text.
    EXPECT_TRUE(f.mnuExtrasAutoQ->isChecked());
    ASSERT_TRUE(f.RootNode);
    EXPECT_EQ(f.RootNode->Text(), "Quarrymere (0)");
    EXPECT_TRUE(seam.messages.empty());
}

TEST(SettingsText, BoundsTravelInTheUsersNumberFormat) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(state::singleToText(1234.5f), "1234,5");
    EXPECT_EQ(state::singleToText(98760), "98760");
    EXPECT_EQ(state::textToSingle("1234,5"), 1234.5f);
    EXPECT_EQ(state::textToSingle(" 7000 "), 7000.0f);
    EXPECT_FALSE(state::textToSingle("12abc"));
    EXPECT_FALSE(state::textToSingle(""));
    QLocale::setDefault(before);
}
