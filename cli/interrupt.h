#pragma once

namespace opal::cli {

// Ctrl+C asks opalctl to stop; it stops at the next point where nothing is half-done: while it
// waits for a reply or counts a wait down, never inside a journaled operation or amid a stream
// of frames.
void StopOnInterrupt();
// Whether Ctrl+C was pressed in this run.
bool StopAsked();
// For a run that starts afresh in the same process.
void ForgetStop();
// Signal-safe: what the handler does, and what a test does in place of a signal.
void AskToStop();

// Thrown at a safe point after Ctrl+C.
struct StopRequested {};

}  // namespace opal::cli
