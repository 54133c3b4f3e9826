#pragma once

#include <QtGlobal>

#if defined(VOICE_LIBRARY)
#define VOICE_EXPORT Q_DECL_EXPORT
#else
#define VOICE_EXPORT Q_DECL_IMPORT
#endif
