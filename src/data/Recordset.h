#pragma once

#include "data/Ado.h"
#include "data/RowFilter.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

namespace data {

class Connection;
class Cursor;
class Recordset;

// One field of a recordset; its Value is that of the recordset's current row.
class Field {
public:
    QString Name;
    int Type = 0;
    QVariant Value() const;

private:
    friend class Recordset;
    const Recordset* owner_ = nullptr;
    int index_ = 0;
};

// The rows of one statement. A forward-only recordset streams them and holds only the current
// row; a static one keeps the rows read so far, fetching more only as they are asked for, and
// can go back to its first row, be filtered and be sorted.
class Recordset {
public:
    Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;
    ~Recordset();

    int CursorLocation = ado::adUseServer;

    void Open(const QString& source, const std::shared_ptr<Connection>& connection,
              int cursorType = ado::adOpenUnspecified, int lockType = ado::adLockUnspecified,
              int options = ado::adOptionUnspecified);
    // Takes over a provider's result, as the connection does for its schema rowsets.
    void openCursor(std::unique_ptr<Cursor> cursor, int cursorType);
    void Close();
    bool isOpen() const { return cursor_ != nullptr || static_; }

    int fieldCount() const;
    const Field& Fields(int index) const;
    const Field& Fields(const QString& name) const;
    int fieldIndex(const QString& name) const; // -1 when there is no such field

    bool Eof() const;
    void MoveFirst();
    void MoveNext();

    QString Filter() const { return filter_; }
    void setFilter(const QString& criteria);
    QString Sort() const { return sort_; }
    void setSort(const QString& sort);

    QString Source() const { return source_; }
    bool isStatic() const { return static_; }

private:
    friend class Field;
    void requireOpen() const;
    const std::vector<QVariant>& currentRow() const;
    bool pull(); // reads one more row from the cursor into the buffer
    void readAll();
    void rebuildView();
    void reopen(const QString& statement);

    // Comparisons of an in-memory sort between two reports to the operation running.
    static constexpr std::uint32_t ComparisonsPerReport = 1u << 16;

    std::unique_ptr<Cursor> cursor_;
    std::shared_ptr<Connection> connection_;
    std::vector<Field> fields_;
    bool static_ = false;
    bool exhausted_ = false;
    QString source_;
    QString filter_;
    QString sort_;

    // Static: every row read so far. Forward-only: the current row alone.
    std::vector<std::vector<QVariant>> rows_;
    std::vector<QVariant> incoming_; // the row being read
    // Static with a filter or an in-memory sort: the positions of the visible rows.
    std::optional<std::vector<qsizetype>> view_;
    qsizetype position_ = 0;
    bool moved_ = false;
};

} // namespace data
