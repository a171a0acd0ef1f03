// SPDX-License-Identifier: MIT
#pragma once
// The results of the impedance fits as JSON documents, one top-level member
// a line, numbers in the shortest texts that read back as the same doubles
// (non-finite ones as null).

#include <string>

#include "analysis/impedance/circuit_fit.h"
#include "analysis/impedance/lin_kk.h"

namespace fernplot {

//   {"circuit", "weight", "points",
//    "parameters": [{"name", "value", "stdError": number|null, "unit"}],
//    "rmsRelative", "rmsOhm", "chiSquare", "converged", "iterations",
//    "seconds"}
// A fixed parameter's stdError is null, as is an undetermined one's.
std::string CircuitFitJson(const CircuitFitResult& result);

//   {"M", "mu", "c", "fit": "real"|"imag"|"complex", "capacitance": bool,
//    "frequency": [...], "residualsReal": [...], "residualsImag": [...],
//    "maxResidual"}
// "capacitance" says whether the chain had its series capacitance.
std::string KramersKronigJson(const KkResult& result);

}  // namespace fernplot
