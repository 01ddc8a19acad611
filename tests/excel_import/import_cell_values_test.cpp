// Numbers read from a workbook are taken as the spreadsheet program shows them.
#include "excel_import/import_cell_values.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(WorkbookNumberText, FifteenSignificantDigitsInThePlainDecimalForm)
{
    const struct {
        double value;
        QString text;
    } cases[] = {
        {1200 * 1.1, u"1320"_s},                // 1320.0000000000002
        {0.1 + 0.2, u"0.3"_s},                  // 0.30000000000000004
        {1.0 / 3.0, u"0.333333333333333"_s},
        {-2.5, u"-2.5"_s},
        {-0.000001, u"-0.000001"_s},           // never "1e-06"
        {1e20, u"100000000000000000000"_s},    // never "1e+20"
        {123456789012345678.0, u"123456789012346000"_s},
        {9999999, u"9999999"_s},
        {-0.0, u"0"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WorkbookNumberText(c.value), c.text) << c.value;
}
