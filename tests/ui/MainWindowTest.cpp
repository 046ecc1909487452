#include "support/MainWindowFixture.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/seam/QtUiSeam.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using MainWindow = MainWindowFixture;

namespace {
const auto leftOf = [](QWidget* w) { return ui::twips::fromPxX(w->x()); };
const auto widthOf = [](QWidget* w) { return ui::twips::fromPxX(w->width()); };
QStringList checked(QMenu* menu) {
    QStringList list;
    for (QAction* a : menu->actions())
        if (a->isChecked())
            list << a->text();
    return list;
}
} // namespace

// A check mark changes only when the program sets it: a Date Grouping item moves the one mark to
// itself; Auto Query Details turns on and off, with nothing to load yet. (The menus' captions and
// shortcuts are constants of the window's making.)
TEST_F(MainWindow, MenuChecksFollowTheRunStateAndTheLayoutClampsAndDrags) {
    frmMain& f = openWindow();
    EXPECT_EQ(checked(f.mnuView), QStringList{"Year"});
    EXPECT_EQ(state->DateGroupType, data::DateGroup::Year);
    f.mnuViewDay->trigger();
    f.mnuViewDay->trigger();
    EXPECT_EQ(checked(f.mnuView), QStringList{"Day"});
    EXPECT_EQ(state->DateGroupType, data::DateGroup::Day);
    f.mnuViewNone->trigger();
    EXPECT_EQ(state->DateGroupType, data::DateGroup::None);
    f.mnuExtrasAutoQ->trigger();
    EXPECT_TRUE(f.mnuExtrasAutoQ->isChecked());
    EXPECT_TRUE(state->AutoQueryEnabled);
    f.mnuExtrasUpdDtls->trigger();
    EXPECT_TRUE(seam.messages.empty());
    f.mnuExtrasAutoQ->trigger();
    EXPECT_FALSE(f.mnuExtrasAutoQ->isChecked());

    // The layout clamps the panes and offsets them, and the split bar drags.
    f.setWidth(1800);
    settle();
    ASSERT_NEAR(f.Width(), 3000, px()) << "a narrower window snaps back";
    // In a window of 3000 both clamps are 1500, wherever the split was.
    EXPECT_NEAR(widthOf(f.tvTreeView), 1500, px());
    EXPECT_NEAR(leftOf(f.imgSplitter), 1500, px());
    EXPECT_NEAR(leftOf(f.grdDataGrid), 1540, px());
    EXPECT_NEAR(widthOf(f.grdDataGrid), 3000 - 1640, px());
    EXPECT_NEAR(leftOf(f.lblTitle[1]), 1560, px());
    EXPECT_EQ(f.tvTreeView->y(), f.picTitles->height());
    EXPECT_EQ(f.tvTreeView->y() + f.tvTreeView->height(), f.sbStatusBar->y());

    // Shrinking the window pulls a split that no longer fits back to Width - 1500.
    f.setWidth(9000);
    settle();
    f.SizeControls(8500);
    f.setWidth(6000);
    settle();
    EXPECT_NEAR(leftOf(f.imgSplitter), 6000 - 1500, px());
    EXPECT_NEAR(widthOf(f.grdDataGrid), 6000 - (6000 - 1500) - 140, px());

    // A drag of the split bar shows the grey bar within its margins and applies on release.
    f.setWidth(9000);
    settle();
    f.SizeControls(3000);
    QWidget* bar = f.imgSplitter;
    const int y = bar->height() / 2;
    const auto press = [&] { QTest::mousePress(bar, Qt::LeftButton, {}, {1, y}); };
    const auto release = [&] { QTest::mouseRelease(bar, Qt::LeftButton, {}, {1, y}); };
    const auto moveTo = [&](int x) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), bar->mapToGlobal(QPointF(x, y)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
    };

    press();
    EXPECT_TRUE(f.picSplitter->isVisible());
    EXPECT_EQ(f.picSplitter->x(), bar->x());
    EXPECT_NEAR(widthOf(f.picSplitter), 75, px());
    moveTo(-bar->x() - 50);
    EXPECT_NEAR(leftOf(f.picSplitter), 500, px());
    EXPECT_NEAR(widthOf(f.tvTreeView), 3000, px()) << "the panes wait for the release";
    release();
    EXPECT_FALSE(f.picSplitter->isVisible());
    EXPECT_NEAR(widthOf(f.tvTreeView), 1500, px());

    press();
    moveTo(bar->width() + 2000);
    EXPECT_NEAR(leftOf(f.picSplitter), 9000 - 500, px());
    release();
    EXPECT_NEAR(leftOf(f.imgSplitter), 9000 - 1500, px());
}

// The About box closes on Enter, Escape and OK. A message box is shown over the program's window
// even while the desktop has no window active, and over a modal form while one is open. Exit
// unloads every form.
TEST_F(MainWindow, AboutBoxClosesMessageBoxesAreOwnedByTheirWindowAndExitUnloadsEveryForm) {
    frmMain& f = openWindow();
    for (auto key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_unknown}) {
        QPointer<QDialog> shown;
        seam.queueForm([&](QDialog& d) {
            shown = &d;
            if (key == Qt::Key_unknown)
                static_cast<frmAbout&>(d).cmdOK->click();
            else
                QTest::keyClick(&d, key);
            EXPECT_FALSE(d.isVisible()) << key;
        });
        f.mnuHelpAbout->trigger();
        settle();
        EXPECT_TRUE(shown.isNull()) << "the box is unloaded once closed";
    }
    EXPECT_EQ(seam.formsShown, QStringList({"frmAbout", "frmAbout", "frmAbout"}));

    QApplication::setActiveWindow(nullptr);
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    EXPECT_EQ(ui::QtUiSeam::messageOwner(), &f);
    seam.queueForm([&](QDialog& d) {
        d.hide();
        d.setWindowModality(Qt::ApplicationModal);
        d.show();
        EXPECT_EQ(ui::QtUiSeam::messageOwner(), &d);
    });
    f.mnuHelpAbout->trigger();

    QPointer<frmAbout> about = new frmAbout(&f);
    f.mnuFileClose->trigger();
    settle();
    EXPECT_TRUE(about.isNull());
    EXPECT_FALSE(f.isVisible());
}
