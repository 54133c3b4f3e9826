#pragma once
// Upgrade of a data file whose 定期支払 table has the older layout 0 (no
// period, month flags or holiday rule) to the current layout.

#include <QString>

class CDBConnection;
class CKinzoDocHost;

// Backs the file up beside it ("_Backup", replacing an older backup), writes
// the payment template over it, copies 勘定科目, 出納簿, 取引先 and 分割支払
// back in from the backup and moves every recurring payment over with this
// year as its period. The connection is closed first; on success it is open
// on the upgraded file. On failure the file is restored from the backup (when
// it had been changed), the connection is closed, the host has been told
// why, and false is returned. The backup stays in every case.
bool UpgradeLayout0(const QString& path, CDBConnection& connection, CKinzoDocHost& host);
