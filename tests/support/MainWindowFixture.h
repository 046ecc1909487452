#pragma once

#include "state/Settings.h"
#include "ui/controls/TreeView.h"
#include "ui/controls/Twips.h"
#include "ui/main/frmMain.h"
#include "ui/seam/ScriptedUiSeam.h"
#include "ui/session/MainSession.h"

#include <QApplication>
#include <QSettings>
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
    // One pixel's worth of twips: positions read back from widgets are whole pixels.
    static double px() { return ui::twips::perPixelX(); }

    ui::ScriptedUiSeam seam;
    std::unique_ptr<ui::MainSession> session;
    Module1* state = nullptr;
    frmMain* form = nullptr;
};
