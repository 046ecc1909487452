#include "data/workbook/XmlScanner.h"

#include <QIODevice>
#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>

namespace data::workbook {

namespace {

std::atomic<bool> shortcuts{true};

bool isSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// What each byte may be in a name: its first byte (NameStart, which may go on it too) or a
// later one (NameByte). Read from a table, as names are read byte by byte millions of times.
constexpr unsigned char NameByte = 1;
constexpr unsigned char NameStart = 2 | NameByte;

constexpr std::array<unsigned char, 256> NameBytes = [] {
    std::array<unsigned char, 256> bytes{};
    for (int c = 0; c < 256; ++c) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80)
            bytes[std::size_t(c)] = NameStart;
        else if ((c >= '0' && c <= '9') || c == '-' || c == '.')
            bytes[std::size_t(c)] = NameByte;
    }
    return bytes;
}();

// The bytes read up to in an attribute's value (either quote, '<', '&') and in text ('<', '&',
// CR), each with the NUL past the bytes at hand.
constexpr std::array<bool, 256> stopsAt(std::initializer_list<char> bytes) {
    std::array<bool, 256> stops{};
    for (const char c : bytes)
        stops[static_cast<unsigned char>(c)] = true;
    stops[0] = true;
    return stops;
}
constexpr std::array<bool, 256> ValueStops = stopsAt({'"', '\'', '<', '&'});
constexpr std::array<bool, 256> TextStops = stopsAt({'<', '&', '\r'});

bool isTextStop(char c) {
    return TextStops[static_cast<unsigned char>(c)];
}

bool isNameByte(char c, unsigned char as) {
    return (NameBytes[static_cast<unsigned char>(c)] & as) == as;
}

QByteArrayView localOf(QByteArrayView name) {
    for (qsizetype at = name.size() - 1; at >= 0; --at)
        if (name[at] == ':')
            return name.sliced(at + 1);
    return name;
}

// A character as UTF-8; false for one XML does not allow.
bool appendCharacter(char32_t c, std::string& out) {
    if (c == 0 || (c < 0x20 && c != '\t' && c != '\n' && c != '\r') ||
        (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF || c == 0xFFFE || c == 0xFFFF)
        return false;
    const QByteArray utf8 = QString::fromUcs4(&c, 1).toUtf8();
    out.append(utf8.constData(), std::size_t(utf8.size()));
    return true;
}

// Text as written, its line ends read as XML reads them: CR LF and a CR alone are LF.
void appendLines(QByteArrayView raw, std::string& out) {
    for (qsizetype cr; (cr = raw.indexOf('\r')) >= 0;) {
        out.append(raw.data(), std::size_t(cr));
        out += '\n';
        raw = raw.sliced(cr + 1 < raw.size() && raw[cr + 1] == '\n' ? cr + 2 : cr + 1);
    }
    out.append(raw.data(), std::size_t(raw.size()));
}

} // namespace

XmlScanner::XmlScanner(QIODevice& in) : in_(in) {}

void XmlScanner::setShortcuts(bool on) {
    shortcuts = on;
}

// The line of the byte at `pos` of the buffer. Lines are counted by memchr, which passes over a
// sheet written without line ends at once.
qint64 XmlScanner::linesBefore(qsizetype pos) const {
    qint64 lines = linesBefore_;
    const char* at = buffer_.constData();
    const char* end = at + pos;
    while ((at = static_cast<const char*>(std::memchr(at, '\n', std::size_t(end - at))))) {
        ++lines;
        ++at;
    }
    return lines;
}

void XmlScanner::fail(const QString& detail, bool documentType) const {
    throw XmlDamage{linesBefore(pos_), detail, documentType};
}

void XmlScanner::fill() {
    if (atEnd_)
        return;
    if (pos_ > 0) {
        linesBefore_ = linesBefore(pos_);
        buffer_.remove(0, pos_);
        pos_ = 0;
    }
    const qsizetype had = buffer_.size();
    buffer_.resize(had + Chunk);
    const qint64 got = in_.read(buffer_.data() + had, Chunk);
    buffer_.resize(had + std::max<qint64>(got, 0));
    if (got <= 0)
        atEnd_ = true;
}

int XmlScanner::peekFurther(qsizetype ahead) {
    while (pos_ + ahead >= buffer_.size()) {
        if (atEnd_)
            return -1;
        fill();
    }
    return static_cast<unsigned char>(buffer_[pos_ + ahead]);
}

bool XmlScanner::startsWith(const char* text) {
    for (qsizetype i = 0; text[i]; ++i)
        if (peek(i) != static_cast<unsigned char>(text[i]))
            return false;
    return true;
}

