#pragma once
// What the toolkit's tests share: a transcript voice published as the
// program's voice (every spoken text is one line of a file, among the
// markers of stops and waits), and a settings
// file with its settings object published as the program's.

#include "kolib/CKoInifileBase.h"
#include "kolib/CKoSettingInfoBase.h"
#include "kolib/KoAppSettings.h"
#include "kolib/KoAppVoice.h"
#include "voice/CTranscriptReader.h"
#include "voice/CVoiceReader.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

class KoTestVoice {
public:
    KoTestVoice()
    {
        m_path = m_dir.filePath(QStringLiteral("heard.txt"));
        qputenv("VOICE_TRANSCRIPT", m_path.toUtf8());
        m_voice.Init();
        KoSetAppVoice(&m_voice);
    }
    ~KoTestVoice() { KoSetAppVoice(nullptr); }

    CVoiceReader& Voice() { return m_voice; }

    // The texts spoken since the last Clear, one per line.
    QStringList Heard() const { return CTranscriptReader::SpokenLines(m_path); }
    // The same with CTranscriptReader::StopLine() and WaitLine() where speech
    // was cut off or waited for.
    QStringList HeardWithMarkers() const { return CTranscriptReader::LinesWithMarkers(m_path); }
    void Clear() { QFile::resize(m_path, 0); }

private:
    QTemporaryDir m_dir;
    QString m_path;
    CVoiceReader m_voice;
};

class KoTestSettings {
public:
    KoTestSettings() : m_settings(m_ini)
    {
        m_ini.SetFilePath(m_dir.filePath(QStringLiteral("test.ini")));
        KoSetAppIniFile(&m_ini);
        KoSetAppSettings(&m_settings);
    }
    ~KoTestSettings()
    {
        KoSetAppIniFile(nullptr);
        KoSetAppSettings(nullptr);
    }

    CKoInifileBase& Ini() { return m_ini; }
    CKoSettingInfoBase& Settings() { return m_settings; }

private:
    QTemporaryDir m_dir;
    CKoInifileBase m_ini;
    CKoSettingInfoBase m_settings;
};
