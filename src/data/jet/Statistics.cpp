#include "data/jet/Statistics.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <sqlite3.h>

namespace data::jet {

// One extreme so far: a number as SQLite holds it, or text or binary data. While the figures
// are gathered the bytes are a copy of their own; in the result they follow the figures.
struct Extreme {
    int type = 0; // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT or SQLITE_BLOB; 0 before any value
    std::int64_t integer = 0;
    double real = 0;
    unsigned char* bytes = nullptr;
    int length = 0;
};

// What jet_statistics gathers (in memory SQLite clears to zero, which is where it starts) and hands
// on as bytes, followed by the bytes of a text or binary minimum and then maximum.
struct Figures {
    Extreme min, max;
    double realSum = 0;
    std::int64_t integerSum = 0;
    std::int64_t count = 0;
    bool approximate = false; // some value was not an integer
    bool overflow = false;    // the integers' sum left 64 bits
};

namespace {

int typeRank(int type) {
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT ? 0 : type == SQLITE_TEXT ? 1 : 2;
}

// An integer against a real, exactly (a double may not hold the integer).
int compareIntegerReal(std::int64_t i, double r) {
    if (r < -9223372036854775808.0)
        return 1;
    if (r >= 9223372036854775808.0)
        return -1;
    const auto whole = static_cast<std::int64_t>(r);
    if (i != whole)
        return i < whole ? -1 : 1;
    const double rest = r - static_cast<double>(whole);
    return rest > 0 ? -1 : rest < 0 ? 1 : 0;
}

const void* bytesOf(int type, sqlite3_value* value) {
    return type == SQLITE_TEXT ? static_cast<const void*>(sqlite3_value_text(value))
                               : sqlite3_value_blob(value);
}

int compareBytes(const Extreme& kept, int type, sqlite3_value* value) {
    const void* bytes = bytesOf(type, value);
    const int length = sqlite3_value_bytes(value);
    const int common = kept.length < length ? kept.length : length;
    const int c = common > 0 ? std::memcmp(kept.bytes, bytes, std::size_t(common)) : 0;
    return c != 0 ? c : kept.length - length;
}

// Negative, zero or positive as the kept extreme sorts before, with or after the value.
int compare(const Extreme& kept, int type, sqlite3_value* value) {
    const int rankKept = typeRank(kept.type), rankValue = typeRank(type);
    if (rankKept != rankValue)
        return rankKept - rankValue;
    if (rankKept != 0)
        return compareBytes(kept, type, value);
    if (kept.type == SQLITE_INTEGER && type == SQLITE_INTEGER) {
        const std::int64_t v = sqlite3_value_int64(value);
        return kept.integer < v ? -1 : kept.integer > v ? 1 : 0;
    }
    if (kept.type == SQLITE_INTEGER)
        return compareIntegerReal(kept.integer, sqlite3_value_double(value));
    if (type == SQLITE_INTEGER)
        return -compareIntegerReal(sqlite3_value_int64(value), kept.real);
    const double v = sqlite3_value_double(value);
    return kept.real < v ? -1 : kept.real > v ? 1 : 0;
}

// Keeps the value in place of the extreme; false when memory for a copy ran out.
bool keep(Extreme& extreme, int type, sqlite3_value* value) {
    sqlite3_free(extreme.bytes);
    extreme = Extreme{type};
    if (type == SQLITE_INTEGER) {
        extreme.integer = sqlite3_value_int64(value);
    } else if (type == SQLITE_FLOAT) {
        extreme.real = sqlite3_value_double(value);
    } else {
        const void* bytes = bytesOf(type, value);
        extreme.length = sqlite3_value_bytes(value);
        extreme.bytes = static_cast<unsigned char*>(sqlite3_malloc(extreme.length + 1));
        if (!extreme.bytes)
            return false;
        if (extreme.length > 0)
            std::memcpy(extreme.bytes, bytes, std::size_t(extreme.length));
    }
    return true;
}

// Adds one value to the figures; false when memory for a copy of an extreme ran out.
bool gather(Figures& figures, sqlite3_value* value) {
    const int type = sqlite3_value_type(value);
    if (type == SQLITE_NULL)
        return true;
    // A column of reals, by far the most common case, asks no more than this.
    if (type == SQLITE_FLOAT && figures.min.type == SQLITE_FLOAT &&
        figures.max.type == SQLITE_FLOAT) {
        const double v = sqlite3_value_double(value);
        if (v < figures.min.real)
            figures.min.real = v;
        if (v > figures.max.real)
            figures.max.real = v;
        figures.realSum += v;
        figures.approximate = true;
        ++figures.count;
        return true;
    }
    // The extremes see the value as stored; the sum then reads text as a number, as SQLite's
    // sum does (which changes the value in place).
    const bool first = figures.count == 0;
    if ((first || compare(figures.min, type, value) > 0) && !keep(figures.min, type, value))
        return false;
    if ((first || compare(figures.max, type, value) < 0) && !keep(figures.max, type, value))
        return false;
    ++figures.count;
    if (sqlite3_value_numeric_type(value) == SQLITE_INTEGER) {
        const std::int64_t v = sqlite3_value_int64(value);
        figures.realSum += static_cast<double>(v);
        if (!figures.approximate && !figures.overflow &&
            __builtin_add_overflow(figures.integerSum, v, &figures.integerSum))
            figures.approximate = figures.overflow = true;
    } else {
        figures.realSum += sqlite3_value_double(value);
        figures.approximate = true;
    }
    return true;
}

void statisticsStep(sqlite3_context* context, int, sqlite3_value** argv) {
    auto* figures = static_cast<Figures*>(sqlite3_aggregate_context(context, sizeof(Figures)));
    if (!figures || !gather(*figures, argv[0]))
        sqlite3_result_error_nomem(context);
}

// The size of the figures as bytes, and the bytes, written to `to`.
std::size_t sizeOf(const Figures& figures) {
    return sizeof(Figures) + std::size_t(figures.min.length) + std::size_t(figures.max.length);
}

void write(const Figures& figures, unsigned char* to) {
    Figures copy = figures;
    copy.min.bytes = copy.max.bytes = nullptr;
    std::memcpy(to, &copy, sizeof(Figures));
    if (figures.min.length > 0)
        std::memcpy(to + sizeof(Figures), figures.min.bytes, std::size_t(figures.min.length));
    if (figures.max.length > 0)
        std::memcpy(to + sizeof(Figures) + figures.min.length, figures.max.bytes,
                    std::size_t(figures.max.length));
}

void release(Figures& figures) {
    sqlite3_free(figures.min.bytes);
    sqlite3_free(figures.max.bytes);
    figures.min.bytes = figures.max.bytes = nullptr;
}

// SQLite calls this once for every group it began, also when the statement stops early, so the
// copies are freed here.
void statisticsFinal(sqlite3_context* context) {
    auto* figures = static_cast<Figures*>(sqlite3_aggregate_context(context, 0));
    if (!figures) {
        const Figures none;
        sqlite3_result_blob(context, &none, sizeof(Figures), SQLITE_TRANSIENT);
        return;
    }
    const std::size_t size = sizeOf(*figures);
    auto* result = static_cast<unsigned char*>(sqlite3_malloc64(size));
    if (result) {
        write(*figures, result);
        sqlite3_result_blob64(context, result, size, &sqlite3_free);
    } else {
        sqlite3_result_error_nomem(context);
    }
    release(*figures);
}

// The figures jet_statistics made, read from its result, followed by the bytes of text or
// binary extremes.
struct Reading {
    Figures figures;
    const unsigned char* bytes = nullptr;
};

// False (with the statement failed) for anything but a result of jet_statistics.
bool read(sqlite3_context* context, sqlite3_value* value, Reading& reading) {
    const bool blob = sqlite3_value_type(value) == SQLITE_BLOB;
    const auto* bytes =
        blob ? static_cast<const unsigned char*>(sqlite3_value_blob(value)) : nullptr;
    const int size = blob ? sqlite3_value_bytes(value) : 0;
    if (bytes && size >= int(sizeof(Figures)))
        std::memcpy(&reading.figures, bytes, sizeof(Figures));
    const Figures& figures = reading.figures;
    if (!bytes || size < int(sizeof(Figures)) || figures.min.length < 0 || figures.max.length < 0 ||
        std::int64_t(size) !=
            std::int64_t(sizeof(Figures)) + figures.min.length + figures.max.length) {
        sqlite3_result_error(context, "statistics taken from something else", -1);
        return false;
    }
    reading.bytes = bytes + sizeof(Figures);
    return true;
}

void resultExtreme(sqlite3_context* context, const Extreme& extreme, const unsigned char* bytes) {
    switch (extreme.type) {
    case SQLITE_INTEGER:
        return sqlite3_result_int64(context, extreme.integer);
    case SQLITE_FLOAT:
        return sqlite3_result_double(context, extreme.real);
    case SQLITE_TEXT:
        return sqlite3_result_text(context, reinterpret_cast<const char*>(bytes), extreme.length,
                                   SQLITE_TRANSIENT);
    case SQLITE_BLOB:
        return sqlite3_result_blob(context, bytes, extreme.length, SQLITE_TRANSIENT);
    default:
        return sqlite3_result_null(context);
    }
}

void minimum(sqlite3_context* context, int, sqlite3_value** argv) {
    if (Reading reading; read(context, argv[0], reading))
        resultExtreme(context, reading.figures.min, reading.bytes);
}

void maximum(sqlite3_context* context, int, sqlite3_value** argv) {
    if (Reading reading; read(context, argv[0], reading))
        resultExtreme(context, reading.figures.max, reading.bytes + reading.figures.min.length);
}

void average(sqlite3_context* context, int, sqlite3_value** argv) {
    if (Reading reading; read(context, argv[0], reading) && reading.figures.count > 0)
        sqlite3_result_double(context, reading.figures.realSum / double(reading.figures.count));
}

void sum(sqlite3_context* context, int, sqlite3_value** argv) {
    Reading reading;
    if (!read(context, argv[0], reading) || reading.figures.count == 0)
        return;
    const Figures& figures = reading.figures;
    if (figures.overflow)
        sqlite3_result_error(context, "integer overflow", -1);
    else if (figures.approximate)
        sqlite3_result_double(context, figures.realSum);
    else
        sqlite3_result_int64(context, figures.integerSum);
}

} // namespace

int registerStatistics(sqlite3* db) {
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    int rc = sqlite3_create_function_v2(db, "jet_statistics", 1, flags, nullptr, nullptr,
                                        &statisticsStep, &statisticsFinal, nullptr);
    struct Part {
        const char* name;
        void (*body)(sqlite3_context*, int, sqlite3_value**);
    };
    for (const Part& part : {Part{"jet_min", &minimum}, Part{"jet_max", &maximum},
                             Part{"jet_avg", &average}, Part{"jet_sum", &sum}})
        if (rc == SQLITE_OK)
            rc = sqlite3_create_function_v2(db, part.name, 1, flags, nullptr, part.body, nullptr,
                                            nullptr, nullptr);
    return rc;
}

Statistics::Statistics() : figures_(std::make_unique<Figures>()) {}

Statistics::~Statistics() {
    if (figures_)
        release(*figures_);
}

Statistics::Statistics(Statistics&&) noexcept = default;

bool Statistics::add(sqlite3_value* value) {
    return gather(*figures_, value);
}

QByteArray Statistics::bytes() const {
    QByteArray result(qsizetype(sizeOf(*figures_)), Qt::Uninitialized);
    write(*figures_, reinterpret_cast<unsigned char*>(result.data()));
    return result;
}

} // namespace data::jet