QByteArrayView XmlScanner::attribute(QByteArrayView localName) const {
    for (const Attribute& attribute : attributes_)
        if (sameBytes(attribute.name, localName))
            return attribute.value;
    return {};
}

XmlScanner::Token XmlScanner::next() {
    if (!started_) {
        started_ = true;
        if (startsWith("\xEF\xBB\xBF")) // the byte order mark some writers put first
            pos_ += 3;
    }
    if (endPending_) {
        endPending_ = false;
        openNames_.resize(std::size_t(open_.back()));
        open_.pop_back();
        rootClosed_ = open_.empty();
        return Token::End;
    }
    attributes_.clear();
    if (!resolved_.empty()) // seldom: clearing even an empty deque costs in a loop this hot
        resolved_.clear();
    for (;;) {
        const int c = peek(0);
        if (c < 0) {
            if (!rootClosed_)
                fail(QStringLiteral("the document ends before its elements are closed"));
            return Token::Done;
        }
        if (c != '<') {
            readText();
            if (open_.empty()) {
                // Outside the root only blanks may stand.
                if (!std::all_of(text_.cbegin(), text_.cend(), isSpace))
                    fail(QStringLiteral("text stands outside the document's element"));
                continue;
            }
            return Token::Text;
        }
        const int second = peek(1);
        if (second == '?') {
            skipPast("?>", QStringLiteral("a processing instruction"));
        } else if (second == '!' && startsWith("<!--")) {
            skipPast("-->", QStringLiteral("a comment"));
        } else if (second == '!' && startsWith("<![CDATA[")) {
            if (open_.empty())
                fail(QStringLiteral("a CDATA section stands outside the document's element"));
            readText();
            return Token::Text;
        } else if (second == '!') {
            fail(QStringLiteral("it declares a document type, which a workbook's part never "
                                "does"),
                 true);
        } else if (second == '/') {
            readEndTag();
            return Token::End;
        } else {
            if (rootClosed_)
                fail(QStringLiteral("an element follows the document's element"));
            readStartTag();
            return Token::Start;
        }
    }
}

// Inline: it reads every name of every tag.
inline qsizetype XmlScanner::readName(qsizetype at, QByteArrayView& name) {
    const char* tag = buffer_.constData() + pos_;
    const qsizetype start = at;
    if (!isNameByte(tag[at], NameStart))
        fail(QStringLiteral("a tag holds no name where one belongs"));
    for (++at; isNameByte(tag[at], NameByte);)
        ++at;
    name = QByteArrayView(tag + start, at - start);
    return at;
}

std::optional<QByteArrayView> XmlScanner::nextPlainText(QByteArrayView name) {
    if (endPending_ || open_.empty() || !shortcuts.load(std::memory_order_relaxed))
        return std::nullopt;
    const qsizetype n = name.size();
    const qsizetype shortest = 2 * n + 5; // <name></name>
    if (buffer_.size() - pos_ < shortest && peekFurther(shortest - 1) < 0)
        return std::nullopt;
    const char* at = buffer_.constData() + pos_;
    const qsizetype available = buffer_.size() - pos_;
    if (at[0] != '<' || at[n + 1] != '>' || !sameBytes(QByteArrayView(at + 1, n), name))
        return std::nullopt;
    // A text cut by the end of the bytes at hand, or one to resolve, is read as usual.
    qsizetype end = n + 2;
    while (!isTextStop(at[end]))
        ++end;
    if (at[end] != '<' || available - end < n + 3 || at[end + 1] != '/' || at[end + n + 2] != '>' ||
        !sameBytes(QByteArrayView(at + end + 2, n), name))
        return std::nullopt;
    pos_ += end + n + 3;
    return QByteArrayView(at + n + 2, end - n - 2);
}

void XmlScanner::skipPast(const char* terminator, const QString& what) {
    const auto length = static_cast<qsizetype>(std::strlen(terminator));
    for (qsizetype i = 2;; ++i) {
        if (peek(i) < 0)
            fail(what + QStringLiteral(" is not closed"));
        if (i > MaxTag)
            fail(what + QStringLiteral(" runs on too long"));
        if (buffer_[pos_ + i] == terminator[0]) {
            bool found = true;
            for (qsizetype k = 1; k < length && found; ++k)
                found = peek(i + k) == static_cast<unsigned char>(terminator[k]);
            if (found) {
                pos_ += i + length;
                return;
            }
        }
    }
}

