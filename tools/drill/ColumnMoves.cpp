#include "drill/ColumnMoves.h"

#include "ui/controls/Twips.h"
#include "ui/main/DataGrid.h"
#include "ui/main/frmMain.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>

namespace drill {

namespace {

// Room left beside the last column, beyond the strip along the grid's edge where a held
// button scrolls it, in twips.
constexpr double EdgeRoom = 900;

QHeaderView* headerOf(frmMain& form) {
    return form.grdDataGrid->findChild<QTableView*>()->horizontalHeader();
}

void send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Makes the grid wide enough to show every column with room to spare, and scrolled to its
// first column.
void showEveryColumn(frmMain& form, QHeaderView* header) {
    ui::DataGrid* grid = form.grdDataGrid;
    const int wanted = header->length() + ui::twips::toPxX(EdgeRoom);
    if (grid->width() < wanted) {
        form.resize(form.width() + wanted - grid->width(), form.height());
        QApplication::processEvents();
    }
    grid->Scroll(-header->count(), 0);
}

} // namespace

void showEveryColumn(frmMain& form) {
    showEveryColumn(form, headerOf(form));
}

std::optional<QString> dragColumns(frmMain& form, const ColumnMove& move) {
    QHeaderView* header = headerOf(form);
    const int count = header->count();
    if (move.end >= count || move.gap > count)
        return QStringLiteral("the grid has %1 columns, there is no block %2-%3 or gap %4")
            .arg(count)
            .arg(move.start)
            .arg(move.end)
            .arg(move.gap);
    showEveryColumn(form, header);
    QWidget* heads = header->viewport();
    const int y = header->height() / 2;
    auto middleOf = [&](int column) {
        return QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, y);
    };
    // The gap's own place: the edge between its two columns, or just inside the first or last
    // column's outer edge.
    QPoint gap(0, y);
    if (move.gap == 0)
        gap.setX(header->sectionViewportPosition(0) + 2);
    else if (move.gap == count)
        gap.setX(header->sectionViewportPosition(count - 1) + header->sectionSize(count - 1) - 2);
    else
        gap.setX(header->sectionViewportPosition(move.gap));

    send(heads, QEvent::MouseButtonPress, middleOf(move.start), Qt::LeftButton);
    send(heads, QEvent::MouseMove, middleOf(move.end), Qt::LeftButton);
    send(heads, QEvent::MouseButtonRelease, middleOf(move.end), Qt::NoButton);
    send(heads, QEvent::MouseButtonPress, middleOf(move.start), Qt::LeftButton);
    send(heads, QEvent::MouseMove, gap, Qt::LeftButton);
    send(heads, QEvent::MouseButtonRelease, gap, Qt::NoButton);
    return std::nullopt;
}

QString gridColumnNames(frmMain& form) {
    QAbstractItemModel* model = form.grdDataGrid->findChild<QTableView*>()->model();
    QStringList names;
    for (int c = 0; c < model->columnCount(); ++c)
        names << model->headerData(c, Qt::Horizontal).toString();
    return names.join(QStringLiteral(" | "));
}

} // namespace drill
