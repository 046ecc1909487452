#pragma once

#include "data/jet/vb/DateMask.h"
#include "data/jet/vb/NumberMask.h"

#include <QString>
#include <variant>

// The mask of a Format call, read once per query: a mask with digit placeholders formats
// numbers, one with date letters formats dates and times, and any other leaves the value as its
// text. VB's named formats ("Short Date", "Standard", ...) stand for their masks.
namespace data::jet::vb {

class FormatMask {
public:
    explicit FormatMask(const QString& mask);

    const DateMask* dateMask() const { return std::get_if<DateMask>(&mask_); }
    const NumberMask* numberMask() const { return std::get_if<NumberMask>(&mask_); }

private:
    std::variant<std::monostate, DateMask, NumberMask> mask_;
};

} // namespace data::jet::vb
