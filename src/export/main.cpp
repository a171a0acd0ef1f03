// SPDX-License-Identifier: MIT
// fernplot-export: data files to CSV, JSON, PNG, SVG, PDF or the built sheet,
// without a display.
//
// This program does not link Qt: listing and the text formats start in a
// millisecond. A run that asks for a drawn format becomes
// fernplot-export-render, the same exporter with Qt's fonts and painting, by
// exec: the same process with the same arguments, stdout, stderr and exit
// status.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "export_run.h"
#include "quit_signals.h"

namespace {

// The real location of the program, also when it was started through PATH
// or a link.
std::string OwnProgramPath(const char* argv0) {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec || self.empty() ? std::string(argv0) : self.string();
}

// Beside the program in the build tree, in its libexec folder when installed.
std::string RenderProgramPath(const std::string& program) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(program).parent_path();
  const fs::path beside = dir / "fernplot-export-render";
  std::error_code ec;
  if (fs::exists(beside, ec)) return beside.string();
  return (dir / FERNPLOT_RENDER_DIR / "fernplot-export-render").lexically_normal().string();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const std::string program = OwnProgramPath(argv[0]);
  const fernplot::ExportPlan plan = fernplot::PlanExport(args);
  if (plan.NeedsQt()) {
    const std::string render = RenderProgramPath(program);
    // argv[0] tells it which program was started: its settings file is
    // looked for beside this one.
    std::vector<char*> renderArgs(argv, argv + argc + 1);
    renderArgs[0] = const_cast<char*>(program.c_str());
    execv(render.c_str(), renderArgs.data());
    std::cerr << "fernplot-export: " << render << ": " << std::strerror(errno) << '\n';
    return fernplot::kExitFailure;
  }
  // Owned here for the whole run; the signal handlers reach it while they
  // are installed.
  const auto inFlight = std::make_unique<fernplot::InFlightFiles>();
  const fernplot::RemoveTempFilesOnQuit cleanup(*inFlight);
  return fernplot::RunPlan(plan, program, std::cout, std::cerr, nullptr, nullptr, inFlight.get());
}
