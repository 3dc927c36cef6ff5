#pragma once
// The progress window of the installed user interaction, open for the lifetime of this object,
// so that it closes on every way out of the work.

#include "ui/user_interaction.h"

namespace tarvo::ui {

class ScopedProgress {
public:
    explicit ScopedProgress(Owner owner) { interaction().openProgress(owner); }
    ~ScopedProgress() { interaction().closeProgress(); }
    ScopedProgress(const ScopedProgress&) = delete;
    ScopedProgress& operator=(const ScopedProgress&) = delete;
};

}  // namespace tarvo::ui
