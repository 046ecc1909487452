#include "ui/dialogs/frmOpenSource.h"

#include "data/ColumnTable.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Error.h"
#include "data/Recordset.h"
#include "data/TableEntry.h"
#include "state/Module1.h"
#include "ui/controls/Feedback.h"
#include "ui/controls/LoadedForms.h"
#include "ui/controls/TreeView.h"
#include "ui/controls/Twips.h"
#include "ui/seam/UiSeam.h"

#include <QPushButton>

namespace {
constexpr double ButtonWidth = 1200, ButtonHeight = 375;
constexpr double SmallestSide = 3000, SnapWidth = 4000;

QString textOf(const data::Recordset& rows, const char* field) {
    return rows.Fields(field).Value().toString();
}
} // namespace

frmOpenSource::frmOpenSource(Module1& state, ui::UiSeam& seam, ui::Feedback& feedback,
                             QWidget* owner)
    : QDialog(owner), m_(state), seam_(seam), feedback_(feedback) {
    setObjectName("frmOpenSource");
    setWindowTitle("Open");
    sTree = new ui::TreeView(this);
    sTree->setObjectName("sTree");
    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    // Enter presses OK, unless Cancel has the focus; OK picks only a table.
    for (QPushButton* b : {OKButton, CancelButton})
        b->resize(ui::twips::toPxX(ButtonWidth), ui::twips::toPxY(ButtonHeight));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &frmOpenSource::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmOpenSource::CancelButton_Click);
    connect(sTree, &ui::TreeView::DblClick, this, &frmOpenSource::sTree_DblClick);
    resize(ui::twips::toPxX(6375), ui::twips::toPxY(5700));
    ui::LoadedForms::load(this);
}

double frmOpenSource::Width() const {
    return ui::twips::fromPxX(frameGeometry().width());
}
double frmOpenSource::Height() const {
    return ui::twips::fromPxY(frameGeometry().height());
}
void frmOpenSource::setWidth(double t) {
    resize(ui::twips::toPxX(t) - (frameGeometry().width() - width()), height());
}
void frmOpenSource::setHeight(double t) {
    resize(width(), ui::twips::toPxY(t) - (frameGeometry().height() - height()));
}

void frmOpenSource::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    sizeCont();
    if (m_.RefillPicker)
        FillSchemaTree();
}

void frmOpenSource::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    sizeCont();
}

void frmOpenSource::sizeCont() {
    // Snapping the size raises a resize of its own, which lays out again.
    if (sizing_)
        return;
    sizing_ = true;
    feedback_.trap([this] {
        if (Width() < SmallestSide)
            setWidth(SnapWidth);
        if (Height() < SmallestSide)
            setHeight(SmallestSide);
        using namespace ui::twips;
        const double treeWidth = Width() - ButtonWidth - 720;
        sTree->setGeometry(toPxX(120), toPxY(120), std::max(0, toPxX(treeWidth)),
                           std::max(0, toPxY(Height() - 500)));
        OKButton->move(toPxX(fromPxX(sTree->width()) + 240), toPxY(120));
        CancelButton->move(toPxX(fromPxX(sTree->width()) + 240), toPxY(600));
    });
    sizing_ = false;
}

void frmOpenSource::FillSchemaTree() {
    feedback_.trap([this] {
        seam_.setMousePointer(ui::PointerHourglass);
        sTree->Clear();
        sTree->setSorted(true);
        const tree::NodePtr root = sTree->Add();
        sTree->setLineStyle(1);
        const bool oracle = data::dialectOf(m_.DbProvider) == data::Dialect::Oracle;
        root->setText(oracle ? m_.OracleUser + "@" + m_.OracleDatabase : m_.SourceFilePath);

        if (!m_.DbConnection)
            throw data::Error("Operation is not allowed when the object is closed.");
        const auto rows = m_.DbConnection->OpenSchema(data::ado::adSchemaTables);

        // One group per table type, in the order the types first occur.
        for (; !rows->Eof(); rows->MoveNext()) {
            const QString type = textOf(*rows, "TABLE_TYPE");
            bool known = false;
            for (tree::NodePtr group = root->Child(); group && !known; group = group->Next())
                known = group->Text() == type;
            if (!known)
                sTree->Add(root->Index(), ui::tvwChild, {}, type);
        }

        // The tables of each type, in the rowset's order.
        for (tree::NodePtr group = root->Child(); group; group = group->Next()) {
            QString quoted = group->Text();
            quoted.replace('\'', "''");
            rows->setFilter("TABLE_TYPE = '" + quoted + "'");
            if (!rows->Eof())
                rows->MoveFirst();
            for (; !rows->Eof(); rows->MoveNext()) {
                // The node keeps the schema and the name apart, for the record source to write
                // each as the dialect reads it.
                data::TableEntry table{textOf(*rows, "TABLE_NAME"), group->Text()};
                if (oracle)
                    table.schema = textOf(*rows, "TABLE_SCHEMA");
                const QString text =
                    table.schema.isEmpty() ? table.name : table.schema + "." + table.name;
                sTree->Add(group->Index(), ui::tvwChild, {}, text)->setValue(table);
            }
        }
        root->setExpanded(true);
        sTree->setSelectedItem(root.get());
    });
    seam_.setMousePointer(ui::PointerDefault);
}

frmOpenSource::Role frmOpenSource::roleOf(const tree::TreeNode& node) {
    const tree::NodePtr parent = node.Parent();
    if (!parent)
        return Role::Source;
    return parent->Parent() ? Role::Table : Role::TableType;
}

void frmOpenSource::OKButton_Click() {
    const tree::NodePtr node = sTree->SelectedItem();
    if (!node || roleOf(*node) != Role::Table)
        return;
    const auto* table = std::any_cast<data::TableEntry>(&node->Value());
    m_.Grouping.RecordSource =
        data::recordSourceFor(table ? table->schema : QString(), table ? table->name : node->Text(),
                              data::dialectOf(m_.DbProvider));
    m_.SourceChosen = true;
    m_.RefillPicker = false;
    done(Accepted);
}

bool frmOpenSource::pick(const QString& table) {
    if (m_.RefillPicker)
        FillSchemaTree();
    for (int i = 1; i <= sTree->Count(); ++i) {
        const tree::NodePtr node = sTree->Nodes(i);
        if (roleOf(*node) == Role::Table && node->Text() == table) {
            sTree->setSelectedItem(node.get());
            OKButton_Click();
            return true;
        }
    }
    m_.SourceChosen = false;
    return false;
}

void frmOpenSource::CancelButton_Click() {
    m_.SourceChosen = false;
    m_.RefillPicker = false;
    done(Rejected);
}

void frmOpenSource::sTree_DblClick() {
    const tree::NodePtr node = sTree->SelectedItem();
    if (node && roleOf(*node) == Role::Table)
        OKButton_Click();
}

void frmOpenSource::reject() {
    CancelButton_Click();
}
