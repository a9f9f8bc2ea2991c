#pragma once
// The coroutine type conversations are written with. A Task starts suspended; it runs when
// it is awaited (the awaiting coroutine becomes its continuation and is resumed by symmetric
// transfer when the task ends) or when its owner resumes handle() (a root task, see
// GameEngine). Destroying a Task destroys its frame, and with it every task the frame is
// awaiting: this is how a running conversation is cancelled.
//
// An exception leaving the body is kept and rethrown where the task is awaited, or by
// rethrowIfFailed() for a root task. Single-threaded: a task is resumed on the thread that
// owns its engine.
#include <coroutine>
#include <exception>
#include <optional>
#include <utility>

namespace game {

template <typename T>
class Task;

namespace taskDetail {

struct PromiseBase {
  std::coroutine_handle<> continuation;
  std::exception_ptr error;

  struct FinalAwaiter {
    bool await_ready() noexcept { return false; }
    template <typename Promise>
    std::coroutine_handle<> await_suspend(std::coroutine_handle<Promise> done) noexcept {
      std::coroutine_handle<> next = done.promise().continuation;
      return next ? next : std::noop_coroutine();
    }
    void await_resume() noexcept {}
  };

  std::suspend_always initial_suspend() noexcept { return {}; }
  FinalAwaiter final_suspend() noexcept { return {}; }
  void unhandled_exception() noexcept { error = std::current_exception(); }
};

template <typename T>
struct Promise : PromiseBase {
  std::optional<T> value;
  Task<T> get_return_object() noexcept;
  void return_value(T v) { value = std::move(v); }
};

template <>
struct Promise<void> : PromiseBase {
  Task<void> get_return_object() noexcept;
  void return_void() noexcept {}
};

}  // namespace taskDetail

template <typename T = void>
class [[nodiscard]] Task {
 public:
  using promise_type = taskDetail::Promise<T>;
  using Handle = std::coroutine_handle<promise_type>;

  Task() = default;
  explicit Task(Handle handle) : handle_(handle) {}
  Task(Task&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
  Task& operator=(Task&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, {});
    }
    return *this;
  }
  Task(const Task&) = delete;
  Task& operator=(const Task&) = delete;
  ~Task() { reset(); }

  // Destroys the frame (and the frames it awaits) wherever it is suspended.
  void reset() {
    if (handle_) std::exchange(handle_, {}).destroy();
  }
  bool valid() const { return static_cast<bool>(handle_); }
  bool done() const { return handle_ && handle_.done(); }
  std::coroutine_handle<> handle() const { return handle_; }
  void rethrowIfFailed() const {
    if (handle_ && handle_.promise().error) std::rethrow_exception(handle_.promise().error);
  }

  bool await_ready() const noexcept { return false; }
  std::coroutine_handle<> await_suspend(std::coroutine_handle<> awaiting) noexcept {
    handle_.promise().continuation = awaiting;
    return handle_;
  }
  T await_resume() {
    rethrowIfFailed();
    if constexpr (!std::is_void_v<T>) return std::move(*handle_.promise().value);
  }

 private:
  Handle handle_;
};

namespace taskDetail {

template <typename T>
Task<T> Promise<T>::get_return_object() noexcept {
  return Task<T>(std::coroutine_handle<Promise<T>>::from_promise(*this));
}

inline Task<void> Promise<void>::get_return_object() noexcept {
  return Task<void>(std::coroutine_handle<Promise<void>>::from_promise(*this));
}

}  // namespace taskDetail

}  // namespace game
