#pragma once
// What goes with the entry hints of the document's UpdateAllViews:
// EntryAdded and EntryChanged carry the saved _KinzoEntry, EntryDeleted the
// deleted entry's ID (int). Senders and views use these helpers only.

#include "kinzo/data/CTableKinzo.h"

#include <QMetaType>
#include <QVariant>

#include <optional>

Q_DECLARE_METATYPE(_KinzoEntry)

inline QVariant EntryHintObject(const _KinzoEntry& entry)
{
    return QVariant::fromValue(entry);
}

// The entry of an EntryAdded or EntryChanged hint; nullopt for another object.
inline std::optional<_KinzoEntry> EntryFromHint(const QVariant& object)
{
    if (object.metaType() != QMetaType::fromType<_KinzoEntry>())
        return std::nullopt;
    return object.value<_KinzoEntry>();
}

// The ID of an EntryDeleted hint; nullopt when the object is no number.
inline std::optional<int> EntryIdFromHint(const QVariant& object)
{
    bool ok = false;
    const int id = object.toInt(&ok);
    return ok ? std::optional<int>(id) : std::nullopt;
}
