#pragma once
// The delete of one stored entry, as every window that deletes one does it:
// in one database transaction the entry is read ("出納レコード抽出に失敗しました。"),
// deleted ("出納レコード削除に失敗しました。") and the loan of its account item
// recomputed ("分割支払いレコード更新に失敗しました。"). Any failure shows its
// message over the owner and rolls everything back, so the entry and its
// loan stay as they were. Asking first, speaking and telling the views are
// the caller's. User-interface thread only.

class CKinzoDoc;
class QWidget;

bool DeleteStoredEntry(QWidget* owner, CKinzoDoc& document, int entryId);
