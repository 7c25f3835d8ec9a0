#pragma once

namespace orbsales {

// Spreads a document's overall discount over its lines: each line but the last gets its amount
// times the discount percent, rounded to AmtDig places (half to even); the last line gets what
// is left of the header discount, so the shares add up to it exactly.
class OverallDiscountShares {
public:
    struct Share {
        double foreign = 0;
        double local = 0;
    };

    OverallDiscountShares(double discountPercent, double headerForeignDiscount, double headerLocalDiscount,
                          double amountDigits, int lastLine);

    // Share of line `line` (1-based, in grid order) with its foreign and local amounts.
    Share next(int line, double foreignAmount, double localAmount);

private:
    double m_percent, m_headerForeign, m_headerLocal, m_digits;
    int m_lastLine;
    double m_sumForeign = 0, m_sumLocal = 0;
};

} // namespace orbsales
