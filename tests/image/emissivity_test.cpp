// The emissivity correction: the grey-body balance solved for the surface, and its typed fields.
#include "image/emissivity.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

constexpr double kKelvin = 273.15;

// What the head reads of a grey surface at `celsius` with surroundings at `reflected`.
double Measured(double celsius, double emissivity, double reflected) {
  const double own = emissivity * std::pow(celsius + kKelvin, 4.0);
  const double mirrored = (1.0 - emissivity) * std::pow(reflected + kKelvin, 4.0);
  return std::pow(own + mirrored, 0.25) - kKelvin;
}

double Corrected(double measured, double emissivity, double reflected) {
  return CorrectedCelsius(measured, emissivity, reflected).value_or(NAN);
}

}  // namespace

TEST(Emissivity, ABlackSurfaceReadsAsMeasured) {
  for (double measured : {0.0, 21.5, 80.0, 255.0}) EXPECT_NEAR(Corrected(measured, 1.0, 40.0), measured, 1e-9);
}

// The head's reading of a surface of known temperature, worked out forwards, leads back to it,
// whether the surface is warmer or colder than its surroundings.
TEST(Emissivity, TheReadingOfAGreySurfaceLeadsBackToItsTemperature) {
  for (double emissivity : {0.10, 0.5, 0.8, 0.95}) {
    for (double surface : {5.0, 36.6, 80.0, 200.0}) {
      const double measured = Measured(surface, emissivity, 21.0);
      EXPECT_NEAR(Corrected(measured, emissivity, 21.0), surface, 1e-9) << emissivity << " " << surface;
    }
  }
  // A surface at the temperature of its surroundings reads right whatever its emissivity.
  EXPECT_NEAR(Corrected(30.0, 0.10, 30.0), 30.0, 1e-9);
}

// Below (1 - eps)^(1/4) Tr the surroundings alone would give more than was read: no temperature.
TEST(Emissivity, AReadingBelowWhatTheSurroundingsReflectIsNotDeterminable) {
  EXPECT_EQ(CorrectedCelsius(0.0, 0.10, 100.0), std::nullopt);
  const double reflected = 100.0, emissivity = 0.2;
  const double boundary = std::pow(1.0 - emissivity, 0.25) * (reflected + kKelvin) - kKelvin;
  EXPECT_EQ(CorrectedCelsius(boundary - 0.01, emissivity, reflected), std::nullopt);
  const std::optional<double> above = CorrectedCelsius(boundary + 0.01, emissivity, reflected);
  ASSERT_TRUE(above.has_value());
  EXPECT_TRUE(std::isfinite(*above) && *above > -kKelvin && *above < boundary);
  // An emissivity outside the field's range is no reason to make a number up.
  EXPECT_EQ(CorrectedCelsius(30.0, 0.0, 20.0), std::nullopt);
  EXPECT_EQ(CorrectedCelsius(30.0, 1.01, 20.0), std::nullopt);
}

// A picture's cells: whole degrees within the head's or one beyond its highest; nothing read or nothing determinable stays without a reading.
TEST(Emissivity, PictureCellsAreCorrectedToWholeDegreesOrLeftWithoutAReading) {
  const Correction shiny{0.2, 20.0};
  ThermalImage::CellGrid readings{}, corrected{};
  readings[0][0] = 60;
  readings[1][0] = kNoReading;
  readings[2][0] = 2;  // below what the surroundings reflect
  readings[3][0] = 5;    // just above it: far below 0 °C
  readings[4][0] = 250;  // far above what the head reads
  FillCorrected(readings, shiny, corrected);
  EXPECT_EQ(corrected[0][0], std::lround(Corrected(60.0, 0.2, 20.0)));
  EXPECT_EQ(corrected[1][0], kNoReading);
  EXPECT_EQ(corrected[2][0], kNoReading);
  EXPECT_EQ(corrected[3][0], 0);
  EXPECT_EQ(corrected[4][0], kHighestReading + 1);
  EXPECT_EQ(CorrectedCell(47, Correction{}), 47);  // nothing corrects at emissivity 1
}

TEST(Emissivity, TypedEmissivityTakesCommaOrPointAndTwoDecimalsFromATenthToOne) {
  const auto taken = [](const char* text) { return std::get<double>(ParseEmissivity(text)); };
  EXPECT_EQ(taken("0,95"), 0.95);
  EXPECT_EQ(taken(" 0.95 "), 0.95);
  EXPECT_EQ(taken("0,10"), 0.10);
  EXPECT_EQ(taken("0,1"), 0.10);
  EXPECT_EQ(taken("1,00"), 1.0);
  EXPECT_EQ(taken("1"), 1.0);
  const auto fault = [](const char* text) { return std::get<NumberFault>(ParseEmissivity(text)); };
  EXPECT_EQ(fault("0,09"), NumberFault::OutOfRange);
  EXPECT_EQ(fault("1,01"), NumberFault::OutOfRange);
  EXPECT_EQ(fault("-0,5"), NumberFault::OutOfRange);
  EXPECT_EQ(fault("99999999999999999999"), NumberFault::OutOfRange);
  EXPECT_EQ(fault("0,955"), NumberFault::TooManyDecimals);
  for (const char* text : {"", " ", "x", "0,9x", "0,", ",9", "0,9,5", "0 ,9", "1e-1", "nan", "-"}) {
    EXPECT_EQ(fault(text), NumberFault::NotANumber) << '"' << text << '"';
  }
}

TEST(Emissivity, TypedReflectedTemperatureTakesWholeOrDecimalDegreesOfTheHead) {
  const auto taken = [](const char* text) { return std::get<double>(ParseReflectedCelsius(text)); };
  EXPECT_EQ(taken("21"), 21.0);
  EXPECT_EQ(taken(" 21,5"), 21.5);
  EXPECT_EQ(taken("0"), 0.0);
  EXPECT_EQ(taken("255.0"), 255.0);
  const auto fault = [](const char* text) { return std::get<NumberFault>(ParseReflectedCelsius(text)); };
  EXPECT_EQ(fault("-0,5"), NumberFault::OutOfRange);
  EXPECT_EQ(fault("255,01"), NumberFault::OutOfRange);
  EXPECT_EQ(fault(std::string(400, '9').c_str()), NumberFault::OutOfRange);
  EXPECT_EQ(fault(""), NumberFault::NotANumber);
  EXPECT_EQ(fault("zwanzig"), NumberFault::NotANumber);
}

// Each typical value, written as a field shows it, is taken by the field; no material is named twice.
