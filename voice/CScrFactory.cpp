#include "CScrFactory.h"

#include "CPcTalker.h"
#include "CSoundReader.h"
#include "CSpeechDispatcher.h"
#include "CTranscriptReader.h"

CScrFactory::CScrFactory() = default;
CScrFactory::~CScrFactory() = default;

int CScrFactory::DetectReaderId()
{
    if (CTranscriptReader().IsExecuting()) return ReaderTranscript;
    if (CXPReader().IsExecuting()) return ReaderXPReader;
    CPcTalker pcTalker;
    if (pcTalker.IsExecuting()) {
        pcTalker.Init();   // reads the version, which decides the id
        return pcTalker.m_readerId;
    }
    if (CFocusTalk().IsExecuting()) return ReaderFocusTalk;
    if (CSpeechDispatcher().IsExecuting()) return ReaderSpeechDispatcher;
    return ReaderNone;
}

std::unique_ptr<CScrReader> CScrFactory::MakeReader(int readerId)
{
    switch (readerId) {
    case ReaderXPReader: return std::make_unique<CXPReader>();
    case ReaderPcTalkerXP:
    case ReaderPcTalkerVista:
    case ReaderPcTalker7: return std::make_unique<CPcTalker>();
    case ReaderFocusTalk: return std::make_unique<CFocusTalk>();
    case ReaderSpeechDispatcher: return std::make_unique<CSpeechDispatcher>();
    case ReaderTranscript: return std::make_unique<CTranscriptReader>();
    default: return nullptr;
    }
}

int CScrFactory::GetScReaderId()
{
    return m_readerId != ReaderNone ? m_readerId : DetectReaderId();
}

CScrReader* CScrFactory::CreateScReader()
{
    if (!m_reader) {
        m_readerId = GetScReaderId();
        std::unique_ptr<CScrReader> reader = MakeReader(m_readerId);
        if (!reader || !reader->Init()) return nullptr;
        m_reader = std::move(reader);
    }
    m_reader->m_enabled = 1;
    return m_reader.get();
}

QString CScrFactory::GetScReaderName()
{
    return m_reader ? m_reader->GetReaderName() : QString();
}

void CScrFactory::Destroy()
{
    m_reader.reset();
    m_readerId = ReaderNone;
}
