#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// A list of strings kept as one text and where each string ends: a string costs its characters
// and four bytes, however short it is, so that a list of millions of empty or short strings (the
// shared strings of a workbook) costs memory in proportion to its text.
namespace data::workbook {

class StringTable {
public:
    void append(QStringView string) {
        text_.append(string);
        ends_.push_back(static_cast<quint32>(text_.size()));
    }
    std::size_t size() const { return ends_.size(); }
    // The string at the index, which is below size().
    QString at(std::size_t index) const {
        const qsizetype start = index == 0 ? 0 : ends_[index - 1];
        return text_.sliced(start, ends_[index] - start);
    }
    // The characters of all strings together.
    qsizetype textSize() const { return text_.size(); }

private:
    QString text_;
    std::vector<quint32> ends_;
};

} // namespace data::workbook
