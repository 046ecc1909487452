#include "data/jet/JetTestDatabase.h"

#include "data/AdoTypes.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::ado;

namespace {

QString argText(sqlite3_value* value) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)));
}

void resultText(sqlite3_context* context, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

bool isNull(sqlite3_value* value) {
    return sqlite3_value_type(value) == SQLITE_NULL;
}

void vbConcat(sqlite3_context* context, int, sqlite3_value** argv) {
    resultText(context, argText(argv[0]) + argText(argv[1]));
}

void vbChr(sqlite3_context* context, int, sqlite3_value** argv) {
    resultText(context, QString(QChar(sqlite3_value_int(argv[0]))));
}

void vbCdate(sqlite3_context* context, int, sqlite3_value** argv) {
    sqlite3_result_value(context, argv[0]);
}

void vbLike(sqlite3_context* context, int, sqlite3_value** argv) {
    if (isNull(argv[0]) || isNull(argv[1]))
        return sqlite3_result_null(context);
    const QRegularExpression pattern(
        QRegularExpression::wildcardToRegularExpression(argText(argv[1])),
        QRegularExpression::CaseInsensitiveOption);
    sqlite3_result_int(context, pattern.match(argText(argv[0])).hasMatch() ? -1 : 0);
}

// Dates only, and only the mask parts the tests use: yyyy, mm, q and \ before a literal.
void vbFormat(sqlite3_context* context, int, sqlite3_value** argv) {
    if (isNull(argv[0]))
        return sqlite3_result_null(context);
    const QString date = argText(argv[0]), mask = argText(argv[1]);
    QString out;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        if (mask[i] == u'\\' && i + 1 < mask.size())
            out += mask[++i];
        else if (mask.mid(i, 4).compare(u"yyyy", Qt::CaseInsensitive) == 0)
            out += date.left(4), i += 3;
        else if (mask.mid(i, 2).compare(u"mm", Qt::CaseInsensitive) == 0)
            out += date.mid(5, 2), i += 1;
        else if (mask[i].toLower() == u'q')
            out += QString::number((date.mid(5, 2).toInt() + 2) / 3);
        else
            out += mask[i];
    }
    resultText(context, out);
}

int jetText(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return QString::fromUtf8(static_cast<const char*>(a), lengthA)
        .compare(QString::fromUtf8(static_cast<const char*>(b), lengthB), Qt::CaseInsensitive);
}

} // namespace

JetTestDatabase::JetTestDatabase() {
    sqlite3_open(":memory:", &db_);
    sqlite3_create_collation(db_, "JETTEXT", SQLITE_UTF8, nullptr, jetText);
    const struct {
        const char* name;
        int args;
        void (*function)(sqlite3_context*, int, sqlite3_value**);
    } functions[] = {{"vb_concat", 2, vbConcat},
                     {"vb_chr", 1, vbChr},
                     {"vb_cdate", 1, vbCdate},
                     {"vb_like", 2, vbLike},
                     {"vb_format", 2, vbFormat}};
    for (const auto& f : functions)
        sqlite3_create_function(db_, f.name, f.args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                f.function, nullptr, nullptr);

    tables_ = {
        {"Orders",
         {{"OrderID", adInteger, Storage::Integer},
          {"Customer", adVarWChar, Storage::Text},
          {"Region", adVarWChar, Storage::Text},
          {"Amount", adCurrency, Storage::Currency},
          {"Shipped", adBoolean, Storage::Boolean},
          {"Freight", adDouble, Storage::Real},
          {"OrderDate", adDate, Storage::DateTime},
          {"Year", adSmallInt, Storage::Integer}}},
        {"T",
         {{"A", adVarWChar, Storage::Text},
          {"B", adVarWChar, Storage::Text},
          {"X", adVarWChar, Storage::Text},
          {"Odd \"Name\"", adInteger, Storage::Integer}}},
    };
    exec("CREATE TABLE Orders (OrderID INTEGER, Customer TEXT COLLATE JETTEXT, Region TEXT COLLATE "
         "JETTEXT, Amount INTEGER, Shipped INTEGER, Freight REAL, OrderDate TEXT, Year INTEGER)");
    exec("CREATE TABLE T (A TEXT COLLATE JETTEXT, B TEXT COLLATE JETTEXT, X TEXT COLLATE JETTEXT, "
         "\"Odd \"\"Name\"\"\" INTEGER)");
    exec("INSERT INTO Orders VALUES"
         " (1, 'Alpha', 'North', 105000, -1, 1.5, '2001-03-04 10:00:00', 2001),"
         " (2, 'beta', 'north', 1000, 0, 2.25, '2001-08-15 00:00:00', 2001),"
         " (3, 'Gamma', NULL, 200000, -1, 1.5, NULL, 2002),"
         " (4, 'Delta', 'South', 2000, 0, NULL, '2002-01-20 08:30:00', 2002),"
         " (5, 'Eps', NULL, NULL, 0, 3.0, '2001-03-30 00:00:00', 2001),"
         " (6, 'Zeta', 'NORTH', 10000, 0, NULL, NULL, 2001)");
    exec("INSERT INTO T VALUES ('x', 'y', 'Bon app''', 1), ('p', 'q', 'other', 2),"
         " ('m', NULL, 'bon APP''', 3)");
}

JetTestDatabase::~JetTestDatabase() {
    sqlite3_close(db_);
}

const TableInfo* JetTestDatabase::findTable(const QString& name) {
    for (const TableInfo& table : tables_)
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}

void JetTestDatabase::exec(const QString& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK)
        ADD_FAILURE() << message << " in " << sql.toStdString();
    sqlite3_free(message);
}

QList<QStringList> JetTestDatabase::rows(const QString& jetSql) {
    translation_ = translate(jetSql, *this);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, translation_.sqliteSql.constData(), -1, &statement, nullptr) !=
        SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db_) << " in " << translation_.sqliteSql.constData();
        return {};
    }
    EXPECT_EQ(sqlite3_column_count(statement), int(translation_.columns.size()));
    QList<QStringList> result;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i)
            row << (sqlite3_column_type(statement, i) == SQLITE_NULL
                        ? QStringLiteral("NULL")
                        : QString::fromUtf8(
                              reinterpret_cast<const char*>(sqlite3_column_text(statement, i))));
        result << row;
    }
    sqlite3_finalize(statement);
    return result;
}
