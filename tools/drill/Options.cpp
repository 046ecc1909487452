#include "drill/Options.h"

#include "data/DateGroup.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <optional>

namespace drill {

namespace {

// Options that take a value, and those that stand alone.
const QStringList ValueOptions = {
    "--access",     "--excel", "--oracle", "--user", "--password", "--table", "--date-group",
    "--auto-query", "--depth", "--locale", "--move", "--select",   "--copy",  "--copy-to"};
// Options that may be given more than once.
const QStringList RepeatableOptions = {"--move"};
const QStringList FlagOptions = {"--all", "--check", "--help", "-h"};

// A name QLocale knows; anything else falls back to the C locale.
// "S-E:G": the columns S to E, S <= E, into gap G, all whole numbers of 0 or more.
std::optional<ColumnMove> columnMove(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^(\\d+)-(\\d+):(\\d+)$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok[3] = {};
    const ColumnMove move{match.captured(1).toInt(&ok[0]), match.captured(2).toInt(&ok[1]),
                          match.captured(3).toInt(&ok[2])};
    if (!ok[0] || !ok[1] || !ok[2] || move.end < move.start)
        return std::nullopt;
    return move;
}

bool knownLocale(const QString& name) {
    return QLocale(name).name() != QLatin1String("C") || name == QLatin1String("C") ||
           name == QLatin1String("POSIX");
}

// Checks what the options say together, after each has been read.
QString contradiction(const Options& o, const QSet<QString>& given) {
    const int sources = int(given.contains("--access")) + int(given.contains("--excel")) +
                        int(given.contains("--oracle"));
    if (sources == 0)
        return "one of --access, --excel and --oracle is needed";
    if (sources > 1)
        return "only one of --access, --excel and --oracle can be given";
    if (o.source == SourceKind::Oracle &&
        (!given.contains("--user") || !given.contains("--password")))
        return "--oracle needs --user and --password";
    if (o.source != SourceKind::Oracle &&
        (given.contains("--user") || given.contains("--password")))
        return "--user and --password go with --oracle only";
    if (!given.contains("--table"))
        return "--table is needed";
    if (given.contains("--depth") && o.all)
        return "--depth and --all cannot be given together";
    if (given.contains("--copy-to") && !given.contains("--copy"))
        return "--copy-to goes with --copy";
    return QString();
}

// "tree", or "grid:S-E" with 0 <= S <= E.
std::optional<CopyRequest> copyRequest(const QString& value) {
    if (value == "tree")
        return CopyRequest{CopyRequest::Pane::Tree};
    static const QRegularExpression grid("^grid:(\\d{1,4})-(\\d{1,4})$");
    const QRegularExpressionMatch match = grid.match(value);
    if (!match.hasMatch() || match.captured(1).toInt() > match.captured(2).toInt())
        return std::nullopt;
    return CopyRequest{CopyRequest::Pane::Grid, match.captured(1).toInt(),
                       match.captured(2).toInt()};
}

} // namespace

ParsedArguments parseArguments(const QStringList& arguments) {
    ParsedArguments parsed;
    Options& o = parsed.options;
    QSet<QString> given;
    auto fail = [&](const QString& error) {
        parsed.error = error;
        return parsed;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        if (!ValueOptions.contains(name) && !FlagOptions.contains(name))
            return fail("unknown argument \"" + name + "\"");
        if (given.contains(name) && !RepeatableOptions.contains(name))
            return fail(name + " is given twice");
        given.insert(name);
        if (name == "--help" || name == "-h") {
            parsed.help = true;
            return parsed;
        }
        if (name == "--all") {
            o.all = true;
            continue;
        }
        if (name == "--check") {
            o.check = true;
            continue;
        }
        if (i + 1 >= arguments.size())
            return fail(name + " needs a value");
        const QString value = arguments[++i];
        if (name == "--access" || name == "--excel") {
            o.source = name == "--access" ? SourceKind::Access : SourceKind::Excel;
            o.file = value;
        } else if (name == "--oracle") {
            o.source = SourceKind::Oracle;
            o.database = value;
        } else if (name == "--user") {
            o.user = value;
        } else if (name == "--password") {
            o.password = value;
        } else if (name == "--table") {
            o.table = value;
        } else if (name == "--date-group") {
            const std::optional<data::DateGroup> group = data::dateGroupNamed(value);
            if (!group) {
                QStringList keywords;
                for (data::DateGroup g : data::DateGroups)
                    keywords << data::dateGroupKeyword(g);
                return fail("--date-group takes one of " + keywords.join('|') + ", not \"" + value +
                            "\"");
            }
            o.dateGroup = *group;
        } else if (name == "--auto-query") {
            if (value != "on" && value != "off")
                return fail("--auto-query takes on or off, not \"" + value + "\"");
            o.autoQuery = value == "on";
        } else if (name == "--depth") {
            bool ok = false;
            o.depth = value.toInt(&ok);
            if (!ok || o.depth < 0)
                return fail("--depth takes a whole number of 0 or more, not \"" + value + "\"");
        } else if (name == "--move") {
            const std::optional<ColumnMove> move = columnMove(value);
            if (!move)
                return fail("--move takes START-END:GAP, grid positions from 0 with START <= END, "
                            "not \"" +
                            value + "\"");
            o.moves.push_back(*move);
        } else if (name == "--locale") {
            if (!knownLocale(value))
                return fail("unknown locale \"" + value + "\"");
            o.locale = value;
        } else if (name == "--select") {
            o.select = value;
        } else if (name == "--copy") {
            const std::optional<CopyRequest> copy = copyRequest(value);
            if (!copy)
                return fail("--copy takes tree or grid:S-E with S <= E, not \"" + value + "\"");
            o.copy = *copy;
        } else if (name == "--copy-to") {
            o.copyTo = value;
        }
    }
    parsed.error = contradiction(o, given);
    return parsed;
}

QString usage() {
    return QStringLiteral(
        "usage: quarrymere-drill --access FILE | --excel FILE\n"
        "                        | --oracle DSN --user USER --password PASSWORD\n"
        "                        --table NAME\n"
        "                        [--date-group "
        "None|Second|Minute|Hour|Day|Week|Month|Quarter|Year]\n"
        "                        [--auto-query on|off] [--depth N | --all] [--locale NAME]\n"
        "                        [--move START-END:GAP]... [--select PATH] [--check]\n"
        "                        [--copy tree|grid:S-E [--copy-to FILE]]\n"
        "       quarrymere-drill --help\n");
}

} // namespace drill
