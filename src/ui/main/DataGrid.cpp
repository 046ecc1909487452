#include "ui/main/DataGrid.h"

#include "ui/controls/Twips.h"
#include "ui/main/BlockDelegate.h"
#include "ui/main/GridHeader.h"

#include <QCursor>
#include <QEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace ui {

namespace {

// Room above and below the text of a row.
constexpr int RowPadding = 6;

} // namespace

DataGrid::DataGrid(QWidget* parent)
    : QWidget(parent), view_(new QTableView(this)), header_(new GridHeader(block_)),
      drag_(
          this,
          [this](QPoint at, int state) {
              emit DragOver(this, twips::fromPxX(at.x()), twips::fromPxY(at.y()), state);
          },
          [this](QPoint at) {
              emit DragDrop(this, twips::fromPxX(at.x()), twips::fromPxY(at.y()));
          }) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);

    // Without a frame or row headers the header starts at the grid's top left corner, so the
    // grid's coordinates and the view's agree.
    view_->setFrameShape(QFrame::NoFrame);
    view_->setHorizontalHeader(header_);
    view_->verticalHeader()->hide();
    view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    view_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view_->setSelectionMode(QAbstractItemView::NoSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->setItemDelegate(new BlockDelegate(block_, view_));
    fitRowHeight();

    connect(header_, &GridHeader::swept, this, &DataGrid::sweep);
    connect(header_, &GridHeader::headClicked, this, &DataGrid::HeadClick);

    view_->installEventFilter(this);
    relayMouse(header_->viewport());
    cells_ = view_->viewport();
    relayMouse(cells_);

    setDataSource(std::make_shared<QStandardItemModel>());
}

// The view, and with it the header and cell painter that read the column block, goes before
// the block and the grid's hold on the model do.
DataGrid::~DataGrid() {
    // The view's parts send events while it is taken apart; the grid no longer listens then.
    for (QObject* watched : {static_cast<QObject*>(view_), static_cast<QObject*>(cells_),
                             static_cast<QObject*>(header_->viewport())})
        watched->removeEventFilter(this);
    delete view_;
}

// The grid's own filter goes on first so that the relay, installed after it, sees each event
// first: MouseDown is raised before the grid reacts to the press, and the grid can see whether
// the handler began a drag.
void DataGrid::relayMouse(QWidget* watched) {
    watched->installEventFilter(this);
    new MouseRelay(
        watched, [this](const MouseArgs& args) { emit MouseDown(args); },
        [this](const MouseArgs& args) { emit MouseMove(args); },
        [this](const MouseArgs& args) { emit MouseUp(args); }, this);
}

bool DataGrid::eventFilter(QObject* object, QEvent* event) {
    if (object == view_) {
        if (event->type() == QEvent::FocusIn)
            emit GotFocus();
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        emit DblClick();
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        // The press that picked the grid up, or the move that did, belongs to the drag.
        if (drag_.active())
            return true;
        if (event->type() == QEvent::MouseButtonPress && object == cells_)
            clearBlock();
        return false;
    default:
        return false;
    }
}

void DataGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        fitRowHeight();
    QWidget::changeEvent(event);
}

void DataGrid::fitRowHeight() {
    const int height = view_->fontMetrics().height() + RowPadding;
    QHeaderView* rows = view_->verticalHeader();
    rows->setMinimumSectionSize(height);
    rows->setDefaultSectionSize(height);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    header_->setFixedHeight(height);
}

void DataGrid::setDataSource(std::shared_ptr<QAbstractItemModel> model) {
    if (!model)
        model = std::make_shared<QStandardItemModel>();
    header_->abandonPress();
    if (model != model_) {
        // The view makes a new selection model for each model and leaves the old one to us.
        QItemSelectionModel* previous = view_->selectionModel();
        view_->setModel(model.get());
        delete previous;
        model_ = std::move(model);
    }
    clearBlock();
    // New rows show from their first, wherever the rows before stood.
    view_->scrollToTop();
}

void DataGrid::setSelStartCol(int column) {
    block_.setStart(column);
    repaintBlock();
}

void DataGrid::setSelEndCol(int column) {
    block_.setEnd(column);
    repaintBlock();
}

int DataGrid::CurrentCol() const {
    const QModelIndex current = view_->currentIndex();
    return current.isValid() ? current.column() : -1;
}

void DataGrid::sweep(int from, int to) {
    block_.span(from, to);
    repaintBlock();
}

void DataGrid::clearBlock() {
    block_.clear();
    repaintBlock();
}

void DataGrid::repaintBlock() {
    header_->viewport()->update();
    view_->viewport()->update();
}

double DataGrid::RowHeight() const {
    return twips::fromPxY(view_->verticalHeader()->defaultSectionSize());
}

GridColumns DataGrid::Columns() const {
    return GridColumns(header_, this);
}

void DataGrid::Scroll(int cols, int rows) {
    // A model bound a moment ago has its scroll ranges laid out only later; the program scrolls
    // straight after binding.
    view_->doItemsLayout();
    for (auto [bar, by] : {std::pair{view_->horizontalScrollBar(), cols},
                           std::pair{view_->verticalScrollBar(), rows}})
        bar->setValue(bar->value() + by);
}

double DataGrid::Width() const {
    return twips::fromPxX(width());
}

void DataGrid::setDragIcon(const QPixmap& picture) {
    dragIcon_ = picture;
    drag_.setPicture(picture);
}

bool DataGrid::dragIconIs(const QPixmap& picture) const {
    return dragIcon_.cacheKey() == picture.cacheKey();
}

void DataGrid::Drag(int action) {
    switch (action) {
    case DragBegin:
        if (drag_.active())
            return;
        header_->abandonPress();
        drag_.begin(dragIcon_);
        break;
    case DragCancel:
        drag_.cancel();
        break;
    case DragEnd:
        drag_.finish(QCursor::pos());
        break;
    default:
        break;
    }
}

} // namespace ui
