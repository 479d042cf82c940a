// The transcendental functions the vendored engine's builds link in place of the run-time's: the C library's
// answers at the edges, exact integer powers, agreement with the run-time elsewhere, and results that do not
// depend on the precision a host left the x87 unit in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

extern "C"
{
    double __wrap_sin(double x);
    double __wrap_cos(double x);
    void __wrap_sincos(double x, double* sine, double* cosine);
    double __wrap_sinh(double x);
    float __wrap_tanf(float x);
    double __wrap_exp(double x);
    double __wrap_log(double x);
    float __wrap_log10f(float x);
    double __wrap_pow(double base, double exponent);
}

namespace
{

constexpr double kInf = std::numeric_limits<double>::infinity();

uint16_t ControlWord()
{
    uint16_t word = 0;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    return word;
}

void SetControlWord(uint16_t word)
{
    __asm__ volatile("fldcw %0" : : "m"(word));
}

double UlpsApart(double a, double b)
{
    return a == b ? 0.0 : std::fabs(a - b) / std::fabs(std::nextafter(b, kInf) - b);
}

TEST(PortableMath, PowerAnswersTheEdgesAsTheCLibraryDoes)
{
    const struct
    {
        double base, exponent, expected;
    } cases[] = {
        {2.0, 3.0, 8.0},    {-2.0, 3.0, -8.0},   {-2.0, 2.0, 4.0},    {2.0, -1.0, 0.5},    {0.0, 2.0, 0.0},
        {0.0, -1.0, kInf},  {-0.0, -1.0, -kInf}, {-0.0, 3.0, -0.0},   {NAN, 0.0, 1.0},     {1.0, NAN, 1.0},
        {0.5, kInf, 0.0},   {2.0, -kInf, 0.0},   {2.0, kInf, kInf},   {-1.0, kInf, 1.0},   {kInf, -2.0, 0.0},
        {10.0, 2.0, 100.0}, {1e10, 30.0, 1e300}, {2.0, 2000.0, kInf}, {2.0, -2000.0, 0.0},
    };
    for (const auto& c : cases)
    {
        const double result = __wrap_pow(c.base, c.exponent);
        EXPECT_EQ(result, c.expected) << c.base << " ^ " << c.exponent;
        EXPECT_EQ(std::signbit(result), std::signbit(c.expected)) << c.base << " ^ " << c.exponent;
    }
    EXPECT_TRUE(std::isnan(__wrap_pow(-8.0, 1.0 / 3.0)));
    EXPECT_TRUE(std::isnan(__wrap_pow(NAN, 2.0)));
}

TEST(PortableMath, IntegerPowersOfVelocitiesAreExact)
{
    for (int velocity = 0; velocity < 128; ++velocity)
    {
        const double x = velocity / 127.0;
        EXPECT_EQ(__wrap_pow(x, 1.0), x) << velocity;
        EXPECT_EQ(__wrap_pow(x, 2.0), x * x) << velocity;
    }
}

TEST(PortableMath, LogarithmsAndExponentialsAtTheEdges)
{
    EXPECT_EQ(__wrap_log(0.0), -kInf);
    EXPECT_TRUE(std::isnan(__wrap_log(-1.0)));
    EXPECT_EQ(__wrap_log(1.0), 0.0);
    EXPECT_EQ(__wrap_exp(0.0), 1.0);
    EXPECT_EQ(__wrap_exp(1000.0), kInf);
    EXPECT_EQ(__wrap_exp(-1000.0), 0.0);
    EXPECT_EQ(__wrap_log10f(1000.0f), 3.0f);
    EXPECT_EQ(__wrap_sinh(0.0), 0.0);
    EXPECT_EQ(__wrap_sin(0.0), 0.0);
    EXPECT_EQ(__wrap_cos(0.0), 1.0);
}

TEST(PortableMath, AgreesWithTheRunTimeWithinTwoUnitsInTheLastPlace)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> angle(-10.0, 10.0), exponent(-50.0, 50.0), base(0.001, 20.0),
        power(-10.0, 10.0);
    for (int i = 0; i < 20000; ++i)
    {
        const double x = angle(random);
        // Near its zeros a sine is small, so its error is measured against the size of the angle.
        EXPECT_LE(std::fabs(__wrap_sin(x) - std::sin(x)), 1e-15) << x;
        EXPECT_LE(std::fabs(__wrap_cos(x) - std::cos(x)), 1e-15) << x;
        double sine = 0.0, cosine = 0.0;
        __wrap_sincos(x, &sine, &cosine);
        EXPECT_EQ(sine, __wrap_sin(x));
        EXPECT_EQ(cosine, __wrap_cos(x));
        EXPECT_LE(UlpsApart(__wrap_sinh(x / 2.0), std::sinh(x / 2.0)), 2.0) << x;
        const double e = exponent(random);
        EXPECT_LE(UlpsApart(__wrap_exp(e), std::exp(e)), 1.0) << e;
        EXPECT_LE(UlpsApart(__wrap_log(std::exp(e)), std::log(std::exp(e))), 1.0) << e;
        const double b = base(random), p = power(random);
        EXPECT_LE(UlpsApart(__wrap_pow(b, p), std::pow(b, p)), 1.0) << b << " ^ " << p;
        const float f = static_cast<float>(x / 8.0);
        const float tangent = std::tan(f);
        EXPECT_LE(std::fabs(__wrap_tanf(f) - tangent),
                  2.0f * std::numeric_limits<float>::epsilon() * std::max(1.0f, std::fabs(tangent)))
            << f;
    }
}

TEST(PortableMath, ResultsDoNotDependOnTheCallersPrecisionWhichIsRestored)
{
    const uint16_t original = ControlWord();
    const double expected[] = {__wrap_pow(1.0001, 7777.7), __wrap_exp(3.3), __wrap_sin(2.2)};
    // 53-bit precision, as some hosts set it.
    const uint16_t doublePrecision = static_cast<uint16_t>((original & ~0x0300) | 0x0200);
    SetControlWord(doublePrecision);
    const double underDouble[] = {__wrap_pow(1.0001, 7777.7), __wrap_exp(3.3), __wrap_sin(2.2)};
    const uint16_t after = ControlWord();
    SetControlWord(original);
    EXPECT_EQ(after, doublePrecision);
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(underDouble[i], expected[i]) << i;
}

} // namespace
