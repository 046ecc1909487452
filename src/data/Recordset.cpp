#include "data/Recordset.h"

#include "data/Connection.h"
#include "data/Error.h"
#include "data/Operation.h"
#include "data/Provider.h"
#include "data/SqlName.h"
#include "data/TextCollation.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>
#include <utility>

namespace data {

namespace {
const QString NoCurrentRecord = "Either BOF or EOF is True, or the current record has been "
                                "deleted. Requested operation requires a current record.";
const QString NotFound =
    "Item cannot be found in the collection corresponding to the requested name or ordinal.";

// Orders two values as a sort does: nulls first, numbers and dates by value, text in the
// engine's text order (letter case aside, accents after the base letter), so that a sort gives
// the same order whether the rows were all in memory or the statement ran again.
int compareValues(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() ? 0 : a.isNull() ? -1 : 1;
    if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString)
        return compareJetText(a.toString().toStdString(), b.toString().toStdString());
    const QPartialOrdering order = QVariant::compare(a, b);
    if (order == QPartialOrdering::Less)
        return -1;
    if (order == QPartialOrdering::Greater)
        return 1;
    if (order == QPartialOrdering::Equivalent)
        return 0;
    return a.toString().compare(b.toString(), Qt::CaseInsensitive);
}

struct SortTerm {
    QString name;
    bool descending = false;
};

// A sort text: a column as the program writes it in SQL ([Name] with "]]" for a bracket of the
// name, "Name" with "" for a quote, or bare), then ASC or DESC, or neither.
std::optional<SortTerm> readSortTerm(const QString& text) {
    static const QRegularExpression clause(
        R"(^(\[(?:[^\]]|\]\])+\]|"(?:[^"]|"")+"|[^\s\["\]]+)(?:\s+(ASC|DESC))?$)",
        QRegularExpression::CaseInsensitiveOption);
    const auto m = clause.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return SortTerm{nameOf(m.captured(1)), m.captured(2).compare("DESC", Qt::CaseInsensitive) == 0};
}

} // namespace

QVariant Field::Value() const {
    return owner_->currentRow().at(index_);
}

Recordset::Recordset() = default;
Recordset::~Recordset() = default;

void Recordset::Open(const QString& source, const std::shared_ptr<Connection>& connection,
                     int cursorType, int, int) {
    if (!connection)
        throw Error("The connection cannot be used to perform this operation. It is either "
                    "closed or invalid in this context.");
    Close();
    connection_ = connection;
    source_ = source;
    openCursor(connection->provider().execute(source), cursorType);
}

void Recordset::openCursor(std::unique_ptr<Cursor> cursor, int cursorType) {
    cursor_ = std::move(cursor);
    static_ = cursorType == ado::adOpenStatic;
    exhausted_ = false;
    rows_.clear();
    view_.reset();
    filter_.clear();
    position_ = 0;
    moved_ = false;
    fields_.clear();
    for (int i = 0; i < cursor_->fieldCount(); ++i) {
        Field f;
        f.Name = cursor_->fieldName(i);
        f.Type = cursor_->fieldType(i);
        f.owner_ = this;
        f.index_ = i;
        fields_.push_back(f);
    }
    // Like any recordset, it stands on its first row once open.
    pull();
}

void Recordset::Close() {
    cursor_.reset();
    static_ = false;
    rows_.clear();
    view_.reset();
}

void Recordset::requireOpen() const {
    if (!isOpen())
        throw Error("Operation is not allowed when the object is closed.");
}

bool Recordset::pull() {
    if (exhausted_ || !cursor_)
        return false;
    if (!cursor_->next()) {
        exhausted_ = true;
        return false;
    }
    // The row is read whole before it becomes current, so that a failure leaves the current row
    // as it was. A forward-only recordset swaps it with the previous row's storage.
    incoming_.resize(fields_.size());
    for (int i = 0; i < static_cast<int>(fields_.size()); ++i)
        incoming_[i] = cursor_->value(i);
    if (static_ || rows_.empty())
        rows_.push_back(std::move(incoming_));
    else
        rows_.back().swap(incoming_);
    return true;
}

void Recordset::readAll() {
    while (pull()) {
    }
}

int Recordset::fieldCount() const {
    requireOpen();
    return static_cast<int>(fields_.size());
}

const Field& Recordset::Fields(int index) const {
    requireOpen();
    if (index < 0 || index >= static_cast<int>(fields_.size()))
        throw Error(NotFound);
    return fields_[index];
}

int Recordset::fieldIndex(const QString& name) const {
    for (const Field& f : fields_)
        if (f.Name.compare(name, Qt::CaseInsensitive) == 0)
            return f.index_;
    return -1;
}

const Field& Recordset::Fields(const QString& name) const {
    requireOpen();
    const int i = fieldIndex(name);
    if (i < 0)
        throw Error(NotFound);
    return fields_[i];
}

bool Recordset::Eof() const {
    requireOpen();
    if (!static_)
        return rows_.empty() || exhausted_;
    if (view_)
        return position_ >= static_cast<qsizetype>(view_->size());
    auto* self = const_cast<Recordset*>(this);
    while (position_ >= static_cast<qsizetype>(rows_.size()) && self->pull()) {
    }
    return position_ >= static_cast<qsizetype>(rows_.size());
}

const std::vector<QVariant>& Recordset::currentRow() const {
    if (Eof())
        throw Error(NoCurrentRecord);
    if (!static_)
        return rows_.back();
    return rows_.at(view_ ? view_->at(position_) : position_);
}

void Recordset::MoveFirst() {
    requireOpen();
    if (!static_ && moved_)
        throw Error("Rowset does not support fetching backward.");
    position_ = 0;
    if (Eof())
        throw Error(NoCurrentRecord);
}

void Recordset::MoveNext() {
    requireOpen();
    if (Eof())
        throw Error(NoCurrentRecord);
    moved_ = true;
    if (static_)
        ++position_;
    else
        pull();
}

void Recordset::setFilter(const QString& criteria) {
    requireOpen();
    if (!static_)
        throw Error("Current provider does not support the necessary interface for filtering.");
    if (criteria.trimmed().isEmpty()) {
        filter_.clear();
    } else {
        // Parsed before anything changes, so that a broken criteria leaves the rows as they were.
        RowFilter::parse(criteria, [this](const QString& n) { return fieldIndex(n); });
        filter_ = criteria;
    }
    rebuildView();
}

void Recordset::setSort(const QString& sort) {
    requireOpen();
    const QString text = sort.trimmed();
    if (text.isEmpty()) {
        // No sort: the rows as the source gave them.
        sort_ = sort;
        rebuildView();
        return;
    }
    const std::optional<SortTerm> term = readSortTerm(text);
    if (!term)
        throw Error(QString("The sort order is not valid: %1").arg(sort));
    if (fieldIndex(term->name) < 0)
        throw Error(NotFound);
    // Rows not yet read are sorted by the data source, which runs the statement again with the
    // order; rows that are all in memory are sorted here. Stopped or failing, the recordset
    // keeps its rows in their order.
    const QString previous = std::exchange(sort_, sort);
    try {
        if (!exhausted_ && !source_.isEmpty() && connection_ && filter_.isEmpty())
            reopen(source_ + " ORDER BY " + text);
        else
            rebuildView();
    } catch (...) {
        sort_ = previous;
        throw;
    }
}

// The rows held stay until the statement gives its first row: stopped or failing on the way, the
// recordset is left as it was.
void Recordset::reopen(const QString& statement) {
    auto cursor = connection_->provider().execute(statement);
    const QString sort = sort_, source = source_, filter = filter_;
    auto keptCursor = std::move(cursor_);
    auto keptRows = std::move(rows_);
    auto keptView = std::move(view_);
    const std::vector<Field> keptFields = fields_;
    const bool keptStatic = static_, keptExhausted = exhausted_, keptMoved = moved_;
    const qsizetype keptPosition = position_;
    try {
        openCursor(std::move(cursor), static_ ? ado::adOpenStatic : ado::adOpenForwardOnly);
    } catch (...) {
        cursor_ = std::move(keptCursor);
        rows_ = std::move(keptRows);
        view_ = std::move(keptView);
        fields_ = keptFields;
        static_ = keptStatic;
        exhausted_ = keptExhausted;
        moved_ = keptMoved;
        position_ = keptPosition;
        filter_ = filter;
        throw;
    }
    sort_ = sort;
    source_ = source;
}

void Recordset::rebuildView() {
    if (filter_.isEmpty() && sort_.trimmed().isEmpty()) {
        view_.reset();
        position_ = 0;
        return;
    }
    readAll();
    std::vector<qsizetype> view;
    if (!filter_.isEmpty()) {
        const RowFilter f =
            RowFilter::parse(filter_, [this](const QString& n) { return fieldIndex(n); });
        for (qsizetype i = 0; i < static_cast<qsizetype>(rows_.size()); ++i)
            if (f.matches(rows_[i]))
                view.push_back(i);
    } else {
        for (qsizetype i = 0; i < static_cast<qsizetype>(rows_.size()); ++i)
            view.push_back(i);
    }
    const QString text = sort_.trimmed();
    if (!text.isEmpty()) {
        const SortTerm term = readSortTerm(text).value_or(SortTerm{});
        const int column = fieldIndex(term.name);
        const bool descending = term.descending;
        // A sort of millions of rows takes seconds: the operation running hears of it now and
        // then, and may stop it.
        std::uint32_t compared = 0;
        std::stable_sort(view.begin(), view.end(), [&](qsizetype a, qsizetype b) {
            if (++compared % ComparisonsPerReport == 0)
                tickOrStop();
            const int c = compareValues(rows_[a][column], rows_[b][column]);
            return descending ? c > 0 : c < 0;
        });
    }
    view_ = std::move(view);
    position_ = 0;
}

} // namespace data