// Characters and CDATA sections up to the next tag, one run, read whole into the buffer before
// its references are resolved.
void XmlScanner::readText() {
    text_.resize(0); // keeps its room for the next run
    for (;;) {
        const int c = peek(0);
        if (c < 0)
            return;
        if (c == '<') {
            if (!startsWith("<![CDATA["))
                return;
            for (qsizetype i = 9;; ++i) {
                if (peek(i) < 0)
                    fail(QStringLiteral("a CDATA section is not closed"));
                if (i > MaxText)
                    fail(QStringLiteral("a text runs on too long"));
                if (buffer_[pos_ + i] == ']' && peek(i + 1) == ']' && peek(i + 2) == '>') {
                    appendLines(QByteArrayView(buffer_.constData() + pos_ + 9, i - 9), text_);
                    pos_ += i + 3;
                    break;
                }
            }
            continue;
        }
        // Up to the next tag, in a loop of its own: the texts of a sheet are a few bytes, most
        // without a reference or a CR, which are then taken as they are.
        qsizetype length = 0;
        bool plain = true;
        for (;;) {
            const char* start = buffer_.constData() + pos_;
            const qsizetype available = buffer_.size() - pos_;
            for (; length < available; ++length) {
                const char b = start[length];
                if (!isTextStop(b))
                    continue;
                if (b == '<')
                    break;
                plain = plain && b == '\0'; // a NUL in the text is taken as it is
            }
            if (length < available || atEnd_)
                break;
            if (length > MaxText)
                fail(QStringLiteral("a text runs on too long"));
            fill();
        }
        const QByteArrayView raw(buffer_.constData() + pos_, length);
        if (plain)
            text_.append(raw.data(), std::size_t(length));
        else
            appendResolved(raw, text_);
        pos_ += length;
    }
}

void XmlScanner::appendResolved(QByteArrayView raw, std::string& out) {
    qsizetype at = 0;
    while (at < raw.size()) {
        const qsizetype amp = raw.indexOf('&', at);
        if (amp < 0) {
            appendLines(raw.sliced(at), out);
            return;
        }
        appendLines(raw.sliced(at, amp - at), out);
        const qsizetype semicolon = raw.indexOf(';', amp);
        if (semicolon < 0 || semicolon - amp > 12)
            fail(QStringLiteral("an '&' stands for no reference"));
        const QByteArrayView entity = raw.sliced(amp + 1, semicolon - amp - 1);
        if (entity == "lt")
            out += '<';
        else if (entity == "gt")
            out += '>';
        else if (entity == "amp")
            out += '&';
        else if (entity == "quot")
            out += '"';
        else if (entity == "apos")
            out += '\'';
        else if (entity.startsWith('#')) {
            const bool hex = entity.size() > 1 && (entity[1] == 'x');
            bool ok = false;
            const uint code = entity.sliced(hex ? 2 : 1).toByteArray().toUInt(&ok, hex ? 16 : 10);
            if (!ok || !appendCharacter(code, out))
                fail(QStringLiteral("the character reference '&%1;' names no character")
                         .arg(QString::fromLatin1(entity)));
        } else {
            fail(QStringLiteral("the entity '&%1;' is not known").arg(QString::fromUtf8(entity)));
        }
        at = semicolon + 1;
    }
}

// The length of the tag at pos_, up to and with its '>', read whole into the buffer; '>' inside
// a quoted value does not end it.
void XmlScanner::readTag() {
    char quote = 0;
    for (qsizetype i = 1;;) {
        // The bytes at hand, in a loop of their own; then more, if the tag goes on.
        const char* tag = buffer_.constData() + pos_;
        const qsizetype available = std::min(buffer_.size() - pos_, MaxTag + 1);
        for (; i < available; ++i) {
            const char c = tag[i];
            if (quote) {
                if (c == quote)
                    quote = 0;
                else if (c == '<')
                    fail(QStringLiteral("an attribute's value holds '<'"));
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                return;
            }
        }
        if (i > MaxTag)
            fail(QStringLiteral("a tag runs on too long"));
        if (peek(i) < 0)
            fail(QStringLiteral("the document ends inside a tag"));
    }
}

