// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "graph/format.h"

namespace fernplot {
namespace {

struct Row {
  double value;
  const char* text;
};

TEST(CompareNear, ToleranceIsOpenOnBothSides) {
  EXPECT_EQ(CompareNear(1.0, 1.0), 0);
  EXPECT_EQ(CompareNear(1.0 + 0.5e-7, 1.0), 0);
  EXPECT_EQ(CompareNear(1.0 - 0.5e-7, 1.0), 0);
  EXPECT_EQ(CompareNear(1.0 - 2e-7, 1.0), -1);
  EXPECT_EQ(CompareNear(1.0 + 2e-7, 1.0), 1);
}

TEST(FormatFrequency, Table) {
  const Row rows[] = {
      {0, "0m"},
      {0.0001, "0.1m"},
      {0.5, "500m"},
      {0.999, "999m"},
      {1, "1"},
      {12.5, "12.5"},
      {100, "100"},
      {999.99999, "1000"},
      {1000, "1k"},
      {1500, "1.5k"},
      {12345.678, "12.345678k"},
      {1000000, "1M"},
      {22000000, "22M"},
      {1500000000, "1.5G"},
      {0.00004, "0m"},
      {0.99999995, "1"},
      {999.99999995, "1k"},
      {-5, "-5000m"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatFrequency(r.value), r.text) << r.value;
}

TEST(FormatAmplitude, Table) {
  const Row rows[] = {
      {0.005, "5.00m"}, {0.01, "10.0m"}, {0.0123, "12.3m"}, {0.05, "50.0m"},
      {0.5, "500m"},    {0.999, "999m"}, {1, "1.00"},       {2.5, "2.50"},
      {9.99, "9.99"},   {10, "10.0"},    {20, "20.0"},      {0.00999999, "10.0m"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatAmplitude(r.value), r.text) << r.value;
}

TEST(FormatBias, Table) {
  const Row rows[] = {
      {0, "0.00"},      {0.00000005, "0.00"}, {0.004, "+0.00"}, {1.5, "+1.50"},
      {-0.25, "-0.25"}, {9.99, "+9.99"},      {10, "+10.0"},    {-12, "-10.0"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatBias(r.value), r.text) << r.value;
}

TEST(FormatSeconds, Table) {
  const Row rows[] = {
      {0.001, "1.00000e-3"}, {2.5, "2.50000e0"},     {0.0000123, "1.23000e-5"},
      {100, "1.00000e2"},    {12345.6, "1.23456e4"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatSeconds(r.value), r.text) << r.value;
}

}  // namespace
}  // namespace fernplot
