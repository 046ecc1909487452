#pragma once

#include "state/Settings.h"
#include "ui/controls/StatusBar.h"
#include "ui/controls/TreeView.h"
#include "ui/controls/Twips.h"
#include "ui/main/DataGrid.h"
#include "ui/main/frmMain.h"
#include "ui/seam/ScriptedUiSeam.h"
#include "ui/session/MainSession.h"

#include <QApplication>
#include <QLabel>
#include <QSettings>
#include <QTableView>
#include <gtest/gtest.h>
#include <memory>

// A main window on the scripted seam, made the way the program's start makes it, over a
// settings store that each test begins empty.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override { settings().clear(); }
    void TearDown() override { closeWindow(); }

    static QSettings settings() {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, state::AppTitle);
    }
    static void store(const QString& key, const QString& value) {
        state::SaveSetting(state::AppTitle, state::SettingsSection, key, value);
    }
    static QVariant stored(const QString& key) {
        return settings().value(state::SettingsSection + "/" + key);
    }

    frmMain& openWindow(bool show = true) {
        closeWindow();
        session = std::make_unique<ui::MainSession>(seam);
        state = &session->state();
        form = &session->window();
        if (show) {
            form->show();
            settle();
        }
        return *form;
    }
    // Closes the window, which saves its settings as a person's closing does.
    void closeWindow() {
        if (session) {
            form->close();
            session.reset();
            state = nullptr;
            form = nullptr;
            settle();
        }
    }

    static void settle() {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The text of the one message box shown since the seam last forgot them, which must be the
    // "Error!" box with the critical icon; the seam forgets it.
    QString errorShown() {
        if (seam.messages.size() != 1) {
            ADD_FAILURE() << seam.messages.size() << " message boxes instead of one";
            return {};
        }
        const ui::ScriptedUiSeam::Message box = seam.messages[0];
        seam.messages.clear();
        EXPECT_EQ(box.title, "Error!");
        EXPECT_EQ(box.icon, ui::IconCritical);
        return box.text;
    }
    QString status() { return form->sbStatusBar->Panels(1)->text(); }
    void click(const tree::NodePtr& node) {
        form->tvTreeView->setSelectedItem(node.get());
        emit form->tvTreeView->NodeClick(node.get());
    }
    // Every row the grid's view has, one line of cell texts each.
    QStringList gridRows() {
        QAbstractItemModel& shown = *form->grdDataGrid->findChild<QTableView*>()->model();
        QStringList rows;
        for (int r = 0; r < shown.rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < shown.columnCount(); ++c)
                cells << shown.index(r, c).data().toString();
            rows << cells.join('\t');
        }
        return rows;
    }
    // The texts of one column of gridRows().
    QStringList gridColumn(int c) {
        QStringList cells;
        for (const QString& row : gridRows())
            cells << row.section('\t', c, c);
        return cells;
    }
    // One pixel's worth of twips: positions read back from widgets are whole pixels.
    static double px() { return ui::twips::perPixelX(); }

    ui::ScriptedUiSeam seam;
    std::unique_ptr<ui::MainSession> session;
    Module1* state = nullptr;
    frmMain* form = nullptr;
};
