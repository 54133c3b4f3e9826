#pragma once
// The system's warning sound. The platform layer knows no windows, so the
// sound itself is played by a sink the application installs (the toolkit
// installs the desktop's bell); without one the terminal bell is rung.

#include <functional>

namespace platform {

enum class BeepSound { Exclamation, Error, Default };

void beep(BeepSound sound = BeepSound::Default);

// Replaces the sink; an empty function restores the terminal bell.
void setBeepSink(std::function<void(BeepSound)> sink);

}  // namespace platform
