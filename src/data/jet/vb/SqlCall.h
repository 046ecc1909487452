#pragma once

#include "data/jet/CalendarDate.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <span>
#include <sqlite3.h>
#include <string_view>

// The bridge between SQLite's function calls and the VB functions: arguments read as VB converts
// values, results handed back, VbError turned into the query's error.
namespace data::jet::vb {

class RegionalSettings;

class SqlCall {
public:
    SqlCall(sqlite3_context* context, int argc, sqlite3_value** argv,
            const RegionalSettings& regional);

    int argumentCount() const { return argc_; }
    bool isNull(int i) const { return type(i) == SQLITE_NULL; }
    // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL.
    int type(int i) const { return sqlite3_value_type(argv_[i]); }
    const RegionalSettings& regional() const { return regional_; }

    // A number from a number, from number text, or from a date in the engine's text as its
    // serial date (what CDbl gives for a date); otherwise "Type mismatch".
    double number(int i) const;
    // A date from the engine's date text, regional date text, or a serial date number;
    // otherwise "Type mismatch", or "Overflow" for a number beyond the years dates can take.
    DateTimeParts date(int i) const;
    // Text as it is, numbers as VB writes them; binary data is a "Type mismatch".
    QString text(int i) const;
    // The same in UTF-8; stored text is not copied, so it lasts only for this call.
    QByteArray utf8(int i) const;

    void setNull() { sqlite3_result_null(context_); }
    void setInteger(std::int64_t value) { sqlite3_result_int64(context_, value); }
    void setDouble(double value) { sqlite3_result_double(context_, value); }
    // Jet's True (-1) or False (0).
    void setBoolean(bool value) { sqlite3_result_int(context_, value ? -1 : 0); }
    void setText(const QString& value);
    void setUtf8(const QByteArray& value);
    void setUtf8(std::string_view value);
    void setArgument(int i) { sqlite3_result_value(context_, argv_[i]); }

    // Hands `use` the object `make` builds from argument i (a Format mask, a Like pattern). While
    // that argument is the same constant SQLite keeps the object for the following rows.
    template <typename T, typename Make, typename Use> void withCached(int i, Make make, Use use);

private:
    template <typename T> static void destroy(void* object) { delete static_cast<T*>(object); }

    sqlite3_context* context_;
    int argc_;
    sqlite3_value** argv_;
    const RegionalSettings& regional_;
};

template <typename T, typename Make, typename Use>
void SqlCall::withCached(int i, Make make, Use use) {
    if (const auto* kept = static_cast<const T*>(sqlite3_get_auxdata(context_, i))) {
        use(*kept);
        return;
    }
    auto made = std::make_unique<T>(make());
    use(*made);
    // SQLite may destroy the object at once, so it is handed over last.
    sqlite3_set_auxdata(context_, i, made.release(), &destroy<T>);
}

using FunctionBody = void (*)(SqlCall& call);

enum class NullArguments {
    GiveNull, // any Null argument makes the result Null, as most VB functions do
    Pass,     // the body deals with Null arguments itself
};

struct FunctionDefinition {
    const char* name;
    int argumentCount;
    FunctionBody body;
    NullArguments nulls = NullArguments::GiveNull;
};

// Registers the functions as deterministic; SQLite's result code.
int registerFunctions(sqlite3* db, const RegionalSettings& regional,
                      std::span<const FunctionDefinition> functions);

} // namespace data::jet::vb
