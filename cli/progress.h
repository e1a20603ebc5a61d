// The progress of a long table on the standard error: states done, their rate and the time left
// where the whole is known, for work longer than about a second. Drawn only where it cannot mix
// into the rows: on a terminal, while the rows go elsewhere.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>

namespace vapomet::cli {

class Progress {
  public:
    using Clock = std::chrono::steady_clock;
    explicit Progress(std::optional<double> total);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // `states` more states done; `amount` more of the total (states or bytes).
    void advance(std::size_t states, double amount);

  private:
    std::optional<double> total_;
    Clock::time_point start_;
    bool shown_ = false, printed_ = false;
    std::size_t states_ = 0;
    double done_ = 0, lastShown_ = 0;
};

}  // namespace vapomet::cli
