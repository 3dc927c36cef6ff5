#pragma once
// A request to stop long work that can be undone (an import): set by the progress window's
// cancel button, by closing the window, or by a signal on the command line; read by the work
// between records. Setting it is safe inside a signal handler.

namespace tarvo::ui {

void requestStop();
bool stopRequested();
// Cleared when new work starts.
void clearStopRequest();

// The question the window asks before it requests the stop of an import.
inline constexpr const char* kStopImportQuestion =
    "Batalkan import? Data toko akan dikembalikan seperti sebelum import.";

}  // namespace tarvo::ui