void XmlScanner::readEndTag() {
    // The end of the element open written just so ("</x:c>"), as nearly every end tag is,
    // needs no more than a comparison.
    if (!open_.empty() && shortcuts.load(std::memory_order_relaxed)) {
        const QByteArrayView open(openNames_.data() + open_.back(),
                                  qsizetype(openNames_.size()) - open_.back());
        const char* at = buffer_.constData() + pos_;
        if (buffer_.size() - pos_ >= open.size() + 3 && at[open.size() + 2] == '>' &&
            sameBytes(QByteArrayView(at + 2, open.size()), open)) {
            name_ = localOf(QByteArrayView(at + 2, open.size()));
            openNames_.resize(std::size_t(open_.back()));
            open_.pop_back();
            rootClosed_ = open_.empty();
            pos_ += open.size() + 3;
            return;
        }
    }
    readTag();
    QByteArrayView qualified;
    qsizetype at = readName(2, qualified);
    while (isSpace(static_cast<unsigned char>(buffer_[pos_ + at])))
        ++at;
    if (buffer_[pos_ + at] != '>')
        fail(QStringLiteral("an end tag holds more than its name"));
    if (open_.empty() || !sameBytes(QByteArrayView(openNames_.data() + open_.back(),
                                                   qsizetype(openNames_.size()) - open_.back()),
                                    qualified))
        fail(QStringLiteral("the end tag '%1' closes no element open")
                 .arg(QString::fromUtf8(qualified)));
    name_ = localOf(qualified);
    openNames_.resize(std::size_t(open_.back()));
    open_.pop_back();
    rootClosed_ = open_.empty();
    pos_ += at + 1;
}

void XmlScanner::readStartTag() {
    // Read in one pass over the bytes at hand, which hold the whole tag but once a chunk; a tag
    // they cut short is first read whole, then again.
    if (!shortcuts.load(std::memory_order_relaxed) || !parseStartTag(false)) {
        readTag();
        parseStartTag(true);
    }
}

// The start tag at pos_, to its end; false when the bytes at hand end first (never when `whole`:
// readTag has then found its end). The byte after those at hand is the NUL QByteArray keeps
// there, which no name, blank, quote or '>' is.
bool XmlScanner::parseStartTag(bool whole) {
    const char* tag = buffer_.constData() + pos_;
    const qsizetype available = buffer_.size() - pos_;
    const auto cut = [&](qsizetype at) { return !whole && at >= available; };
    if (!resolved_.empty())
        resolved_.clear();
    attributes_.clear();
    if (cut(1))
        return false;
    QByteArrayView qualified;
    qsizetype at = readName(1, qualified);
    for (;;) {
        const qsizetype blanks = at;
        while (isSpace(static_cast<unsigned char>(tag[at])))
            ++at;
        if (cut(at + 1))
            return false;
        const char c = tag[at];
        if (c == '>' || (c == '/' && tag[at + 1] == '>'))
            break;
        if (at == blanks)
            fail(QStringLiteral("attributes in a tag are not apart"));
        QByteArrayView name;
        at = readName(at, name);
        while (isSpace(static_cast<unsigned char>(tag[at])))
            ++at;
        if (cut(at))
            return false;
        if (tag[at] != '=')
            fail(QStringLiteral("an attribute has no value"));
        ++at;
        while (isSpace(static_cast<unsigned char>(tag[at])))
            ++at;
        if (cut(at))
            return false;
        const char quote = tag[at];
        if (quote != '"' && quote != '\'')
            fail(QStringLiteral("an attribute's value is not quoted"));
        const qsizetype valueStart = at + 1;
        qsizetype valueEnd = valueStart;
        bool references = false;
        for (char v; (v = tag[valueEnd]) != quote; ++valueEnd) {
            if (!ValueStops[static_cast<unsigned char>(v)])
                continue;
            if (v == '<')
                fail(QStringLiteral("an attribute's value holds '<'"));
            if (cut(valueEnd))
                return false;
            references |= v == '&';
        }
        QByteArrayView value(tag + valueStart, valueEnd - valueStart);
        if (references) {
            std::string& resolved = resolved_.emplace_back();
            appendResolved(value, resolved);
            value = QByteArrayView(resolved.data(), qsizetype(resolved.size()));
        }
        const QByteArrayView local = localOf(name);
        for (const Attribute& earlier : attributes_)
            if (sameBytes(earlier.name, local) && !name.contains(':'))
                fail(QStringLiteral("an attribute is given twice"));
        attributes_.push_back({local, value});
        at = valueEnd + 1;
    }
    if (at > MaxTag)
        fail(QStringLiteral("a tag runs on too long"));
    if (open_.size() >= MaxDepth)
        fail(QStringLiteral("its elements nest too deep"));
    name_ = localOf(qualified);
    open_.push_back(qsizetype(openNames_.size()));
    openNames_.append(qualified.data(), std::size_t(qualified.size()));
    endPending_ = tag[at] == '/';
    pos_ += at + (endPending_ ? 2 : 1);
    return true;
}

} // namespace data::workbook
