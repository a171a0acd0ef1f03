// SPDX-License-Identifier: MIT
#pragma once
// Runs one task per input on several threads and hands the results over in
// input order, so that what a run prints does not depend on how many threads
// made it.

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "production_run.h"

namespace fernplot {

class PageSession;

// What one input gave: its text for stderr and stdout, as a run on one
// thread would have printed it.
struct TaskOutput {
  std::string err;
  std::string out;
  bool ok = true;
  // For a report: the input's page (built in its own session) or why it
  // could not be read, and its row of figures.
  std::shared_ptr<PageSession> reportPage;
  std::string reportMessage;
  std::vector<std::string> reportRow;
  bool usage = false;           // the input lacks what the command line asked of it
  bool maskFailed = false;      // judged against --mask, it failed
  std::optional<LotInput> lot;  // what it gives --statistics
};

// Lets each task do one step in input order (deciding which outputs it may
// claim, say), whatever thread it runs on and however far the others got.
class InputOrder {
 public:
  // Waits until every earlier input has had its step, runs `step` and lets
  // the next input have its turn. Every input has exactly one step; a task
  // that did not take its turn has it taken for it when it returns.
  void Step(size_t index, const std::function<void()>& step);

 private:
  friend class TaskTurn;
  std::mutex mutex_;
  std::condition_variable turn_;
  size_t next_ = 0;
};

// The turn of one task, given to it by RunInOrder.
class TaskTurn {
 public:
  TaskTurn(InputOrder& order, size_t index) : order_(order), index_(index) {}
  void Step(const std::function<void()>& step) {
    taken_ = true;
    order_.Step(index_, step);
  }
  bool Taken() const { return taken_; }

 private:
  InputOrder& order_;
  size_t index_;
  bool taken_ = false;
};

using Task = std::function<TaskOutput(size_t index, TaskTurn& turn)>;

// Runs the tasks for inputs 0 .. count-1 on `jobs` threads (one or fewer:
// here, one after another). Each thread first calls `makeTask` once and
// runs every task it takes with what that returned, so per-thread state
// (a text measurer, say) lives in the returned function. `commit` is called
// on this thread, in input order, with each task's output. At most `window`
// tasks past the last committed one are started: outputs waiting for a slow
// earlier input stay few.
void RunInOrder(size_t count, int jobs, size_t window, const std::function<Task()>& makeTask,
                const std::function<void(size_t index, TaskOutput output)>& commit);

}  // namespace fernplot
