#include "grid/RecordsetModel.h"

#include "data/Error.h"
#include "data/Operation.h"
#include "data/Recordset.h"
#include "data/ValueText.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace grid {

RecordsetModel::RecordsetModel(std::shared_ptr<data::Recordset> records, QObject* parent)
    : QAbstractTableModel(parent), records_(std::move(records)) {
    if (!records_ || !records_->isOpen())
        throw data::Error("Operation is not allowed when the object is closed.");
    if (!records_->isStatic())
        throw data::Error("The grid shows the rows of a static recordset only.");
    for (int i = 0; i < records_->fieldCount(); ++i) {
        names_.push_back(records_->Fields(i).Name);
        types_.push_back(records_->Fields(i).Type);
    }
    rows_ = int(std::min<qsizetype>(records_->rowsKnown(), INT_MAX));
}

RecordsetModel::~RecordsetModel() = default;

int RecordsetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int RecordsetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(names_.size());
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)
        return QVariant();
    // While a statement runs again (a sort that needs rows not yet read), the window may paint
    // before the model hears of it: rows the recordset no longer holds show empty.
    if (index.row() >= records_->rowsKnown())
        return QVariant();
    const int column = index.column();
    const std::vector<QVariant>& row = records_->row(index.row());
    if (column >= int(row.size()))
        return QVariant();
    const QVariant& value = row[std::size_t(column)];
    if (role == Qt::DisplayRole)
        return data::valueText(value, types_[column]);
    if (data::showsAsNumber(value, types_[column]))
        return int(Qt::AlignRight | Qt::AlignVCenter); // the views of Qt 6.4 read an int
    return QVariant();
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < int(names_.size()))
        return names_[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags RecordsetModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

bool RecordsetModel::canFetchMore(const QModelIndex& parent) const {
    // Rows are read between operations, never inside one that lets the window paint.
    if (parent.isValid() || failed_ || rows_ == INT_MAX || data::handlingEvents())
        return false;
    return rows_ < records_->rowsKnown() || !records_->complete();
}

void RecordsetModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    const qsizetype wanted = std::min<qsizetype>(FetchBatch, INT_MAX - rows_);
    std::optional<QString> failure;
    try {
        // Rows the recordset has read already, for someone else, come first.
        const qsizetype waiting = records_->rowsKnown() - rows_;
        if (waiting < wanted)
            records_->fetch(wanted - waiting);
    } catch (const data::Error& e) {
        failure = e.description();
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    // Marked before views hear of the new rows, so that none asks for more; the rows read before
    // the failure are shown all the same.
    if (failure)
        fail(*failure);
    const int known = int(std::min<qsizetype>(records_->rowsKnown(), rows_ + wanted));
    if (known > rows_) {
        beginInsertRows(QModelIndex(), rows_, known - 1);
        rows_ = known;
        endInsertRows();
    }
}

void RecordsetModel::fail(const QString& description) {
    failed_ = true;
    error_ = description;
    QMetaObject::invokeMethod(
        this, [this, description] { emit fetchFailed(description); }, Qt::QueuedConnection);
}

} // namespace grid
