#include "data/jet/vb/SqlCall.h"

#include "data/NumberText.h"
#include "data/jet/vb/RegionalSettings.h"
#include "data/jet/vb/VbError.h"

namespace data::jet::vb {

namespace {

struct Registration {
    FunctionBody body;
    NullArguments nulls;
    const RegionalSettings* regional;
};

std::string_view storedUtf8(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return {text, std::size_t(sqlite3_value_bytes(value))};
}

QString storedText(sqlite3_value* value) {
    const auto* text = static_cast<const QChar*>(sqlite3_value_text16(value));
    return QString(text, sqlite3_value_bytes16(value) / qsizetype(sizeof(QChar)));
}

bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    }
    return false;
}

// No exception may cross SQLite's C frames.
void dispatch(sqlite3_context* context, int argc, sqlite3_value** argv) {
    const auto* registration = static_cast<const Registration*>(sqlite3_user_data(context));
    if (registration->nulls == NullArguments::GiveNull && anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    try {
        SqlCall call(context, argc, argv, *registration->regional);
        registration->body(call);
    } catch (const VbError& error) {
        sqlite3_result_error(context, error.what(), -1);
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(context);
    } catch (const std::exception& error) {
        sqlite3_result_error(context, error.what(), -1);
    } catch (...) {
        sqlite3_result_error(context, "Unexpected failure", -1);
    }
}

void destroyRegistration(void* registration) {
    delete static_cast<Registration*>(registration);
}

} // namespace

SqlCall::SqlCall(sqlite3_context* context, int argc, sqlite3_value** argv,
                 const RegionalSettings& regional)
    : context_(context), argc_(argc), argv_(argv), regional_(regional) {}

double SqlCall::number(int i) const {
    switch (type(i)) {
    case SQLITE_INTEGER:
        return double(sqlite3_value_int64(argv_[i]));
    case SQLITE_FLOAT:
        return sqlite3_value_double(argv_[i]);
    case SQLITE_TEXT:
        if (const auto date = parseEngineDate(storedUtf8(argv_[i])))
            return toSerialDate(*date);
        if (const auto value = readNumber(storedText(argv_[i]), regional_.locale()))
            return *value;
        break;
    }
    throw VbError(TypeMismatch);
}

DateTimeParts SqlCall::date(int i) const {
    switch (type(i)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        if (const auto date = fromSerialDate(sqlite3_value_double(argv_[i])))
            return *date;
        throw VbError(Overflow);
    case SQLITE_TEXT:
        if (const auto date = parseEngineDate(storedUtf8(argv_[i])))
            return *date;
        if (const auto date = regional_.readDate(storedText(argv_[i])))
            return *date;
        break;
    }
    throw VbError(TypeMismatch);
}

QString SqlCall::text(int i) const {
    switch (type(i)) {
    case SQLITE_INTEGER:
        return QString::number(sqlite3_value_int64(argv_[i]));
    case SQLITE_FLOAT:
        return numberText(sqlite3_value_double(argv_[i]), regional_.decimalPoint());
    case SQLITE_TEXT:
        return storedText(argv_[i]);
    case SQLITE_NULL:
        return QString();
    }
    throw VbError(TypeMismatch);
}

QByteArray SqlCall::utf8(int i) const {
    if (type(i) != SQLITE_TEXT)
        return text(i).toUtf8();
    const std::string_view stored = storedUtf8(argv_[i]);
    return QByteArray::fromRawData(stored.data(), qsizetype(stored.size()));
}

void SqlCall::setText(const QString& value) {
    sqlite3_result_text16(context_, value.utf16(), int(value.size() * sizeof(QChar)),
                          SQLITE_TRANSIENT);
}

void SqlCall::setUtf8(const QByteArray& value) {
    setUtf8(std::string_view(value.constData(), std::size_t(value.size())));
}

void SqlCall::setUtf8(std::string_view value) {
    sqlite3_result_text(context_, value.data(), int(value.size()), SQLITE_TRANSIENT);
}

int registerFunctions(sqlite3* db, const RegionalSettings& regional,
                      std::span<const FunctionDefinition> functions) {
    for (const FunctionDefinition& function : functions) {
        auto* registration = new Registration{function.body, function.nulls, &regional};
        // SQLite destroys the registration with the function, or at once should this fail.
        const int rc = sqlite3_create_function_v2(
            db, function.name, function.argumentCount,
            SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, registration, &dispatch, nullptr,
            nullptr, &destroyRegistration);
        if (rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

} // namespace data::jet::vb
