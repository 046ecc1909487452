#include "WindowDrill.h"

#include "data/Connection.h"
#include "data/Error.h"
#include "data/PagedRecordset.h"
#include "data/jet/TableSource.h"
#include "tree/NodeValue.h"
#include "ui/controls/TreeView.h"
#include "ui/main/DataGrid.h"
#include "ui/main/frmMain.h"
#include "ui/session/PickerScript.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <any>

namespace bench {

WindowDrill::WindowDrill(std::shared_ptr<data::Connection> connection, const QString& provider,
                         const QString& table)
    : WindowDrill() {
    pick(std::move(connection), provider, table);
    settle();
}

WindowDrill::WindowDrill() {
    form_.resize(1200, 800);
    form_.show();
    settle();
    form_.mnuExtrasAutoQ->trigger();
}

void WindowDrill::pick(std::shared_ptr<data::Connection> connection, const QString& provider,
                       const QString& table) {
    // What a connect command leaves behind once its connection is open.
    state_.DbConnection = std::move(connection);
    state_.DbProvider = provider;
    state_.RefillPicker = true;
    form_.mnuFileOpen->setEnabled(true);
    ui::script::queuePick(seam_, table);
    form_.mnuFileOpen->trigger();
    paint();
    if (!seam_.messages.empty())
        throw data::Error(seam_.messages.front().text);
    if (!state_.SourceChosen)
        throw data::Error("The picker does not list " + table);
}

WindowDrill::~WindowDrill() {
    form_.hide();
}

tree::NodePtr WindowDrill::root() const {
    return form_.tvTreeView->Nodes(1);
}

void WindowDrill::settle() const {
    QApplication::processEvents();
    form_.grdDataGrid->repaint();
    QApplication::processEvents();
}

void WindowDrill::paint() const {
    QApplication::sendPostedEvents();
    form_.tvTreeView->repaint();
    form_.grdDataGrid->repaint();
}

Timing WindowDrill::click(const tree::NodePtr& node, Then then) {
    return timeOf([&] {
        form_.tvTreeView->setSelectedItem(node.get());
        emit form_.tvTreeView->NodeClick(node.get());
        if (then == Then::Settle)
            settle();
        else
            paint();
    });
}

int WindowDrill::gridRows() const {
    const auto model = form_.grdDataGrid->dataSource();
    return model ? model->rowCount() : 0;
}

void WindowDrill::gridKey(int key, Qt::KeyboardModifiers modifiers) {
    auto* view = form_.grdDataGrid->findChild<QTableView*>();
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(view, &press);
    paint();
}

int WindowDrill::lastGridRowShown() const {
    const auto* view = form_.grdDataGrid->findChild<QTableView*>();
    return view->rowAt(view->viewport()->height() - 1);
}

int WindowDrill::scrollGridThrough() {
    auto* view = form_.grdDataGrid->findChild<QTableView*>();
    const int rows = gridRows();
    int screens = 0;
    for (int row = 0; row < rows; row += int(data::PagedRecordset::PageRows), ++screens) {
        view->scrollTo(view->model()->index(row, 0), QAbstractItemView::PositionAtTop);
        paint();
    }
    return screens;
}

const QString& WindowDrill::copyGrid(int first, int last) {
    form_.grdDataGrid_GotFocus();
    form_.grdDataGrid->setSelStartCol(first);
    form_.grdDataGrid->setSelEndCol(last);
    form_.mnuEditCopy->trigger();
    if (!seam_.messages.empty())
        throw data::Error(seam_.messages.front().text);
    return seam_.clipboard;
}

qint64 WindowDrill::countOf(const tree::NodePtr& node) {
    const auto* value = std::any_cast<tree::NodeValue>(&node->Value());
    const QString text = node->Text();
    const bool labelled = value && text.startsWith(value->label + " (");
    const qsizetype from = (labelled ? value->label.size() : text.indexOf(" (")) + 2;
    QString digits;
    for (qsizetype i = from; i < text.size() && text[i] != ';' && text[i] != ')'; ++i)
        if (text[i].isDigit())
            digits += text[i];
    return digits.toLongLong();
}

tree::NodePtr WindowDrill::largestChild(const tree::NodePtr& node, const tree::NodePtr& except,
                                        Then then) {
    click(node, then);
    tree::NodePtr largest;
    for (tree::NodePtr c = node->Child(); c; c = c->Next()) {
        const auto* value = std::any_cast<tree::NodeValue>(&c->Value());
        if (value && !value->isNull() && c != except && (!largest || countOf(c) > countOf(largest)))
            largest = c;
    }
    if (!largest)
        throw data::Error("The node " + node->Text() + " has no children");
    return largest;
}

} // namespace bench
