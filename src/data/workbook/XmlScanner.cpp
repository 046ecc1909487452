#include "data/workbook/XmlScanner.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>

namespace data::workbook {

namespace {

bool isSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameByte(int c, bool first) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80)
        return true;
    return !first && ((c >= '0' && c <= '9') || c == '-' || c == '.');
}

QByteArrayView localOf(QByteArrayView name) {
    for (qsizetype at = name.size() - 1; at >= 0; --at)
        if (name[at] == ':')
            return name.sliced(at + 1);
    return name;
}

// A character as UTF-8; false for one XML does not allow.
bool appendCharacter(char32_t c, QByteArray& out) {
    if (c == 0 || (c < 0x20 && c != '\t' && c != '\n' && c != '\r') ||
        (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF || c == 0xFFFE || c == 0xFFFF)
        return false;
    out += QString::fromUcs4(&c, 1).toUtf8();
    return true;
}

// Text as written, its line ends read as XML reads them: CR LF and a CR alone are LF.
void appendLines(QByteArrayView raw, QByteArray& out) {
    for (qsizetype cr; (cr = raw.indexOf('\r')) >= 0;) {
        out.append(raw.first(cr));
        out += '\n';
        raw = raw.sliced(cr + 1 < raw.size() && raw[cr + 1] == '\n' ? cr + 2 : cr + 1);
    }
    out.append(raw);
}

} // namespace

XmlScanner::XmlScanner(QIODevice& in) : in_(in) {}

void XmlScanner::fail(const QString& detail, bool documentType) const {
    const qint64 lines = linesBefore_ + std::count(buffer_.cbegin(), buffer_.cbegin() + pos_, '\n');
    throw XmlDamage{lines, detail, documentType};
}

void XmlScanner::fill() {
    if (atEnd_)
        return;
    if (pos_ > 0) {
        linesBefore_ += std::count(buffer_.cbegin(), buffer_.cbegin() + pos_, '\n');
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
        qsizetype searched = 0;
        qsizetype length = 0;
        for (;;) {
            const char* start = buffer_.constData() + pos_;
            const void* tag = std::memchr(
                start + searched, '<', static_cast<std::size_t>(buffer_.size() - pos_ - searched));
            if (tag) {
                length = static_cast<const char*>(tag) - start;
                break;
            }
            searched = buffer_.size() - pos_;
            if (atEnd_) {
                length = searched;
                break;
            }
            if (searched > MaxText)
                fail(QStringLiteral("a text runs on too long"));
            fill();
        }
        appendResolved(QByteArrayView(buffer_.constData() + pos_, length), text_);
        pos_ += length;
    }
}

void XmlScanner::appendResolved(QByteArrayView raw, QByteArray& out) {
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

qsizetype XmlScanner::readName(qsizetype at, QByteArrayView& name) {
    const qsizetype start = at;
    while (isNameByte(static_cast<unsigned char>(buffer_[pos_ + at]), at == start))
        ++at;
    if (at == start)
        fail(QStringLiteral("a tag holds no name where one belongs"));
    name = QByteArrayView(buffer_.constData() + pos_ + start, at - start);
    return at;
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
    readTag();
    QByteArrayView qualified;
    qsizetype at = readName(1, qualified);
    for (;;) {
        const qsizetype blanks = at;
        while (isSpace(static_cast<unsigned char>(buffer_[pos_ + at])))
            ++at;
        const char c = buffer_[pos_ + at];
        if (c == '>' || (c == '/' && buffer_[pos_ + at + 1] == '>'))
            break;
        if (at == blanks)
            fail(QStringLiteral("attributes in a tag are not apart"));
        QByteArrayView name;
        at = readName(at, name);
        while (isSpace(static_cast<unsigned char>(buffer_[pos_ + at])))
            ++at;
        if (buffer_[pos_ + at] != '=')
            fail(QStringLiteral("an attribute has no value"));
        ++at;
        while (isSpace(static_cast<unsigned char>(buffer_[pos_ + at])))
            ++at;
        const char quote = buffer_[pos_ + at];
        if (quote != '"' && quote != '\'')
            fail(QStringLiteral("an attribute's value is not quoted"));
        const qsizetype valueStart = at + 1;
        const qsizetype valueEnd = buffer_.indexOf(quote, pos_ + valueStart) - pos_;
        QByteArrayView value(buffer_.constData() + pos_ + valueStart, valueEnd - valueStart);
        if (value.contains('&')) {
            resolved_.emplace_back();
            appendResolved(value, resolved_.back());
            value = resolved_.back();
        }
        const QByteArrayView local = localOf(name);
        for (const Attribute& earlier : attributes_)
            if (earlier.name == local && !name.contains(':'))
                fail(QStringLiteral("an attribute is given twice"));
        attributes_.push_back({local, value});
        at = valueEnd + 1;
    }
    if (open_.size() >= MaxDepth)
        fail(QStringLiteral("its elements nest too deep"));
    name_ = localOf(qualified);
    open_.push_back(qsizetype(openNames_.size()));
    openNames_.append(qualified.data(), std::size_t(qualified.size()));
    endPending_ = buffer_[pos_ + at] == '/';
    pos_ += at + (endPending_ ? 2 : 1);
}

} // namespace data::workbook
