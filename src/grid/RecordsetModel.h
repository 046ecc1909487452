#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <memory>
#include <vector>

namespace data {
class PagedRecordset;
}

namespace grid {

// The rows of a statement as the data grid shows them: one column per field, in order, headed by
// the field's name; each cell the field's value as valueText writes it, numbers aligned to the
// right. Nothing can be edited.
//
// The view has every row the statement counts from the start, so its scroll bar spans them all
// and the last row is one key away; the rows themselves are read by position only as the view
// paints them (see PagedRecordset), so a million rows show their first screen and their last one
// at once, and only the few pages read last are held.
//
// A failure while reading rows (a VB function's "Overflow" part-way through, a connection lost)
// ends the reading: the rows still held stay, the others show empty, errorText() holds the
// description and fetchFailed reports it once control is back in the event loop, never from
// inside a view's painting, so that a handler may show it in a message box. While an operation
// lets the window paint, nothing is read from the source, which the operation is using: rows
// not held show empty until it ends, and are painted again then.
class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Fails with data::Error for a recordset that is missing.
    explicit RecordsetModel(std::shared_ptr<data::PagedRecordset> records,
                            QObject* parent = nullptr);
    ~RecordsetModel() override;

    const std::shared_ptr<data::PagedRecordset>& recordset() const { return records_; }
    // Whether reading rows failed, and why.
    bool failed() const { return failed_; }
    const QString& errorText() const { return error_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void fetchFailed(const QString& description);

private:
    const std::vector<QVariant>* rowAt(int row) const;
    void fail(const QString& description) const;
    // Paints the rows again once no operation holds the source.
    void refreshLater() const;
    void refreshWhenFree();

    std::shared_ptr<data::PagedRecordset> records_;
    int rows_ = 0;
    mutable bool failed_ = false;
    mutable QString error_;
    mutable bool refreshPending_ = false;
};

} // namespace grid
