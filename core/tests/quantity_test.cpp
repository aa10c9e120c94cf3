// The named readings of a published quantity, over hand-made results of
// every circuit class.
#include "core/circuit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace ampera::testing {
namespace {

struct QuantityCase {
    const char* name;
    int circuitClass;
    double para[3];
    double wave[4];
    // Expected class tests: sine, periodic, square, triangle, first order, step response.
    bool sine, periodic, square, triangle, firstOrder, stepResponse;
    double steady, magnitude;
};
inline void PrintTo(const QuantityCase& c, std::ostream* os) {
    *os << c.name;
}

CQuantity Make(const QuantityCase& c) {
    CQuantity q;
    q.m_circuitClass = c.circuitClass;
    for (int i = 0; i < 3; ++i)
        q.para_array[i] = c.para[i];
    for (int i = 0; i < 4; ++i)
        q.wave_array[i] = c.wave[i];
    return q;
}

class Quantity : public ::testing::TestWithParam<QuantityCase> {};

// Values are as each class publishes them (see CQuantity); the magnitude is
// the sine peak in class 5 and the steady value elsewhere, always >= 0.
const QuantityCase kQuantities[] = {
    {"Dc", CLASS_DC, {-2.5, 0, 0}, {0, 0, 0, 0}, false, false, false, false, false, false, -2.5, 2.5},
    {"DcFirstOrder",
     CLASS_DC_FIRST_ORDER,
     {0.75, 0, 0},
     {0, 0, 0, 0},
     false,
     false,
     false,
     false,
     true,
     false,
     0.75,
     0.75},
    {"Square", CLASS_SQUARE, {-3, 0, 0}, {-3, 250, 30, 1.5}, false, true, true, false, false, false, -3, 3},
    {"SquareFirstOrder",
     CLASS_SQUARE_FIRST_ORDER,
     {6, 6, 1000},
     {6, 250, 30, 3},
     false,
     true,
     true,
     false,
     true,
     true,
     6,
     6},
    {"Triangle", CLASS_TRIANGLE, {4, 0, 0}, {4, 60, -45, 4}, false, true, false, true, false, false, 4, 4},
    {"Sine", CLASS_SINE, {0, 0, 0}, {-1.25, 50, -1.5, 0}, true, false, false, false, false, false, 0, 1.25},
    {"Unsupported",
     CLASS_UNSUPPORTED,
     {0, 0, 0},
     {0, 0, 0, 0},
     false,
     false,
     false,
     false,
     false,
     false,
     0,
     0},
};

TEST_P(Quantity, ClassTestsAndReadings) {
    const QuantityCase& c = GetParam();
    const CQuantity q = Make(c);
    EXPECT_EQ(q.IsSine(), c.sine);
    EXPECT_EQ(q.IsPeriodic(), c.periodic);
    EXPECT_EQ(q.IsSquare(), c.square);
    EXPECT_EQ(q.IsTriangle(), c.triangle);
    EXPECT_EQ(q.IsFirstOrder(), c.firstOrder);
    EXPECT_EQ(q.HasStepResponse(), c.stepResponse);
    EXPECT_EQ(q.Steady(), c.steady);
    EXPECT_EQ(q.Magnitude(), c.magnitude);

    // Each reading is its slot of the published arrays, bit for bit.
    EXPECT_EQ(q.Initial(), c.para[0]);
    EXPECT_EQ(q.Step(), c.para[1]);
    EXPECT_EQ(q.Rate(), c.para[2]);
    EXPECT_EQ(q.Peak(), c.wave[0]);
    EXPECT_EQ(q.Level(), c.wave[0]);
    EXPECT_EQ(q.Frequency(), c.wave[1]);
    EXPECT_EQ(q.SinePhase(), c.wave[2]);
    EXPECT_EQ(q.SourcePhase(), c.wave[2]);
    EXPECT_EQ(q.SourceAmplitude(), c.wave[3]);
    EXPECT_EQ(q.Rms(), c.wave[0] * (std::sqrt(2.0) * 0.5));
}

INSTANTIATE_TEST_SUITE_P(Classes, Quantity, ::testing::ValuesIn(kQuantities),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QuantityReadings, RmsOfASinePeak) {
    CQuantity q;
    q.m_circuitClass = CLASS_SINE;
    q.wave_array[0] = 10;
    EXPECT_NEAR(q.Rms(), 10 / std::sqrt(2.0), 1e-12);
}

// A rating compared with "not within" must see an undetermined value as
// undetermined, in either form of the magnitude.
TEST(QuantityReadings, MagnitudeKeepsNaN) {
    CQuantity dc;
    dc.para_array[0] = NAN;
    EXPECT_TRUE(std::isnan(dc.Magnitude()));
    CQuantity sine;
    sine.m_circuitClass = CLASS_SINE;
    sine.para_array[0] = NAN; // a sine result's steady slot is never read for its size
    sine.wave_array[0] = -2;
    EXPECT_EQ(sine.Magnitude(), 2);
    sine.wave_array[0] = NAN;
    EXPECT_TRUE(std::isnan(sine.Magnitude()));
}

} // namespace
} // namespace ampera::testing
