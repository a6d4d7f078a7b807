// Sine and exponential from basic IEEE double arithmetic only.
// libm implementations may differ in the last bit between versions, and one
// bit can flip a rounded sample; these polynomials give the same bits on any
// x86-64 build (as long as no fused multiply-add contraction is enabled).
#include <cmath>

#include "assetgen.h"

namespace assetgen {
namespace {

constexpr double kTwoPi = 6.283185307179586476925286766559;
constexpr double kLn2 = 0.693147180559945309417232121458;
constexpr int kSeriesTerms = 10;  // plenty for |a| <= pi/4 and |r| <= ln2/2

// Taylor series of sin for small |a|, Horner form.
double sinSmall(double a) {
    const double a2 = a * a;
    double sum = 1.0;
    for (int k = kSeriesTerms; k >= 1; --k) sum = 1.0 - sum * a2 / double((2 * k) * (2 * k + 1));
    return a * sum;
}

double cosSmall(double a) {
    const double a2 = a * a;
    double sum = 1.0;
    for (int k = kSeriesTerms; k >= 1; --k) sum = 1.0 - sum * a2 / double((2 * k - 1) * (2 * k));
    return sum;
}

}  // namespace

double sinTurns(double turns) {
    const double r = turns - std::floor(turns);        // [0, 1)
    const double quarter = std::floor(r * 4.0 + 0.5);  // nearest quarter turn
    const double a = (r - quarter * 0.25) * kTwoPi;    // |a| <= pi/4
    switch (int(quarter) & 3) {
        case 0: return sinSmall(a);
        case 1: return cosSmall(a);
        case 2: return -sinSmall(a);
        default: return -cosSmall(a);
    }
}

double expDet(double x) {
    if (x < -700.0) return 0.0;  // below the smallest normal double
    const long k = std::lround(x / kLn2);
    const double r = x - double(k) * kLn2;
    double sum = 1.0;
    for (int n = 2 * kSeriesTerms; n >= 1; --n) sum = 1.0 + sum * r / double(n);
    return std::ldexp(sum, int(k));
}

}  // namespace assetgen
