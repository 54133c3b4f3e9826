#pragma once
// The manual viewer program: it opens the manual named on its command line,
// keeps to one instance per user (Control held at start ends the other), shows
// its window maximised and says "TEBIKIを起動しました。".

#include "CTebikiDoc.h"

#include "kolib/CKoSingleProccess.h"
#include "voice/CVoiceReader.h"

#include <QApplication>

#include <memory>

class CTebikiFrame;

class CTebikiApp : public QApplication {
    Q_OBJECT
public:
    CTebikiApp(int& argc, char** argv);
    ~CTebikiApp() override;

    // Start-up; false when this instance must end (another one was brought forward).
    bool InitInstance(const QStringList& arguments);

    CTebikiDoc& Document() { return m_document; }
    CTebikiFrame* Frame() const { return m_frame.get(); }

private:
    CVoiceReader m_voice;
    CKoSingleProccess m_singleProcess;
    CTebikiDoc m_document;
    std::unique_ptr<CTebikiFrame> m_frame;
};
