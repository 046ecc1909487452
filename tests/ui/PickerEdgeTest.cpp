// The picker and the column table at their edges: a table type with an apostrophe, and tables
// as wide as the column table and one column wider.
#include "data/jet/JetTestSupport.h"
#include "support/MainWindowFixture.h"
#include "ui/dialogs/frmOpenSource.h"
#include "ui/session/PickerScript.h"

#include <QAction>

namespace {

// Empty tables named by their width: "W1001" has 1001 columns.
class WideTables : public data::jet::TableSource {
public:
    QStringList tableNames() override { return {"W1001", "W1002", "W3"}; }
    std::optional<data::jet::SourceTable> describe(const QString& name) override {
        const int width = name.mid(1).toInt();
        data::jet::SourceTable table{name, {}};
        for (int i = 0; i < width; ++i)
            table.columns.push_back({QString("C%1").arg(i), i == 0 ? 202 : 3, 0});
        return table;
    }
    void load(const QString&, data::jet::RowSink&) override {}
};

class PickerEdges : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        openWindow();
        state->DbConnection = data::jet::testing::connectTo(
            std::make_shared<WideTables>(),
            {{"W1001", "TABLE"}, {"W1002", "ODD 'KIND'"}, {"W3", "TABLE"}});
        state->DbProvider = "Microsoft.Jet.OLEDB.4.0";
        state->SourceFilePath = "wide tables";
        state->RefillPicker = true;
        form->mnuFileOpen->setEnabled(true);
    }

    // Opens the picker and picks the table of that name; the tables listed.
    QStringList pick(const QString& table) {
        const auto picked = std::make_shared<ui::script::Pick>();
        seam.queueForm(ui::script::pickTable(table, picked));
        form->mnuFileOpen->trigger();
        return picked->listed;
    }
};

} // namespace

TEST_F(PickerEdges, TheColumnTableHoldsAThousandAndOneColumnsAndRefusesMore) {
    // A table type with an apostrophe still lists its tables.
    EXPECT_EQ(pick("W1001"), QStringList({"ODD 'KIND'/W1002", "TABLE/W1001", "TABLE/W3"}));
    ASSERT_TRUE(seam.messages.empty());
    EXPECT_EQ(state->Grouping.FieldCount, 1001);
    EXPECT_EQ(state->Grouping.ColInfo[1000].ColName, "C1000");
    EXPECT_EQ(state->Grouping.ColInfo[0].ColConv, data::Conversion::CStr);
    EXPECT_EQ(state->Grouping.ColInfo[1].ColConv, data::Conversion::CInt);

    pick("W1002");
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].title, "Error!");
    EXPECT_TRUE(seam.messages[0].text.contains("1002"));
    // Nothing of the wider table was written over the column table.
    EXPECT_EQ(state->Grouping.FieldCount, 1001);
    EXPECT_EQ(state->Grouping.ColInfo[1000].ColName, "C1000");
    EXPECT_EQ(state->Grouping.ColInfo[0].ColSQL, "[C0]");

    // A narrower table after the wide one leaves nothing of it behind its own columns.
    seam.messages.clear();
    pick("W3");
    ASSERT_TRUE(seam.messages.empty());
    EXPECT_EQ(state->Grouping.FieldCount, 3);
    EXPECT_EQ(state->Grouping.ColInfo[2].ColName, "C2");
    for (int i = 3; i <= data::ColInfoUpper; ++i)
        ASSERT_TRUE(state->Grouping.ColInfo[i].ColName.isEmpty() &&
                    state->Grouping.ColInfo[i].ColConv == data::Conversion::Spare)
            << i;
}
