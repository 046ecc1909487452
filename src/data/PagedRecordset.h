#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace data {

class Connection;
class Cursor;

// The rows of one statement for a view that may go anywhere in them: as many rows as the data
// source counts when the statement is opened, read by position a page at a time as they are
// asked for. The pages read last are kept and older ones let go, so that memory stays the same
// however far the view scrolls. A page after the one read last continues the same reading; any
// other starts the statement again at the page's first row (see Provider::executeFrom).
//
// The count is the source's at the opening: rows a server drops afterwards read as missing
// (row() gives null), rows it adds are not seen until the statement is opened again.
class PagedRecordset {
public:
    static constexpr qsizetype PageRows = 256;
    static constexpr std::size_t PagesKept = 12;

    // Runs `statement`, ordered by `sort` when it is not empty ("[Name] DESC"), counts its rows
    // and reads the first page. Fails with data::Error (Cancelled when the user stops it).
    PagedRecordset(std::shared_ptr<Connection> connection, const QString& statement,
                   const QString& sort = QString());
    ~PagedRecordset();
    PagedRecordset(const PagedRecordset&) = delete;
    PagedRecordset& operator=(const PagedRecordset&) = delete;

    // The connection the rows come from, the statement as opened without its order, and the
    // order.
    const std::shared_ptr<Connection>& connection() const { return connection_; }
    const QString& Source() const { return source_; }
    const QString& Sort() const { return sort_; }

    int fieldCount() const { return int(names_.size()); }
    const QString& fieldName(int i) const { return names_.at(std::size_t(i)); }
    int fieldType(int i) const { return types_.at(std::size_t(i)); }
    qsizetype count() const { return count_; }

    // The row at `index`, read from the source when its page is not kept; null when the source
    // no longer gives that row. Fails with data::Error.
    const std::vector<QVariant>* row(qsizetype index);
    // The row at `index` when its page is kept, without reading; null otherwise.
    const std::vector<QVariant>* kept(qsizetype index) const;

    // Closes the statement being read; the next page not kept starts it again at that page.
    void letGo();

private:
    struct Page {
        qsizetype first = 0;
        std::vector<std::vector<QVariant>> rows;
        quint64 used = 0;
    };

    void open();
    QString statementText() const;
    const Page* keptPage(qsizetype first);
    const Page& readPage(qsizetype first);
    bool readRow(std::vector<QVariant>& row);
    void keep(Page page);

    std::shared_ptr<Connection> connection_;
    QString source_;
    QString sort_;
    std::vector<QString> names_;
    std::vector<int> types_;
    qsizetype count_ = 0;

    std::unique_ptr<Cursor> cursor_;
    qsizetype cursorAt_ = 0; // the position of the row the cursor's next() gives
    std::vector<Page> pages_;
    quint64 uses_ = 0;
};

} // namespace data
