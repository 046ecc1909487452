#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <memory>
#include <vector>

namespace data {
class Recordset;
}

namespace grid {

// The rows of a static recordset as the data grid shows them: one column per field, in order,
// headed by the field's name; each cell the field's value as valueText writes it, numbers aligned
// to the right. Nothing can be edited.
//
// Rows are read from the recordset only as views ask for them (canFetchMore / fetchMore, a batch
// at a time), so a result of a million rows shows its first screen at once, and only the rows
// read so far are held. rowCount() is the number of rows read so far.
//
// A failure while reading more rows (a VB function's "Overflow" part-way through, a connection
// lost) ends the reading: the rows read before it stay, errorText() holds the description and
// fetchFailed reports it once control is back in the event loop, never from inside a view's
// layout, so that a handler may show it in a message box.
//
// The model reads the recordset's rows through their positions, so the recordset must stay open,
// unfiltered and unsorted as it was while the model is bound; a new filter or sort calls for a
// new model.
class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // How many rows one fetchMore reads.
    static constexpr int FetchBatch = 256;

    // Fails with data::Error for a recordset that is missing, closed or forward-only: a grid
    // needs to go back to rows it has scrolled past.
    explicit RecordsetModel(std::shared_ptr<data::Recordset> records, QObject* parent = nullptr);
    ~RecordsetModel() override;

    const std::shared_ptr<data::Recordset>& recordset() const { return records_; }
    // Whether reading more rows failed, and why.
    bool failed() const { return failed_; }
    const QString& errorText() const { return error_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    void fetchFailed(const QString& description);

private:
    void fail(const QString& description);

    std::shared_ptr<data::Recordset> records_;
    std::vector<QString> names_;
    std::vector<int> types_;
    int rows_ = 0; // the rows views have been told of
    bool failed_ = false;
    QString error_;
};

} // namespace grid
