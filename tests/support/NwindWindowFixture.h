#pragma once

#include "data/access/AccessFixtures.h"
#include "support/MainWindowFixture.h"
#include "ui/session/PickerScript.h"

#include <QAction>

// The real window over nwind.mdb, which must be there, clicked on as a person clicks.
class NwindWindowFixture : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        test::requireFixture(QStringLiteral("access/nwind.mdb"));
    }
    static QString nwind() { return test::access::accessFixture("nwind.mdb"); }
    // Connects to nwind.mdb and lets `picker` play the person at the picker that opens.
    void connectNwind(ui::ScriptedUiSeam::FormScript picker) {
        seam.queueFile(nwind());
        seam.queueForm(std::move(picker));
        form->mnuFileCnctMSACC->trigger();
    }
    // Opens the window, connects to nwind.mdb and picks the table.
    void openTable(const QString& table) {
        openWindow();
        connectNwind(ui::script::pickTable(table));
        ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text.toStdString();
    }
};
