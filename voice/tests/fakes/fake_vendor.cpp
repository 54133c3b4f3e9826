// A stand-in for a screen reader's client library, built once per reader
// (FAKE_PCTALKER, FAKE_FOCUSTALK or FAKE_XPREADER), optionally without one
// entry point (FAKE_OMIT_<name>). It records every call and is steered by
// files in the folder named by FAKE_READER_DIR:
//   calls.log  one line per call: name|argument|..., the text as given (CP932)
//   busy       N: report busy for the next N status queries after each text;
//              "always": busy until stopped or reset
//   crash      the name of an entry point that faults when called
//   fail       the name of an entry point that reports failure (returns 0)
//   version    PC-Talker's version, hexadecimal

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

int busyLeft = 0;
bool busyAlways = false;

std::string controlPath(const char* file)
{
    const char* dir = std::getenv("FAKE_READER_DIR");
    return std::string(dir ? dir : ".") + "/" + file;
}

std::string control(const char* file)
{
    std::string text;
    if (FILE* f = std::fopen(controlPath(file).c_str(), "rb")) {
        char buffer[256];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
        std::fclose(f);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

// Records the call, then faults or fails when told to. Returns the result a
// working library gives (1) or 0 when told to fail.
int enter(const char* name, const std::string& arguments = std::string())
{
    if (FILE* log = std::fopen(controlPath("calls.log").c_str(), "ab")) {
        std::fprintf(log, "%s%s\n", name, arguments.c_str());
        std::fclose(log);
    }
    if (control("crash") == name) {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
    }
    return control("fail") == name ? 0 : 1;
}

std::string args(const char* text, int a)
{
    return std::string("|") + text + "|" + std::to_string(a);
}

int startSpeaking(int result)
{
    const std::string busy = control("busy");
    busyAlways = busy == "always";
    busyLeft = busy.empty() || busyAlways ? 0 : std::atoi(busy.c_str());
    return result;
}

int busyNow()
{
    if (busyAlways) return 1;
    if (busyLeft > 0) {
        --busyLeft;
        return 1;
    }
    return 0;
}

int quiet(int result)
{
    busyAlways = false;
    busyLeft = 0;
    return result;
}

}  // namespace

#if defined(FAKE_PCTALKER)
#ifndef FAKE_OMIT_PCTKSetStatus
FAKE_EXPORT int PCTKSetStatus(unsigned int what, unsigned int value, void* data)
{
    return enter("PCTKSetStatus", "|" + std::to_string(what) + "|" + std::to_string(value)
                                      + (data ? "|data" : "|null"));
}
#endif
FAKE_EXPORT int PCTKPRead(const char* text, int a, int b)
{
    return startSpeaking(enter("PCTKPRead", args(text, a) + "|" + std::to_string(b)));
}
FAKE_EXPORT int PCTKVReset() { return quiet(enter("PCTKVReset")); }
FAKE_EXPORT int PCTKGetVStatus() { return enter("PCTKGetVStatus") ? busyNow() : 0; }
#ifndef FAKE_OMIT_PCTKStatus
FAKE_EXPORT int PCTKStatus() { return enter("PCTKStatus"); }
#endif
FAKE_EXPORT unsigned int PCTKGetVersion()
{
    enter("PCTKGetVersion");
    const std::string version = control("version");
    return version.empty() ? 0x09000000u : unsigned(std::strtoul(version.c_str(), nullptr, 16));
}
FAKE_EXPORT int SoundMessage(const char* text, int a) { return enter("SoundMessage", args(text, a)); }
#endif

#if defined(FAKE_FOCUSTALK)
FAKE_EXPORT int FT_OutputVoiceText(const char* text, int a)
{
    return startSpeaking(enter("FT_OutputVoiceText", args(text, a)));
}
FAKE_EXPORT int FT_IsSoundBusy() { return enter("FT_IsSoundBusy") ? busyNow() : 0; }
FAKE_EXPORT int FT_PauseSound(int pause) { return enter("FT_PauseSound", "|" + std::to_string(pause)); }
#ifndef FAKE_OMIT_FT_ChangeSoundMode
FAKE_EXPORT int FT_ChangeSoundMode(int mode) { return enter("FT_ChangeSoundMode", "|" + std::to_string(mode)); }
#endif
FAKE_EXPORT int FT_StopSound() { return quiet(enter("FT_StopSound")); }
#endif

#if defined(FAKE_XPREADER)
FAKE_EXPORT int SoundMessage(const char* text, int a) { return startSpeaking(enter("SoundMessage", args(text, a))); }
FAKE_EXPORT int SoundStatus() { return enter("SoundStatus") ? busyNow() : 0; }
FAKE_EXPORT int SoundPause(int pause) { return enter("SoundPause", "|" + std::to_string(pause)); }
#ifndef FAKE_OMIT_SoundModifyMode
FAKE_EXPORT int SoundModifyMode(int mode) { return enter("SoundModifyMode", "|" + std::to_string(mode)); }
#endif
FAKE_EXPORT int SoundStop() { return quiet(enter("SoundStop")); }
#endif
