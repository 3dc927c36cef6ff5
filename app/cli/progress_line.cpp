#include "app/cli/progress_line.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

namespace tarvo::cli {

namespace {

constexpr int kBarWidth = 20;

struct Count {
    std::string label;  // the text before the count
    long done;
    long total;
};

// "Import Item : 12 / 300" → {"Import Item : ", 12, 300}; none when the text ends otherwise.
std::optional<Count> trailingCount(const std::string& text) {
    const size_t slash = text.rfind(" / ");
    if (slash == std::string::npos || slash == 0) return std::nullopt;
    const size_t numberStart = text.find_last_not_of("0123456789", slash - 1) + 1;
    const std::string done = text.substr(numberStart, slash - numberStart);
    const std::string total = text.substr(slash + 3);
    const auto digits = [](const std::string& s) {
        return !s.empty() && s.size() < 18 && s.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!digits(done) || !digits(total)) return std::nullopt;
    return Count{text.substr(0, numberStart), std::stol(done), std::stol(total)};
}

std::string rateText(double rate) {
    char out[32];
    if (rate < 1000) std::snprintf(out, sizeof out, "%.0f/s", rate);
    else std::snprintf(out, sizeof out, "%.1fk/s", rate / 1000);
    return out;
}

std::string timeLeftText(double seconds) {
    const long s = std::lround(seconds);
    char out[32];
    if (s >= 3600) std::snprintf(out, sizeof out, "%ld:%02ld:%02ld left", s / 3600, s / 60 % 60, s % 60);
    else std::snprintf(out, sizeof out, "%ld:%02ld left", s / 60, s % 60);
    return out;
}

// Cuts UTF-8 text to at most `columns` characters (one column a character).
std::string cut(const std::string& text, int columns) {
    int seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // continuation byte
        if (seen++ == columns) return text.substr(0, i);
    }
    return text;
}

}  // namespace

std::string progressLineText(const std::string& text, long position, long total, double rate, double left, int width) {
    const double fraction = total > 0 ? std::clamp(static_cast<double>(position) / static_cast<double>(total), 0.0, 1.0) : 0;
    const int filled = static_cast<int>(fraction * kBarWidth);
    char percent[8];
    std::snprintf(percent, sizeof percent, "%3d%%", static_cast<int>(fraction * 100));
    std::string tail = " [" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " + percent;
    if (rate >= 0) tail += "  " + rateText(rate);
    if (left >= 0) tail += "  " + timeLeftText(left);
    const int room = width - 1 - static_cast<int>(tail.size());
    if (room < 10) return cut(text, std::max(width - 1, 0));  // too narrow for the bar: the text alone
    return cut(text, room) + tail;
}

ProgressLine::ProgressLine(Sink sink, int width, Clock clock)
    : sink_(std::move(sink)), width_(width), clock_(std::move(clock)) {}

void ProgressLine::text(const std::string& text) {
    text_ = text;
    update(false);
}

void ProgressLine::bar(long position, long total) {
    position_ = position;
    total_ = total;
    update(false);
}

void ProgressLine::finish() {
    if (pending_) update(true);
    if (shown_) sink_("\n");
    shown_ = false;
}

void ProgressLine::update(bool force) {
    pending_ = true;
    const auto now = clock_();
    // A new piece of work (another text before the count, or a count that went back) restarts the rate.
    const std::optional<Count> count = trailingCount(text_);
    const std::string label = count ? count->label : text_;
    const long done = count ? count->done : position_;
    if (!started_ || label != label_ || done < startCount_) {
        started_ = true;
        label_ = label;
        startCount_ = done;
        startTime_ = now;
    }
    if (!force && shown_ && now - lastRedraw_ < kRedrawInterval) return;
    sink_("\r\033[K" + render(now));
    lastRedraw_ = now;
    shown_ = true;
    pending_ = false;
    ++redraws_;
}

std::string ProgressLine::render(std::chrono::steady_clock::time_point now) {
    const std::optional<Count> count = trailingCount(text_);
    const long done = count ? count->done : position_;
    const long total = count ? count->total : total_;
    const double elapsed = std::chrono::duration<double>(now - startTime_).count();
    double rate = -1;
    double left = -1;
    if (elapsed >= 0.5 && done > startCount_) {
        const double perSecond = static_cast<double>(done - startCount_) / elapsed;
        if (count) rate = perSecond;
        left = static_cast<double>(std::max(total - done, 0L)) / perSecond;
    }
    const long barTotal = total_ > 0 ? total_ : total;
    const long barPosition = total_ > 0 ? position_ : done;
    return progressLineText(text_, barPosition, barTotal, rate, left, width_);
}

}  // namespace tarvo::cli
