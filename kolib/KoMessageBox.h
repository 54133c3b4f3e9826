#pragma once
// The one way the programs show a message or ask an OK/Cancel question: a
// modal box owned by the given window. Tests (and any caller that must not
// block) install an answerer, which then receives every message instead of a
// box and gives the answer.

#include <QString>

#include <functional>

class QWidget;

enum class KoButtons { Ok, OkCancel };
enum class KoAnswer { Ok, Cancel };
enum class KoIcon { None, Information, Warning, Error, Question };

struct KoMessage {
    QString text;
    QString caption;
    KoButtons buttons = KoButtons::Ok;
    KoIcon icon = KoIcon::None;
};

// Speaks the text through the published voice (stop 1, wait 1), then shows
// the message and returns the answer; a box with only OK answers Ok.
// An empty caption shows the application's display name.
KoAnswer KoMessageBox(QWidget* owner, const QString& text, KoButtons buttons = KoButtons::Ok,
                      const QString& caption = QString(), KoIcon icon = KoIcon::None);

using KoMessageAnswerer = std::function<KoAnswer(const KoMessage&)>;
// Replaces the answerer; an empty one restores the real boxes.
void KoSetMessageAnswerer(KoMessageAnswerer answerer);
