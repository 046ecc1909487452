#include "grid/RecordsetModel.h"

#include "data/Error.h"
#include "data/Operation.h"
#include "data/PagedRecordset.h"
#include "data/ValueText.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace grid {

RecordsetModel::RecordsetModel(std::shared_ptr<data::PagedRecordset> records, QObject* parent)
    : QAbstractTableModel(parent), records_(std::move(records)) {
    if (!records_)
        throw data::Error("Operation is not allowed when the object is closed.");
    rows_ = int(std::min<qsizetype>(records_->count(), INT_MAX));
}

RecordsetModel::~RecordsetModel() = default;

int RecordsetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int RecordsetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : records_->fieldCount();
}

const std::vector<QVariant>* RecordsetModel::rowAt(int row) const {
    // Rows are read between operations, never inside one that lets the window paint, and not
    // again once a reading failed.
    if (failed_)
        return records_->kept(row);
    if (data::handlingEvents()) {
        const auto* kept = records_->kept(row);
        if (!kept)
            refreshLater();
        return kept;
    }
    std::optional<QString> failure;
    try {
        return records_->row(row);
    } catch (const data::Error& e) {
        failure = e.description();
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    fail(*failure);
    return records_->kept(row);
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)
        return QVariant();
    const std::vector<QVariant>* row = rowAt(index.row());
    const int column = index.column();
    if (!row || column >= int(row->size()))
        return QVariant();
    const QVariant& value = (*row)[std::size_t(column)];
    const int type = records_->fieldType(column);
    if (role == Qt::DisplayRole)
        return data::valueText(value, type);
    if (data::showsAsNumber(value, type))
        return int(Qt::AlignRight | Qt::AlignVCenter); // the views of Qt 6.4 read an int
    return QVariant();
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < records_->fieldCount())
        return records_->fieldName(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags RecordsetModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

void RecordsetModel::refreshLater() const {
    if (refreshPending_)
        return;
    refreshPending_ = true;
    auto* self = const_cast<RecordsetModel*>(this);
    QMetaObject::invokeMethod(self, &RecordsetModel::refreshWhenFree, Qt::QueuedConnection);
}

// Called again at each turn of the event loop while the operation goes on.
void RecordsetModel::refreshWhenFree() {
    if (data::handlingEvents()) {
        QMetaObject::invokeMethod(this, &RecordsetModel::refreshWhenFree, Qt::QueuedConnection);
        return;
    }
    refreshPending_ = false;
    if (rows_ > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

void RecordsetModel::fail(const QString& description) const {
    failed_ = true;
    error_ = description;
    auto* self = const_cast<RecordsetModel*>(this);
    QMetaObject::invokeMethod(
        self, [self, description] { emit self->fetchFailed(description); }, Qt::QueuedConnection);
}

} // namespace grid
