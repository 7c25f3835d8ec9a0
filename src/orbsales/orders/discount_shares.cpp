#include "orbsales/orders/discount_shares.h"

#include "orbsales/values/numbers.h"

namespace orbsales {

OverallDiscountShares::OverallDiscountShares(double discountPercent, double headerForeignDiscount,
                                             double headerLocalDiscount, double amountDigits, int lastLine)
    : m_percent(discountPercent), m_headerForeign(headerForeignDiscount), m_headerLocal(headerLocalDiscount),
      m_digits(numbers::roundHalfEven(amountDigits, 0)), m_lastLine(lastLine) {}

OverallDiscountShares::Share OverallDiscountShares::next(int line, double foreignAmount, double localAmount) {
    using numbers::roundHalfEven;
    if (line == m_lastLine)
        return {roundHalfEven(m_headerForeign - m_sumForeign, m_digits), roundHalfEven(m_headerLocal - m_sumLocal, m_digits)};
    const Share share{roundHalfEven(foreignAmount * m_percent / 100, m_digits),
                      roundHalfEven(localAmount * m_percent / 100, m_digits)};
    m_sumForeign += share.foreign;
    m_sumLocal += share.local;
    return share;
}

} // namespace orbsales
