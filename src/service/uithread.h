#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace zelvora {

// True on the thread that owns the widgets (the application's thread), and
// also when there is no application object yet.
bool isUiThread();

// Runs `fn` on the UI thread and returns once it has run; on the UI thread it
// simply runs. An exception from `fn` is carried back and raised in the
// caller, never let loose in the event loop. The UI thread must not be
// waiting for the caller meanwhile, or both wait for ever.
void runOnUiThreadAndWait(const std::function<void()> &fn);

template<typename F> auto runOnUiThread(F &&fn) -> std::invoke_result_t<F &>
{
    using R = std::invoke_result_t<F &>;
    if constexpr (std::is_void_v<R>) {
        runOnUiThreadAndWait(std::function<void()>([&fn] { fn(); }));
    } else {
        std::optional<R> result;
        runOnUiThreadAndWait(std::function<void()>([&fn, &result] { result.emplace(fn()); }));
        return std::move(*result);
    }
}

// Queues `fn` to the UI thread and goes on without waiting. It runs from the
// event loop even when posted from the UI thread itself. An exception that
// escapes it goes to the general error handler.
void postToUiThread(std::function<void()> fn);

} // namespace zelvora
