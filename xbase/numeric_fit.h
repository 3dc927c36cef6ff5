#pragma once
// Whether a number fits a numeric field: the one rule a table writes numeric fields by, for the
// checks that try values before anything is written, and the failure a table gives when a number
// does not fit.

#include <span>
#include <string>

#include "xbase/error.h"

namespace tarvo::xbase {

// Writes the number over the whole of out (the field's width) as writeStr does; false when it does
// not fit, and out then holds the asterisks of Str().
bool writeNumericField(std::span<char> out, double number, int decimals);
// Whether the number can be written into a numeric field of the width and decimals.
bool fitsNumericField(double number, int width, int decimals);

// A number written into a numeric field too narrow for it.
class ValueDoesNotFit : public Error {
public:
    ValueDoesNotFit(const std::string& file, std::string field, int width, int decimals, double value);

    const std::string& file() const { return file_; }
    const std::string& field() const { return field_; }
    double value() const { return value_; }
    // "value 1234.5000 does not fit field SISA_NIL01 (N 18,4)", without the file.
    const std::string& problem() const { return problem_; }

private:
    std::string file_;
    std::string field_;
    double value_;
    std::string problem_;
};

// The problem text of a number that does not fit a field of the width and decimals.
std::string doesNotFitText(double value, const std::string& field, int width, int decimals);

}  // namespace tarvo::xbase
