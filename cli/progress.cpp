#include "cli/progress.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace vapomet::cli {

Progress::Progress(std::optional<double> total) : total_(total), start_(Clock::now()) {
    // Rows on the same terminal would be overwritten by the line and mixed into it.
    shown_ = isatty(fileno(stderr)) != 0 && isatty(fileno(stdout)) == 0;
}

Progress::~Progress() {
    if (printed_) std::fputs("\r\033[K", stderr);
}

void Progress::advance(std::size_t states, double amount) {
    states_ += states;
    done_ += amount;
    const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    if (!shown_ || seconds < 1.0 || seconds - lastShown_ < 0.25) return;
    lastShown_ = seconds;
    std::string line = "\r" + std::to_string(states_) + " states, " +
                       std::to_string(static_cast<long>(states_ / seconds)) + " a second";
    if (total_ && done_ > 0) {
        const double left = seconds * (*total_ - done_) / done_;
        line += ", " + std::to_string(static_cast<long>(left + 0.5)) + " s left";
    }
    std::fputs((line + "\033[K").c_str(), stderr);
    printed_ = true;
}

}  // namespace vapomet::cli
