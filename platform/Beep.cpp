#include "Beep.h"

#include <cstdio>

namespace platform {

namespace {

std::function<void(BeepSound)>& sink()
{
    static std::function<void(BeepSound)> current;
    return current;
}

}  // namespace

void beep(BeepSound sound)
{
    if (sink()) {
        sink()(sound);
        return;
    }
    std::fputc('\a', stderr);
    std::fflush(stderr);
}

void setBeepSink(std::function<void(BeepSound)> newSink)
{
    sink() = std::move(newSink);
}

}  // namespace platform
