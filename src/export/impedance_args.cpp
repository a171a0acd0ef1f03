// SPDX-License-Identifier: MIT
#include "impedance_args.h"

namespace fernplot {

std::string CheckImpedanceOptions(ImpedanceOptions& o, bool circuitFormat, bool kkFormat) {
  if (circuitFormat && !o.circuitText) return "-f circuit needs --circuit";
  if (o.initialText && !o.circuitText) return "--initial needs --circuit";
  if (o.circuitOverlay && !o.circuitText) return "--circuit-overlay needs --circuit";
  if (o.kkChosen && !kkFormat) return "--kk-fit, --kk-c, --kk-max-m and --kk-capacitance need -f kk";
  if (!o.circuitText) return {};
  CircuitParse parse = ParseCircuit(*o.circuitText);
  if (!parse.circuit) return "--circuit: " + parse.Error();
  o.circuit = std::make_shared<const Circuit>(std::move(*parse.circuit));
  if (o.initialText) {
    InitialValuesParse initial = ParseInitialValues(*o.initialText, *o.circuit);
    if (!initial.error.empty()) return "--initial: " + initial.error;
    o.fit.initial = std::move(initial.values);
  }
  return {};
}

std::string ImpedanceOptionsHelp() {
  return "  --shunt OHMS   channel 2 across a shunt of OHMS: a ratio page shows the\n"
         "                 impedance Z = OHMS * H of its ratio H (settings line SHUNT)\n"
         "  --z-from s11|s21-shunt|s21-series  an S-parameter file as an impedance:\n"
         "                 z0(1+S11)/(1-S11), z0/2 S21/(1-S21) of an element shunting\n"
         "                 the line, 2 z0 (1-S21)/S21 of one in series (z0: the file's R)\n"
         "  --columns LIST  read a delimited table's first three columns as LIST:\n"
         "                 f,re,im  f,re,-im  f,mag,deg (an impedance in ohms) or\n"
         "                 f,db,deg (a ratio); a header row is skipped\n"
         "  --circuit STRING  the equivalent circuit -f circuit fits to every\n"
         "                 impedance input: R, C, L, CPE, W, Wo, Ws, G joined with - in\n"
         "                 series and p(a,b) in parallel, e.g. R0-p(R1,C1)\n"
         "  --initial NAME=VALUE,...  starting values (the others are chosen)\n"
         "  --circuit-overlay  draw the fitted circuit over every impedance page,\n"
         "                 dashed, named by its string\n"
         "  --circuit-weight modulus|unit|proportional  residuals by |Z| (default),\n"
         "                 plain, or Re by |Re Z| and Im by |Im Z|\n"
         "  --global       search for the global optimum (--global-seconds S, default 2)\n"
         "  --kk-fit real|imag|complex, --kk-c C, --kk-max-m M, --kk-capacitance\n"
         "                 the Kramers-Kronig test of -f kk (defaults real, 0.85, 50)\n";
}

}  // namespace fernplot
