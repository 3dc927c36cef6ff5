#pragma once
// Long work on a terminal: one line that is redrawn in place with the progress text, a bar, the
// percentage, the rate and the time left, at most ten times a second so that drawing does not
// slow the work down.

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace tarvo::cli {

class ProgressLine {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    using Sink = std::function<void(std::string_view)>;
    static constexpr std::chrono::milliseconds kRedrawInterval{100};

    // `width` is the terminal's number of columns; the line never reaches the last one.
    ProgressLine(Sink sink, int width, Clock clock = std::chrono::steady_clock::now);

    // The progress text; a count "n / total" at its end gives the rate in items a second.
    void text(const std::string& text);
    // The bar's position out of its total.
    void bar(long position, long total);
    // Draws the last state if it has not been drawn and ends the line (before a message, at the end).
    void finish();

    int redraws() const { return redraws_; }

private:
    void update(bool force);
    std::string render(std::chrono::steady_clock::time_point now);

    Sink sink_;
    int width_;
    Clock clock_;
    std::string text_;
    long position_ = 0;
    long total_ = 0;
    bool shown_ = false;    // a line is on the screen and not yet ended
    bool pending_ = false;  // the state changed since the last redraw
    int redraws_ = 0;
    std::chrono::steady_clock::time_point lastRedraw_{};
    // Rate: the count (or bar position) and time where the current piece of work began.
    bool started_ = false;
    std::string label_;
    long startCount_ = 0;
    std::chrono::steady_clock::time_point startTime_{};
};

// The text of a progress line: text, bar, percentage, rate and time left, cut to `width` columns.
// `rate` is items a second (negative: not known yet), `left` seconds (negative: not known).
std::string progressLineText(const std::string& text, long position, long total, double rate, double left, int width);

}  // namespace tarvo::cli
