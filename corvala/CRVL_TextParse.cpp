#include "CRVL_TextParse.h"

namespace corvala {

namespace {

// Decimal integer with an optional sign and surrounding blanks; anything else is a conversion error.
int32_t str_to_int(const std::string& text) {
    size_t i = 0, n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    while (n > i && (text[n - 1] == ' ' || text[n - 1] == '\t')) --n;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == n) throw EConvertError("'" + text + "' is not a valid integer value");
    int64_t value = 0;
    for (; i < n; ++i) {
        if (text[i] < '0' || text[i] > '9') throw EConvertError("'" + text + "' is not a valid integer value");
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(INT32_MAX) + 1) throw EConvertError("'" + text + "' is not a valid integer value");
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) throw EConvertError("'" + text + "' is not a valid integer value");
    return int32_t(value);
}

}  // namespace

int32_t EXTRACTVALUEFROMSTRING(const std::string& SPACE, std::string& S) {
    const size_t found = SPACE.empty() ? std::string::npos : S.find(SPACE);
    const size_t P = (found == std::string::npos) ? 0 : found + 1;  // 1-based, 0 when absent
    const std::string head = (P == 0) ? std::string() : S.substr(0, P - 1);
    const int32_t result = str_to_int(head);  // throws before S is touched
    S = S.substr(P);                          // one character removed after the number, whatever the length of SPACE
    return result;
}

}  // namespace corvala
