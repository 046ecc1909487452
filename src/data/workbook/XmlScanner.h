#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <deque>
#include <optional>
#include <string>
#include <vector>

class QIODevice;

// A reader of XML made for the worksheet parts of a workbook, which hold millions of small
// elements: it reads the part's UTF-8 bytes in chunks and gives its elements, their attributes
// and their text as bytes, about ten times as fast as a general reader that turns every name and
// value into UTF-16 first. It checks what makes a document well-formed as far as a reader of
// cells can tell: tags nest and close in order, attributes are quoted, references are to the
// predefined entities or to characters, the document has one root and ends with it closed. A
// document type declaration, which no workbook's part holds, is refused, and with it any entity
// of the document's own.
//
// Names are given without their namespace prefix ("x:c" is "c"), as the parts of a workbook are
// read by their elements' local names. Views stay valid until the next call to next().
namespace data::workbook {

// Whether two short texts are the same, compared in place: names and attribute keys are a few
// bytes, for which a call to memcmp costs more than the comparison.
inline bool sameBytes(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

struct XmlDamage {
    qint64 line; // from 1
    QString detail;
    bool documentType = false; // the document declares a document type, which is refused
};

class XmlScanner {
public:
    enum class Token { Start, End, Text, Done };

    explicit XmlScanner(QIODevice& in);

    // The next element start, element end, run of text (characters and CDATA sections between
    // two tags, references resolved), or the end of the document. An element written empty
    // (<c r="A1"/>) gives its start, then its end. Throws XmlDamage.
    Token next();

    QByteArrayView name() const { return name_; }
    bool nameIs(QByteArrayView name) const { return sameBytes(name_, name); }
    // The value of the start tag's attribute of that local name, references resolved; empty when
    // it has none.
    QByteArrayView attribute(QByteArrayView localName) const;
    struct Attribute {
        QByteArrayView name; // local
        QByteArrayView value;
    };
    // Every attribute of the start tag, in the order written.
    const std::vector<Attribute>& attributes() const { return attributes_; }
    QByteArrayView text() const { return {text_.data(), qsizetype(text_.size())}; }

    // The text of a plain element that comes next, `<name>text</name>` written just so (no
    // attributes, blanks or prefix; text without references, CR or CDATA), read at once as the
    // three tokens next() would give; nothing when what comes next is anything else, which is
    // then read by next() as usual. The view stays valid until the next call. The values of a
    // sheet's cells are such elements, millions of them.
    std::optional<QByteArrayView> nextPlainText(QByteArrayView name);

    // Whether nextPlainText reads anything at all; with it off, every element is read by next().
    static void setShortcuts(bool on);

private:
    // A tag longer than this is damage, not a tag of a worksheet.
    static constexpr qsizetype MaxTag = 1 << 20;
    // Nor is a run of text longer than this: a cell holds 32,767 characters at most.
    static constexpr qsizetype MaxText = 1 << 24;
    static constexpr qsizetype Chunk = 1 << 18;
    // Nor are elements nested deeper than this: a worksheet nests a handful.
    static constexpr std::size_t MaxDepth = 256;

    // The byte that far past pos_, -1 past the document's end.
    int peek(qsizetype ahead) {
        return pos_ + ahead < buffer_.size() ? static_cast<unsigned char>(buffer_[pos_ + ahead])
                                             : peekFurther(ahead);
    }
    int peekFurther(qsizetype ahead);
    bool startsWith(const char* text);
    void fill(); // reads more bytes, keeping those from pos_ on
    [[noreturn]] void fail(const QString& detail, bool documentType = false) const;
    void readTag();
    void readEndTag();
    void readStartTag();
    bool parseStartTag(bool whole);
    void readText();
    void skipPast(const char* terminator, const QString& what);
    qsizetype readName(qsizetype at, QByteArrayView& name);
    qint64 linesBefore(qsizetype pos) const;
    void appendResolved(QByteArrayView raw, std::string& out);

    QIODevice& in_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    bool atEnd_ = false;
    qint64 linesBefore_ = 1; // lines of the bytes let go of
    QByteArrayView name_;
    std::vector<Attribute> attributes_;
    std::deque<std::string> resolved_; // attribute values whose references were resolved
    std::string text_;
    // The elements open, by their qualified names: the names one after another, and where each
    // begins.
    std::string openNames_;
    std::vector<qsizetype> open_;
    bool endPending_ = false; // an empty element's end, which comes next
    bool started_ = false;
    bool rootClosed_ = false;
};

} // namespace data::workbook
