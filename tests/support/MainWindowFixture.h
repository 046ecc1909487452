#pragma once

#include "app/Module1.h"
#include "app/Settings.h"
#include "ui/main/TreeView.h"
#include "ui/main/Twips.h"
#include "ui/main/frmMain.h"
#include "ui/seam/ScriptedUiSeam.h"

#include <QApplication>
#include <QSettings>
#include <gtest/gtest.h>
#include <memory>

// A main window on the scripted seam, made the way the program's start makes it, over a
// settings store that each test begins empty.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override { clearSettings(); }
    void TearDown() override { closeWindow(); }

    static void clearSettings() {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, app::AppTitle).clear();
    }
    static void store(const QString& key, const QString& value) {
        app::SaveSetting(app::AppTitle, app::SettingsSection, key, value);
    }
    static QVariant stored(const QString& key) {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, app::AppTitle)
            .value(app::SettingsSection + "/" + key);
    }

    frmMain& openWindow(bool show = true) {
        closeWindow();
        state = std::make_unique<Module1>();
        state->SourceChosen = false;
        state->RefillPicker = true;
        form = std::make_unique<frmMain>(*state, seam);
        state->MainForm = form.get();
        if (show) {
            form->show();
            settle();
        }
        return *form;
    }

    void closeWindow() {
        if (form) {
            form->close();
            form.reset();
            settle();
        }
    }

    static void settle() {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // One pixel's worth of twips: positions read back from widgets are whole pixels.
    static double px() { return ui::twips::perPixelX(); }

    ui::ScriptedUiSeam seam;
    std::unique_ptr<Module1> state;
    std::unique_ptr<frmMain> form;
};
