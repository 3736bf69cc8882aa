#pragma once
// The outcome of a write: done, or failed with the reason the user is shown.

#include <string>
#include <utility>

namespace pyx {

class [[nodiscard]] IoResult
{
public:
    static IoResult done() { return IoResult(); }
    // An empty reason still counts as a failure.
    static IoResult failed(std::string reason)
    {
        IoResult r;
        r.failed_ = true;
        r.reason_ = std::move(reason);
        return r;
    }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& reason() const { return reason_; }

private:
    IoResult() = default;
    bool failed_ = false;
    std::string reason_;
};

} // namespace pyx
