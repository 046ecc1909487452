// The conversion keyword of each type code, which decides whether a column can be grouped and
// whether it has statistics. (Column names, record sources and the spare entries of the column
// table are checked where the picker fills it, for each dialect.)
#include "data/ColumnTypes.h"

#include <gtest/gtest.h>

using namespace data;

TEST(ColumnTypes, EveryTypeCodeGetsItsKeyword) {
    const std::vector<std::pair<Conversion, std::vector<int>>> table = {
        {Conversion::CInt, {2, 3, 16, 17, 18, 19}},
        {Conversion::CLng, {20, 21}},
        {Conversion::CDec, {6, 14, 131, 139}},
        {Conversion::CDbl, {4, 5}},
        {Conversion::CBool, {11}},
        {Conversion::CStr, {129, 130, 200, 201, 202, 203}},
        {Conversion::CDate, {7, 133, 134, 135}},
        {Conversion::Nothing, {0, 8, 12, 72, 128, 204, 205, 136, -1, 9999}},
    };
    for (const auto& [keyword, codes] : table)
        for (int code : codes)
            EXPECT_EQ(colADTypes(code), keyword) << code;
}
