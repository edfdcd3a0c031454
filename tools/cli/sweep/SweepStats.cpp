#include "tools/cli/sweep/SweepStats.h"

#include <algorithm>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <map>

namespace {

constexpr double CONFIDENCE = 0.95;
// Up to this many values in a sample (and no ties) the U test is exact.
constexpr size_t EXACT_LIMIT = 8;

double mean(const std::vector<double>& v) {
    double sum = 0.0;
    for (double x : v)
        sum += x;
    return sum / static_cast<double>(v.size());
}

// Sample variance (divides by n - 1); needs two values. Exactly 0 when
// every value is the same (their mean may be off in the last bit).
double variance(const std::vector<double>& v, double m) {
    if (std::all_of(v.begin(), v.end(), [&v](double x) { return x == v.front(); }))
        return 0.0;
    double squares = 0.0;
    for (double x : v)
        squares += (x - m) * (x - m);
    return squares / static_cast<double>(v.size() - 1);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t h = v.size() / 2;
    return v.size() % 2 ? v[h] : (v[h - 1] + v[h]) / 2.0;
}

// Pairs (x in a, y in b) with x > y and with x == y.
struct PairCounts {
    double greater = 0.0, equal = 0.0;
};
PairCounts pairCounts(const std::vector<double>& a, const std::vector<double>& b) {
    PairCounts c;
    for (double x : a)
        for (double y : b) {
            c.greater += x > y;
            c.equal += x == y;
        }
    return c;
}

// Sum of t^3 - t over the groups of t equal values of both samples.
double tieTerm(const std::vector<double>& a, const std::vector<double>& b) {
    std::map<double, double> counts;
    for (const auto* v : {&a, &b})
        for (double x : *v)
            counts[x] += 1.0;
    double term = 0.0;
    for (const auto& [value, t] : counts)
        term += t * t * t - t;
    return term;
}

double twoSidedNormal(double z) {
    return 2.0 * boost::math::cdf(boost::math::complement(boost::math::normal(), z));
}

} // namespace

Description describe(const std::vector<double>& values) {
    Description d;
    d.n = static_cast<int>(values.size());
    if (values.empty())
        return d;
    d.mean = mean(values);
    d.median = median(values);
    if (d.n < 2)
        return d;
    d.sd = std::sqrt(variance(values, d.mean));
    const boost::math::students_t t(d.n - 1);
    const double half =
        boost::math::quantile(t, 0.5 + CONFIDENCE / 2) * d.sd / std::sqrt(double(d.n));
    d.low = d.mean - half;
    d.high = d.mean + half;
    d.hasInterval = true;
    return d;
}

WelchTest welchTest(const std::vector<double>& a, const std::vector<double>& b) {
    WelchTest w;
    if (a.size() < 2 || b.size() < 2)
        return w;
    const double ma = mean(a), mb = mean(b);
    const double va = variance(a, ma) / double(a.size());
    const double vb = variance(b, mb) / double(b.size());
    if (va == 0.0 && vb == 0.0)
        return w;
    w.defined = true;
    w.t = (ma - mb) / std::sqrt(va + vb);
    w.df =
        (va + vb) * (va + vb) / (va * va / double(a.size() - 1) + vb * vb / double(b.size() - 1));
    w.p = 2.0 *
          boost::math::cdf(boost::math::complement(boost::math::students_t(w.df), std::fabs(w.t)));
    return w;
}

double exactUpperTail(int m, int n, double u) {
    // Coefficients of the Gaussian binomial [m + n choose m] in q: the
    // number of orderings of the two samples with U = k, built one value of
    // the first sample at a time (multiply by 1 - q^(n+i), divide by 1 - q^i).
    const int top = m * n;
    std::vector<double> c(static_cast<size_t>(top) + 1, 0.0);
    c[0] = 1.0;
    for (int i = 1; i <= m; ++i) {
        for (int k = top; k >= n + i; --k)
            c[size_t(k)] -= c[size_t(k - n - i)];
        for (int k = i; k <= top; ++k)
            c[size_t(k)] += c[size_t(k - i)];
    }
    double total = 0.0, tail = 0.0;
    // By symmetry P(U >= u) = P(U <= mn - u): summed from the small end.
    for (int k = 0; k <= top; ++k) {
        total += c[size_t(k)];
        if (k <= top - u)
            tail += c[size_t(k)];
    }
    return tail / total;
}

MannWhitneyTest mannWhitneyTest(const std::vector<double>& a, const std::vector<double>& b) {
    MannWhitneyTest r;
    if (a.empty() || b.empty())
        return r;
    const PairCounts c = pairCounts(a, b);
    const double na = double(a.size()), nb = double(b.size());
    r.u = c.greater + c.equal / 2.0;
    const double larger = std::max(r.u, na * nb - r.u);
    const double ties = tieTerm(a, b);
    r.exact = std::min(a.size(), b.size()) <= EXACT_LIMIT && ties == 0.0;
    if (r.exact) {
        r.p = 2.0 * exactUpperTail(int(a.size()), int(b.size()), larger);
    } else {
        const double n = na + nb;
        const double s = std::sqrt(na * nb / 12.0 * ((n + 1.0) - ties / (n * (n - 1.0))));
        // All values equal: no spread, no evidence (z would be -infinity).
        r.p = s > 0.0 ? twoSidedNormal((larger - na * nb / 2.0 - 0.5) / s) : 1.0;
    }
    r.p = std::min(1.0, r.p);
    return r;
}

Effect hedgesG(const std::vector<double>& a, const std::vector<double>& b) {
    Effect e;
    const size_t n = a.size() + b.size();
    if (a.empty() || b.empty() || n < 3)
        return e;
    const double ma = mean(a), mb = mean(b);
    double squares = 0.0;
    for (const auto& [v, m] : {std::make_pair(&a, ma), std::make_pair(&b, mb)})
        for (double x : *v)
            squares += (x - m) * (x - m);
    const double pooled = std::sqrt(squares / double(n - 2));
    if (pooled == 0.0)
        return e;
    e.defined = true;
    e.value = (ma - mb) / pooled * (1.0 - 3.0 / (4.0 * double(n) - 9.0));
    return e;
}

double cliffsDelta(const std::vector<double>& a, const std::vector<double>& b) {
    const PairCounts c = pairCounts(a, b);
    const double pairs = double(a.size()) * double(b.size());
    const double less = pairs - c.greater - c.equal;
    return (c.greater - less) / pairs;
}

std::vector<double> holmAdjusted(const std::vector<double>& p) {
    std::vector<size_t> order(p.size());
    for (size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(), [&p](size_t x, size_t y) { return p[x] < p[y]; });
    std::vector<double> out(p.size());
    double running = 0.0;
    for (size_t r = 0; r < order.size(); ++r) {
        const double scaled = std::min(1.0, double(p.size() - r) * p[order[r]]);
        running = std::max(running, scaled);
        out[order[r]] = running;
    }
    return out;
}
