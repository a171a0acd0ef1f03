// SPDX-License-Identifier: MIT
#include "export_batch.h"

#include <algorithm>
#include <map>
#include <thread>
#include <vector>

namespace fernplot {

void InputOrder::Step(size_t index, const std::function<void()>& step) {
  std::unique_lock lock(mutex_);
  turn_.wait(lock, [&] { return next_ == index; });
  if (step) step();
  ++next_;
  turn_.notify_all();
}

namespace {

TaskOutput RunTask(const Task& task, InputOrder& order, size_t index) {
  TaskTurn turn(order, index);
  TaskOutput output = task(index, turn);
  if (!turn.Taken()) turn.Step({});
  return output;
}

// The state the threads of one run share.
class Batch {
 public:
  Batch(size_t count, size_t window) : count_(count), window_(std::max<size_t>(window, 1)) {}

  // The next input for a thread to take, or count when none is left.
  size_t Take() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return next_ >= count_ || next_ < committed_ + window_; });
    return next_ < count_ ? next_++ : count_;
  }

  void Finish(size_t index, TaskOutput output) {
    std::lock_guard lock(mutex_);
    done_.emplace(index, std::move(output));
    changed_.notify_all();
  }

  // Hands the outputs over in order as they arrive; returns when all were.
  void CommitAll(const std::function<void(size_t, TaskOutput)>& commit) {
    while (true) {
      TaskOutput output;
      size_t index = 0;
      {
        std::unique_lock lock(mutex_);
        if (committed_ >= count_) return;
        changed_.wait(lock, [&] { return done_.count(committed_) > 0; });
        const auto it = done_.find(committed_);
        index = it->first;
        output = std::move(it->second);
        done_.erase(it);
      }
      // Printed outside the lock: the threads go on meanwhile.
      commit(index, std::move(output));
      std::lock_guard lock(mutex_);
      ++committed_;
      changed_.notify_all();
    }
  }

  InputOrder order;

 private:
  const size_t count_;
  const size_t window_;
  std::mutex mutex_;
  std::condition_variable changed_;
  size_t next_ = 0;
  size_t committed_ = 0;
  std::map<size_t, TaskOutput> done_;
};

}  // namespace

void RunInOrder(size_t count, int jobs, size_t window, const std::function<Task()>& makeTask,
                const std::function<void(size_t index, TaskOutput output)>& commit) {
  const size_t threads = std::min<size_t>(jobs > 1 ? static_cast<size_t>(jobs) : 1, count);
  if (threads <= 1) {
    InputOrder order;
    const Task task = count ? makeTask() : Task();
    for (size_t i = 0; i < count; ++i) commit(i, RunTask(task, order, i));
    return;
  }
  Batch batch(count, window);
  std::vector<std::jthread> workers;
  workers.reserve(threads);
  for (size_t t = 0; t < threads; ++t) {
    workers.emplace_back([&] {
      const Task task = makeTask();
      for (size_t i = batch.Take(); i < count; i = batch.Take()) {
        batch.Finish(i, RunTask(task, batch.order, i));
      }
    });
  }
  batch.CommitAll(commit);
}

}  // namespace fernplot
