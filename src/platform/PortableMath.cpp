// The C run-time's transcendental functions, replaced at link time (--wrap) in every program that runs our
// effects. Each system's run-time rounds some results differently in the last bit, and the effects feed
// those results into recursive filters, so the same sources would render other samples on Linux and on
// Windows. Here every function is the processor's own x87 instruction sequence at full 64-bit
// precision, rounded once to the caller's type: the same on every system for the same processor, and within a
// fraction of a unit in the last place of the exact value (integer powers stay exact). x86 only.
#include <cstdint>
#include <limits>

namespace
{

// Sets the x87 unit to 64-bit precision, rounding to nearest, every exception masked (hosts may have chosen
// 53-bit precision), and restores the caller's control word afterwards.
class ExtendedPrecision
{
public:
    ExtendedPrecision()
    {
        __asm__ volatile("fnstcw %0" : "=m"(saved));
        const uint16_t extended = 0x037F;
        __asm__ volatile("fldcw %0" : : "m"(extended));
    }
    ~ExtendedPrecision() { __asm__ volatile("fldcw %0" : : "m"(saved)); }
    ExtendedPrecision(const ExtendedPrecision&) = delete;
    ExtendedPrecision& operator=(const ExtendedPrecision&) = delete;

private:
    uint16_t saved = 0;
};

// 2^t.
long double Exp2(long double t)
{
    if (t != t)
        return t;
    if (t > 20000.0L)
        return std::numeric_limits<long double>::infinity();
    if (t < -20000.0L)
        return 0.0L;
    long double whole;
    __asm__("frndint" : "=t"(whole) : "0"(t));
    long double power;
    __asm__("f2xm1" : "=t"(power) : "0"(t - whole));
    power += 1.0L;
    long double result;
    __asm__("fscale" : "=t"(result) : "0"(power), "u"(whole));
    return result;
}

// factor * log2(x).
long double FactorLog2(long double factor, long double x)
{
    long double result;
    __asm__("fyl2x" : "=t"(result) : "0"(x), "u"(factor) : "st(1)");
    return result;
}

long double Log2e()
{
    long double value;
    __asm__("fldl2e" : "=t"(value));
    return value;
}

long double Ln2()
{
    long double value;
    __asm__("fldln2" : "=t"(value));
    return value;
}

long double Lg2()
{
    long double value;
    __asm__("fldlg2" : "=t"(value));
    return value;
}

long double Exp(long double x)
{
    return Exp2(x * Log2e());
}

// fsin, fcos and fptan take arguments below 2^63, far above any here.
long double Sin(long double x)
{
    long double result;
    __asm__("fsin" : "=t"(result) : "0"(x));
    return result;
}

long double Cos(long double x)
{
    long double result;
    __asm__("fcos" : "=t"(result) : "0"(x));
    return result;
}

long double Tan(long double x)
{
    long double result;
    __asm__("fptan\n\tfstp %%st(0)" : "=t"(result) : "0"(x));
    return result;
}

bool IsInteger(long double y)
{
    long double whole;
    __asm__("frndint" : "=t"(whole) : "0"(y));
    return whole == y;
}

bool IsOddInteger(long double y)
{
    return IsInteger(y) && !IsInteger(y * 0.5L);
}

long double Pow(long double base, long double exponent)
{
    if (exponent == 0.0L || base == 1.0L)
        return 1.0L;
    if (base != base || exponent != exponent)
        return std::numeric_limits<long double>::quiet_NaN();
    const long double infinity = std::numeric_limits<long double>::infinity();
    if (base == 0.0L)
    {
        const bool negativeZero = IsOddInteger(exponent) && 1.0L / base < 0.0L;
        const long double magnitude = exponent > 0.0L ? 0.0L : infinity;
        return negativeZero ? -magnitude : magnitude;
    }
    if (base < 0.0L)
    {
        if (exponent == infinity || exponent == -infinity)
            return base == -1.0L ? 1.0L : ((base > -1.0L) == (exponent > 0.0L) ? 0.0L : infinity);
        if (!IsInteger(exponent))
            return std::numeric_limits<long double>::quiet_NaN();
        const long double magnitude = Pow(-base, exponent);
        return IsOddInteger(exponent) ? -magnitude : magnitude;
    }
    if (base == infinity)
        return exponent > 0.0L ? infinity : 0.0L;
    if (exponent == infinity || exponent == -infinity)
        return (base > 1.0L) == (exponent > 0.0L) ? infinity : 0.0L;
    return Exp2(FactorLog2(exponent, base));
}

long double Sinh(long double x)
{
    // Near zero the difference of two exponentials would cancel; there sinh(x) = (E + E / (E + 1)) / 2 with
    // E = e^x - 1, which f2xm1 gives to full precision for |x log2 e| below 1.
    if (x > -0.5L && x < 0.5L)
    {
        long double grown;
        __asm__("f2xm1" : "=t"(grown) : "0"(x * Log2e()));
        return (grown + grown / (grown + 1.0L)) * 0.5L;
    }
    const long double grow = Exp(x);
    return (grow - 1.0L / grow) * 0.5L;
}

} // namespace

extern "C"
{
    double __wrap_sin(double x);
    double __wrap_cos(double x);
    void __wrap_sincos(double x, double* sine, double* cosine);
    void __wrap_sincosf(float x, float* sine, float* cosine);
    double __wrap_sinh(double x);
    float __wrap_tanf(float x);
    double __wrap_exp(double x);
    double __wrap_log(double x);
    float __wrap_log10f(float x);
    double __wrap_pow(double base, double exponent);
}

double __wrap_sin(double x)
{
    ExtendedPrecision precision;
    return static_cast<double>(Sin(x));
}

double __wrap_cos(double x)
{
    ExtendedPrecision precision;
    return static_cast<double>(Cos(x));
}

void __wrap_sincos(double x, double* sine, double* cosine)
{
    ExtendedPrecision precision;
    *sine = static_cast<double>(Sin(x));
    *cosine = static_cast<double>(Cos(x));
}

void __wrap_sincosf(float x, float* sine, float* cosine)
{
    ExtendedPrecision precision;
    *sine = static_cast<float>(Sin(x));
    *cosine = static_cast<float>(Cos(x));
}

double __wrap_sinh(double x)
{
    ExtendedPrecision precision;
    return static_cast<double>(Sinh(x));
}

float __wrap_tanf(float x)
{
    ExtendedPrecision precision;
    return static_cast<float>(Tan(x));
}

double __wrap_exp(double x)
{
    ExtendedPrecision precision;
    return static_cast<double>(Exp(x));
}

double __wrap_log(double x)
{
    ExtendedPrecision precision;
    return static_cast<double>(FactorLog2(Ln2(), x));
}

float __wrap_log10f(float x)
{
    ExtendedPrecision precision;
    return static_cast<float>(FactorLog2(Lg2(), x));
}

double __wrap_pow(double base, double exponent)
{
    ExtendedPrecision precision;
    return static_cast<double>(Pow(base, exponent));
}
