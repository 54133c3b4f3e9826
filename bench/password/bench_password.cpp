// How long checking the start-up password takes: a right and a wrong
// password against the stored Argon2id digest, and setting a new one. The aim
// is 50 to 500 ms a check: slow for a guesser, unnoticed by the user. Prints
// the median and the slowest of 21 of each, beside the older SHA-1 digest.

#include "kolib/CKoPasswordStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int rounds = 21;

void report(const char* what, const std::function<void()>& act, bool aimed)
{
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        act();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    std::printf("%-32s median %9.3f ms   slowest %9.3f ms", what, median, ms.back());
    if (aimed) std::printf("   (aim 50-500 ms: %s)", median >= 50 && median <= 500 ? "met" : "NOT met");
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv)
{
    // The store lives in the user's configuration folder: a home of our own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    QCoreApplication app(argc, argv);
    CKoPasswordStore store;
    if (!store.WritePassword(QStringLiteral("かけいぼ2026"))) {
        std::fprintf(stderr, "the password could not be stored\n");
        return 1;
    }
    bool right = true, wrong = false;
    report("verify, right password", [&] { right = right && store.VerifyPassword(QStringLiteral("かけいぼ2026")); }, true);
    report("verify, wrong password", [&] { wrong = wrong || store.VerifyPassword(QStringLiteral("かけいぼ2025")); }, true);
    report("set a password", [&] { store.WritePassword(QStringLiteral("かけいぼ2026")); }, false);
    report("older SHA-1 digest, for scale", [] { CKoPasswordStore::OlderDigest(QStringLiteral("かけいぼ2026")); },
           false);
    if (!right || wrong) {
        std::fprintf(stderr, "verification gave a wrong answer\n");
        return 1;
    }
    return 0;
}
