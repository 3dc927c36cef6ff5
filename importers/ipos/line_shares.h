#pragma once
// A header's amount (its discount or the salesman's commission) spread over the lines written
// for it in proportion to each line's TOTAL, rounded to two decimals, with the last line taking
// what the others left so that the shares add up to the amount exactly.

namespace tarvo::importers::ipos {

class LineShares {
public:
    LineShares(double headerTotal, double amount) : headerTotal_(headerTotal), amount_(amount) {}

    // The next line's share: VODIVIDE(lineTotal, headerTotal) × amount to two decimals, or for
    // the last line the amount less everything spread before it.
    double next(double lineTotal, bool lastLine);

private:
    double headerTotal_;
    double amount_;
    double spread_ = 0;
};

}  // namespace tarvo::importers::ipos
