#include "data/PagedRecordset.h"

#include "data/Connection.h"
#include "data/Error.h"
#include "data/Operation.h"
#include "data/Provider.h"

#include <algorithm>

namespace data {

namespace {
// Rows counted between two reports to the operation running.
constexpr qsizetype RowsPerReport = 4096;
// A page this few rows past the reading's place is reached by reading on rather than by
// starting the statement again.
constexpr qsizetype ReadOnWithin = 4 * PagedRecordset::PageRows;
} // namespace

PagedRecordset::PagedRecordset(std::shared_ptr<Connection> connection, const QString& statement,
                               const QString& sort)
    : connection_(std::move(connection)), source_(statement), sort_(sort.trimmed()) {
    if (!connection_)
        throw Error("Operation is not allowed when the object is closed.");
    connection_->addPagedReading(this);
    try {
        open();
    } catch (...) {
        connection_->removePagedReading(this);
        throw;
    }
}

PagedRecordset::~PagedRecordset() {
    connection_->removePagedReading(this);
}

void PagedRecordset::open() {
    Provider& provider = connection_->provider();
    const QString text = statementText();
    const qsizetype counted = provider.countRows(text);
    cursor_ = provider.executeFrom(text, 0);
    for (int i = 0; i < cursor_->fieldCount(); ++i) {
        names_.push_back(cursor_->fieldName(i));
        types_.push_back(cursor_->fieldType(i));
    }
    if (counted >= 0) {
        // The rows are read as they are asked for, the first page too.
        count_ = counted;
        return;
    }
    // The source cannot count: the first page is kept on the way, and the reading goes on to
    // the last row, holding none of the rest.
    count_ = PageRows; // a page is read no further than the count
    count_ = qsizetype(readPage(0).rows.size());
    while (cursor_ && cursor_->next()) {
        if (++count_ % RowsPerReport == 0)
            tickOrStop();
    }
    cursor_.reset();
}

void PagedRecordset::letGo() {
    cursor_.reset();
}

QString PagedRecordset::statementText() const {
    return sort_.isEmpty() ? source_ : source_ + " ORDER BY " + sort_;
}

const std::vector<QVariant>* PagedRecordset::row(qsizetype index) {
    if (index < 0 || index >= count_)
        return nullptr;
    const qsizetype first = index - index % PageRows;
    const Page* page = keptPage(first);
    if (!page)
        page = &readPage(first);
    const auto at = std::size_t(index - first);
    return at < page->rows.size() ? &page->rows[at] : nullptr;
}

const std::vector<QVariant>* PagedRecordset::kept(qsizetype index) const {
    if (index < 0 || index >= count_)
        return nullptr;
    for (const Page& page : pages_) {
        const qsizetype at = index - page.first;
        if (at >= 0 && at < qsizetype(page.rows.size()))
            return &page.rows[std::size_t(at)];
    }
    return nullptr;
}

const PagedRecordset::Page* PagedRecordset::keptPage(qsizetype first) {
    for (Page& page : pages_)
        if (page.first == first) {
            page.used = ++uses_;
            return &page;
        }
    return nullptr;
}

const PagedRecordset::Page& PagedRecordset::readPage(qsizetype first) {
    Page page;
    page.first = first;
    try {
        if (!cursor_ || cursorAt_ > first || first - cursorAt_ > ReadOnWithin) {
            cursor_.reset();
            cursor_ = connection_->provider().executeFrom(statementText(), first);
            cursorAt_ = first;
        }
        std::vector<QVariant> values;
        while (cursorAt_ < first && cursor_->next())
            ++cursorAt_;
        while (cursorAt_ >= first && qsizetype(page.rows.size()) < PageRows && cursorAt_ < count_ &&
               readRow(values)) {
            page.rows.push_back(std::move(values));
            ++cursorAt_;
        }
        if (cursorAt_ < first || qsizetype(page.rows.size()) < PageRows)
            cursor_.reset(); // at its end, or at the end of the rows counted
    } catch (...) {
        // The rows read before the failure are kept; where the failed reading stands is not
        // known, so the next page starts afresh.
        cursor_.reset();
        keep(std::move(page));
        throw;
    }
    keep(std::move(page));
    return pages_.back();
}

bool PagedRecordset::readRow(std::vector<QVariant>& row) {
    if (!cursor_->next())
        return false;
    row.resize(names_.size());
    for (int i = 0; i < int(names_.size()); ++i)
        row[std::size_t(i)] = cursor_->value(i);
    return true;
}

void PagedRecordset::keep(Page page) {
    if (pages_.size() >= PagesKept) {
        const auto oldest =
            std::min_element(pages_.begin(), pages_.end(),
                             [](const Page& a, const Page& b) { return a.used < b.used; });
        pages_.erase(oldest);
    }
    page.used = ++uses_;
    pages_.push_back(std::move(page));
}

} // namespace data
