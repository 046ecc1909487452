#pragma once

#include <QString>
#include <QStringConverter>
#include <cstddef>
#include <mdbtools.h>
#include <vector>

// Turns text as a file stores it into Unicode. Jet 4 and ACE files hold UTF-16, optionally in
// Jet's "compressed" form, which is decoded here directly. Jet 3 files hold single-byte text in
// the code page the file names; libmdb knows the code pages (and honours MDB_JET3_CHARSET), so
// such text goes through its converter into the character set it produces (UTF-8 unless
// MDBICONV says otherwise).
namespace data::access {

class TextDecoder {
public:
    // Fails with data::Error when libmdb is set to produce a character set Qt cannot read.
    explicit TextDecoder(MdbHandle& mdb);

    QString decode(const unsigned char* bytes, std::size_t size);
    // A name libmdb has already converted (a column's name).
    QString fromLibrary(const char* converted) const;

private:
    QString decodeSingleByte(const unsigned char* bytes, std::size_t size);

    MdbHandle& mdb_;
    QStringConverter::Encoding libraryEncoding_;
    std::vector<char> converted_; // reused between values
};

// Jet 4's form: plain UTF-16LE, or "compressed" when it starts with FF FE, in which runs of
// one-byte characters (the low byte of a UTF-16 unit whose high byte is zero) alternate with
// runs of full UTF-16 units, each zero byte switching between the two.
QString decodeUtf16Text(const unsigned char* bytes, std::size_t size);

} // namespace data::access
